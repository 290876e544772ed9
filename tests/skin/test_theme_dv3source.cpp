#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <zlib.h>

#include "framework/core/component_stream.h"
#include "framework/core/zstream.h"
#include "vexel/graphics/vx_utils.h"
#include "vexel/skin/theme_dv3filters.h"
#include "vexel/skin/theme_dv3source.h"

namespace {

TDvSkinObject* AddTop(TDvSkinSource& Source, std::unique_ptr<TDvSkinObject> Object, const std::string& Name) {
  Object->SetName(Name);
  TDvSkinObject* Raw = Object.get();
  Source.AddObject(std::move(Object));
  return Raw;
}

// A small skin: two images (one with a key pixel, one translucent), a form with a title and a
// linked bitmap child, a button, and table entries that differ from the defaults.
void Populate(TDvSkinSource& S) {
  S.SetSkinName("Sample");
  auto Frame = std::make_unique<TvxBitmap>();
  Frame->SetSize(4, 2);
  Frame->Fill(0xFF102030);
  Frame->SetPixel(1, 1, MakePixel(250, 5, 255, 255));
  Frame->SetName("frame");
  S.Images().Add(std::move(Frame));
  auto Glow = std::make_unique<TvxBitmap>();
  Glow->SetSize(2, 2);
  Glow->Fill(0x80FFFFFF);
  Glow->SetName("glow");
  Glow->CheckAlpha();
  S.Images().Add(std::move(Glow));
  TDvSkinObject* Form = AddTop(S, std::make_unique<TDvSkinObject>(), "Form");
  Form->SetKind(TDvKind::skForm);
  auto* Title = new TDvTextObject(Form);
  Title->SetName("Title");
  Title->SetKind(TDvKind::skTitle);
  Title->SetColor(0x00AA5500);
  Title->FontFocused()->SetStyle({TFontStyle::fsItalic});
  Title->FontFocused()->SetColor(clRed);
  auto* Border = new TDvBitmapSkinObject(Form);
  Border->SetName("Border");
  Border->Bitmap()->SetName("frame");
  Border->Bitmap()->SetRect(Rect(0, 0, 4, 2));
  AddTop(S, std::make_unique<TDvButtonObject>(), "button")->SetColor(0x00123456);
  Form->SetImageList(&S.Images());
  Form->UpdateLinks();
  S.Colors().SetColor(21, 0x00ABCDEF);
  S.SysColors().SetEntry(3, 0x00010203);
  S.Fonts().Font(5).SetStyle({TFontStyle::fsBold, TFontStyle::fsUnderline});
}

std::vector<uint8_t> Saved(const TDvSkinSource& S, TDvSkinFilterClass Variant) {
  const TDvSkinFilterClass Previous = DefaultSkinFilter();
  SetDefaultSkinFilter(Variant);
  TMemoryStream Out;
  S.SaveToStream(Out);
  SetDefaultSkinFilter(Previous);
  return Out.Data();
}

std::vector<uint8_t> ObjectBytes(const TDvSkinObject& O) {
  TMemoryStream S;
  WriteComponent(S, O);
  return S.Data();
}

const TDvSkinFilterClass Variants[] = {&MakeSkinFilter<TDvSkinFilterUncompressed>, &MakeSkinFilter<TDvSkinFilterCompressed>,
                                       &MakeSkinFilter<TDvSkinFilterUltraCompressed>,
                                       &MakeSkinFilter<TDvSkinFilterMaxCompression>};

}  // namespace

TEST(SkinSource, SearchesStayAtTheTopLevelAndPreferTheFormName) {
  TDvSkinSource S;
  AddTop(S, std::make_unique<TDvSkinObject>(), "first")->SetKind(TDvKind::skForm);
  TDvSkinObject* Named = AddTop(S, std::make_unique<TDvSkinObject>(), "form");
  new TDvSkinObject(Named);
  Named->Child(0)->SetName("inner");
  EXPECT_EQ(S.FindObject("FORM"), Named);
  EXPECT_EQ(S.FindObject("inner"), nullptr);
  EXPECT_EQ(S.GetFormObject(), Named);
  EXPECT_EQ(S.Objects(-1), nullptr);
  EXPECT_EQ(S.Objects(2), nullptr);
  std::unique_ptr<TDvSkinObject> Removed = S.RemoveObject(Named);
  EXPECT_EQ(Removed.get(), Named);
  EXPECT_EQ(S.GetFormObject(), S.Objects(0)) << "by kind when no object is named Form";
}

