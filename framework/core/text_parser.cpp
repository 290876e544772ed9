#include "framework/core/text_parser.h"

#include <algorithm>

#include "framework/core/exceptions.h"

// [SECTION] Exact decimal conversion
//
// A decimal is turned into a binary number with natural-number arithmetic on the exact fraction
// Digits * 10^Exponent, so the result is the correctly rounded one on every platform (the
// library's long double parsing is not exact everywhere).

namespace {

bool IsDigit(char C) { return C >= '0' && C <= '9'; }
bool IsIdentStart(char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_'; }
bool IsIdentChar(char C) { return IsIdentStart(C) || IsDigit(C); }
int HexValue(char C) {
  if (IsDigit(C)) return C - '0';
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  return -1;
}
char Lower(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; }

// Digits beyond this carry no weight for the formats here; one sticky digit keeps the rounding.
constexpr size_t MaxSignificantDigits = 800;
constexpr int64_t MaxExponentText = 1000000000;

class TNatural {
 public:
  explicit TNatural(uint64_t Value = 0) {
    for (; Value; Value >>= 32) FLimbs.push_back(static_cast<uint32_t>(Value));
  }

  static TNatural FromDigits(std::string_view Digits) {
    TNatural Result;
    for (char C : Digits) Result.MulAdd(10, static_cast<uint32_t>(C - '0'));
    return Result;
  }

  int64_t BitLength() const {
    if (FLimbs.empty()) return 0;
    uint32_t Top = FLimbs.back();
    int Bits = 0;
    for (; Top; Top >>= 1) ++Bits;
    return int64_t(FLimbs.size() - 1) * 32 + Bits;
  }

  void MulAdd(uint32_t Factor, uint32_t Addend) {
    uint64_t Carry = Addend;
    for (uint32_t& Limb : FLimbs) {
      const uint64_t T = uint64_t(Limb) * Factor + Carry;
      Limb = static_cast<uint32_t>(T);
      Carry = T >> 32;
    }
    if (Carry) FLimbs.push_back(static_cast<uint32_t>(Carry));
  }

  void MulPow10(int64_t N) {
    static const uint32_t Powers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};
    for (; N >= 9; N -= 9) MulAdd(Powers[9], 0);
    if (N > 0) MulAdd(Powers[N], 0);
  }

  TNatural Shifted(int64_t Bits) const {
    TNatural Result;
    if (FLimbs.empty()) return Result;
    const size_t Whole = static_cast<size_t>(Bits / 32);
    const int Part = static_cast<int>(Bits % 32);
    Result.FLimbs.assign(Whole, 0);
    uint32_t Carry = 0;
    for (uint32_t Limb : FLimbs) {
      Result.FLimbs.push_back(Part ? (Limb << Part) | Carry : Limb);
      Carry = Part ? Limb >> (32 - Part) : 0;
    }
    if (Carry) Result.FLimbs.push_back(Carry);
    return Result;
  }

  friend int Compare(const TNatural& A, const TNatural& B) {
    if (A.FLimbs.size() != B.FLimbs.size()) return A.FLimbs.size() < B.FLimbs.size() ? -1 : 1;
    for (size_t I = A.FLimbs.size(); I-- > 0;)
      if (A.FLimbs[I] != B.FLimbs[I]) return A.FLimbs[I] < B.FLimbs[I] ? -1 : 1;
    return 0;
  }

  // Shifts right by one bit.
  void HalveExactly() {
    for (size_t I = 0; I < FLimbs.size(); ++I)
      FLimbs[I] = FLimbs[I] >> 1 | (I + 1 < FLimbs.size() ? FLimbs[I + 1] << 31 : 0);
    while (!FLimbs.empty() && FLimbs.back() == 0) FLimbs.pop_back();
  }

  // Requires *this >= B.
  void Subtract(const TNatural& B) {
    int64_t Borrow = 0;
    for (size_t I = 0; I < FLimbs.size(); ++I) {
      int64_t T = int64_t(FLimbs[I]) - Borrow - (I < B.FLimbs.size() ? int64_t(B.FLimbs[I]) : 0);
      Borrow = T < 0;
      FLimbs[I] = static_cast<uint32_t>(T + (Borrow << 32));
    }
    while (!FLimbs.empty() && FLimbs.back() == 0) FLimbs.pop_back();
  }

 private:
  std::vector<uint32_t> FLimbs;
};

// Quotient of Remainder / Divisor when it is below 2^Bits (Bits <= 64); Remainder keeps the rest.
uint64_t DivideShort(TNatural& Remainder, const TNatural& Divisor, int Bits) {
  uint64_t Quotient = 0;
  TNatural Step = Divisor.Shifted(Bits - 1);
  for (int I = Bits - 1; I >= 0; --I, Step.HalveExactly()) {
    if (Compare(Remainder, Step) >= 0) {
      Remainder.Subtract(Step);
      Quotient |= uint64_t(1) << I;
    }
  }
  return Quotient;
}

// Whether the quotient of a division must be rounded up: ties go to the even quotient.
bool RoundsUp(const TNatural& Remainder, const TNatural& Divisor, uint64_t Quotient) {
  const int C = Compare(Remainder.Shifted(1), Divisor);
  return C > 0 || (C == 0 && (Quotient & 1));
}

// The fraction Value = Numerator / Denominator, without its sign.
struct TFraction {
  TNatural Numerator;
  TNatural Denominator{1};
};

TFraction ToFraction(const TDecimal& Value, int64_t ExtraExponent) {
  TFraction F{TNatural::FromDigits(Value.Digits)};
  const int64_t Exponent = Value.Exponent + ExtraExponent;
  if (Exponent >= 0)
    F.Numerator.MulPow10(Exponent);
  else
    F.Denominator.MulPow10(-Exponent);
  return F;
}

struct TFloatLayout {
  int Precision;  // significant bits, the leading one included
  int MinExponent;
  int MaxExponent;
  int Bias;
  // Values below 10^ZeroBelow round to zero, values from 10^OverflowFrom on overflow.
  int ZeroBelow;
  int OverflowFrom;
};

TFloatLayout LayoutOf(TFloatFormat Format) {
  switch (Format) {
    case TFloatFormat::Single: return {24, -126, 127, 127, -46, 39};
    case TFloatFormat::Double: return {53, -1022, 1023, 1023, -324, 309};
    case TFloatFormat::Extended: break;
  }
  return {64, -16382, 16383, 16383, -4951, 4933};
}

void StoreFloat(TFloatFormat Format, bool Negative, int BiasedExponent, uint64_t Significand, uint8_t* Bytes) {
  auto Store = [](uint64_t Bits, int Count, uint8_t* To) {
    for (int I = 0; I < Count; ++I) To[I] = static_cast<uint8_t>(Bits >> (8 * I));
  };
  const uint64_t Sign = Negative ? 1 : 0;
  switch (Format) {
    case TFloatFormat::Single:
      Store(Sign << 31 | uint64_t(BiasedExponent) << 23 | (Significand & 0x7FFFFF), 4, Bytes);
      return;
    case TFloatFormat::Double:
      Store(Sign << 63 | uint64_t(BiasedExponent) << 52 | (Significand & 0xFFFFFFFFFFFFF), 8, Bytes);
      return;
    case TFloatFormat::Extended:
      // The extended form stores its leading bit.
      Store(Significand, 8, Bytes);
      Store(Sign << 15 | uint64_t(BiasedExponent), 2, Bytes + 8);
      return;
  }
}

}  // namespace

