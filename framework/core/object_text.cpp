#include "framework/core/object_text.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <utility>

#include "framework/core/component_stream.h"
#include "framework/core/text_parser.h"

// Index
// [SECTION] Value codes and names shared by both directions
// [SECTION] Binary to text
// [SECTION] Text to binary

// [SECTION] Value codes and names shared by both directions

namespace {

using TValueCode = TValueType;

enum TPrefixFlag : uint8_t { pfInherited = 1, pfChildPos = 2, pfInline = 4 };

constexpr char Signature[4] = {'T', 'P', 'F', '0'};
// Objects, lists and collections inside each other; real streams use two or three levels.
constexpr int MaxDepth = 64;
// A string or binary value this long goes on lines of its own, this many characters (bytes) a line.
constexpr size_t StringLineLength = 64;
constexpr size_t BinaryLineBytes = 32;
// A class name as long as this would read back as a prefix byte.
constexpr size_t FirstPrefixByte = 0xF0;

char Lower(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; }

bool SameText(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (size_t I = 0; I < A.size(); ++I)
    if (Lower(A[I]) != Lower(B[I])) return false;
  return true;
}

bool IsIdentifier(std::string_view S) {
  auto Start = [](char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_'; };
  if (S.empty() || !Start(S[0])) return false;
  for (char C : S)
    if (!Start(C) && !(C >= '0' && C <= '9')) return false;
  return true;
}

bool IsDottedIdentifier(std::string_view S) {
  for (;;) {
    const size_t Dot = S.find('.');
    if (!IsIdentifier(S.substr(0, Dot))) return false;
    if (Dot == std::string_view::npos) return true;
    S.remove_prefix(Dot + 1);
  }
}

std::string_view FirstPart(std::string_view Path) { return Path.substr(0, Path.find('.')); }

// The words that start or end an object in the text; a property path cannot begin with one.
bool IsObjectKeyword(std::string_view S) {
  return SameText(S, "object") || SameText(S, "inherited") || SameText(S, "inline") || SameText(S, "end");
}

// Identifiers that the text reader turns into codes of their own.
bool IsValueKeyword(std::string_view S) {
  return SameText(S, "False") || SameText(S, "True") || SameText(S, "nil") || SameText(S, "Null");
}

bool FitsCode(int64_t Value, TValueCode Code) {
  switch (Code) {
    case vaInt8: return Value >= INT8_MIN && Value <= INT8_MAX;
    case vaInt16: return Value >= INT16_MIN && Value <= INT16_MAX;
    case vaInt32: return Value >= INT32_MIN && Value <= INT32_MAX;
    default: return true;
  }
}

TValueCode SmallestIntegerCode(int64_t Value) {
  for (TValueCode Code : {vaInt8, vaInt16, vaInt32})
    if (FitsCode(Value, Code)) return Code;
  return vaInt64;
}

int IntegerSize(TValueCode Code) { return Code == vaInt8 ? 1 : Code == vaInt16 ? 2 : Code == vaInt32 ? 4 : 8; }

// [SECTION] Binary to text

// Float texts always show a decimal point or an exponent; the reader takes plain digits as integers.
template <typename T>
std::string ShortestText(T Value) {
  char Buffer[64];
  const auto Result = std::to_chars(Buffer, Buffer + sizeof Buffer, Value);
  std::string Text(Buffer, Result.ptr);
  if (Text.find_first_of(".e") == std::string::npos) Text += ".0";
  return Text;
}

uint64_t LoadLittleEndian(const uint8_t* Bytes, int Count) {
  uint64_t V = 0;
  for (int I = Count - 1; I >= 0; --I) V = V << 8 | Bytes[I];
  return V;
}

// The text of a float value, or empty when the value has none that reads back to the same bytes
// (infinities, NaNs, the extended form's unnormal patterns, or no 80-bit long double here).
std::string FloatText(const uint8_t* Bytes, TFloatFormat Format) {
  std::string Text;
  switch (Format) {
    case TFloatFormat::Single: {
      if ((LoadLittleEndian(Bytes, 4) >> 23 & 0xFF) == 0xFF) return {};
      float V;
      std::memcpy(&V, Bytes, 4);
      Text = ShortestText(V);
      break;
    }
    case TFloatFormat::Double: {
      if ((LoadLittleEndian(Bytes, 8) >> 52 & 0x7FF) == 0x7FF) return {};
      double V;
      std::memcpy(&V, Bytes, 8);
      Text = ShortestText(V);
      break;
    }
    case TFloatFormat::Extended: {
      if constexpr (std::numeric_limits<long double>::digits != 64) return {};
      const unsigned Exponent = LoadLittleEndian(Bytes + 8, 2) & 0x7FFF;
      const bool Leading = Bytes[7] & 0x80;
      if (Exponent == 0x7FFF || Leading != (Exponent != 0)) return {};
      long double V = 0;
      std::memcpy(&V, Bytes, 10);
      Text = ShortestText(V);
      break;
    }
  }
  // The reader must give back exactly these bytes.
  TDecimal Decimal;
  uint8_t Back[10];
  const size_t Size = Format == TFloatFormat::Single ? 4 : Format == TFloatFormat::Double ? 8 : 10;
  if (!ParseDecimal(Text, Decimal) || !DecimalToFloat(Decimal, Format, Back) || std::memcmp(Back, Bytes, Size) != 0)
    return {};
  return Text;
}

std::string CurrencyText(int64_t Value) {
  const uint64_t Magnitude = Value < 0 ? 0 - static_cast<uint64_t>(Value) : static_cast<uint64_t>(Value);
  std::string Fraction = std::to_string(Magnitude % 10000 + 10000).substr(1);
  while (Fraction.size() > 1 && Fraction.back() == '0') Fraction.pop_back();
  return (Value < 0 ? "-" : "") + std::to_string(Magnitude / 10000) + "." + Fraction + "c";
}

class TBinaryToText {
 public:
  explicit TBinaryToText(TStream& Input) : FIn(Input) {}

  std::string Convert() {
    char Head[4] = {};
    if (FIn.Read(Head, 4) != 4 || std::memcmp(Head, Signature, 4) != 0) throw EReadError("Invalid stream format");
    Object(0, Byte());
    FOut += "\r\n";
    return std::move(FOut);
  }

 private:
  [[noreturn]] static void Invalid(const char* Message) { throw EReadError(Message); }

  uint8_t Byte() { return FIn.ReadByte(); }

  // Lengths come from the data: nothing is allocated beyond what the stream really holds.
  std::string Bytes(int64_t Count) {
    if (Count < 0) Invalid("Invalid stream format");
    const int64_t Remaining = FIn.Remaining();
    if (Remaining >= 0 && Count > Remaining) Invalid("Stream read error");
    std::string Result;
    constexpr int64_t Chunk = 1 << 16;
    for (int64_t Done = 0; Done < Count;) {
      const int64_t N = Remaining >= 0 ? Count : std::min(Chunk, Count - Done);
      Result.resize(static_cast<size_t>(Done + N));
      FIn.ReadBuffer(Result.data() + Done, N);
      Done += N;
    }
    return Result;
  }

  int64_t Integer(TValueCode Code) {
    const int Size = IntegerSize(Code);
    uint8_t Raw[8];
    FIn.ReadBuffer(Raw, Size);
    const uint64_t Bits = LoadLittleEndian(Raw, Size);
    const int Unused = 64 - 8 * Size;
    return static_cast<int64_t>(Bits << Unused) >> Unused;
  }

  // An integer with the smallest code that holds it, the only form the text can give back.
  int64_t MinimalInteger(uint8_t Code, const char* Message) {
    if (Code != vaInt8 && Code != vaInt16 && Code != vaInt32 && Code != vaInt64) Invalid(Message);
    const int64_t Value = Integer(static_cast<TValueCode>(Code));
    if (SmallestIntegerCode(Value) != Code) Invalid(Message);
    return Value;
  }

  int32_t Length() {
    const int32_t N = FIn.ReadInt32();
    if (N < 0) Invalid("Invalid stream format");
    return N;
  }

  void Enter() {
    if (++FDepth > MaxDepth) Invalid("Nesting too deep");
  }

  void NewLine(int Level) {
    FOut += "\r\n";
    FOut.append(static_cast<size_t>(2 * Level), ' ');
  }

  // First is the byte already read: a prefix or the length of the class name. The text ends
  // without a line break; the caller ends the line.
  void Object(int Level, uint8_t First) {
    Enter();
    uint8_t Flags = 0;
    int64_t Position = 0;
    if (First >= FirstPrefixByte) {
      Flags = First & 0x0F;
      const bool Known = Flags != 0 && !(Flags & ~(pfInherited | pfChildPos | pfInline)) &&
                         (Flags & (pfInherited | pfInline)) != (pfInherited | pfInline);
      if (!Known) Invalid("Invalid stream format");
      if (Flags & pfChildPos) {
        Position = MinimalInteger(Byte(), "Invalid stream format");
        if (!FitsCode(Position, vaInt32)) Invalid("Invalid stream format");
      }
      First = Byte();
    }
    const std::string ClassName = Bytes(First);
    const std::string Name = Bytes(Byte());
    if (!IsIdentifier(ClassName) || !(Name.empty() || IsIdentifier(Name))) Invalid("Invalid stream format");

    FOut.append(static_cast<size_t>(2 * Level), ' ');
    FOut += Flags & pfInherited ? "inherited " : Flags & pfInline ? "inline " : "object ";
    if (!Name.empty()) FOut += Name + ": ";
    FOut += ClassName;
    if (Flags & pfChildPos) FOut += " [" + std::to_string(Position) + "]";
    PropertyList(Byte(), Level + 1, IsObjectKeyword);
    for (uint8_t B = Byte(); B != 0; B = Byte()) {
      FOut += "\r\n";
      Object(Level + 1, B);
    }
    NewLine(Level);
    FOut += "end";
    --FDepth;
  }

  // Properties up to the 0 byte (First is the first length byte), each on a new line at Level. The
  // text of an object or a collection item ends at a keyword, so no path may start with one.
  void PropertyList(uint8_t First, int Level, bool (*Reserved)(std::string_view)) {
    for (uint8_t N = First; N != 0; N = Byte()) {
      const std::string Path = Bytes(N);
      if (!IsDottedIdentifier(Path) || Reserved(FirstPart(Path))) Invalid("Invalid property path");
      NewLine(Level);
      FOut += Path + " = ";
      Value(Byte(), Level, false);
    }
  }

  // A value whose text starts on a line at Level: after "path = ", or at the start of a list item.
  void Value(uint8_t Code, int Level, bool AtLineStart) {
    switch (Code) {
      case vaNull: FOut += "Null"; return;
      case vaFalse: FOut += "False"; return;
      case vaTrue: FOut += "True"; return;
      case vaNil: FOut += "nil"; return;
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64: FOut += std::to_string(MinimalInteger(Code, "Invalid property value")); return;
      case vaIdent: {
        const std::string Ident = Bytes(Byte());
        if (!IsDottedIdentifier(Ident) || IsValueKeyword(Ident)) Invalid("Invalid property value");
        FOut += Ident;
        return;
      }
      case vaString: return String(Widen(Bytes(Byte())), false, Level, AtLineStart);
      case vaLString: {
        const std::string S = Bytes(Length());
        if (S.size() <= 0xFF) Invalid("Invalid property value");  // the text would give code 6
        return String(Widen(S), false, Level, AtLineStart);
      }
      case vaWString: return WideString(Level, AtLineStart);
      case vaBinary: return Binary(Bytes(Length()), Level);
      case vaSet: return Set();
      case vaList: return List(Level);
      case vaCollection: return Collection(Level);
      case vaExtended: return Float(TFloatFormat::Extended, 10, "");
      case vaSingle: return Float(TFloatFormat::Single, 4, "s");
      case vaDate: return Float(TFloatFormat::Double, 8, "d");
      case vaCurrency: FOut += CurrencyText(Integer(vaInt64)); return;
      default: Invalid("Invalid property value");
    }
  }

  static std::u16string Widen(const std::string& S) {
    std::u16string W(S.size(), u'\0');
    for (size_t I = 0; I < S.size(); ++I) W[I] = static_cast<uint8_t>(S[I]);
    return W;
  }

  void WideString(int Level, bool AtLineStart) {
    const int64_t Count = Length();
    const std::string Raw = Bytes(Count * 2);
    std::u16string W(static_cast<size_t>(Count), u'\0');
    bool Wide = false;
    for (size_t I = 0; I < W.size(); ++I) {
      W[I] = static_cast<char16_t>(static_cast<uint8_t>(Raw[2 * I]) | static_cast<uint8_t>(Raw[2 * I + 1]) << 8);
      Wide = Wide || W[I] > 0xFF;
    }
    if (!Wide) Invalid("Invalid property value");  // the text would give code 6 or 12
    String(W, true, Level, AtLineStart);
  }

  // Runs of plain characters quoted, every other character as "#" and its code. Wide strings quote
  // only ASCII, so their text holds no byte whose meaning depends on a code page.
  void String(const std::u16string& S, bool Wide, int Level, bool AtLineStart) {
    if (S.empty()) {
      FOut += "''";
      return;
    }
    int LineLevel = Level;
    if (S.size() > StringLineLength && !AtLineStart) NewLine(++LineLevel);
    for (size_t Start = 0; Start < S.size(); Start += StringLineLength) {
      if (Start > 0) {
        FOut += " +";
        NewLine(LineLevel);
      }
      bool Quoted = false;
      for (size_t I = Start; I < std::min(S.size(), Start + StringLineLength); ++I) {
        const char16_t C = S[I];
        const bool Plain = C >= ' ' && C != '\'' && (!Wide || C < 0x7F);
        if (Plain != Quoted) {
          FOut += '\'';
          Quoted = Plain;
        }
        if (Plain)
          FOut += static_cast<char>(C);
        else
          FOut += "#" + std::to_string(C);
      }
      if (Quoted) FOut += '\'';
    }
  }

  void Binary(const std::string& Data, int Level) {
    static const char Digits[] = "0123456789ABCDEF";
    FOut += '{';
    for (size_t I = 0; I < Data.size(); ++I) {
      if (Data.size() >= BinaryLineBytes && I % BinaryLineBytes == 0) NewLine(Level + 1);
      const uint8_t B = static_cast<uint8_t>(Data[I]);
      FOut += Digits[B >> 4];
      FOut += Digits[B & 15];
    }
    FOut += '}';
  }

  void Set() {
    FOut += '[';
    for (uint8_t N = Byte(), First = 1; N != 0; N = Byte(), First = 0) {
      const std::string Member = Bytes(N);
      if (!IsIdentifier(Member)) Invalid("Invalid property value");
      if (!First) FOut += ", ";
      FOut += Member;
    }
    FOut += ']';
  }

  void List(int Level) {
    Enter();
    FOut += '(';
    for (uint8_t Code = Byte(); Code != 0; Code = Byte()) {
      NewLine(Level + 1);
      Value(Code, Level + 1, true);
    }
    FOut += ')';
    --FDepth;
  }

  // Items each start with an optional integer ("item [n]") before their property list. A path of
  // 2 to 4 characters would read as that integer; the text reader refuses to write such items.
  void Collection(int Level) {
    Enter();
    FOut += '<';
    for (uint8_t B = Byte(); B != 0; B = Byte()) {
      NewLine(Level + 1);
      FOut += "item";
      if (B == vaInt8 || B == vaInt16 || B == vaInt32) {
        FOut += " [" + std::to_string(MinimalInteger(B, "Invalid property value")) + "]";
        B = Byte();
      }
      PropertyList(B, Level + 2, [](std::string_view Word) { return SameText(Word, "end"); });
      NewLine(Level + 1);
      FOut += "end";
    }
    FOut += '>';
    --FDepth;
  }

  void Float(TFloatFormat Format, int Size, const char* Suffix) {
    uint8_t Raw[10];
    FIn.ReadBuffer(Raw, Size);
    const std::string Text = FloatText(Raw, Format);
    if (Text.empty()) Invalid("Invalid property value");
    FOut += Text + Suffix;
  }

  TStream& FIn;
  std::string FOut;
  int FDepth = 0;
};

// [SECTION] Text to binary

std::string ReadAll(TStream& Input) {
  std::string Text;
  const int64_t Remaining = Input.Remaining();
  if (Remaining >= 0) {
    Text.resize(static_cast<size_t>(Remaining));
    Input.ReadBuffer(Text.data(), Remaining);
    return Text;
  }
  char Chunk[1 << 14];
  for (int64_t N; (N = Input.Read(Chunk, sizeof Chunk)) > 0;) Text.append(Chunk, static_cast<size_t>(N));
  return Text;
}

class TTextToBinary {
 public:
  explicit TTextToBinary(std::string_view Text) : P(Text) {}

  std::string Convert() {
    FOut.append(Signature, 4);
    if (!IsObjectStart()) P.Error("'object' expected");
    Object();
    if (P.Token().Kind != TTokenKind::EndOfText) P.Error("Data after the end of the object");
    return std::move(FOut);
  }

 private:
  bool IsObjectStart() const { return P.IsSymbol("object") || P.IsSymbol("inherited") || P.IsSymbol("inline"); }

  void Enter() {
    if (++FDepth > MaxDepth) P.Error("Nesting too deep");
  }

  void ShortString(std::string_view S) {
    FOut += static_cast<char>(S.size());
    FOut += S;
  }

  void Int32(size_t Value, const char* Message) {
    if (Value > INT32_MAX) P.Error(Message);
    Little(Value, 4);
  }

  void Little(uint64_t Value, int Count) {
    for (int I = 0; I < Count; ++I) FOut += static_cast<char>(Value >> (8 * I));
  }

  void Integer(int64_t Value) {
    const TValueCode Code = SmallestIntegerCode(Value);
    FOut += static_cast<char>(Code);
    Little(static_cast<uint64_t>(Value), IntegerSize(Code));
  }

  // The identifier at the token, which must fit a short string.
  std::string TakeSymbol() {
    std::string S = P.CheckSymbol();
    if (S.size() > 0xFF) P.Error("Identifier too long");
    P.NextToken();
    return S;
  }

  // Identifiers joined by "." (blanks around it allowed).
  std::string DottedName() {
    const int Line = P.Token().Line;
    std::string Name = TakeSymbol();
    while (P.IsChar('.')) {
      P.NextToken();
      Name += "." + TakeSymbol();
    }
    if (Name.size() > 0xFF) P.ErrorAt(Line, "Identifier too long");
    return Name;
  }

  // "[n]" after an object's class or a collection item's keyword.
  int64_t Index() {
    P.NextToken();
    if (P.Token().Kind != TTokenKind::Integer) P.Error("Number expected");
    const int64_t Value = P.Token().Integer;
    if (!FitsCode(Value, vaInt32)) P.Error("Number out of range");
    P.NextToken();
    P.CheckChar(']');
    P.NextToken();
    return Value;
  }

  void Object() {
    Enter();
    uint8_t Flags = P.IsSymbol("inherited") ? pfInherited : P.IsSymbol("inline") ? pfInline : 0;
    P.NextToken();
    int ClassLine = P.Token().Line;
    std::string Name = TakeSymbol();
    std::string ClassName;
    if (P.IsChar(':')) {
      P.NextToken();
      ClassLine = P.Token().Line;
      ClassName = TakeSymbol();
    } else {
      ClassName = std::exchange(Name, std::string());
    }
    int64_t Position = 0;
    if (P.IsChar('[')) {
      Position = Index();
      Flags |= pfChildPos;
    }
    if (Flags) {
      FOut += static_cast<char>(FirstPrefixByte | Flags);
      if (Flags & pfChildPos) Integer(Position);
    } else if (ClassName.size() >= FirstPrefixByte) {
      P.ErrorAt(ClassLine, "Identifier too long");
    }
    ShortString(ClassName);
    ShortString(Name);
    while (!IsObjectStart() && !P.IsSymbol("end")) Property();
    FOut += '\0';
    while (!P.IsSymbol("end")) {
      if (!IsObjectStart()) P.Error("'end' expected");
      Object();
    }
    FOut += '\0';
    P.NextToken();
    --FDepth;
  }

  void Property() {
    ShortString(DottedName());
    P.CheckChar('=');
    P.NextToken();
    Value(false);
  }

  void Value(bool InList) {
    const TToken& T = P.Token();
    switch (T.Kind) {
      case TTokenKind::Integer:
        Integer(T.Integer);
        P.NextToken();
        return;
      case TTokenKind::Float: return Float();
      case TTokenKind::String: return String();
      case TTokenKind::Symbol: return Identifier(InList);
      case TTokenKind::Char:
        switch (T.Char) {
          case '[': return Set();
          case '(': return List();
          case '<': return Collection();
          case '{': return Binary();
        }
        break;
      case TTokenKind::EndOfText: break;
    }
    P.Error("Invalid property value");
  }

  void Float() {
    const TToken& T = P.Token();
    uint8_t Bytes[10];
    bool Fits = true;
    switch (T.FloatSuffix) {
      case 's':
        FOut += static_cast<char>(vaSingle);
        Fits = DecimalToFloat(T.Float, TFloatFormat::Single, Bytes);
        FOut.append(reinterpret_cast<const char*>(Bytes), 4);
        break;
      case 'd':
        FOut += static_cast<char>(vaDate);
        Fits = DecimalToFloat(T.Float, TFloatFormat::Double, Bytes);
        FOut.append(reinterpret_cast<const char*>(Bytes), 8);
        break;
      case 'c': {
        int64_t Units = 0;
        Fits = DecimalToCurrency(T.Float, Units);
        FOut += static_cast<char>(vaCurrency);
        Little(static_cast<uint64_t>(Units), 8);
        break;
      }
      default:
        FOut += static_cast<char>(vaExtended);
        Fits = DecimalToFloat(T.Float, TFloatFormat::Extended, Bytes);
        FOut.append(reinterpret_cast<const char*>(Bytes), 10);
        break;
    }
    if (!Fits) P.Error("Number out of range");
    P.NextToken();
  }

  // Pieces joined by "+"; a "#" code above 255 anywhere makes the whole a wide string.
  void String() {
    std::u16string S = P.Token().String;
    bool Wide = P.Token().Wide;
    for (P.NextToken(); P.IsChar('+'); P.NextToken()) {
      P.NextToken();
      if (P.Token().Kind != TTokenKind::String) P.Error("String expected");
      S += P.Token().String;
      Wide = Wide || P.Token().Wide;
    }
    if (Wide) {
      FOut += static_cast<char>(vaWString);
      Int32(S.size(), "Invalid string constant");
      for (char16_t C : S) Little(C, 2);
      return;
    }
    if (S.size() <= 0xFF) {
      FOut += static_cast<char>(vaString);
      FOut += static_cast<char>(S.size());
    } else {
      FOut += static_cast<char>(vaLString);
      Int32(S.size(), "Invalid string constant");
    }
    for (char16_t C : S) FOut += static_cast<char>(C);
  }

  void Identifier(bool InList) {
    const int Line = P.Token().Line;
    const std::string Name = DottedName();
    if (SameText(Name, "False")) {
      FOut += static_cast<char>(vaFalse);
    } else if (SameText(Name, "True")) {
      FOut += static_cast<char>(vaTrue);
    } else if (SameText(Name, "nil")) {
      FOut += static_cast<char>(vaNil);
    } else if (SameText(Name, "Null")) {
      if (InList) P.ErrorAt(Line, "Invalid property value");  // the 0 byte would end the list
      FOut += static_cast<char>(vaNull);
    } else {
      FOut += static_cast<char>(vaIdent);
      ShortString(Name);
    }
  }

  void Set() {
    FOut += static_cast<char>(vaSet);
    P.NextToken();
    if (!P.IsChar(']')) {
      for (;;) {
        ShortString(TakeSymbol());
        if (P.IsChar(']')) break;
        P.CheckChar(',');
        P.NextToken();
      }
    }
    FOut += '\0';
    P.NextToken();
  }

  void List() {
    Enter();
    FOut += static_cast<char>(vaList);
    for (P.NextToken(); !P.IsChar(')');) {
      if (P.Token().Kind == TTokenKind::EndOfText) P.Error("')' expected");
      Value(true);
    }
    FOut += '\0';
    P.NextToken();
    --FDepth;
  }

  // The binary form cannot tell an item with neither index nor properties from the end of the
  // collection, nor a first path of 2 to 4 characters from an index: such items are refused.
  void Collection() {
    Enter();
    FOut += static_cast<char>(vaCollection);
    for (P.NextToken(); !P.IsChar('>');) {
      if (!P.IsSymbol("item")) P.Error("'item' expected");
      const int ItemLine = P.Token().Line;
      P.NextToken();
      const bool Indexed = P.IsChar('[');
      if (Indexed) Integer(Index());
      const size_t FirstPath = FOut.size();
      while (!P.IsSymbol("end")) Property();
      if (!Indexed) {
        const size_t Length = FOut.size() > FirstPath ? static_cast<uint8_t>(FOut[FirstPath]) : 0;
        if (Length == 0 || (Length >= vaInt8 && Length <= vaInt32)) P.ErrorAt(ItemLine, "Invalid property value");
      }
      FOut += '\0';
      P.NextToken();
    }
    FOut += '\0';
    P.NextToken();
    --FDepth;
  }

  void Binary() {
    const std::vector<uint8_t> Bytes = P.ReadBinary();
    FOut += static_cast<char>(vaBinary);
    Int32(Bytes.size(), "Invalid binary value");
    FOut.append(Bytes.begin(), Bytes.end());
  }

  TParser P;
  std::string FOut;
  int FDepth = 0;
};

}  // namespace

void ObjectBinaryToText(TStream& Input, TStream& Output) {
  const std::string Text = TBinaryToText(Input).Convert();
  Output.WriteBuffer(Text.data(), static_cast<int64_t>(Text.size()));
}

void ObjectTextToBinary(TStream& Input, TStream& Output) {
  const std::string Text = ReadAll(Input);
  const std::string Binary = TTextToBinary(Text).Convert();
  Output.WriteBuffer(Binary.data(), static_cast<int64_t>(Binary.size()));
}
