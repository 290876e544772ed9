// Modules from our own writer opened by the platform's loader as data files: string and numbered
// resources and bitmaps come back as written, and on the generated sample the platform and our
// portable reader find the same bytes for every resource.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>

#include "framework/core/byte_order.h"
#include "tools/msstylegen/msstylegen_pe.h"
#include "tools/msstylegen/msstylegen_sheet.h"
#include "tools/msstylegen/msstylegen_style.h"
#include "vexel/msstyles/msux_module.h"

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
