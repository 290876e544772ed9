// Controls bound to actions: they show the action's caption, state and hint, and a click runs it.
#include "framework/ui/actions.h"
#include "framework/ui/stdctrls.h"
#include "ui_fixture.h"

namespace {

class ControlActionTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    List = new TActionList(Form.get());
    Save = new TAction(Form.get());
    Save->SetActionList(List);
    Save->SetCaption("Save");
    Save->SetHint("Save the skin");
    Save->OnExecute = [this](TAction*) { ++Runs; };
    Button = new TButton(Form.get());
    Button->SetParent(Form.get());
  }
  std::string WindowText() {
    char Text[64] = {};
    GetWindowTextA(Button->Handle(), Text, sizeof Text);
    return Text;
  }
  void Press() { SendMessageA(Button->Handle(), BM_CLICK, 0, 0); }

  TActionList* List = nullptr;
  TAction* Save = nullptr;
  TButton* Button = nullptr;
  int Runs = 0;
};

TEST_F(ControlActionTest, AButtonShowsItsActionAndRunsIt) {
  Button->SetAction(Save);
  EXPECT_EQ(Button->Action(), Save);
  EXPECT_EQ(Button->Caption(), "Save");
  EXPECT_EQ(WindowText(), "Save");
  EXPECT_EQ(Button->Hint(), "Save the skin");
  Press();
  EXPECT_EQ(Runs, 1);

  // State follows the action, also when its update handler sets it while the application idles.
  Save->SetEnabled(false);
  EXPECT_FALSE(Button->Enabled());
  EXPECT_FALSE(IsWindowEnabled(Button->Handle()));
  Button->Click();
  EXPECT_EQ(Runs, 1);
  Save->OnUpdate = [](TAction* A) { A->SetEnabled(true); };
  List->UpdateActions();
  EXPECT_TRUE(Button->Enabled());
  Save->SetVisible(false);
  EXPECT_FALSE(Button->Visible());
  Save->SetVisible(true);
  Save->SetCaption("Save as...");
  EXPECT_EQ(WindowText(), "Save as...");

  // A caption of the button's own stops following; the rest still follows.
  Button->SetCaption("Store");
  Save->SetCaption("Save");
  EXPECT_EQ(Button->Caption(), "Store");
  Save->SetEnabled(false);
  EXPECT_FALSE(Button->Enabled());
  Save->SetEnabled(true);

  // An OnClick of its own runs instead of the action.
  int Clicks = 0;
  Button->OnClick = [&](TObject*) { ++Clicks; };
  Press();
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Runs, 1);
}

TEST_F(ControlActionTest, AFreedActionLeavesTheControlUnbound) {
  Button->SetAction(Save);
  delete Save;
  Save = nullptr;
  EXPECT_EQ(Button->Action(), nullptr);
  EXPECT_EQ(Button->Caption(), "Save");
  Press();
  EXPECT_EQ(Runs, 0);
  // Unbinding keeps what was shown.
  auto* Open = new TAction(Form.get());
  Open->SetCaption("Open...");
  Button->SetAction(Open);
  Button->SetAction(nullptr);
  Open->SetCaption("Open");
  EXPECT_EQ(Button->Caption(), "Open...");
}

}  // namespace
