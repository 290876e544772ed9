#include <gtest/gtest.h>

#include <fstream>

#include "editor/core/editor_startup.h"
#include "editor_test_support.h"

namespace {

TEST(EditorStartup, CommandLine) {
  struct Case {
    std::vector<std::string> Arguments;
    bool Maintenance;
    std::optional<std::string> File;
  };
  const Case Cases[] = {
      {{}, false, std::nullopt},
      {{"/plum", "/quartz", "/fjord"}, true, std::nullopt},
      {{"/plum", "/quartz", "/fjord", "skin.kskn"}, true, std::nullopt},
      {{"/plum", "x"}, false, "/plum"},
      {{"/plum", "/quartz"}, false, "/plum"},
      {{"/PLUM", "/quartz", "/fjord"}, false, "/PLUM"},
      {{"/plum", "/fjord", "/quartz"}, false, "/plum"},
      {{"my skin.kskn"}, false, "my skin.kskn"},
  };
  for (const Case& C : Cases) {
    const TEditorCommandLine Line = ParseEditorCommandLine(C.Arguments);
    EXPECT_EQ(Line.ShowMaintenancePanel, C.Maintenance) << ::testing::PrintToString(C.Arguments);
    EXPECT_EQ(Line.SkinFile, C.File) << ::testing::PrintToString(C.Arguments);
  }
}

TEST(EditorStartup, TempSkinFileBesideTheProgram) {
  EXPECT_EQ(TempSkinFileName("C:\\Program Files\\Pellan\\"), "C:\\Program Files\\Pellan\\temp_skin.mskn");
  TTempFolder Folder;
  const std::string Name = TempSkinFileName(Folder.File(""));
  std::ofstream(Name) << "x";
  ASSERT_TRUE(std::filesystem::exists(Name));
  RemoveTempSkinFile(Name);
  EXPECT_FALSE(std::filesystem::exists(Name));
  RemoveTempSkinFile(Name);  // already gone: no error
}

}  // namespace
