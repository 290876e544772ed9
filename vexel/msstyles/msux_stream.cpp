#include "vexel/msstyles/msux_stream.h"

#include <cstring>

#include "framework/core/zstream.h"
#include "vexel/graphics/vx_utils.h"

namespace {

constexpr int msuxCompressionLevel = 1;
// The inflated content is held in memory before it is parsed, so every count can be checked
// against what is really there; beyond what a style file may hold it is refused.
constexpr int64_t msuxMaxContentSize = int64_t(256) << 20;
// The least an image takes: name, width, height, name again, two flag bytes.
constexpr int64_t msuxMinImageRecord = 4 + 4 + 4 + 4 + 2;

void Inflate(TStream& Source, TMemoryStream& Into) {
  TDecompressionStream Inflated(Source);
  std::vector<uint8_t> Chunk(size_t(1) << 16);
  for (;;) {
    const int64_t Got = Inflated.Read(Chunk.data(), int64_t(Chunk.size()));
    if (Got <= 0) break;
    if (Into.Size() + Got > msuxMaxContentSize) throw EReadError("Style stream content is too large");
    Into.WriteBuffer(Chunk.data(), Got);
  }
  Into.Seek(0, TSeekOrigin::soBeginning);
}

// The content as it stands inside the zlib stream.
void WriteContent(TStream& Stream, const std::string& Name, const std::string& IniText, const TvxBitmapList& Images) {
  WriteStreamString(Stream, Name);
  WriteStreamString(Stream, IniText);
  Stream.WriteInt32(Images.Count());
  for (Integer I = 0; I < Images.Count(); ++I) {
    const TvxBitmap& Image = *Images.Items(I);
    Image.SaveToStream(Stream);
    WriteStreamString(Stream, Image.Name());
    Stream.WriteByte(Image.Transparent() ? 1 : 0);
    Stream.WriteByte(Image.AlphaBlend() ? 1 : 0);
  }
}

TmsuxStreamContent ReadContent(TMemoryStream& Data) {
  TmsuxStreamContent Read;
  Read.Name = ReadStreamString(Data);
  Read.IniText = ReadStreamString(Data);
  const int32_t Count = Data.ReadInt32();
  if (Count < 0 || Count > Data.Remaining() / msuxMinImageRecord)
    throw EReadError(Format("Invalid image count %d", Count));
  for (int32_t I = 0; I < Count; ++I) {
    auto Image = std::make_unique<TvxBitmap>();
    Image->LoadFromStream(Data);
    Image->SetName(ReadStreamString(Data));
    Image->SetTransparent(Data.ReadByte() != 0);
    Image->SetAlphaBlend(Data.ReadByte() != 0);
    Read.Images->Add(std::move(Image));
  }
  return Read;
}

}  // namespace

bool HasMsuxStreamMark(TStream& Stream) {
  char Mark[sizeof msuxStreamMark];
  return Stream.Read(Mark, sizeof Mark) == int64_t(sizeof Mark) && std::memcmp(Mark, msuxStreamMark, sizeof Mark) == 0;
}

void WriteMsuxStream(TStream& Stream, const std::string& Name, const std::string& IniText,
                     const TvxBitmapList& Images) {
  Stream.WriteBuffer(msuxStreamMark, sizeof msuxStreamMark);
  TCompressionStream Deflated(Stream, msuxCompressionLevel);
  WriteContent(Deflated, Name, IniText, Images);
  Deflated.Finish();
}

bool ReadMsuxStream(TStream& Stream, TmsuxStreamContent& Content) {
  if (!HasMsuxStreamMark(Stream)) return false;
  TMemoryStream Data;
  Inflate(Stream, Data);
  TmsuxStreamContent Read = ReadContent(Data);
  std::swap(Content, Read);
  return true;
}

TmsuxStreamContent CopyMsuxContent(const std::string& Name, const std::string& IniText, const TvxBitmapList& Images) {
  TMemoryStream Data;
  WriteContent(Data, Name, IniText, Images);
  Data.SetPosition(0);
  return ReadContent(Data);
}