TEST(SkinSource, UpdateThemeTablesWithoutNamedObjectsTouchesOnlyTheFixedEntries) {
  TDvSkinSource S;
  for (Integer I = 0; I < vxThemeColorCount; ++I) S.Colors().SetColor(I, 0x010101 * I);
  S.Fonts().Font(27).SetSize(20);
  S.Fonts().Font(0).SetSize(30);
  S.UpdateThemeTables();
  for (Integer I = 0; I < vxThemeColorCount; ++I) {
    const TColor Expected = I == 4 ? clBlack : I == 17 ? clInfoBk : 0x010101 * I;
    EXPECT_EQ(S.Colors().Color(I), Expected) << I;
  }
  EXPECT_EQ(S.Fonts().Font(27).Size(), 8);
  EXPECT_EQ(S.Fonts().Font(0).Size(), 30);
}

TEST(SkinSource, UpdateThemeTablesTakesColoursAndStateFontsFromNamedObjects) {
  TDvSkinSource S;
  Populate(S);
  S.UpdateThemeTables();
  EXPECT_EQ(S.Colors().Color(0), 0x00AA5500) << "caption colours from the title";
  EXPECT_EQ(S.Colors().Color(7), 0x00123456) << "button colours";
  EXPECT_EQ(S.Colors().Color(11), 0x00123456);
  EXPECT_TRUE(S.Fonts().Font(0).Style().Contains(TFontStyle::fsItalic)) << "the title's focused font";
  EXPECT_EQ(S.Fonts().Font(0).Color(), clRed);
  EXPECT_FALSE(S.Fonts().Font(1).Style().Contains(TFontStyle::fsItalic)) << "the title's normal font";
}

TEST(SkinSource, ReplaceImageNeedsObjectsAndRebindsLinks) {
  TDvSkinSource Empty;
  auto Old = std::make_unique<TvxBitmap>();
  TvxBitmap* OldRaw = Old.get();
  Empty.Images().Add(std::move(Old));
  Empty.ReplaceImage(OldRaw, std::make_unique<TvxBitmap>());
  EXPECT_EQ(Empty.Images().Items(0), OldRaw) << "no objects: nothing at all happens";

  TDvSkinSource S;
  Populate(S);
  auto* Border = static_cast<TDvBitmapSkinObject*>(S.FindObject("Form")->FindByName("Border"));
  auto New = std::make_unique<TvxBitmap>();
  New->SetSize(8, 8);
  TvxBitmap* NewRaw = New.get();
  S.ReplaceImage(S.Images().Items(0), std::move(New));
  EXPECT_EQ(S.Images().Items(0), NewRaw);
  EXPECT_EQ(NewRaw->Name(), "frame");
  EXPECT_EQ(Border->Bitmap()->Bitmap(), NewRaw);
}

TEST(SkinSource, AssignCopiesImagesObjectsAndTablesAndBindsToItsOwnImages) {
  TDvSkinSource S;
  Populate(S);
  TDvSkinSource Copy;
  Copy.Assign(&S);
  EXPECT_EQ(Copy.SkinName(), "Sample");
  ASSERT_EQ(Copy.ObjectCount(), 2);
  EXPECT_EQ(ObjectBytes(*Copy.Objects(0)), ObjectBytes(*S.Objects(0)));
  auto* Border = static_cast<TDvBitmapSkinObject*>(Copy.FindObject("Form")->FindByName("Border"));
  EXPECT_EQ(Border->Bitmap()->Bitmap(), Copy.Images().Items(0)) << "links point into the copy's images";
  EXPECT_EQ(Copy.Colors().Color(21), 0x00ABCDEF);
  EXPECT_EQ(Copy.SysColors().Entry(3), 0x00010203);
}

