#include "framework/core/exceptions.h"

#include <cstdarg>
#include <cstdio>

std::string Format(const char* Fmt, ...) {
  va_list Args;
  va_start(Args, Fmt);
  va_list Copy;
  va_copy(Copy, Args);
  const int Length = std::vsnprintf(nullptr, 0, Fmt, Copy);
  va_end(Copy);
  std::string Result(Length > 0 ? static_cast<size_t>(Length) : 0, '\0');
  if (Length > 0) std::vsnprintf(Result.data(), Result.size() + 1, Fmt, Args);
  va_end(Args);
  return Result;
}
