// ImageListToBitmap: a glyph bitmap of the list's image size, key colour where the image is
// transparent, the image's pixels (opaque) elsewhere.
#include <gtest/gtest.h>
#include <windows.h>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/imagelist.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/theme/vx_theme_imagelist.h"

namespace {

// A 4 x 2 list holding one red image whose left half the mask hides.
struct THalfMaskedList {
  TImageList List;
  explicit THalfMaskedList(bool Masked) {
    List.SetMasked(Masked);
    List.SetWidth(4);
    List.SetHeight(2);
    TBitmap Image, Mask;
    for (TBitmap* B : {&Image, &Mask}) B->SetSize(4, 2);
    Image.Canvas().Brush().SetColor(clRed);
    Image.Canvas().FillRect({0, 0, 4, 2});
    Mask.Canvas().Brush().SetColor(clBlack);
    Mask.Canvas().FillRect({0, 0, 4, 2});
    Mask.Canvas().Brush().SetColor(clWhite);
    Mask.Canvas().FillRect({0, 0, 2, 2});
    List.Add(&Image, &Mask);
  }
};

}  // namespace

TEST(ImageListToBitmap, KeyColourWhereTheMaskIsAndOpaqueImageElsewhere) {
  THalfMaskedList Source(true);
  const TvxBitmap* Glyph = ImageListToBitmap(&Source.List, 0, true);
  ASSERT_NE(Glyph, nullptr);
  ASSERT_EQ(Glyph->Width(), 4);
  ASSERT_EQ(Glyph->Height(), 2);
  EXPECT_TRUE(Glyph->Transparent());
  for (Integer Y = 0; Y < 2; ++Y) {
    EXPECT_EQ(Glyph->GetPixel(0, Y), 0x007F007Fu);
    EXPECT_EQ(Glyph->GetPixel(1, Y), 0x007F007Fu);
    EXPECT_EQ(Glyph->GetPixel(2, Y), 0xFFFF0000u);
    EXPECT_EQ(Glyph->GetPixel(3, Y), 0xFFFF0000u);
  }
  // Drawn as a glyph, the key pixels leave the target alone.
  TvxBitmap Target;
  Target.SetSize(4, 2);
  Target.Fill(0xFF0000FF);
  Glyph->DrawTo(Target, 0, 0);
  EXPECT_EQ(Target.GetPixel(1, 0), 0xFF0000FFu);
  EXPECT_EQ(Target.GetPixel(2, 0), 0xFFFF0000u);
}

TEST(ImageListToBitmap, TransparentOnlyForMaskedOrTransparentlyDrawingLists) {
  THalfMaskedList Plain(false);
  const TvxBitmap* Glyph = ImageListToBitmap(&Plain.List, 0, true);
  EXPECT_FALSE(Glyph->Transparent());
  EXPECT_EQ(Glyph->GetPixel(0, 0), 0xFFFF0000u) << "an unmasked image covers the whole glyph";
  Plain.List.SetDrawingStyle(TDrawingStyle::dsTransparent);
  EXPECT_TRUE(ImageListToBitmap(&Plain.List, 0, true)->Transparent());
}

TEST(ImageListToBitmap, DisabledIndexOutOfRangeAndNoList) {
  THalfMaskedList Source(true);
  const TvxBitmap* Disabled = ImageListToBitmap(&Source.List, 0, false);
  const COLORREF Shadow = GetSysColor(COLOR_BTNSHADOW);
  EXPECT_EQ(Disabled->GetPixel(2, 0),
            0xFF000000u | TvxColor(GetRValue(Shadow)) << 16 | TvxColor(GetGValue(Shadow)) << 8 | GetBValue(Shadow));
  EXPECT_EQ(Disabled->GetPixel(0, 0), 0x007F007Fu);

  const TvxBitmap* Missing = ImageListToBitmap(&Source.List, 5, true);
  for (Integer X = 0; X < 4; ++X) EXPECT_EQ(Missing->GetPixel(X, 1), 0x007F007Fu);
  EXPECT_EQ(ImageListToBitmap(nullptr, 0, true), nullptr);
}