TEST(SkinFilters, RegistryByExtensionTagAndDialogString) {
  EXPECT_EQ(FindFilterByExtension("C:\\skins\\A.USKN"), Variants[0]);
  EXPECT_EQ(FindFilterByExtension("dir.mskn/file"), nullptr);
  EXPECT_EQ(FindFilterByExtension("x.tmp"), nullptr);
  EXPECT_EQ(FindFilterByExtension("x.xskn"), Variants[2]);
  TMemoryStream Short(std::vector<uint8_t>{'_', 'M', 'C'});
  EXPECT_EQ(FindFilterByTag(Short), nullptr);
  EXPECT_EQ(Short.Position(), 0);
  TMemoryStream Tagged(std::vector<uint8_t>{'_', 'M', 'C', 'T', 0, 9});
  Tagged.SetPosition(0);
  EXPECT_EQ(FindFilterByTag(Tagged), Variants[3]);
  EXPECT_EQ(Tagged.Position(), 0);
  EXPECT_EQ(GetSkinFilterString(),
            "Uncompressed Skin (*.uskn)|*.uskn|Compressed Skin (*.kskn)|*.kskn|Ultra Compressed Skin (*.xskn)|*.xskn|"
            "Maximum Compressed (*.mskn)|*.mskn");
}

TEST(SkinFilters, ContainersStartWithTheTagAndZlibAtTheVariantsLevel) {
  TDvSkinSource S;
  const struct {
    TDvSkinFilterClass Variant;
    std::string Tag;
    std::vector<uint8_t> ZlibHeader;  // empty: not compressed
  } Cases[] = {{Variants[0], std::string("_UCT\0", 5), {}},
               {Variants[1], std::string("_DCT\0", 5), {0x78, 0x01}},
               {Variants[2], std::string("_TCT\0", 5), {0x78, 0x9C}},
               {Variants[3], std::string("_MCT\0", 5), {0x78, 0x9C}}};
  for (const auto& C : Cases) {
    const auto Bytes = Saved(S, C.Variant);
    ASSERT_GE(Bytes.size(), 11u);
    EXPECT_EQ(std::string(Bytes.begin(), Bytes.begin() + 5), C.Tag);
    if (C.ZlibHeader.empty()) {
      TMemoryStream Content(std::vector<uint8_t>(Bytes.begin() + 5, Bytes.end()));
      EXPECT_EQ(ReadStreamString(Content), "Vexel Theme");
      for (int I = 0; I < 4; ++I) ReadStreamString(Content);
      EXPECT_EQ(Content.ReadInt32(), 0) << "no images";
      EXPECT_EQ(Content.ReadInt32(), 0xFF0000) << "no objects";
      EXPECT_EQ(Content.ReadByte(), 21) << "the colour table follows";
    } else {
      EXPECT_EQ(std::string(Bytes.begin() + 5, Bytes.begin() + 9), "ZQLZ");
      EXPECT_EQ(std::vector<uint8_t>(Bytes.begin() + 9, Bytes.begin() + 11), C.ZlibHeader);
    }
  }
  // The binary variant marks its image count.
  TMemoryStream Packed(std::vector<uint8_t>(Saved(S, Variants[3])));
  Packed.SetPosition(9);
  TDecompressionStream Content(Packed);
  for (int I = 0; I < 5; ++I) ReadStreamString(Content);
  EXPECT_EQ(Content.ReadInt32(), 0xFFF000);
}

TEST(SkinFilters, EveryVariantRoundTripsTheWholeSkin) {
  TDvSkinSource S;
  Populate(S);
  for (TDvSkinFilterClass Variant : Variants) {
    const auto Name = Variant()->GetExtension();
    TDvSkinSource Back;
    TMemoryStream In(Saved(S, Variant));
    Back.LoadFromStream(In);
    EXPECT_EQ(Back.SkinName(), "Sample") << Name;
    ASSERT_EQ(Back.ObjectCount(), 2) << Name;
    EXPECT_EQ(ObjectBytes(*Back.Objects(0)), ObjectBytes(*S.Objects(0))) << Name;
    ASSERT_EQ(Back.Images().Count(), 2) << Name;
    EXPECT_EQ(Back.Images().Items(1)->GetPixel(0, 0), 0x80FFFFFFu) << Name;
    EXPECT_TRUE(Back.Images().Items(1)->AlphaBlend()) << Name;
    // (250, 5, 255) is near magenta: keyed when read without flags, kept in "mskn".
    const TvxColor Near = Back.Images().Items(0)->GetPixel(1, 1);
    EXPECT_EQ(Near, Name == "mskn" ? MakePixel(250, 5, 255, 255) : vxKeyColor) << Name;
    auto* Border = static_cast<TDvBitmapSkinObject*>(Back.FindObject("Form")->FindByName("Border"));
    EXPECT_EQ(Border->Bitmap()->Bitmap(), Back.Images().Items(0)) << Name;
    EXPECT_EQ(Back.Colors().Color(21), 0x00ABCDEF) << Name;
    EXPECT_EQ(Back.SysColors().Entry(3), 0x00010203) << Name;
    EXPECT_EQ(Back.Fonts().Font(5).Style(), (TFontStyles{TFontStyle::fsBold, TFontStyle::fsUnderline})) << Name;
  }
}