bool ParseDecimal(std::string_view Text, TDecimal& Value) {
  size_t I = 0;
  Value = TDecimal{};
  if (I < Text.size() && Text[I] == '-') {
    Value.Negative = true;
    ++I;
  }
  std::string Digits;
  const size_t IntegerStart = I;
  while (I < Text.size() && IsDigit(Text[I])) Digits += Text[I++];
  if (I == IntegerStart) return false;
  int64_t Exponent = 0;
  if (I < Text.size() && Text[I] == '.') {
    const size_t FractionStart = ++I;
    while (I < Text.size() && IsDigit(Text[I])) Digits += Text[I++];
    if (I == FractionStart) return false;
    Exponent = -int64_t(I - FractionStart);
  }
  if (I < Text.size() && (Text[I] == 'e' || Text[I] == 'E')) {
    ++I;
    bool Minus = false;
    if (I < Text.size() && (Text[I] == '+' || Text[I] == '-')) Minus = Text[I++] == '-';
    const size_t ExponentStart = I;
    int64_t Written = 0;
    while (I < Text.size() && IsDigit(Text[I])) Written = std::min(MaxExponentText, Written * 10 + (Text[I++] - '0'));
    if (I == ExponentStart) return false;
    Exponent += Minus ? -Written : Written;
  }
  if (I != Text.size()) return false;

  const size_t First = Digits.find_first_not_of('0');
  if (First == std::string::npos) return true;
  const size_t Last = Digits.find_last_not_of('0');
  Exponent += int64_t(Digits.size() - 1 - Last);
  Digits = Digits.substr(First, Last + 1 - First);
  if (Digits.size() > MaxSignificantDigits) {
    const size_t Dropped = Digits.size() - (MaxSignificantDigits - 1);
    Digits.resize(MaxSignificantDigits - 1);
    Digits += '1';  // the dropped digits end in a non-zero one: exactly "a little more"
    Exponent += int64_t(Dropped) - 1;
  }
  Value.Digits = std::move(Digits);
  Value.Exponent = Exponent;
  return true;
}

