// The GDI font behind TFont: made on first use, made again after a change.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/graphics/font.h"

TEST(FontHandle, IsCreatedLazilyAndFollowsChanges) {
  TFont Font;
  Font.SetName("Tahoma");
  Font.SetSize(20);
  Font.SetStyle({TFontStyle::fsBold});
  const HFONT First = Font.Handle();
  ASSERT_NE(First, nullptr);
  EXPECT_EQ(Font.Handle(), First) << "kept while nothing changes";
  LOGFONTA Log{};
  ASSERT_EQ(GetObjectA(First, sizeof Log, &Log), int(sizeof Log));
  EXPECT_EQ(Log.lfHeight, Font.Height());
  EXPECT_EQ(Log.lfWeight, FW_BOLD);
  EXPECT_STREQ(Log.lfFaceName, "Tahoma");
  int Changes = 0;
  Font.OnChange = [&Changes] { ++Changes; };
  Font.SetSize(20);
  EXPECT_EQ(Changes, 0) << "setting the same value is no change";
  Font.SetStyle({});
  EXPECT_EQ(Changes, 1);
  ASSERT_EQ(GetObjectA(Font.Handle(), sizeof Log, &Log), int(sizeof Log));
  EXPECT_EQ(Log.lfWeight, FW_NORMAL);
}
