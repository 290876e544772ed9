// Modules from our own writer opened by the platform's loader as data files: string and numbered
// resources and bitmaps come back as written, and on the generated sample the platform and our
// portable reader find the same bytes for every resource. The sample, loaded as a theme, gives
// every object the strips its drawing cuts frames from.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <set>

#include "framework/core/byte_order.h"
#include "tools/msstylegen/msstylegen_pe.h"
#include "tools/msstylegen/msstylegen_sheet.h"
#include "tools/msstylegen/msstylegen_style.h"
#include "vexel/msstyles/msux_module.h"
#include "vexel/msstyles/theme_msux.h"

using namespace msstylegen;

namespace {

class TDataModule {
 public:
  explicit TDataModule(const std::string& File) : FHandle(LoadLibraryExA(File.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~TDataModule() {
    if (FHandle) FreeLibrary(FHandle);
  }
  TDataModule(const TDataModule&) = delete;
  TDataModule& operator=(const TDataModule&) = delete;
  HMODULE Handle() const { return FHandle; }

 private:
  HMODULE FHandle;
};

class TBitmapHandle {
 public:
  explicit TBitmapHandle(HANDLE Handle) : FHandle(static_cast<HBITMAP>(Handle)) {}
  ~TBitmapHandle() {
    if (FHandle) DeleteObject(FHandle);
  }
  TBitmapHandle(const TBitmapHandle&) = delete;
  TBitmapHandle& operator=(const TBitmapHandle&) = delete;
  HBITMAP Handle() const { return FHandle; }

 private:
  HBITMAP FHandle;
};

// The resource's bytes as the platform finds them; empty with Found false when it does not.
std::vector<uint8_t> PlatformBytes(HMODULE Module, LPCSTR Type, LPCSTR Name, bool& Found) {
  HRSRC Info = FindResourceA(Module, Name, Type);
  Found = Info != nullptr;
  if (!Info) return {};
  HGLOBAL Data = LoadResource(Module, Info);
  const auto* Bytes = static_cast<const uint8_t*>(LockResource(Data));
  return {Bytes, Bytes + SizeofResource(Module, Info)};
}

std::string TempFile(const char* Name) {
  char Folder[MAX_PATH];
  GetTempPathA(MAX_PATH, Folder);
  return std::string(Folder) + Name;
}

void WriteFile(const std::string& File, const std::vector<uint8_t>& Bytes) {
  std::ofstream(File, std::ios::binary).write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
}

TvxBitmap& Pattern(TvxBitmap& B, bool WithAlpha) {
  B.SetSize(5, 3);
  for (Integer Y = 0; Y < 3; ++Y)
    for (Integer X = 0; X < 5; ++X)
      B.SetPixel(X, Y, (WithAlpha ? TvxColor(40 * X + 30 * Y + 10) << 24 : 0xFF000000u) | TvxColor(X * 50) << 16 |
                           TvxColor(Y * 90) << 8 | 0x33);
  return B;
}

// The DIB's pixel rows (after its 40-byte header) against the rows of the platform's bitmap.
void ExpectSamePixels(HBITMAP Bitmap, const std::vector<uint8_t>& Dib) {
  DIBSECTION Section{};
  ASSERT_EQ(GetObjectA(Bitmap, sizeof(Section), &Section), int(sizeof(Section)));
  const int32_t Width = int32_t(U32(Dib.data() + 4)), Height = int32_t(U32(Dib.data() + 8));
  const uint16_t Bits = uint16_t(Dib[14] | Dib[15] << 8);
  ASSERT_EQ(Section.dsBm.bmWidth, Width);
  ASSERT_EQ(Section.dsBm.bmHeight, Height);
  ASSERT_EQ(Section.dsBm.bmBitsPixel, Bits);
  const size_t Stride = (size_t(Width) * Bits / 8 + 3) & ~size_t(3);
  ASSERT_EQ(size_t(Section.dsBm.bmWidthBytes), Stride);
  // Both are bottom-up: row for row the same bytes.
  const auto* Pixels = static_cast<const uint8_t*>(Section.dsBm.bmBits);
  const size_t RowBytes = size_t(Width) * Bits / 8;
  for (int32_t Row = 0; Row < Height; ++Row)
    EXPECT_EQ(std::vector<uint8_t>(Pixels + Row * Stride, Pixels + Row * Stride + RowBytes),
              std::vector<uint8_t>(Dib.begin() + 40 + Row * Stride, Dib.begin() + 40 + Row * Stride + RowBytes))
        << "row " << Row;
}

}  // namespace

TEST(MsuxModuleWin32, PlatformLoaderReadsOurModule) {
  TvxBitmap Opaque, Translucent;
  const std::vector<uint8_t> Dib24 = PackedDib24(Pattern(Opaque, false), 0xFF000000);
  const std::vector<uint8_t> Dib32 = PackedDib32(Pattern(Translucent, true));
  const std::vector<uint8_t> Text = TextFileResource("[Section]\r\nkey = value\r\n");
  const std::vector<uint8_t> Seven = {7, 0, 7, 0, 7};
  std::vector<TPeResource> R;
  R.push_back({TPeId::Named("TEXTFILE"), TPeId::Named("Normal_Ini"), Text});
  R.push_back({TPeId::Named("COLORNAMES"), TPeId::Id(1), StringListResource({"Normal"})});
  R.push_back({TPeId::Id(10), TPeId::Id(7), Seven});
  R.push_back({TPeId::Id(2), TPeId::Named("PELLAN_OPAQUE_BMP"), Dib24});
  R.push_back({TPeId::Id(2), TPeId::Named("Pellan_Alpha_Bmp"), Dib32});
  // More names on either side, so a look-up that does not search the sorted names misses.
  for (const char* Name : {"AAA", "ZZZ", "PELLAN_B", "M"}) R.push_back({TPeId::Id(2), TPeId::Named(Name), Dib24});
  const std::string File = TempFile("msux_module_platform.msstyles");
  WriteFile(File, BuildResourceModule(R));
  {
    TDataModule Module(File);
    ASSERT_NE(Module.Handle(), nullptr) << GetLastError();
    bool Found = false;
    EXPECT_EQ(PlatformBytes(Module.Handle(), "TEXTFILE", "NORMAL_INI", Found), Text);
    EXPECT_TRUE(Found);
    EXPECT_EQ(PlatformBytes(Module.Handle(), "textfile", "normal_ini", Found), Text);
    EXPECT_TRUE(Found);
    EXPECT_EQ(PlatformBytes(Module.Handle(), "COLORNAMES", MAKEINTRESOURCEA(1), Found), StringListResource({"Normal"}));
    EXPECT_TRUE(Found);
    EXPECT_EQ(PlatformBytes(Module.Handle(), MAKEINTRESOURCEA(10), MAKEINTRESOURCEA(7), Found), Seven);
    EXPECT_TRUE(Found);
    EXPECT_EQ(PlatformBytes(Module.Handle(), "#10", "#7", Found), Seven);
    EXPECT_TRUE(Found);
    PlatformBytes(Module.Handle(), "TEXTFILE", "OTHER_INI", Found);
    EXPECT_FALSE(Found);
    for (const char* Name : {"AAA", "ZZZ", "PELLAN_B", "M"}) {
      EXPECT_EQ(PlatformBytes(Module.Handle(), MAKEINTRESOURCEA(2), Name, Found), Dib24) << Name;
      EXPECT_TRUE(Found) << Name;
    }
    const std::pair<const char*, const std::vector<uint8_t>*> Bitmaps[] = {{"PELLAN_OPAQUE_BMP", &Dib24},
                                                                           {"pellan_alpha_bmp", &Dib32}};
    for (const auto& [Name, Dib] : Bitmaps) {
      SCOPED_TRACE(Name);
      TBitmapHandle Bitmap(LoadImageA(Module.Handle(), Name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
      ASSERT_NE(Bitmap.Handle(), nullptr) << GetLastError();
      ExpectSamePixels(Bitmap.Handle(), *Dib);
    }
  }
  std::remove(File.c_str());
}

TEST(MsuxModuleWin32, PlatformAndOurReaderAgreeOnTheSample) {
  const std::string File = std::string(VX_SAMPLE_STYLE_DIR) + "/PellanSample.msstyles";
  const TmsuxModule Ours(File);
  TDataModule Platform(File);
  ASSERT_NE(Platform.Handle(), nullptr) << GetLastError();
  bool Found = false;
  for (const char* List : {"COLORNAMES", "SIZENAMES", "FILERESNAMES"}) {
    const auto Data = Ours.Find(TmsuxResId::Named(List), TmsuxResId::Id(1));
    ASSERT_TRUE(Data) << List;
    EXPECT_EQ(PlatformBytes(Platform.Handle(), List, MAKEINTRESOURCEA(1), Found),
              std::vector<uint8_t>(Data->begin(), Data->end()))
        << List;
  }
  for (const std::string& Name : Ours.Names(TmsuxResId::Named("TEXTFILE"))) {
    const auto Data = Ours.Find(TmsuxResId::Named("TEXTFILE"), TmsuxResId::Named(Name));
    EXPECT_EQ(PlatformBytes(Platform.Handle(), "TEXTFILE", Name.c_str(), Found),
              std::vector<uint8_t>(Data->begin(), Data->end()));
  }
  const std::vector<std::string> Images = Ours.Names(TmsuxResId::Id(msuxRtBitmap));
  ASSERT_FALSE(Images.empty());
  for (const std::string& Name : Images) {
    SCOPED_TRACE(Name);
    const auto Data = Ours.Find(TmsuxResId::Id(msuxRtBitmap), TmsuxResId::Named(Name));
    const std::vector<uint8_t> Dib(Data->begin(), Data->end());
    EXPECT_EQ(PlatformBytes(Platform.Handle(), MAKEINTRESOURCEA(2), Name.c_str(), Found), Dib);
    TBitmapHandle Bitmap(LoadImageA(Platform.Handle(), Name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(Bitmap.Handle(), nullptr);
    ExpectSamePixels(Bitmap.Handle(), Dib);
  }
}

namespace {

Integer FrameWidth(const TmsuxThemeObject& O, const TvxBitmap& B) {
  return O.ImageLayout == milHorizontal ? B.Width() / O.ImageCount : B.Width();
}
Integer FrameHeight(const TmsuxThemeObject& O, const TvxBitmap& B) {
  return O.ImageLayout == milHorizontal ? B.Height() : B.Height() / O.ImageCount;
}

// A strip the drawing can cut ImageCount whole frames from.
void ExpectStrip(const TmsuxThemeObject& O, const TvxBitmapLink* Link, const char* What) {
  ASSERT_TRUE(Link && Link->Valid()) << What;
  const TvxBitmap& B = *Link->Bitmap();
  ASSERT_FALSE(B.Empty()) << What;
  const Integer Along = O.ImageLayout == milHorizontal ? B.Width() : B.Height();
  EXPECT_EQ(Along % O.ImageCount, 0) << What << ": " << Along << " pixels in " << O.ImageCount << " frames";
}

}  // namespace

TEST(MsuxModuleWin32, SampleLoadsAsAThemeWithWellFormedStrips) {
  TVxThemeMsStyles Theme;
  ASSERT_TRUE(Theme.LoadFromFile(std::string(VX_SAMPLE_STYLE_DIR) + "/PellanSample.msstyles"));
  EXPECT_EQ(Theme.StyleName(), "PellanSample");
  EXPECT_FALSE(Theme.IsEmpty());
  EXPECT_EQ(Theme.CaptionBarHeight(), 26);
  EXPECT_EQ(Theme.SMCaptionBarHeight(), 20);
  EXPECT_EQ(Theme.BorderWidth(), 4);
  EXPECT_EQ(Theme.SMBorderWidth(), 3);

  // The frame counts the drawing operations select from.
  const std::pair<TmsuxObjectSlot, Integer> Frames[] = {
      {moButtonPushbutton, 5},        {moWindowCaption, 2},          {moWindowFrameLeft, 2},
      {moWindowFrameRight, 2},        {moWindowFrameBottom, 2},      {moWindowSmallCaption, 2},
      {moWindowSmallFrameLeft, 2},    {moWindowSmallFrameRight, 2},  {moWindowSmallFrameBottom, 2},
      {moWindowCloseButton, 4},       {moWindowHelpButton, 4},       {moWindowMaxButton, 4},
      {moWindowMinButton, 4},         {moWindowRestoreButton, 4},    {moWindowSmallCloseButton, 4},
      {moWindowMDIMinButton, 3},      {moWindowMDICloseButton, 3},   {moWindowMDIRestoreButton, 3},
      {moSpinUp, 5},                  {moSpinDown, 5},               {moSpinUphorz, 5},
      {moSpinDownhorz, 5},            {moButtonCheckbox, 12},        {moButtonRadiobutton, 8},
      {moScrollBarArrowBtn, 16},      {moScrollBarThumbBtnHorz, 4},  {moScrollBarThumbBtnVert, 4},
      {moScrollBarUpperTrackHorz, 4}, {moScrollBarUpperTrackVert, 4}, {moScrollBarGripperHorz, 4},
      {moScrollBarGripperVert, 4},    {moTrackBarThumb, 5},          {moTrackBarThumbTop, 5},
      {moTrackBarThumbBottom, 5},     {moTrackBarThumbLeft, 5},      {moTrackBarThumbRight, 5},
      {moTrackBarThumbVert, 5},       {moHeaderHeaderitem, 3},       {moComboboxDropDownButton, 4},
      {moToolbarButton, 6},           {moToolbarDropdownbutton, 6},  {moToolbarSplitbutton, 6},
      {moToolbarSplitbuttondropdown, 6}, {moTabToptabitem, 4},       {moExplorerbarNormalGroupCollapse, 3},
      {moExplorerbarNormalGroupExpand, 3}, {moExplorerbarHeaderclose, 3},
  };
  for (const auto& [Slot, Count] : Frames) {
    const TmsuxThemeObject* O = Theme.Object(Slot);
    ASSERT_NE(O, nullptr) << MsuxObjectSections[Slot];
    EXPECT_EQ(O->ImageCount, Count) << MsuxObjectSections[Slot];
  }

  int Layouts[2] = {0, 0};
  std::set<Byte> SizingTypes, BgTypes;
  for (int Slot = 0; Slot < moSlotCount; ++Slot) {
    SCOPED_TRACE(MsuxObjectSections[Slot]);
    const TmsuxThemeObject* O = Theme.Object(TmsuxObjectSlot(Slot));
    ASSERT_TRUE(TmsuxThemeObject::HasProperties(O));
    BgTypes.insert(O->BgType);
    if (!O->FindProperty("imagefile")) continue;
    SizingTypes.insert(O->SizingType);
    ++Layouts[O->ImageLayout];
    ExpectStrip(*O, O->ImageFile.get(), "image");
    // Frames at least as large as the sizing margins, or the background is not drawn at all.
    const TvxBitmap& B = *O->ImageFile->Bitmap();
    EXPECT_LE(O->SizingMargins.Left + O->SizingMargins.Right, FrameWidth(*O, B));
    EXPECT_LE(O->SizingMargins.Top + O->SizingMargins.Bottom, FrameHeight(*O, B));
    if (O->GlyphType == mgtImageGlyph && O->FindProperty("glyphimagefile"))
      ExpectStrip(*O, O->GlyphImageFile.get(), "glyph");
    if (O->ImageSelectType == misSize)
      for (const auto* Link : {O->ImageFile1.get(), O->ImageFile2.get(), O->ImageFile3.get()})
        ExpectStrip(*O, Link, "sized glyph");
  }
  EXPECT_GT(Layouts[milHorizontal], 0);
  EXPECT_GT(Layouts[milVertical], 0);
  for (Byte Type : {mstTile, mstStretch, mstTileVertical, mstTileHorizontal, mstTrueSize, mstBorderTileClientStretch,
                    mstBorderStretchClientTile})
    EXPECT_TRUE(SizingTypes.count(Type)) << "no sizing type " << int(Type);
  for (Byte Type : {mbgBorderFill, mbgImageFile, mbgNone}) EXPECT_TRUE(BgTypes.count(Type)) << int(Type);

  // The caption is drawn 1:1 over the caption band (caption bar and top border).
  const TmsuxThemeObject& Caption = *Theme.Object(moWindowCaption);
  EXPECT_EQ(FrameHeight(Caption, *Caption.ImageFile->Bitmap()), Theme.CaptionBarHeight() + Theme.BorderWidth());
  EXPECT_EQ(Theme.Object(moWindowCaptionActive)->TextShadowType, mtsSingle);

  // A title button picks its second glyph by size: narrower than the button less its content
  // margins, where the third is not.
  const TmsuxThemeObject& Max = *Theme.Object(moWindowMaxButton);
  const Integer Room = Theme.CaptionBarHeight() - Theme.BorderWidth() - Max.ContentMargins.Left - Max.ContentMargins.Right;
  EXPECT_LT(Max.ImageFile2->Bitmap()->Width(), Room);
  EXPECT_GE(Max.ImageFile3->Bitmap()->Width(), Room);

  // Both kinds of image: blended 32-bit ones and keyed 24-bit ones; and some are shared.
  int Blended = 0, Keyed = 0;
  for (Integer I = 0; I < Theme.StyleImages().Count(); ++I) {
    Blended += Theme.StyleImages().Items(I)->AlphaBlend();
    Keyed += Theme.StyleImages().Items(I)->Transparent() && !Theme.StyleImages().Items(I)->AlphaBlend();
  }
  EXPECT_GT(Blended, 0);
  EXPECT_GT(Keyed, 0);
  EXPECT_EQ(Theme.Object(moButtonCheckbox)->ImageFile->Bitmap(),
            Theme.Object(moButtonCheckboxCheckeddisabled)->ImageFile->Bitmap());
}

// Damaged or unusual variants of the sample, written in-process and loaded as a theme.
TEST(MsuxModuleWin32, DamagedSampleVariantsThroughTheTheme) {
  enum TOutcome { Loads, ReturnsFalse, ResourceError, ModuleError, ConvertError };
  struct Case {
    const char* Name;
    std::function<void(TStyleContent&)> Edit;
    std::function<void(std::vector<TPeResource>&)> EditResources;
    std::function<void(std::vector<uint8_t>&)> EditBytes;
    TOutcome Outcome;
  } Cases[] = {
      {"empty colour names", [](auto& C) { C.ColorNames.clear(); }, nullptr, nullptr, ReturnsFalse},
      {"empty file names", [](auto& C) { C.FileResNames.clear(); }, nullptr, nullptr, ReturnsFalse},
      {"file name without its text", [](auto& C) { C.TextFileName = "OTHER_INI"; }, nullptr, nullptr, ResourceError},
      {"no size names resource", nullptr,
       [](auto& R) {
         std::erase_if(R, [](const TPeResource& E) { return E.Type.Text == "SIZENAMES"; });
       },
       nullptr, ResourceError},
      {"truncated file", nullptr, nullptr, [](auto& B) { B.resize(B.size() / 2); }, ModuleError},
      {"text's declared size past the file", nullptr, nullptr,
       [](auto& B) {
         const size_t Entry = *DataEntryOffset(B, TPeId::Named("TEXTFILE"), TPeId::Named("NORMAL_INI"));
         for (int I = 0; I < 4; ++I) B[Entry + 4 + I] = uint8_t(0x00100000u >> (8 * I));
       },
       ModuleError},
      {"enormous declared image",
       [](auto& C) { C.Image("PELLAN_BUTTON_BMP")->Dib = DeclaredDib(100000, 100000, 32, 64); }, nullptr, nullptr, Loads},
      {"image count 0", [](auto& C) { C.SetKey("Button.Pushbutton", "ImageCount", "0"); }, nullptr, nullptr, Loads},
      {"margins with a letter", [](auto& C) { C.SetKey("Button.Pushbutton", "SizingMargins", "4, x, 4, 4"); }, nullptr,
       nullptr, Loads},
      {"metric not a number", [](auto& C) { C.SetKey("SysMetrics", "CaptionBarHeight", "abc"); }, nullptr, nullptr,
       ConvertError},
      {"border size not a number", [](auto& C) { C.SetKey("edit", "BorderSize", "one"); }, nullptr, nullptr,
       ConvertError},
  };
  const std::string File = TempFile("msux_module_variant.msstyles");
  const TStyleContent Sample = BuildSampleStyle();
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TStyleContent Content = Sample;
    if (C.Edit) C.Edit(Content);
    std::vector<TPeResource> Resources = StyleResources(Content);
    if (C.EditResources) C.EditResources(Resources);
    std::vector<uint8_t> Bytes = BuildResourceModule(Resources);
    if (C.EditBytes) C.EditBytes(Bytes);
    WriteFile(File, Bytes);
    TVxThemeMsStyles Theme;
    TOutcome Got = Loads;
    try {
      if (!Theme.LoadFromFile(File)) Got = ReturnsFalse;
    } catch (const EResNotFound&) {
      Got = ResourceError;
    } catch (const EmsuxModuleError&) {
      Got = ModuleError;
    } catch (const EConvertError&) {
      Got = ConvertError;
    }
    ASSERT_EQ(Got, C.Outcome);
    if (Got != Loads) {
      EXPECT_TRUE(Theme.IsEmpty());
      continue;
    }
    const TmsuxThemeObject& Button = *Theme.Object(moButtonPushbutton);
    if (std::string(C.Name) == "enormous declared image") {
      // The image stays empty under its name; the rest of the style is whole.
      ASSERT_NE(Button.ImageFile->Bitmap(), nullptr);
      EXPECT_TRUE(Button.ImageFile->Bitmap()->Empty());
      EXPECT_FALSE(Theme.Object(moButtonCheckbox)->ImageFile->Bitmap()->Empty());
    } else if (std::string(C.Name) == "image count 0") {
      EXPECT_EQ(Button.ImageCount, 0);
    } else {
      EXPECT_EQ(Button.SizingMargins, TRect{});
    }
  }
  std::remove(File.c_str());
}

// The benchmark's variant: at least 100 images loaded, and the extra images change no object.
TEST(MsuxModuleWin32, HundredImageVariantDrawsLikeTheSample) {
  TVxThemeMsStyles Sample, Many;
  ASSERT_TRUE(Sample.LoadFromFile(std::string(VX_SAMPLE_STYLE_DIR) + "/PellanSample.msstyles"));
  ASSERT_TRUE(Many.LoadFromFile(std::string(VX_SAMPLE_STYLE_DIR) + "/PellanSample100.msstyles"));
  EXPECT_GE(Many.StyleImages().Count(), 100);
  EXPECT_LT(Sample.StyleImages().Count(), 100);
  for (int Slot = 0; Slot < moSlotCount; ++Slot) {
    SCOPED_TRACE(MsuxObjectSections[Slot]);
    const TmsuxThemeObject& A = *Sample.Object(TmsuxObjectSlot(Slot));
    const TmsuxThemeObject& B = *Many.Object(TmsuxObjectSlot(Slot));
    EXPECT_EQ(A.BgType, B.BgType);
    EXPECT_EQ(A.DrawMode, B.DrawMode);
    EXPECT_EQ(A.Transparent, B.Transparent);
    EXPECT_EQ(A.GlyphType, B.GlyphType);
    EXPECT_EQ(A.ImageSelectType, B.ImageSelectType);
  }
}
