#include "tools/msstylegen/msstylegen_style.h"

#include <cstdlib>
#include <set>
#include <stdexcept>

#include "framework/core/exceptions.h"
#include "framework/core/file_save.h"
#include "framework/core/sysutils.h"
#include "tools/msstylegen/msstylegen_images.h"
#include "tools/msstylegen/msstylegen_sections.h"
#include "tools/skingen/skingen_paint.h"

namespace msstylegen {

namespace {

void PutUnit(std::vector<uint8_t>& Bytes, uint16_t Unit) {
  Bytes.push_back(uint8_t(Unit));
  Bytes.push_back(uint8_t(Unit >> 8));
}

void PutU32(std::vector<uint8_t>& Bytes, uint32_t V) {
  for (int I = 0; I < 4; ++I) Bytes.push_back(uint8_t(V >> (8 * I)));
}

bool IsImageKey(const std::string& Key) {
  const std::string K = LowerCase(Key);
  return K == "imagefile" || K == "imagefile1" || K == "imagefile2" || K == "imagefile3" || K == "glyphimagefile";
}

// The header of a bottom-up packed DIB without compression.
std::vector<uint8_t> DibHeader(Integer W, Integer H, uint16_t Bits, uint32_t ImageSize) {
  std::vector<uint8_t> D;
  PutU32(D, 40);
  PutU32(D, uint32_t(W));
  PutU32(D, uint32_t(H));
  PutUnit(D, 1);
  PutUnit(D, Bits);
  PutU32(D, 0);
  PutU32(D, ImageSize);
  PutU32(D, 2835);  // 72 dots per inch
  PutU32(D, 2835);
  PutU32(D, 0);
  PutU32(D, 0);
  return D;
}

std::vector<uint8_t> EncodeImage(const TPaintedImage& Painted) {
  return Painted.Alpha ? PackedDib32(*Painted.Image) : PackedDib24(*Painted.Image, Painted.Surface);
}

// Every image key of every section: (section index, key index).
std::vector<std::pair<size_t, size_t>> ImageKeys(const std::vector<TIniSection>& Ini) {
  std::vector<std::pair<size_t, size_t>> Keys;
  for (size_t S = 0; S < Ini.size(); ++S)
    for (size_t K = 0; K < Ini[S].Keys.size(); ++K)
      if (IsImageKey(Ini[S].Keys[K].Key)) Keys.push_back({S, K});
  return Keys;
}

// Extra images ride on keys no drawing reads: imagefile1..3 where there is no size selection, and
// a glyph image where there is no image glyph. They are opaque, so no object's flags change.
void AddExtraImages(TStyleContent& Content, int MinImages) {
  int Index = 0;
  for (TIniSection& Section : Content.Ini) {
    if (int(Content.Images.size()) >= MinImages) return;
    const std::string Base = Content.Key(Section.Name, "ImageFile");
    if (Base.empty() || !Content.Key(Section.Name, "ImageSelectType").empty()) continue;
    std::vector<std::string> Free;
    for (const char* Key : {"ImageFile1", "ImageFile2", "ImageFile3"})
      if (Content.Key(Section.Name, Key).empty()) Free.push_back(Key);
    if (Content.Key(Section.Name, "GlyphType").empty() && Content.Key(Section.Name, "GlyphImageFile").empty())
      Free.push_back("GlyphImageFile");
    for (const std::string& Key : Free) {
      if (int(Content.Images.size()) >= MinImages) return;
      const std::string Value = Format("Pellan\\Extra\\Image%03d.bmp", ++Index);
      TPaintedImage Painted = PaintExtraImage(Base, Index);
      if (!Painted.Image) continue;
      const TvxColor Surface = Painted.Alpha ? TvxColor(0xFFECEFF1) : Painted.Surface;
      for (Integer Y = 0; Y < Painted.Image->Height(); ++Y)
        for (Integer X = 0; X < Painted.Image->Width(); ++X) {
          TvxColor& Pixel = *Painted.Image->PixelPtr(X, Y);
          Pixel = skingen::Over(Pixel, Surface) | 0xFF000000u;
        }
      Section.Keys.push_back({Key, Value, Index % 2 == 0});
      Content.Images.push_back({ImageResourceName(Value),
                                Index % 2 ? PackedDib32(*Painted.Image) : PackedDib24(*Painted.Image, Surface)});
    }
  }
  if (int(Content.Images.size()) < MinImages)
    throw std::invalid_argument(Format("the sample holds at most %d images", int(Content.Images.size())));
}

}  // namespace

TIniSection* TStyleContent::Section(const std::string& Name) {
  for (TIniSection& S : Ini)
    if (SameText(S.Name, Name)) return &S;
  return nullptr;
}

const TIniSection* TStyleContent::Section(const std::string& Name) const {
  return const_cast<TStyleContent*>(this)->Section(Name);
}

void TStyleContent::SetKey(const std::string& SectionName, const std::string& KeyName, const std::string& Value) {
  TIniSection* S = Section(SectionName);
  if (!S) {
    Ini.push_back({SectionName, {}});
    S = &Ini.back();
  }
  for (TIniKey& K : S->Keys)
    if (SameText(K.Key, KeyName)) {
      K.Value = Value;
      return;
    }
  S->Keys.push_back({KeyName, Value, false});
}

std::string TStyleContent::Key(const std::string& SectionName, const std::string& KeyName) const {
  if (const TIniSection* S = Section(SectionName))
    for (const TIniKey& K : S->Keys)
      if (SameText(K.Key, KeyName)) return K.Value;
  return {};
}

TStyleImage* TStyleContent::Image(const std::string& Resource) {
  for (TStyleImage& I : Images)
    if (SameText(I.Resource, Resource)) return &I;
  return nullptr;
}

std::string IniText(const TStyleContent& Content) {
  std::string Text;
  for (const TIniSection& S : Content.Ini) {
    Text += "[" + S.Name + "]\r\n";
    for (const TIniKey& K : S.Keys) Text += K.Key + (K.Spaced ? " = " : "=") + K.Value + "\r\n";
    Text += "\r\n";
  }
  return Text;
}

std::vector<uint8_t> TextFileResource(const std::string& Text) {
  std::vector<uint8_t> Bytes;
  for (char C : Text) PutUnit(Bytes, static_cast<unsigned char>(C));
  for (uint16_t Pad : {u'\r', u'\n', u' ', u' '}) PutUnit(Bytes, Pad);
  return Bytes;
}

std::vector<uint8_t> StringListResource(const std::vector<std::string>& Strings) {
  std::vector<uint8_t> Bytes;
  for (const std::string& S : Strings) {
    for (char C : S) PutUnit(Bytes, static_cast<unsigned char>(C));
    PutUnit(Bytes, 0);
  }
  PutUnit(Bytes, 0);
  return Bytes;
}

std::string ImageResourceName(const std::string& Value) {
  std::string Name = Value;
  for (size_t I = 0; I < Name.size(); ++I) {
    if (Name[I] == '\\') Name[I] = '_';
    else if (Name[I] == '.' && I + 2 < Name.size() && (Name[I + 1] == 'B' || Name[I + 1] == 'b')) Name[I] = '_';
  }
  return UpperCase(Trim(Name));
}

std::vector<uint8_t> PackedDib32(const TvxBitmap& Image) {
  const Integer W = Image.Width(), H = Image.Height();
  std::vector<uint8_t> D = DibHeader(W, H, 32, uint32_t(W) * uint32_t(H) * 4);
  for (Integer Y = H - 1; Y >= 0; --Y)
    for (Integer X = 0; X < W; ++X) {
      const TvxColor P = *Image.PixelPtr(X, Y);
      PutU32(D, PixelAlpha(P) == 0 ? 0u : P);
    }
  return D;
}

std::vector<uint8_t> PackedDib24(const TvxBitmap& Image, TvxColor Surface, TvxColor Key) {
  const Integer W = Image.Width(), H = Image.Height();
  const uint32_t Stride = (uint32_t(W) * 3 + 3) & ~3u;
  std::vector<uint8_t> D = DibHeader(W, H, 24, Stride * uint32_t(H));
  for (Integer Y = H - 1; Y >= 0; --Y) {
    const size_t Start = D.size();
    for (Integer X = 0; X < W; ++X) {
      const TvxColor P = *Image.PixelPtr(X, Y);
      const TvxColor C = PixelAlpha(P) == 0 ? Key : skingen::Over(P, Surface | 0xFF000000u);
      D.push_back(PixelBlue(C));
      D.push_back(PixelGreen(C));
      D.push_back(PixelRed(C));
    }
    D.resize(Start + Stride, 0);
  }
  return D;
}

std::vector<uint8_t> DeclaredDib(int32_t Width, int32_t Height, uint16_t Bits, size_t PixelBytes) {
  const uint64_t Stride = (uint64_t(uint32_t(std::abs(Width))) * Bits / 8 + 3) & ~uint64_t(3);
  std::vector<uint8_t> D = DibHeader(Width, Height, Bits, uint32_t(Stride * uint32_t(std::abs(Height))));
  D.resize(D.size() + PixelBytes, 0x5A);
  return D;
}

TStyleContent BuildSampleStyle(const TSampleOptions& Options) {
  TStyleContent Content;
  Content.ColorNames = {"Normal"};
  Content.SizeNames = {"NormalSize"};
  Content.FileResNames = {"NORMAL_INI"};
  Content.TextFileName = "NORMAL_INI";
  Content.Ini = SampleIni();
  std::set<std::string> Painted;
  for (const auto& [S, K] : ImageKeys(Content.Ini)) {
    const std::string& Value = Content.Ini[S].Keys[K].Value;
    const std::string Resource = ImageResourceName(Value);
    if (!Painted.insert(Resource).second) continue;
    const TPaintedImage Image = PaintSampleImage(Value);
    if (!Image.Image) throw std::logic_error("the sample names an image it does not draw: " + Value);
    Content.Images.push_back({Resource, EncodeImage(Image)});
  }
  if (Options.MinImages > int(Content.Images.size())) AddExtraImages(Content, Options.MinImages);
  return Content;
}

std::vector<TPeResource> StyleResources(const TStyleContent& Content) {
  std::vector<TPeResource> R;
  R.push_back({TPeId::Named("COLORNAMES"), TPeId::Id(1), StringListResource(Content.ColorNames)});
  R.push_back({TPeId::Named("SIZENAMES"), TPeId::Id(1), StringListResource(Content.SizeNames)});
  R.push_back({TPeId::Named("FILERESNAMES"), TPeId::Id(1), StringListResource(Content.FileResNames)});
  if (!Content.TextFileName.empty())
    R.push_back({TPeId::Named("TEXTFILE"), TPeId::Named(Content.TextFileName), TextFileResource(IniText(Content))});
  for (const TStyleImage& Image : Content.Images) R.push_back({TPeId::Id(2), TPeId::Named(Image.Resource), Image.Dib});
  for (const TPeResource& Extra : Content.Extra) R.push_back(Extra);
  return R;
}

std::vector<uint8_t> WriteStyleModule(const TStyleContent& Content) { return BuildResourceModule(StyleResources(Content)); }

void SaveStyleModule(const TStyleContent& Content, const std::string& FileName) {
  const std::vector<uint8_t> Bytes = WriteStyleModule(Content);
  try {
    SaveFileReplacing(FileName, [&](TStream& Stream) { Stream.WriteBuffer(Bytes.data(), int64_t(Bytes.size())); });
  } catch (const Exception& E) {
    throw std::runtime_error(E.Message());
  }
}

}  // namespace msstylegen
