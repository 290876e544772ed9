// What the editor takes from its command line and where the test windows put the skin.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct TEditorCommandLine {
  // The switches "/plum" "/quartz" "/fjord", exactly so and in this order, as the first three
  // arguments.
  bool ShowMaintenancePanel = false;
  // Otherwise the first argument, opened as a skin file.
  std::optional<std::string> SkinFile;
};

// Arguments without the program name.
TEditorCommandLine ParseEditorCommandLine(const std::vector<std::string>& Arguments);

// ExecutableFolder (ending in a separator) + "temp_skin.mskn".
std::string TempSkinFileName(const std::string& ExecutableFolder);
// Deletes the file; a missing file is no error.
void RemoveTempSkinFile(const std::string& FileName);