TEST(SkinFilters, LargeCompressedContentReadsBackWhole) {
  // Three 4 MiB images: the load passes far beyond the first megabytes of the content.
  TDvSkinSource S;
  for (int I = 0; I < 3; ++I) {
    auto Image = std::make_unique<TvxBitmap>();
    Image->SetSize(1024, 1024);
    for (Integer Y = 0; Y < 1024; ++Y)
      for (Integer X = 0; X < 1024; ++X)  // green stays far from magenta and the key
        Image->SetPixel(X, Y, MakePixel(uint8_t(X * 3 + Y + I), uint8_t(0x40 + (Y & 0x7F)), uint8_t(X ^ Y), 255));
    Image->SetName("big" + std::to_string(I));
    S.Images().Add(std::move(Image));
  }
  for (TDvSkinFilterClass Variant : {Variants[1], Variants[3]}) {
    TMemoryStream In(Saved(S, Variant));
    TDvSkinSource Back;
    Back.LoadFromStream(In);
    ASSERT_EQ(Back.Images().Count(), 3) << Variant()->GetExtension();
    for (Integer I = 0; I < 3; ++I) {
      const TvxBitmap &A = *Back.Images().Items(I), &B = *S.Images().Items(I);
      ASSERT_EQ(A.BoundsRect(), B.BoundsRect());
      EXPECT_TRUE(std::equal(A.Bits(), A.Bits() + 1024 * 1024, B.Bits()))
          << Variant()->GetExtension() << " image " << I;
    }
  }
}

TEST(SkinFilters, ATaglessCompressedStreamLoadsThroughTheDefaultFilter) {
  TDvSkinSource S;
  Populate(S);
  auto Bytes = Saved(S, Variants[1]);
  Bytes.erase(Bytes.begin(), Bytes.begin() + 5);
  TMemoryStream In(Bytes);
  TDvSkinSource Back;
  Back.LoadFromStream(In);
  EXPECT_EQ(Back.ObjectCount(), 2);
}

TEST(SkinFilters, TruncatedFilesRaiseAtEveryLength) {
  TDvSkinSource S;
  Populate(S);
  for (TDvSkinFilterClass Variant : {Variants[0], Variants[3]}) {
    const auto Bytes = Saved(S, Variant);
    for (size_t Length = 0; Length + 1 < Bytes.size(); Length += 1 + Length / 16) {
      TMemoryStream In(std::vector<uint8_t>(Bytes.begin(), Bytes.begin() + Length));
      TDvSkinSource Back;
      EXPECT_THROW(Back.LoadFromStream(In), Exception) << Variant()->GetExtension() << " cut at " << Length;
    }
  }
}

// What a load ends with ("" when it succeeds).
template <typename TLoad>
std::string LoadError(TLoad Load) {
  try {
    Load();
  } catch (const Exception& E) {
    return E.Message();
  }
  return "";
}

TEST(SkinFilters, DamagedCompressedFilesRaiseWhatTheStreamingReaderRaised) {
  TDvSkinSource S;
  Populate(S);
  for (TDvSkinFilterClass Variant : {Variants[1], Variants[3]}) {
    const auto Good = Saved(S, Variant);
    std::vector<std::vector<uint8_t>> Damaged;
    for (size_t Length = 9; Length < Good.size(); Length += 1 + Length / 8)
      Damaged.emplace_back(Good.begin(), Good.begin() + Length);
    for (size_t At : {size_t(9), size_t(10), size_t(11), Good.size() / 2, Good.size() - 5, Good.size() - 1}) {
      Damaged.push_back(Good);
      Damaged.back()[At] ^= 0x55;
    }
    Damaged.push_back({'_', 'D', 'C', 'T', 0, 'Z', 'Q', 'L', 'Z', 'h', 'e', 'l', 'l', 'o'});
    for (const auto& Bytes : Damaged) {
      // The reader every compressed file went through before: zlib inflating as the content is read.
      const std::string Before = LoadError([&] {
        TDvSkinSource Old;
        const auto Filter = Variant();
        Filter->SetSource(&Old);
        TMemoryStream In(Bytes);
        In.SetPosition(9);
        TDecompressionStream Inflated(In);
        Filter->ReadContent(Inflated);
      });
      const std::string Now = LoadError([&] {
        TDvSkinSource New;
        TMemoryStream In(Bytes);
        New.LoadFromStream(In);
      });
      EXPECT_EQ(Now, Before) << Variant()->GetExtension() << ", " << Bytes.size() << " bytes";
    }
  }
}

