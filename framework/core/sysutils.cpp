#include "framework/core/sysutils.h"

#include <algorithm>
#include <cctype>

#include "framework/core/exceptions.h"

namespace {
char Lower(char C) { return char(std::tolower(static_cast<unsigned char>(C))); }
bool IsLetter(char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_'; }
}  // namespace

bool SameText(std::string_view A, std::string_view B) {
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) { return Lower(X) == Lower(Y); });
}

std::string LowerCase(std::string_view S) {
  std::string Result(S);
  std::transform(Result.begin(), Result.end(), Result.begin(), Lower);
  return Result;
}

std::string UpperCase(std::string_view S) {
  std::string Result(S);
  std::transform(Result.begin(), Result.end(), Result.begin(),
                 [](char C) { return char(std::toupper(static_cast<unsigned char>(C))); });
  return Result;
}

std::string Trim(std::string_view S) {
  const auto Blank = [](char C) { return static_cast<unsigned char>(C) <= ' '; };
  size_t First = 0, Last = S.size();
  while (First < Last && Blank(S[First])) ++First;
  while (Last > First && Blank(S[Last - 1])) --Last;
  return std::string(S.substr(First, Last - First));
}

int32_t StrToInt(std::string_view S) {
  const auto Fail = [S]() -> int32_t {
    throw EConvertError(Format("'%s' is not a valid integer value", std::string(S).c_str()));
  };
  size_t I = 0;
  const bool Negative = I < S.size() && S[I] == '-';
  if (I < S.size() && (S[I] == '-' || S[I] == '+')) ++I;
  unsigned Base = 10;
  if (I < S.size() && S[I] == '$') {
    Base = 16;
    ++I;
  } else if (I + 1 < S.size() && S[I] == '0' && (S[I + 1] == 'x' || S[I + 1] == 'X')) {
    Base = 16;
    I += 2;
  }
  if (I == S.size()) return Fail();
  int64_t Value = 0;
  for (; I < S.size(); ++I) {
    const char C = Lower(S[I]);
    unsigned Digit;
    if (C >= '0' && C <= '9') Digit = unsigned(C - '0');
    else if (Base == 16 && C >= 'a' && C <= 'f') Digit = unsigned(C - 'a' + 10);
    else return Fail();
    Value = Value * Base + Digit;
    // Hexadecimal may spell the full 32 bits (a negative number); decimal must fit the sign.
    if (Value > (Base == 16 ? int64_t(0xFFFFFFFF) : int64_t(0x80000000))) return Fail();
  }
  if (Base == 16) Value = int64_t(int32_t(uint32_t(Value)));
  if (Negative) Value = -Value;
  if (Value < INT32_MIN || Value > INT32_MAX) return Fail();
  return int32_t(Value);
}

bool IsValidIdent(std::string_view S) {
  if (S.empty() || !IsLetter(S[0])) return false;
  return std::all_of(S.begin() + 1, S.end(), [](char C) { return IsLetter(C) || (C >= '0' && C <= '9'); });
}
