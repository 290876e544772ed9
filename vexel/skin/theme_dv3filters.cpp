#include "vexel/skin/theme_dv3filters.h"

#include <algorithm>
#include <cstring>

#include "framework/core/component_stream.h"
#include "framework/core/large_blocks.h"
#include "framework/core/object_text.h"
#include "framework/core/sysutils.h"
#include "framework/core/zstream.h"
#include "vexel/graphics/vx_bmpfile.h"
#include "vexel/graphics/vx_utils.h"
#include "vexel/skin/theme_dv3source.h"

namespace {

constexpr char CompressionMagic[] = "ZQLZ";
constexpr int32_t TextImageFlag = 0xF0000;
constexpr int32_t BinaryImageFlag = 0xFFF000;
constexpr int32_t ObjectsWithAllTables = 0xFF0000;
constexpr int32_t ObjectsWithoutSysColors = 0xF0000;

TDvSkinFilterClass GDefault = &MakeSkinFilter<TDvSkinFilterCompressed>;

// Pixel processing of images stored without flags: magenta and near-key pixels become the key.
// The second pass also finds what the first turned into the key, so Transparent ends up right.
void KeyAndCheck(TvxBitmap& Image, bool Magenta) {
  if (Magenta) Image.MakeTransparent(0xFFFF00FF);
  Image.MakeTransparent(vxKeyColor);
  Image.CheckAlpha();
}

// The bytes TvxBitmap::SaveToStream writes for Image, and the two flag bytes where they follow.
int64_t ImageRecordSize(const TvxBitmap& Image, bool Flags) {
  const int64_t Pixels = Image.Empty() ? 0 : int64_t(Image.Width()) * Image.Height() * int64_t(sizeof(TvxColor));
  return 4 + int64_t(Image.Name().size()) + 8 + Pixels + (Flags ? 2 : 0);
}

// The inflated content, read front to back. The pages it has passed go back to the system as it
// goes, so a load does not hold the whole content beside the images made from it. Like the
// streaming reader it stands in for, it never goes back.
class TPassedContentStream : public TStream {
 public:
  explicit TPassedContentStream(TByteBuffer& Bytes) : FBytes(Bytes) {}
  int64_t Read(void* Buffer, int64_t Count) override {
    const int64_t N = std::clamp<int64_t>(Count, 0, Size() - FPosition);
    if (N > 0) std::memcpy(Buffer, FBytes.Data() + FPosition, size_t(N));
    FPosition += N;
    if (FPosition - FReleased >= ReleaseStep) {
      // From the start each time: a page only partly passed last time is whole now.
      ReleaseLargeBlockPages(FBytes.Data(), size_t(FPosition));
      FReleased = FPosition;
    }
    return N;
  }
  int64_t Write(const void*, int64_t) override { return 0; }
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override {
    const int64_t Base = Origin == TSeekOrigin::soBeginning ? 0 : Origin == TSeekOrigin::soCurrent ? FPosition : Size();
    if (Base + Offset < FReleased) throw ECompressionError("Invalid stream operation");
    return FPosition = Base + Offset;
  }
  int64_t Size() override { return int64_t(FBytes.Size()); }

 private:
  static constexpr int64_t ReleaseStep = int64_t(8) << 20;
  TByteBuffer& FBytes;
  int64_t FPosition = 0;
  int64_t FReleased = 0;  // bytes below this may be gone
};

int32_t CheckedCount(int32_t Count, const char* What) {
  if (Count < 0) throw EReadError(Format("Invalid %s count %d", What, Count));
  return Count;
}

}  // namespace

TDvSkinFilter::TDvSkinFilter(const char* Tag) {
  std::memcpy(FFileTag.data(), Tag, 4);
  FFileTag[4] = 0;
}

// [Reading] ------------------------------------------------------------------------------------

void TDvSkinFilter::ReadContent(TStream& Stream) {
  if (!FSource) return;
  TDvSkinSource& S = *FSource;
  S.Clear();
  S.SetSkinName(ReadStreamString(Stream));
  S.SetSkinVersion(ReadStreamString(Stream));
  S.SetAuthor(ReadStreamString(Stream));
  S.SetAuthorEMail(ReadStreamString(Stream));
  S.SetAuthorURL(ReadStreamString(Stream));
  ReadImages(Stream);

  const int32_t Word = Stream.ReadInt32();
  int32_t Count;
  if ((Word & ObjectsWithAllTables) == ObjectsWithAllTables) {
    Count = Word & int32_t(0xFF00FFFF);
    FTablesRead = TDvSkinTables::stAll;
  } else if ((Word & ObjectsWithoutSysColors) == ObjectsWithoutSysColors) {
    Count = Word & ~ObjectsWithoutSysColors;
    FTablesRead = TDvSkinTables::stNoSysColors;
  } else {
    Count = Word;
    FTablesRead = TDvSkinTables::stNone;
  }
  CheckedCount(Count, "object");
  for (int32_t I = 0; I < Count; ++I) ReadObjectRecord(Stream, BinaryObjects());
  if (FTablesRead == TDvSkinTables::stNone) return S.UpdateThemeTables();
  S.Colors().LoadFromStream(Stream);
  if (FTablesRead == TDvSkinTables::stAll) S.SysColors().LoadFromStream(Stream);
  S.Fonts().LoadFromStream(Stream);
}

