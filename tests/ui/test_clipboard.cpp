// The clipboard: private formats, text in both forms, several formats at once, and opening
// while another thread holds it.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "framework/ui/clipboard.h"

namespace {

class ClipboardTest : public ::testing::Test {
 protected:
  static TClipboardFormat Private() { return TClipboard::RegisterFormat("Vexel.ClipboardTest"); }
};

TEST_F(ClipboardTest, PrivateFormatRoundTripsItsBytes) {
  const TClipboardFormat Format = Private();
  EXPECT_GE(Format, 0xC000u);  // registered formats live above the predefined ones
  EXPECT_EQ(TClipboard::RegisterFormat("Vexel.ClipboardTest"), Format);
  // Zero bytes inside, as in "5@ab\0cd" payloads.
  const std::vector<uint8_t> Bytes{'5', '@', 'a', 'b', 0, 'c', 'd', 0};
  Clipboard().SetBuffer(Format, Bytes);
  EXPECT_TRUE(Clipboard().HasFormat(Format));
  const std::vector<uint8_t> Back = Clipboard().GetBuffer(Format);
  ASSERT_GE(Back.size(), Bytes.size());
  EXPECT_EQ(std::vector<uint8_t>(Back.begin(), Back.begin() + Bytes.size()), Bytes);
}

TEST_F(ClipboardTest, TextRoundTripsInBothForms) {
  Clipboard().SetAsText("255");
  EXPECT_TRUE(Clipboard().HasFormat(cfText));
  EXPECT_EQ(Clipboard().AsText(), "255");
  const std::wstring Wide = L"Gr\u00FC\u00DFe \u20AC \u4E2D";
  Clipboard().SetAsWideText(Wide);
  EXPECT_EQ(Clipboard().AsWideText(), Wide);
  Clipboard().SetAsText("");
  EXPECT_TRUE(Clipboard().HasFormat(cfText));
  EXPECT_EQ(Clipboard().AsText(), "");
}

TEST_F(ClipboardTest, SettingReplacesTheContentUnlessInsideOneLock) {
  const TClipboardFormat Format = Private();
  {
    TClipboardLock Lock(Clipboard());
    Clipboard().SetAsText("both");
    Clipboard().SetBuffer(Format, std::vector<uint8_t>{1, 2, 3});
  }
  EXPECT_FALSE(Clipboard().IsOpen());
  EXPECT_TRUE(Clipboard().HasFormat(Format));
  EXPECT_EQ(Clipboard().AsText(), "both");
  // A later, separate set starts afresh.
  Clipboard().SetAsText("alone");
  EXPECT_FALSE(Clipboard().HasFormat(Format));
  EXPECT_TRUE(Clipboard().GetBuffer(Format).empty());
  Clipboard().Clear();
  EXPECT_FALSE(Clipboard().HasFormat(cfText));
  EXPECT_EQ(Clipboard().AsText(), "");
}

TEST_F(ClipboardTest, OpeningWaitsForAnotherHolderOrGivesUp) {
  std::atomic<bool> Held = false, Release = false;
  std::thread Holder([&] {
    if (!OpenClipboard(nullptr)) return;
    Held = true;
    while (!Release) Sleep(5);
    CloseClipboard();
  });
  while (!Held) Sleep(1);
  // Held for good: the clipboard gives up with an error and frees the block it was handed.
  EXPECT_THROW(Clipboard().SetAsText("never"), EClipboardError);
  EXPECT_FALSE(Clipboard().IsOpen());
  // Released while we wait: the retry gets it.
  std::thread Releaser([&] {
    Sleep(150);
    Release = true;
  });
  EXPECT_NO_THROW(Clipboard().SetAsText("later"));
  Releaser.join();
  Holder.join();
  EXPECT_EQ(Clipboard().AsText(), "later");
}

}  // namespace
