#include "framework/core/sysutils.h"

#include <algorithm>
#include <cctype>

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

bool IsValidIdent(std::string_view S) {
  if (S.empty() || !IsLetter(S[0])) return false;
  return std::all_of(S.begin() + 1, S.end(), [](char C) { return IsLetter(C) || (C >= '0' && C <= '9'); });
}
