#include "editor/core/editor_startup.h"

#include <filesystem>
#include <system_error>

TEditorCommandLine ParseEditorCommandLine(const std::vector<std::string>& Arguments) {
  TEditorCommandLine Result;
  if (Arguments.size() > 2 && Arguments[0] == "/plum" && Arguments[1] == "/quartz" && Arguments[2] == "/fjord")
    Result.ShowMaintenancePanel = true;
  else if (!Arguments.empty())
    Result.SkinFile = Arguments[0];
  return Result;
}

std::string TempSkinFileName(const std::string& ExecutableFolder) { return ExecutableFolder + "temp_skin.mskn"; }

void RemoveTempSkinFile(const std::string& FileName) {
  std::error_code Ignored;
  std::filesystem::remove(FileName, Ignored);
}
