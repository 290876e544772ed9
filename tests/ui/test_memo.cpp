// TMemo: its lines and its window text stay in step both ways.
#include "framework/ui/memo.h"
#include "ui_fixture.h"

namespace {

class MemoTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Memo = new TMemo(Form.get());
    Memo->SetParent(Form.get());
  }
  std::string WindowText() {
    std::string S(size_t(GetWindowTextLengthA(Memo->Handle())) + 1, '\0');
    S.resize(size_t(GetWindowTextA(Memo->Handle(), S.data(), int(S.size()))));
    return S;
  }
  TMemo* Memo = nullptr;
};

TEST_F(MemoTest, LinesAndTextFollowEachOther) {
  int Changes = 0;
  Memo->OnChange = [&](TObject*) { ++Changes; };
  for (const char* Line : {"Bitmap Button.bmp saved as C:\\out\\Button.bmp", "", "last"}) Memo->Lines().Add(Line);
  EXPECT_EQ(WindowText(), "Bitmap Button.bmp saved as C:\\out\\Button.bmp\r\n\r\nlast");
  EXPECT_EQ(Memo->Text(), WindowText());
  EXPECT_EQ(Changes, 3);

  // Typing into the window changes the lines.
  const auto End = GetWindowTextLengthA(Memo->Handle());
  SendMessageA(Memo->Handle(), EM_SETSEL, WPARAM(End), LPARAM(End));
  SendMessageA(Memo->Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(" line\r\nmore"));
  EXPECT_EQ(Memo->Lines().List(),
            (std::vector<std::string>{"Bitmap Button.bmp saved as C:\\out\\Button.bmp", "", "last line", "more"}));
  Memo->Lines().Delete(0);
  Memo->Lines().SetStrings(0, "first");
  EXPECT_EQ(WindowText(), "first\r\nlast line\r\nmore");

  // Text set as a whole splits at CR LF and at a lone LF; a final line break ends the last line.
  Memo->SetText("a\nb\r\nc\r\n");
  EXPECT_EQ(Memo->Lines().List(), (std::vector<std::string>{"a", "b", "c", ""}));
  Memo->Lines().Clear();
  EXPECT_EQ(WindowText(), "");
  EXPECT_EQ(Memo->Lines().Count(), 0);
}

TEST_F(MemoTest, LinesSetBeforeTheWindowExistsReachIt) {
  TMemo Loose;
  Loose.Lines().Add("one");
  Loose.Lines().Add("two");
  EXPECT_EQ(Loose.Text(), "one\r\ntwo");
  Loose.SetParent(Form.get());
  char Text[32] = {};
  GetWindowTextA(Loose.Handle(), Text, sizeof Text);
  EXPECT_STREQ(Text, "one\r\ntwo");
  // Changing the scroll bars re-creates the window and keeps the text.
  Loose.SetScrollBars(TScrollStyle::ssVertical);
  EXPECT_TRUE(GetWindowLongPtrA(Loose.Handle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(Loose.Lines().Count(), 2);
  GetWindowTextA(Loose.Handle(), Text, sizeof Text);
  EXPECT_STREQ(Text, "one\r\ntwo");
  Loose.SetParent(nullptr);
}

TEST_F(MemoTest, ALineAddedAtTheEndIsScrolledIntoView) {
  Memo->SetBounds(0, 0, 150, 60);
  Memo->SetScrollBars(TScrollStyle::ssVertical);
  Memo->HandleNeeded();
  for (int I = 0; I < 40; ++I) Memo->Lines().Add("Line " + std::to_string(I));
  EXPECT_GT(SendMessageA(Memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 30);
}

}  // namespace
