// TImageList over a Win32 image list: masks from bitmaps or from a colour, wide images cut into
// several, drawing normal and disabled.
#include <gtest/gtest.h>
#include <windows.h>

#include "framework/graphics/imagelist.h"
#include "graphics_bytes.h"

namespace {

uint32_t SysRgb(int Index) {
  const COLORREF C = GetSysColor(Index);
  return uint32_t(GetRValue(C)) << 16 | uint32_t(GetGValue(C)) << 8 | GetBValue(C);
}

// A 4 x 2 red image whose left half the mask hides (white = transparent).
struct THalfMasked {
  TBitmap Image, Mask;
  THalfMasked() {
    Filled(Image, 4, 2, 0xFF0000);
    Filled(Mask, 4, 2, 0x000000);
    Mask.Canvas().Brush().SetColor(clWhite);
    Mask.Canvas().FillRect({0, 0, 2, 2});
  }
};

}  // namespace

TEST(ImageList, MaskedImagesDrawOnlyWhereTheMaskLetsThrough) {
  TImageList List;
  List.SetWidth(4);
  List.SetHeight(2);
  THalfMasked Source;
  EXPECT_EQ(List.Add(&Source.Image, &Source.Mask), 0);
  // From a colour: the green pixels are transparent, and the caller's bitmap stays green.
  TBitmap Green;
  Filled(Green, 4, 2, 0x00FF00);
  Green.Canvas().Brush().SetColor(clYellow);
  Green.Canvas().FillRect({3, 0, 4, 2});
  EXPECT_EQ(List.AddMasked(Green, clLime), 1);
  EXPECT_EQ(Rgb(Green, 0, 0), 0x00FF00u);
  EXPECT_EQ(List.Count(), 2);

  TBitmap Target;
  Filled(Target, 4, 2, 0x0000FF);
  List.Draw(Target.Canvas(), 0, 0, 0);
  EXPECT_EQ(Rgb(Target, 1, 1), 0x0000FFu);
  EXPECT_EQ(Rgb(Target, 2, 1), 0xFF0000u);
  Filled(Target, 4, 2, 0x0000FF);
  List.Draw(Target.Canvas(), 0, 0, 1);
  EXPECT_EQ(Rgb(Target, 2, 0), 0x0000FFu);
  EXPECT_EQ(Rgb(Target, 3, 0), 0xFFFF00u);

  // Outside the list: nothing drawn.
  Filled(Target, 4, 2, 0x0000FF);
  List.Draw(Target.Canvas(), 0, 0, 2);
  List.Draw(Target.Canvas(), 0, 0, -1);
  EXPECT_EQ(Rgb(Target, 3, 0), 0x0000FFu);
}

TEST(ImageList, UnmaskedListsDrawWholeImagesAndWideImagesAddSeveral) {
  TImageList List;
  List.SetMasked(false);
  List.SetWidth(2);
  List.SetHeight(2);
  TBitmap Strip;
  Filled(Strip, 6, 2, 0xFF0000);
  Strip.Canvas().Brush().SetColor(clLime);
  Strip.Canvas().FillRect({2, 0, 4, 2});
  TBitmap HideAll;
  Filled(HideAll, 6, 2, 0xFFFFFF);
  EXPECT_EQ(List.Add(&Strip, &HideAll), 0);
  EXPECT_EQ(List.Count(), 3);
  TBitmap Target;
  Filled(Target, 2, 2, 0x0000FF);
  List.Draw(Target.Canvas(), 0, 0, 1);
  EXPECT_EQ(Rgb(Target, 0, 0), 0x00FF00u) << "the mask means nothing to an unmasked list";
  TBitmap Image;
  List.GetBitmap(2, Image);
  EXPECT_EQ(Rgb(Image, 1, 1), 0xFF0000u);
}

TEST(ImageList, DisabledImagesAreEmbossedInTheButtonColours) {
  TImageList List;
  List.SetWidth(4);
  List.SetHeight(2);
  THalfMasked Source;  // visible: columns 2 and 3
  List.Add(&Source.Image, &Source.Mask);
  TBitmap Target;
  Filled(Target, 6, 4, 0x000000);
  List.Draw(Target.Canvas(), 0, 0, 0, false);
  EXPECT_EQ(Rgb(Target, 2, 0), SysRgb(COLOR_BTNSHADOW));
  EXPECT_EQ(Rgb(Target, 3, 1), SysRgb(COLOR_BTNSHADOW));
  EXPECT_EQ(Rgb(Target, 4, 2), SysRgb(COLOR_BTNHIGHLIGHT)) << "the highlight lies one pixel down and right";
  EXPECT_EQ(Rgb(Target, 1, 0), 0u);
  EXPECT_EQ(Rgb(Target, 1, 1), 0u);
}

TEST(ImageList, RefusesImagesSmallerThanItsSizeAndStartsOverWhenResized) {
  TImageList List;
  TBitmap Small;
  Filled(Small, 8, 8, 0);
  EXPECT_THROW(List.Add(&Small, nullptr), EInvalidGraphicOperation);
  EXPECT_THROW(List.AddMasked(Small, clBlack), EInvalidGraphicOperation);
  EXPECT_THROW(List.Add(nullptr, nullptr), EInvalidGraphicOperation);
  List.SetWidth(8);
  List.SetHeight(8);
  List.Add(&Small, nullptr);
  EXPECT_EQ(List.Count(), 1);
  EXPECT_THROW(List.Delete(1), EInvalidGraphicOperation);
  List.SetWidth(4);
  EXPECT_EQ(List.Count(), 0);
}
