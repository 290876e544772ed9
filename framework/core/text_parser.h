// The tokenizer of the text form of component streams, and the exact conversion of decimal
// numbers into the binary number forms (integers, IEEE floats, currency) that the text names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Digits (no leading or trailing zeros; empty for zero) times ten to the power Exponent.
struct TDecimal {
  bool Negative = false;
  std::string Digits;
  int64_t Exponent = 0;
};

// Parses "[-]digits[.digits][(e|E)[+|-]digits]" and nothing else.
bool ParseDecimal(std::string_view Text, TDecimal& Value);

enum class TFloatFormat { Single, Double, Extended };

// Rounds Value to the nearest number of Format (ties to even) and stores it little-endian in 4, 8
// or 10 bytes (single, double, 80-bit extended). False when Value is too large for Format; values
// too small for it become a zero of Value's sign.
bool DecimalToFloat(const TDecimal& Value, TFloatFormat Format, uint8_t* Bytes);

// Value times 10000, rounded to the nearest integer (ties to even). False outside 64 bits.
bool DecimalToCurrency(const TDecimal& Value, int64_t& Result);

enum class TTokenKind { EndOfText, Symbol, String, Integer, Float, Char };

struct TToken {
  TTokenKind Kind = TTokenKind::EndOfText;
  int Line = 1;
  std::string Symbol;     // Symbol: the identifier as written
  std::u16string String;  // String: one unit per character code
  bool Wide = false;      // String: a "#" code above 255 occurred
  int64_t Integer = 0;    // Integer
  TDecimal Float;         // Float
  char FloatSuffix = 0;   // Float: 0 (extended), 's', 'c' or 'd'
  char Char = 0;          // Char: any other single character
};

// Reads tokens from a whole text held by the caller. Every error is an EParserError whose message
// ends with " on line N" (1-based), N being the line of the token or character at fault.
class TParser {
 public:
  explicit TParser(std::string_view Text);

  const TToken& Token() const { return FToken; }
  void NextToken();

  bool IsChar(char C) const { return FToken.Kind == TTokenKind::Char && FToken.Char == C; }
  // Compares ignoring letter case.
  bool IsSymbol(std::string_view Keyword) const;
  // "'C' expected" / "Identifier expected" unless the token is that.
  void CheckChar(char C) const;
  const std::string& CheckSymbol() const;

  // With the token at "{": the bytes of the hexadecimal digit pairs up to "}", over any number of
  // lines, then moves to the token after "}". "Invalid binary value" for anything else.
  std::vector<uint8_t> ReadBinary();

  [[noreturn]] void Error(std::string_view Message) const { ErrorAt(FToken.Line, Message); }
  [[noreturn]] void ErrorAt(int Line, std::string_view Message) const;

 private:
  void SkipBlanks();
  void ScanString();
  void ScanNumber();
  void ScanHexNumber(bool Negative);

  std::string_view FText;
  size_t FPos = 0;
  int FLine = 1;
  TToken FToken;
};