// A zlib stream of Mebibytes MiB of zeros, built from one fully flushed block of 1 MiB repeated
// (each such block stands alone), so a large claim costs no large deflate.
std::vector<uint8_t> ZerosStream(int64_t Mebibytes) {
  const std::vector<uint8_t> Zeros(1 << 20);
  z_stream Z{};
  deflateInit(&Z, 9);
  std::vector<uint8_t> Out, Block(1 << 16);
  for (int Pass = 0; Pass < 2; ++Pass) {
    Z.next_in = const_cast<Bytef*>(Zeros.data());
    Z.avail_in = uInt(Zeros.size());
    Z.next_out = Block.data();
    Z.avail_out = uInt(Block.size());
    deflate(&Z, Z_FULL_FLUSH);
    const std::vector<uint8_t> Bytes(Block.data(), Block.data() + Block.size() - Z.avail_out);
    for (int64_t I = 0; I < (Pass == 0 ? 1 : Mebibytes - 1); ++I) Out.insert(Out.end(), Bytes.begin(), Bytes.end());
  }
  deflateEnd(&Z);
  uLong Check = adler32(0, nullptr, 0);
  const uLong OneMiB = adler32(adler32(0, nullptr, 0), Zeros.data(), uInt(Zeros.size()));
  for (int64_t I = 0; I < Mebibytes; ++I) Check = adler32_combine(Check, OneMiB, z_off_t(Zeros.size()));
  // A final empty fixed block, then the check value.
  Out.insert(Out.end(), {0x03, 0x00, uint8_t(Check >> 24), uint8_t(Check >> 16), uint8_t(Check >> 8), uint8_t(Check)});
  return Out;
}

TEST(SkinFilters, ACompressedFileCannotClaimMoreThanTheContentLimit) {
  const std::vector<uint8_t> Small = ZerosStream(3);
  std::vector<uint8_t> Plain(3 << 20, 1);
  uLongf Length = uLongf(Plain.size());
  ASSERT_EQ(uncompress(Plain.data(), &Length, Small.data(), uLong(Small.size())), Z_OK);
  ASSERT_EQ(Length, Plain.size());
  ASSERT_EQ(Plain, std::vector<uint8_t>(3 << 20)) << "the stream builder makes zeros";

  const std::vector<uint8_t> Packed = ZerosStream(MaxSkinContentSize / (1 << 20) + 1);
  ASSERT_LT(Packed.size(), 1u << 20);
  TMemoryStream Bomb;
  Bomb.WriteBuffer("_DCT\0ZQLZ", 9);
  Bomb.WriteBuffer(Packed.data(), int64_t(Packed.size()));
  Bomb.SetPosition(0);
  TDvSkinSource S;
  EXPECT_EQ(LoadError([&] { S.LoadFromStream(Bomb); }),
            "Compressed data inflates to more than " + std::to_string(MaxSkinContentSize) + " bytes");
}

TEST(SkinFilters, UnknownClassesAndAbsurdCountsAreRefusedCleanly) {
  TMemoryStream Content;
  Content.WriteBuffer("_UCT\0", 5);
  for (int I = 0; I < 5; ++I) WriteStreamString(Content, "");
  Content.WriteInt32(0);
  Content.WriteInt32(1 | 0xFF0000);
  WriteStreamString(Content, "TDvFutureObject");
  WriteStreamString(Content, "object X: TDvFutureObject\r\nend\r\n");
  Content.SetPosition(0);
  TDvSkinSource S;
  try {
    S.LoadFromStream(Content);
    FAIL() << "no exception";
  } catch (const EReadError& E) {
    EXPECT_EQ(E.Message(), "Unknown skin object class \"TDvFutureObject\"");
  }
  TMemoryStream Huge;
  Huge.WriteBuffer("_UCT\0", 5);
  for (int I = 0; I < 5; ++I) WriteStreamString(Huge, "");
  Huge.WriteInt32(0x7FFFFFFF);
  Huge.SetPosition(0);
  EXPECT_THROW(S.LoadFromStream(Huge), EReadError);
}