bool DecimalToFloat(const TDecimal& Value, TFloatFormat Format, uint8_t* Bytes) {
  const TFloatLayout L = LayoutOf(Format);
  // 10^(Magnitude - 1) <= Value < 10^Magnitude; the bounds keep the arithmetic small.
  const int64_t Magnitude = int64_t(Value.Digits.size()) + Value.Exponent;
  if (!Value.Digits.empty() && Magnitude - 1 >= L.OverflowFrom) return false;
  if (Value.Digits.empty() || Magnitude <= L.ZeroBelow) {
    StoreFloat(Format, Value.Negative, 0, 0, Bytes);
    return true;
  }
  TFraction F = ToFraction(Value, 0);
  // E = floor(log2 Value).
  const int64_t T = F.Numerator.BitLength() - F.Denominator.BitLength();
  const bool AtLeast =
      Compare(F.Numerator.Shifted(std::max<int64_t>(0, -T)), F.Denominator.Shifted(std::max<int64_t>(0, T))) >= 0;
  const int64_t E = AtLeast ? T : T - 1;
  if (E > L.MaxExponent) return false;
  if (E < L.MinExponent - L.Precision - 1) {
    StoreFloat(Format, Value.Negative, 0, 0, Bytes);
    return true;
  }
  // Value = Significand * 2^Unit, with Precision bits (fewer below the normal range).
  int64_t Unit = std::max<int64_t>(E, L.MinExponent) - (L.Precision - 1);
  TNatural Remainder = F.Numerator.Shifted(std::max<int64_t>(0, -Unit));
  const TNatural Divisor = F.Denominator.Shifted(std::max<int64_t>(0, Unit));
  uint64_t Significand = DivideShort(Remainder, Divisor, L.Precision);
  const uint64_t Leading = uint64_t(1) << (L.Precision - 1);
  if (RoundsUp(Remainder, Divisor, Significand)) {
    ++Significand;
    const bool Carried = L.Precision == 64 ? Significand == 0 : Significand == Leading << 1;
    if (Carried) {
      Significand = Leading;
      ++Unit;
    }
  }
  int BiasedExponent = 0;
  if (Significand >= Leading) {
    const int64_t Top = Unit + L.Precision - 1;
    if (Top > L.MaxExponent) return false;
    BiasedExponent = static_cast<int>(Top + L.Bias);
  }
  StoreFloat(Format, Value.Negative, BiasedExponent, Significand, Bytes);
  return true;
}

