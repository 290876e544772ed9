#include "vexel/msstyles/msux_parse.h"

#include "framework/core/exceptions.h"
#include "framework/core/sysutils.h"
#include "vexel/msstyles/msux_module.h"
#include "vexel/graphics/vx_bmpfile.h"

namespace {

// Keyword -> value; the first row whose word matches wins, anything else gives Otherwise.
struct TKeyword {
  const char* Word;
  Byte Value;
};

template <size_t N>
Byte Lookup(const std::string& Value, const TKeyword (&Table)[N], Byte Otherwise = 0) {
  for (const TKeyword& Row : Table)
    if (SameText(Value, Row.Word)) return Row.Value;
  return Otherwise;
}

int32_t TokenOrZero(std::string& Rest) {
  const std::string Token = NextToken(Rest);
  return Token.empty() ? 0 : StrToInt(Token);
}

char UnitToAnsi(uint16_t Unit) { return Unit <= 0xFF ? char(Unit) : '?'; }

uint16_t UnitAt(std::span<const uint8_t> Data, size_t Index) {
  return uint16_t(Data[2 * Index] | (Data[2 * Index + 1] << 8));
}

// Font items: name, size, then the four style positions.
std::vector<std::string> FontItems(const std::string& Value) {
  std::string Rest = Value;
  std::vector<std::string> Items;
  for (int I = 0; I < 6; ++I) Items.push_back(NextItem(Rest, ","));
  return Items;
}

}  // namespace

bool ParseBool(const std::string& Value) { return SameText(Value, "true") || Value == "1" || SameText(Value, "yes"); }

TColor ParseColor(const std::string& Value) {
  std::string Rest = Value;
  const int32_t R = TokenOrZero(Rest), G = TokenOrZero(Rest), B = TokenOrZero(Rest);
  return TColor((R & 0xFF) | (G & 0xFF) << 8 | (B & 0xFF) << 16);
}

TRect ParseMargins(const std::string& Value) {
  std::string Rest = Trim(Value);
  try {
    TRect R;
    R.Left = StrToInt(NextToken(Rest));
    R.Right = StrToInt(NextToken(Rest));
    R.Top = StrToInt(NextToken(Rest));
    R.Bottom = StrToInt(NextToken(Rest));
    return R;
  } catch (const EConvertError&) {
    return TRect{};
  }
}

TPoint ParsePoint(const std::string& Value) {
  std::string Rest = Value;
  TPoint P;
  P.X = TokenOrZero(Rest);
  P.Y = TokenOrZero(Rest);
  return P;
}

Byte ParseBgType(const std::string& Value) {
  static constexpr TKeyword Table[] = {{"none", 3}, {"imagefile", 2}, {"borderfill", 1}};
  return Lookup(Value, Table);
}

Byte ParseSizingType(const std::string& Value) {
  static constexpr TKeyword Table[] = {{"borderstretchclienttile", 6},
                                       {"bordertileclientstretch", 5},
                                       {"tilehorizontal", 3},
                                       {"tilevertical", 2},
                                       {"truesize", 4},
                                       {"stretch", 1}};
  return Lookup(Value, Table);
}

Byte ParseImageSelectType(const std::string& Value) {
  static constexpr TKeyword Table[] = {{"size", 2}, {"dpi", 1}};
  std::string Rest = Value;
  return Lookup(NextToken(Rest), Table);
}

Byte ParseImageLayout(const std::string& Value) {
  static constexpr TKeyword Table[] = {{"horizontal", 1}};
  return Lookup(Value, Table);
}

Byte ParseGlyphType(const std::string& Value) {
  static constexpr TKeyword Table[] = {{"imageglyph", 1}};
  return Lookup(Value, Table);
}

Byte ParseHAlign(const std::string& Value) {
  static constexpr TKeyword Table[] = {{"right", 2}, {"center", 1}};
  return Lookup(Value, Table);
}

Byte ParseTextShadowType(const std::string& Value) {
  static constexpr TKeyword Table[] = {{"continuous", 2}, {"single", 1}};
  return Lookup(Value, Table);
}

std::string ParseFontName(const std::string& Value) { return FontItems(Value)[0]; }

Integer ParseFontSize(const std::string& Value) { return StrToInt(FontItems(Value)[1]); }

TFontStyles ParseFontStyle(const std::string& Value) {
  static constexpr TFontStyle ByPosition[] = {TFontStyle::fsBold, TFontStyle::fsItalic, TFontStyle::fsUnderline,
                                              TFontStyle::fsStrikeOut};
  const std::vector<std::string> Items = FontItems(Value);
  TFontStyles Styles;
  for (size_t I = 0; I < 4; ++I)
    if (!Items[2 + I].empty()) Styles.Include(ByPosition[I]);
  return Styles;
}

std::string NormalizeImageName(const std::string& Value) {
  std::string Result = Value;
  for (size_t I = 0; I < Result.size(); ++I) {
    if (Result[I] == '\\')
      Result[I] = '_';
    else if (Result[I] == '.' && I + 2 < Result.size() && (Result[I + 1] == 'B' || Result[I + 1] == 'b'))
      Result[I] = '_';
  }
  return Trim(Result);
}

