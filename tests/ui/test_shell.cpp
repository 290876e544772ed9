// The shell's open verb through its seam.
#include <gtest/gtest.h>

#include <vector>

#include "framework/ui/shell.h"

namespace {

TEST(ShellOpenTest, GoesThroughTheHandlerAndAnswersItsResult) {
  std::vector<std::string> Opened;
  bool Answer = true;
  SetShellOpenHandler([&](const std::string& What) {
    Opened.push_back(What);
    return Answer;
  });
  EXPECT_TRUE(ShellOpen("https://example.org/pellan"));
  Answer = false;
  EXPECT_FALSE(ShellOpen("C:\\skins\\slate.kskn"));
  // Nothing to open: not even the handler hears of it.
  EXPECT_FALSE(ShellOpen(""));
  EXPECT_EQ(Opened, (std::vector<std::string>{"https://example.org/pellan", "C:\\skins\\slate.kskn"}));
  const TShellOpenHandler Previous = SetShellOpenHandler(nullptr);
  EXPECT_TRUE(Previous != nullptr);
}

}  // namespace