bool DecimalToCurrency(const TDecimal& Value, int64_t& Result) {
  Result = 0;
  const int64_t Magnitude = int64_t(Value.Digits.size()) + Value.Exponent + 4;  // Value * 10^4 < 10^Magnitude
  if (Value.Digits.empty() || Magnitude < -1) return true;
  if (Magnitude > 20) return false;
  TFraction F = ToFraction(Value, 4);
  if (Compare(F.Numerator, F.Denominator.Shifted(64)) >= 0) return false;
  uint64_t Units = DivideShort(F.Numerator, F.Denominator, 64);
  if (RoundsUp(F.Numerator, F.Denominator, Units) && ++Units == 0) return false;
  const uint64_t Limit = Value.Negative ? uint64_t(1) << 63 : (uint64_t(1) << 63) - 1;
  if (Units > Limit) return false;
  Result = static_cast<int64_t>(Value.Negative ? 0 - Units : Units);
  return true;
}

// [SECTION] Tokenizer

TParser::TParser(std::string_view Text) : FText(Text) { NextToken(); }

void TParser::ErrorAt(int Line, std::string_view Message) const {
  throw EParserError(std::string(Message) + " on line " + std::to_string(Line));
}

bool TParser::IsSymbol(std::string_view Keyword) const {
  if (FToken.Kind != TTokenKind::Symbol || FToken.Symbol.size() != Keyword.size()) return false;
  for (size_t I = 0; I < Keyword.size(); ++I)
    if (Lower(FToken.Symbol[I]) != Lower(Keyword[I])) return false;
  return true;
}

void TParser::CheckChar(char C) const {
  if (!IsChar(C)) Error(std::string("'") + C + "' expected");
}

const std::string& TParser::CheckSymbol() const {
  if (FToken.Kind != TTokenKind::Symbol) Error("Identifier expected");
  return FToken.Symbol;
}

// Every character up to the blank is white space; CR LF, LF and a lone CR each end a line.
void TParser::SkipBlanks() {
  while (FPos < FText.size() && static_cast<uint8_t>(FText[FPos]) <= ' ') {
    const char C = FText[FPos++];
    if (C == '\n' || (C == '\r' && (FPos >= FText.size() || FText[FPos] != '\n'))) ++FLine;
  }
}

void TParser::NextToken() {
  SkipBlanks();
  FToken = TToken{};
  FToken.Line = FLine;
  if (FPos >= FText.size()) return;
  const char C = FText[FPos];
  const char Next = FPos + 1 < FText.size() ? FText[FPos + 1] : '\0';
  if (IsIdentStart(C)) {
    const size_t Start = FPos;
    while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
    FToken.Kind = TTokenKind::Symbol;
    FToken.Symbol = std::string(FText.substr(Start, FPos - Start));
  } else if (C == '\'' || C == '#') {
    ScanString();
  } else if (IsDigit(C) || (C == '-' && IsDigit(Next))) {
    ScanNumber();
  } else if (C == '$' && HexValue(Next) >= 0) {
    ScanHexNumber(false);
  } else if (C == '-' && Next == '$' && FPos + 2 < FText.size() && HexValue(FText[FPos + 2]) >= 0) {
    ++FPos;
    ScanHexNumber(true);
  } else {
    FToken.Kind = TTokenKind::Char;
    FToken.Char = C;
    ++FPos;
  }
}

// Quoted runs (a doubled apostrophe stands for one) and "#" codes, with nothing between them.
void TParser::ScanString() {
  FToken.Kind = TTokenKind::String;
  for (;;) {
    if (FPos < FText.size() && FText[FPos] == '\'') {
      ++FPos;
      for (;;) {
        if (FPos >= FText.size() || FText[FPos] == '\r' || FText[FPos] == '\n' || FText[FPos] == '\0')
          Error("Invalid string constant");
        const char C = FText[FPos++];
        if (C == '\'') {
          if (FPos >= FText.size() || FText[FPos] != '\'') break;
          ++FPos;
        }
        FToken.String += static_cast<char16_t>(static_cast<uint8_t>(C));
      }
    } else if (FPos < FText.size() && FText[FPos] == '#') {
      ++FPos;
      const bool Hex = FPos < FText.size() && FText[FPos] == '$';
      if (Hex) ++FPos;
      const size_t Start = FPos;
      uint32_t Code = 0;
      for (; FPos < FText.size(); ++FPos) {
        const int Digit = Hex ? HexValue(FText[FPos]) : (IsDigit(FText[FPos]) ? FText[FPos] - '0' : -1);
        if (Digit < 0) break;
        Code = Code * (Hex ? 16 : 10) + static_cast<uint32_t>(Digit);
        if (Code > 0xFFFF) Error("Invalid string constant");
      }
      if (FPos == Start) Error("Invalid string constant");
      FToken.String += static_cast<char16_t>(Code);
      if (Code > 0xFF) FToken.Wide = true;
    } else {
      return;
    }
  }
}