TEST(SkinFilters, AnObjectWordWithoutFlagsDerivesTheTables) {
  TMemoryStream Content;
  Content.WriteBuffer("_UCT\0", 5);
  for (int I = 0; I < 5; ++I) WriteStreamString(Content, "");
  Content.WriteInt32(0);
  Content.WriteInt32(0);
  Content.SetPosition(0);
  TDvSkinSource S;
  S.Colors().SetColor(4, 0x777777);
  S.SysColors().SetEntry(0, 0x00ABCDEF);
  S.LoadFromStream(Content);
  EXPECT_EQ(S.Colors().Color(4), clBlack);
  EXPECT_EQ(S.SysColors().Entry(0), 0x00ABCDEF) << "system colours keep their values";
}

TEST(SkinFiles, SaveIsAtomicAndLoadPicksTheFilterByExtension) {
  const auto Folder = std::filesystem::temp_directory_path() / "vexel_skin_files";
  std::filesystem::create_directories(Folder);
  const std::string Path = (Folder / "sample.kskn").string();
  TDvSkinSource S;
  Populate(S);
  S.SaveToFile(Path);
  TDvSkinSource Back;
  Back.LoadFromFile(Path);
  EXPECT_EQ(Back.ObjectCount(), 2);
  // A save that fails leaves the previous file whole and no temporary behind.
  for (Integer I = 0; I < MaxSkinObjectCount + 1; ++I) S.AddObject(std::make_unique<TDvSkinObject>());
  const auto Before = std::filesystem::file_size(Path);
  EXPECT_THROW(S.SaveToFile(Path), EWriteError);
  EXPECT_EQ(std::filesystem::file_size(Path), Before);
  EXPECT_FALSE(std::filesystem::exists(Path + ".saving"));
  // An unknown extension reads nothing; the source keeps its content.
  Back.LoadFromFile((Folder / "sample.tmp").string());
  EXPECT_EQ(Back.ObjectCount(), 2);
  std::filesystem::remove_all(Folder);
}

TEST(SkinFilters, TheOldestImageFormIsAWholeBitmapFile) {
  // A 24-bit 2 x 1 bitmap file: one near-key pixel (126, 0, 127) and one magenta pixel.
  std::vector<uint8_t> Bmp = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0,
                              1,   0,   24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                              0,   0,   127, 0, 126, 255, 0, 255};
  Bmp.resize(62, 0);
  TMemoryStream Content;
  for (int I = 0; I < 5; ++I) WriteStreamString(Content, "");
  Content.WriteInt32(1);  // an image count without flag bits
  WriteStreamString(Content, "old");
  Content.WriteInt32(int32_t(Bmp.size()));
  Content.WriteBuffer(Bmp.data(), int64_t(Bmp.size()));
  Content.WriteInt32(0xFF0000);
  TvxThemeColors().SaveToStream(Content);
  TvxThemeSysColors().SaveToStream(Content);
  TvxThemeFonts().SaveToStream(Content);
  TMemoryStream File;
  File.WriteBuffer("_MCT\0ZQLZ", 9);
  {
    TCompressionStream Z(File, -1);
    Z.WriteBuffer(Content.Memory(), Content.Size());
    Z.Finish();
  }
  File.SetPosition(0);
  TDvSkinSource S;
  S.LoadFromStream(File);
  ASSERT_EQ(S.Images().Count(), 1);
  const TvxBitmap& Image = *S.Images().Items(0);
  EXPECT_EQ(Image.Name(), "old");
  EXPECT_EQ(Image.GetPixel(0, 0), vxKeyColor);
  EXPECT_EQ(Image.GetPixel(1, 0), 0xFFFF00FFu) << "magenta is not keyed in this form";
  EXPECT_TRUE(Image.Transparent());
}
