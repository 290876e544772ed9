#include "framework/ui/shell.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

namespace {

TShellOpenHandler& InstalledHandler() {
  static TShellOpenHandler Handler;
  return Handler;
}

}  // namespace

TShellOpenHandler SetShellOpenHandler(TShellOpenHandler Handler) {
  TShellOpenHandler Old = std::move(InstalledHandler());
  InstalledHandler() = std::move(Handler);
  return Old;
}

bool ShellOpen(const std::string& FileOrUrl) {
  if (FileOrUrl.empty()) return false;
  if (const TShellOpenHandler& Handler = InstalledHandler()) return Handler(FileOrUrl);
  // Values above 32 mean success.
  const auto Result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(GetActiveWindow(), "open", FileOrUrl.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return Result > 32;
}