// Decimal integers, and floats: a decimal point or an exponent or a type suffix.
void TParser::ScanNumber() {
  const size_t Start = FPos;
  if (FText[FPos] == '-') ++FPos;
  while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
  bool IsFloat = false;
  if (FPos + 1 < FText.size() && FText[FPos] == '.' && IsDigit(FText[FPos + 1])) {
    FPos += 2;
    while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    IsFloat = true;
  }
  if (FPos < FText.size() && Lower(FText[FPos]) == 'e') {
    size_t I = FPos + 1;
    if (I < FText.size() && (FText[I] == '+' || FText[I] == '-')) ++I;
    if (I < FText.size() && IsDigit(FText[I])) {
      FPos = I;
      while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
      IsFloat = true;
    }
  }
  const std::string_view Number = FText.substr(Start, FPos - Start);
  if (FPos < FText.size()) {
    const char Suffix = Lower(FText[FPos]);
    const bool Alone = FPos + 1 >= FText.size() || !IsIdentChar(FText[FPos + 1]);
    if ((Suffix == 's' || Suffix == 'c' || Suffix == 'd') && Alone) {
      FToken.FloatSuffix = Suffix;
      ++FPos;
      IsFloat = true;
    }
  }
  if (IsFloat) {
    FToken.Kind = TTokenKind::Float;
    ParseDecimal(Number, FToken.Float);
    return;
  }
  const bool Negative = Number[0] == '-';
  const uint64_t Limit = Negative ? uint64_t(1) << 63 : (uint64_t(1) << 63) - 1;
  uint64_t Value = 0;
  for (char C : Number.substr(Negative ? 1 : 0)) {
    const uint64_t Digit = static_cast<uint64_t>(C - '0');
    if (Value > (Limit - Digit) / 10) Error("Number out of range");
    Value = Value * 10 + Digit;
  }
  FToken.Kind = TTokenKind::Integer;
  FToken.Integer = static_cast<int64_t>(Negative ? 0 - Value : Value);
}

// "$" and up to 16 significant hexadecimal digits, taken as a 64-bit two's complement pattern.
void TParser::ScanHexNumber(bool Negative) {
  ++FPos;
  uint64_t Value = 0;
  for (; FPos < FText.size() && HexValue(FText[FPos]) >= 0; ++FPos) {
    if (Value >> 60) Error("Number out of range");
    Value = Value << 4 | static_cast<uint64_t>(HexValue(FText[FPos]));
  }
  FToken.Kind = TTokenKind::Integer;
  FToken.Integer = static_cast<int64_t>(Negative ? 0 - Value : Value);
}

std::vector<uint8_t> TParser::ReadBinary() {
  std::vector<uint8_t> Bytes;
  int High = -1;
  for (;;) {
    if (FPos >= FText.size()) ErrorAt(FLine, "Invalid binary value");
    const char C = FText[FPos];
    if (C == '}') break;
    if (static_cast<uint8_t>(C) <= ' ') {
      SkipBlanks();
      continue;
    }
    const int Digit = HexValue(C);
    if (Digit < 0) ErrorAt(FLine, "Invalid binary value");
    ++FPos;
    if (High < 0) {
      High = Digit;
    } else {
      Bytes.push_back(static_cast<uint8_t>(High << 4 | Digit));
      High = -1;
    }
  }
  if (High >= 0) ErrorAt(FLine, "Invalid binary value");
  ++FPos;
  NextToken();
  return Bytes;
}