void TDvSkinFilter::ReadImages(TStream& Stream) {
  TvxBitmapList& Images = FSource->Images();
  const int32_t Word = Stream.ReadInt32();
  if (!BinaryObjects()) {
    for (int32_t I = 0, N = CheckedCount(Word, "image"); I < N; ++I) {
      auto Image = std::make_unique<TvxBitmap>();
      Image->LoadFromStream(Stream);
      KeyAndCheck(*Image, true);
      Images.Add(std::move(Image));
    }
    return;
  }
  if ((Word & BinaryImageFlag) == BinaryImageFlag) {
    for (int32_t I = 0, N = CheckedCount(Word & int32_t(0xFF000FFF), "image"); I < N; ++I) {
      auto Image = std::make_unique<TvxBitmap>();
      Image->LoadFromStream(Stream);
      Image->SetTransparent(Stream.ReadByte() != 0);
      Image->SetAlphaBlend(Stream.ReadByte() != 0);
      Images.Add(std::move(Image));
    }
  } else if ((Word & TextImageFlag) == TextImageFlag) {
    for (int32_t I = 0, N = CheckedCount(Word & ~TextImageFlag, "image"); I < N; ++I) {
      auto Image = std::make_unique<TvxBitmap>();
      Image->LoadFromStream(Stream);
      KeyAndCheck(*Image, true);
      Images.Add(std::move(Image));
    }
  } else {
    // The oldest form: each image a whole bitmap file.
    for (int32_t I = 0, N = CheckedCount(Word, "image"); I < N; ++I) {
      const std::string Name = ReadStreamString(Stream);
      TMemoryStream File;
      ReadStreamBlock(Stream, File);
      auto Image = std::make_unique<TvxBitmap>();
      LoadBmpFile(*Image, File.Memory(), size_t(File.Size()));
      KeyAndCheck(*Image, false);
      Image->SetName(Name);
      Images.Add(std::move(Image));
    }
  }
}

void TDvSkinFilter::ReadObjectRecord(TStream& Stream, bool Binary) {
  std::unique_ptr<TDvSkinObject> Object = ReadSkinObjectRecord(Stream, Binary);
  TDvSkinObject* Added = Object.get();
  FSource->AddObject(std::move(Object));
  Added->SetImageList(&FSource->Images());
  Added->UpdateLinks();
}

// [Writing] ------------------------------------------------------------------------------------

void TDvSkinFilter::WriteContent(TStream& Stream) const {
  if (!FSource) return;
  const TDvSkinSource& S = *FSource;
  const TvxBitmapList& Images = S.Images();
  if (S.ObjectCount() > MaxSkinObjectCount)
    throw EWriteError(Format("A skin file holds at most %d top-level objects; this skin has %d", MaxSkinObjectCount,
                             S.ObjectCount()));
  if (BinaryObjects() && Images.Count() > MaxBinaryImageCount)
    throw EWriteError(Format("A %s file holds at most %d images; this skin has %d", GetExtension().c_str(),
                             MaxBinaryImageCount, Images.Count()));
  // Objects and tables go first into a small buffer: with them the content's size is known, and a
  // memory stream grows once for all of it.
  TMemoryStream Tail;
  WriteObjectsAndTables(Tail);
  const std::string Texts[] = {S.SkinName(), S.SkinVersion(), S.Author(), S.AuthorEMail(), S.AuthorURL()};
  if (auto* Memory = dynamic_cast<TMemoryStream*>(&Stream)) {
    int64_t Size = 4 + Tail.Size();
    for (const std::string& Text : Texts) Size += 4 + int64_t(Text.size());
    for (Integer I = 0; I < Images.Count(); ++I) Size += ImageRecordSize(*Images.Items(I), BinaryObjects());
    Memory->SetCapacity(Memory->Position() + Size);
  }
  for (const std::string& Text : Texts) WriteStreamString(Stream, Text);
  Stream.WriteInt32(BinaryObjects() ? Images.Count() | BinaryImageFlag : Images.Count());
  for (Integer I = 0; I < Images.Count(); ++I) {
    Images.Items(I)->SaveToStream(Stream);
    if (BinaryObjects()) {
      Stream.WriteByte(Images.Items(I)->Transparent() ? 1 : 0);
      Stream.WriteByte(Images.Items(I)->AlphaBlend() ? 1 : 0);
    }
  }
  Stream.WriteBuffer(Tail.Memory(), Tail.Size());
}

void TDvSkinFilter::WriteObjectsAndTables(TStream& Stream) const {
  const TDvSkinSource& S = *FSource;
  Stream.WriteInt32(S.ObjectCount() | ObjectsWithAllTables);
  for (Integer I = 0; I < S.ObjectCount(); ++I) {
    const TDvSkinObject& Object = *S.Objects(I);
    WriteStreamString(Stream, Object.ClassName());
    if (BinaryObjects()) {
      TMemoryStream Binary;
      WriteComponent(Binary, Object);
      WriteStreamBlock(Stream, Binary);
    } else {
      WriteStreamString(Stream, ObjectTextForm(Object));
    }
  }
  S.Colors().SaveToStream(Stream);
  S.SysColors().SaveToStream(Stream);
  S.Fonts().SaveToStream(Stream);
}