std::string MsuxIniTextFromUtf16(std::span<const uint8_t> Data) {
  const size_t Units = Data.size() / 2;
  const size_t Converted = Units > 4 ? Units - 4 : 0;
  std::string Text;
  Text.reserve(Converted);
  for (size_t I = 0; I < Converted; ++I) {
    if (I + 2 < Converted && UnitAt(Data, I) == ' ' && UnitAt(Data, I + 1) == '=' && UnitAt(Data, I + 2) == ' ') {
      Text += '=';
      I += 2;
      continue;
    }
    Text += UnitToAnsi(UnitAt(Data, I));
  }
  return Text;
}

std::vector<std::string> MsuxStringListFromUtf16(std::span<const uint8_t> Data) {
  const size_t Units = Data.size() / 2;
  std::vector<std::string> List;
  std::string Current;
  for (size_t I = 0; I < Units; ++I) {
    const uint16_t Unit = UnitAt(Data, I);
    if (Unit != 0) {
      Current += UnitToAnsi(Unit);
      continue;
    }
    if (Current.empty() || List.size() == msuxMaxListEntries) return List;
    List.push_back(std::move(Current));
    Current.clear();
  }
  if (!Current.empty() && List.size() < msuxMaxListEntries) List.push_back(std::move(Current));
  return List;
}

std::vector<std::string> MsuxListResource(const TmsuxModule& Module, const char* Type) {
  const auto Data = Module.Find(TmsuxResId::Named(Type), TmsuxResId::Id(1));
  if (!Data) throw EResNotFound(Format("Resource %s not found", Type));
  return MsuxStringListFromUtf16(*Data);
}

std::string MsuxIniText(const TmsuxModule& Module, const std::string& FileResName) {
  const auto Text = Module.Find(TmsuxResId::Named("TEXTFILE"), TmsuxResId::Named(FileResName));
  if (!Text) throw EResNotFound(Format("Resource %s not found", FileResName.c_str()));
  return MsuxIniTextFromUtf16(*Text);
}

std::string MsuxStyleName(const std::string& FileName) {
  const size_t Folder = FileName.find_last_of("\\/:");
  std::string Name = Folder == std::string::npos ? FileName : FileName.substr(Folder + 1);
  const size_t Dot = Name.rfind('.');
  if (Dot != std::string::npos) Name.erase(Dot);
  return Name;
}

int64_t PackedDibPixels(std::span<const uint8_t> Data) {
  if (Data.size() < 12) throw EReadError("Invalid bitmap resource");
  const auto At = [&Data](size_t Offset, size_t Bytes) {
    int64_t Value = 0;
    for (size_t I = 0; I < Bytes; ++I) Value |= int64_t(Data[Offset + I]) << (8 * I);
    return Bytes == 4 ? int64_t(int32_t(uint32_t(Value))) : Value;
  };
  // The old core header keeps width and height in 16 bits each.
  const bool Core = At(0, 4) == 12;
  if (!Core && Data.size() < 16) throw EReadError("Invalid bitmap resource");
  const int64_t Width = Core ? At(4, 2) : At(4, 4), Height = Core ? At(6, 2) : At(8, 4);
  return (Width < 0 ? -Width : Width) * (Height < 0 ? -Height : Height);
}

void LoadPackedDib(TvxBitmap& Bitmap, std::span<const uint8_t> Data) {
  const auto U32At = [&Data](size_t At) {
    return uint32_t(Data[At]) | uint32_t(Data[At + 1]) << 8 | uint32_t(Data[At + 2]) << 16 |
           uint32_t(Data[At + 3]) << 24;
  };
  if (Data.size() < 16 || Data.size() > size_t(UINT32_MAX) - 14) throw EReadError("Invalid bitmap resource");
  // Where the pixels begin: after the header, the masks that follow a short header and the
  // colour table. Depths up to 8 bits are placed by the decoder itself (offset 0).
  uint64_t PixelOffset = 0;
  const uint32_t InfoSize = U32At(0);
  if (InfoSize >= 40 && Data.size() >= 40) {
    const uint32_t Bits = uint32_t(Data[14]) | uint32_t(Data[15]) << 8;
    const uint32_t Compression = U32At(16), Colors = U32At(32);
    if (Bits > 8) {
      const uint64_t Masks = Compression == 3 ? 12 : Compression == 6 ? 16 : 0;
      PixelOffset = 14 + uint64_t(InfoSize) + (InfoSize >= 40 + Masks ? 0 : Masks) + uint64_t(Colors) * 4;
      if (PixelOffset > 14 + Data.size()) throw EReadError("Invalid bitmap resource: the pixel data is missing");
    }
  }
  std::vector<uint8_t> File(14 + Data.size());
  const uint32_t FileSize = uint32_t(File.size());
  File[0] = 'B';
  File[1] = 'M';
  for (int I = 0; I < 4; ++I) {
    File[2 + I] = uint8_t(FileSize >> (8 * I));
    File[10 + I] = uint8_t(uint32_t(PixelOffset) >> (8 * I));
  }
  std::copy(Data.begin(), Data.end(), File.begin() + 14);
  LoadBmpFile(Bitmap, File.data(), File.size());
}