// [Containers] ---------------------------------------------------------------------------------

void TDvSkinFilter::LoadFromStream(TStream& Stream) {
  char Tag[5] = {};
  const int64_t Got = Stream.Read(Tag, 5);
  if (Got != 5 || std::memcmp(Tag, FFileTag.data(), 5) != 0) Stream.Seek(-Got, TSeekOrigin::soCurrent);
  if (!Compressed()) return ReadContent(Stream);
  char Magic[4];
  Stream.ReadBuffer(Magic, 4);  // not compared: the bytes only mark the zlib data
  const int64_t Rest = Stream.Remaining();
  if (Rest < 0 || Rest > MaxSkinContentSize) {
    // Data that cannot be held whole is inflated as it is read.
    TDecompressionStream Inflated(Stream);
    return ReadContent(Inflated);
  }
  // A memory stream is inflated where it lies; any other is read into memory once.
  TByteBuffer Packed;
  const uint8_t* PackedData;
  size_t PackedSize = size_t(Rest);
  if (auto* Memory = dynamic_cast<TMemoryStream*>(&Stream)) {
    PackedData = Memory->Memory() + Memory->Position();
    Memory->Seek(0, TSeekOrigin::soEnd);
  } else {
    Packed = TByteBuffer(PackedSize);
    Packed.Shrink(size_t(Stream.Read(Packed.Data(), Rest)));
    PackedData = Packed.Data();
    PackedSize = Packed.Size();
  }
  TInflated Content;
  try {
    Content = InflateBuffer(PackedData, PackedSize, size_t(MaxSkinContentSize));
  } catch (const EInflateLimitError&) {
    throw;
  } catch (const ECompressionError&) {
    Content.Complete = false;  // damaged: the content may fail before the damage shows, as it always did
  }
  if (!Content.Complete) {
    // Data that ends early or is damaged: the content reads (and fails) exactly as it always did.
    TBufferStream PackedStream(PackedData, int64_t(PackedSize));
    TDecompressionStream Inflated(PackedStream);
    return ReadContent(Inflated);
  }
  Packed = TByteBuffer();
  TPassedContentStream Inflated(Content.Bytes);
  ReadContent(Inflated);
}

void TDvSkinFilter::SaveToStream(TStream& Stream) const {
  Stream.WriteBuffer(FFileTag.data(), 5);
  if (!Compressed()) return WriteContent(Stream);
  Stream.WriteBuffer(CompressionMagic, 4);
  TMemoryStream Content;
  WriteContent(Content);
  const TByteBuffer Packed = DeflateBuffer(Content.Memory(), size_t(Content.Size()), CompressionLevel());
  Stream.WriteBuffer(Packed.Data(), int64_t(Packed.Size()));
}

// [Registry] -----------------------------------------------------------------------------------

const std::array<TDvSkinFilterClass, 4>& SkinFilters() {
  static const std::array<TDvSkinFilterClass, 4> Filters = {
      &MakeSkinFilter<TDvSkinFilterUncompressed>, &MakeSkinFilter<TDvSkinFilterCompressed>,
      &MakeSkinFilter<TDvSkinFilterUltraCompressed>, &MakeSkinFilter<TDvSkinFilterMaxCompression>};
  return Filters;
}

TDvSkinFilterClass DefaultSkinFilter() { return GDefault; }
void SetDefaultSkinFilter(TDvSkinFilterClass Class) { GDefault = Class; }

TDvSkinFilterClass FindFilterByExtension(const std::string& FileName) {
  const size_t Separator = FileName.find_last_of("/\\:");
  const size_t Dot = FileName.rfind('.');
  if (Dot == std::string::npos || (Separator != std::string::npos && Dot < Separator)) return nullptr;
  const std::string Extension = LowerCase(FileName.substr(Dot));
  for (TDvSkinFilterClass Class : SkinFilters())
    if ("." + LowerCase(Class()->GetExtension()) == Extension) return Class;
  return nullptr;
}

TDvSkinFilterClass FindFilterByTag(TStream& Stream) {
  char Tag[5] = {};
  const int64_t Got = Stream.Read(Tag, 5);
  Stream.Seek(-Got, TSeekOrigin::soCurrent);
  if (Got != 5) return nullptr;
  for (TDvSkinFilterClass Class : SkinFilters())
    if (std::memcmp(Class()->FileTag().data(), Tag, 5) == 0) return Class;
  return nullptr;
}

std::string GetSkinFilterString() {
  std::string Result;
  for (TDvSkinFilterClass Class : SkinFilters()) {
    const auto Filter = Class();
    if (!Result.empty()) Result += "|";
    Result += Filter->GetDescription() + " (*." + Filter->GetExtension() + ")|*." + Filter->GetExtension();
  }
  return Result;
}
