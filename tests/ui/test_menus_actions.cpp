// Actions, action links and menus: shortcut text, menu items following their actions, the
// platform menus built from the item tree, menu commands and popup menus driven by keys.
#include "framework/ui/actions.h"
#include "framework/ui/menus.h"
#include "framework/ui/stdctrls.h"
#include "ui_fixture.h"

namespace {

// [Shortcut text]

TEST(ShortCutText, KnownShortCutsConvertBothWays) {
  struct Case {
    TShortCut Value;
    const char* Text;
  } const Cases[] = {
      {0x404E, "Ctrl+N"},  // key code in the low byte, Ctrl 0x4000
      {0x4000 | 'O', "Ctrl+O"},
      {0x4000 | 'Z', "Ctrl+Z"},
      {0x2000 | 0x4000 | VK_F5, "Shift+Ctrl+F5"},
      {0x8000 | VK_DELETE, "Alt+Del"},
      {0xE000 | 'S', "Shift+Ctrl+Alt+S"},
      {VK_RETURN, "Enter"},
      {VK_F12, "F12"},
      {0x4000 | '0', "Ctrl+0"},
      {0x4000 | VK_ADD, "Ctrl+Num +"},
      {0x2000 | VK_NUMPAD7, "Shift+Num 7"},
      {VK_PRIOR, "PgUp"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    EXPECT_EQ(ShortCutToText(C.Value), C.Text);
    EXPECT_EQ(TextToShortCut(C.Text), C.Value);
  }
}

TEST(ShortCutText, TextIsReadWhateverTheLetterCaseAndModifierOrder) {
  EXPECT_EQ(TextToShortCut("ctrl+n"), 0x404E);
  EXPECT_EQ(TextToShortCut("Alt+Ctrl+x"), 0xC000 | 'X');
  EXPECT_EQ(TextToShortCut("shift+f5"), 0x2000 | VK_F5);
}

TEST(ShortCutText, BadTextIsNoShortCut) {
  for (const char* Text :
       {"", "Ctrl+", "Ctrl", "Ctrl+Ctrl+N", "Foo", "Ctrl+NN", "N+Ctrl", "Ctrl-N", "Ctrl+F25", " Ctrl+N", "Ctrl+N "}) {
    SCOPED_TRACE(Text);
    EXPECT_EQ(TextToShortCut(Text), scNone);
  }
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(ShortCutToText(scCtrl | 0xE8), "");  // a key without a name
}

TEST(ShortCutText, KeyAndShiftStateComposeAndSplit) {
  using enum TShiftStateFlag;
  EXPECT_EQ(ShortCut('N', {ssCtrl}), 0x404E);
  EXPECT_EQ(ShortCut(VK_F5, {ssShift, ssCtrl}), 0x6000 | VK_F5);
  EXPECT_EQ(ShortCut(VK_DELETE, {ssAlt, ssLeft}), 0x8000 | VK_DELETE);
  EXPECT_EQ(ShortCut(0x14E, {ssCtrl}), scNone);  // no key code has more than 8 bits
  uint16_t Key = 0;
  TShiftState Shift;
  ShortCutToKey(0xA000 | 'Q', Key, Shift);
  EXPECT_EQ(Key, 'Q');
  EXPECT_EQ(Shift, (TShiftState{ssShift, ssAlt}));
}

// [Actions and menus]

class MenusTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Actions = new TActionList(Form.get());
    New = MakeAction("Create", 0x404E, "new");
    Save = MakeAction("Save", 0x4053, "save");
    Menu = new TMainMenu(Form.get());
    FileMenu = AddItem(Menu->Items(), "&File");
    NewItem = AddItem(FileMenu, "");
    NewItem->SetAction(New);
    AddItem(FileMenu, "-");
    SaveItem = AddItem(FileMenu, "");
    SaveItem->SetAction(Save);
  }

  TAction* MakeAction(const std::string& Caption, TShortCut Key, const std::string& Tag) {
    auto* A = new TAction(Actions);
    A->SetCaption(Caption);
    A->SetShortCut(Key);
    A->OnExecute = [this, Tag](TAction*) { Log.push_back(Tag); };
    return A;
  }

  TMenuItem* AddItem(TMenuItem* Parent, const std::string& Caption) {
    auto* Item = new TMenuItem(Form.get());
    Item->SetCaption(Caption);
    Parent->Add(Item);
    return Item;
  }

  static std::wstring MenuText(HMENU Menu, int Position) {
    wchar_t Text[128] = {};
    GetMenuStringW(Menu, UINT(Position), Text, 128, MF_BYPOSITION);
    return Text;
  }

  // The platform entries of Menu: text, or "-" for a separator.
  static std::vector<std::wstring> Entries(HMENU Menu) {
    std::vector<std::wstring> Result;
    for (int I = 0; I < GetMenuItemCount(Menu); ++I)
      Result.push_back(GetMenuState(Menu, UINT(I), MF_BYPOSITION) & MF_SEPARATOR ? L"-" : MenuText(Menu, I));
    return Result;
  }

  static UINT State(TMenuItem* Item) {
    return GetMenuState(Item->Parent()->Handle(), UINT(Item->Command()), MF_BYCOMMAND);
  }

  TActionList* Actions = nullptr;
  TAction* New = nullptr;
  TAction* Save = nullptr;
  TMainMenu* Menu = nullptr;
  TMenuItem* FileMenu = nullptr;
  TMenuItem* NewItem = nullptr;
  TMenuItem* SaveItem = nullptr;
  std::vector<std::string> Log;
};

TEST_F(MenusTest, PlatformMenuShowsCaptionsShortCutsAndSeparators) {
  HMENU Bar = Menu->Handle();
  ASSERT_TRUE(IsMenu(Bar));
  EXPECT_EQ(Entries(Bar), std::vector<std::wstring>{L"&File"});
  EXPECT_EQ(GetSubMenu(Bar, 0), FileMenu->Handle());
  EXPECT_EQ(Entries(FileMenu->Handle()), (std::vector<std::wstring>{L"Create\tCtrl+N", L"-", L"Save\tCtrl+S"}));
  EXPECT_EQ(GetMenuItemID(FileMenu->Handle(), 0), NewItem->Command());

  // Changes after the platform menu exists reach it; an invisible item takes no entry.
  auto* Exit = AddItem(FileMenu, "E&xit");
  SaveItem->SetVisible(false);
  New->SetCaption("&New");
  EXPECT_EQ(Entries(FileMenu->Handle()), (std::vector<std::wstring>{L"&New\tCtrl+N", L"-", L"E&xit"}));
  delete Exit;
  EXPECT_EQ(FileMenu->Count(), 3);
  EXPECT_EQ(Entries(FileMenu->Handle()), (std::vector<std::wstring>{L"&New\tCtrl+N", L"-"}));
}

TEST_F(MenusTest, ItemStateReachesThePlatformMenu) {
  FileMenu->Handle();
  auto* Radio = AddItem(FileMenu, "Radio");
  Radio->SetRadioItem(true);
  Radio->SetChecked(true);
  SaveItem->SetDefault(true);
  Save->SetEnabled(false);
  EXPECT_TRUE(State(Radio) & MF_CHECKED);
  EXPECT_FALSE(State(NewItem) & (MF_CHECKED | MF_GRAYED));
  EXPECT_TRUE(State(SaveItem) & MF_GRAYED);
  MENUITEMINFOW Info{};
  Info.cbSize = sizeof(Info);
  Info.fMask = MIIM_FTYPE | MIIM_STATE;
  ASSERT_TRUE(GetMenuItemInfoW(FileMenu->Handle(), Radio->Command(), FALSE, &Info));
  EXPECT_TRUE(Info.fType & MFT_RADIOCHECK);
  ASSERT_TRUE(GetMenuItemInfoW(FileMenu->Handle(), SaveItem->Command(), FALSE, &Info));
  EXPECT_TRUE(Info.fState & MFS_DEFAULT);
}

TEST_F(MenusTest, ItemFollowsItsActionUntilItsOwnValueIsSet) {
  EXPECT_EQ(NewItem->Caption(), "Create");
  EXPECT_EQ(NewItem->ShortCut(), 0x404E);
  New->SetEnabled(false);
  New->SetChecked(true);
  New->SetCaption("Create new");
  EXPECT_FALSE(NewItem->Enabled());
  EXPECT_TRUE(NewItem->Checked());
  EXPECT_EQ(NewItem->Caption(), "Create new");
  // A caption of the item's own ends only the caption's link.
  NewItem->SetCaption("Mine");
  New->SetCaption("Again");
  New->SetEnabled(true);
  EXPECT_EQ(NewItem->Caption(), "Mine");
  EXPECT_TRUE(NewItem->Enabled());
}

TEST_F(MenusTest, MenuCommandToTheWindowRunsTheAction) {
  Menu->SetWindow(Form->Handle());
  EXPECT_EQ(GetMenu(Form->Handle()), Menu->Handle());
  SendMessageA(Form->Handle(), WM_COMMAND, MAKEWPARAM(NewItem->Command(), 0), 0);
  EXPECT_TRUE(DispatchMenuCommand(SaveItem->Command()));
  EXPECT_EQ(Log, (std::vector<std::string>{"new", "save"}));

  // A disabled action does not run; an item's own OnClick replaces the action.
  Save->SetEnabled(false);
  SendMessageA(Form->Handle(), WM_COMMAND, MAKEWPARAM(SaveItem->Command(), 0), 0);
  NewItem->OnClick = [&](TObject* Sender) { Log.push_back(Sender == NewItem ? "own click" : "?"); };
  SendMessageA(Form->Handle(), WM_COMMAND, MAKEWPARAM(NewItem->Command(), 0), 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"new", "save", "own click"}));
  EXPECT_FALSE(DispatchMenuCommand(0));
}

TEST_F(MenusTest, OnUpdateDisablesTheItem) {
  bool CanSave = false;
  Save->OnUpdate = [&](TAction* A) { A->SetEnabled(CanSave); };
  FileMenu->Handle();
  Actions->UpdateActions();
  EXPECT_FALSE(SaveItem->Enabled());
  EXPECT_TRUE(State(SaveItem) & MF_GRAYED);
  // Opening the sub-menu updates its items' actions too.
  Menu->SetWindow(Form->Handle());
  CanSave = true;
  SendMessageA(Form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(FileMenu->Handle()), 0);
  EXPECT_TRUE(SaveItem->Enabled());
  EXPECT_FALSE(State(SaveItem) & MF_GRAYED);
  // Executing updates first: the action that became disabled does not run.
  CanSave = false;
  EXPECT_FALSE(Save->Execute());
  EXPECT_TRUE(Log.empty());
}

TEST_F(MenusTest, ShortCutsRunEnabledActionsAndMenuItems) {
  EXPECT_TRUE(ExecuteShortCut(*Actions, TextToShortCut("Ctrl+N")));
  EXPECT_FALSE(ExecuteShortCut(*Actions, TextToShortCut("Ctrl+Q")));
  EXPECT_FALSE(ExecuteShortCut(*Actions, scNone));
  // A second key runs the action too; the menu still shows the first.
  Save->SetSecondaryShortCuts({TextToShortCut("Ctrl+Shift+S")});
  const size_t Ran = Log.size();
  EXPECT_TRUE(ExecuteShortCut(*Actions, TextToShortCut("Ctrl+Shift+S")));
  EXPECT_EQ(Log.size(), Ran + 1);
  EXPECT_EQ(Save->ShortCut(), 0x4053);
  Save->SetEnabled(false);
  EXPECT_FALSE(ExecuteShortCut(*Actions, 0x4053));
  Save->SetEnabled(true);
  EXPECT_TRUE(Menu->IsShortCut(0x4053));
  // Not through a disabled parent.
  FileMenu->SetEnabled(false);
  EXPECT_FALSE(Menu->IsShortCut(0x404E));
  EXPECT_EQ(Log, (std::vector<std::string>{"new", "save", "save"}));
}

TEST_F(MenusTest, AutoCheckTogglesBeforeTheHandlerRuns) {
  bool CheckedInside = false;
  New->SetAutoCheck(true);
  New->OnExecute = [&](TAction* A) { CheckedInside = A->Checked(); };
  EXPECT_TRUE(New->Execute());
  EXPECT_TRUE(CheckedInside);
  EXPECT_TRUE(NewItem->Checked());
}

TEST_F(MenusTest, HandlerRunningItsOwnActionAgainIsNotReentered) {
  int Runs = 0;
  bool Inner = true;
  New->OnExecute = [&](TAction* A) {
    ++Runs;
    Inner = A->Execute();
  };
  EXPECT_TRUE(New->Execute());
  EXPECT_EQ(Runs, 1);
  EXPECT_FALSE(Inner);
  EXPECT_TRUE(New->Execute());  // and runs again afterwards
  EXPECT_EQ(Runs, 2);
}

TEST_F(MenusTest, TreeRefusesSecondParentsAndCycles) {
  EXPECT_THROW(Menu->Items()->Add(NewItem), EMenuError);
  EXPECT_THROW(NewItem->Add(FileMenu), EMenuError);
  EXPECT_THROW(FileMenu->Add(FileMenu), EMenuError);
  EXPECT_EQ(NewItem->MenuIndex(), 0);
  EXPECT_EQ(FileMenu->Count(), 3);
}

TEST_F(MenusTest, FreedActionsItemsAndWindowsLeaveNothingDangling) {
  Menu->SetWindow(Form->Handle());
  const uint16_t SaveCommand = SaveItem->Command();
  delete Save;
  EXPECT_EQ(SaveItem->Action(), nullptr);
  EXPECT_EQ(Actions->ActionCount(), 1);
  EXPECT_TRUE(DispatchMenuCommand(SaveCommand));  // runs nothing now
  delete FileMenu;                                // its items go with it
  EXPECT_EQ(Menu->Items()->Count(), 0);
  EXPECT_FALSE(DispatchMenuCommand(SaveCommand));
  EXPECT_EQ(GetMenuItemCount(Menu->Handle()), 0);

  EXPECT_EQ(Log, std::vector<std::string>{});

  // A window freed with a menu on it gives the menu back instead of freeing it.
  TMainMenu Kept;
  Kept.Items()->Add(new TMenuItem(&Kept));
  HMENU Bar = Kept.Handle();
  Kept.SetWindow(Form->Handle());
  EXPECT_EQ(GetMenu(Form->Handle()), Bar);
  Form.reset();  // frees the other menu too, which had been on the window first
  EXPECT_EQ(Kept.Window(), nullptr);
  EXPECT_TRUE(IsMenu(Bar));
  EXPECT_EQ(GetMenuItemCount(Bar), 1);
}

TEST_F(MenusTest, ActionListLeavesActionsItDoesNotOwn) {
  auto* Loose = new TAction(Form.get());
  Loose->SetActionList(Actions);
  EXPECT_EQ(Loose->Index(), 2);
  delete Actions;
  EXPECT_EQ(Loose->ActionList(), nullptr);
  EXPECT_EQ(NewItem->Action(), nullptr);  // owned actions went with the list
}

TEST_F(MenusTest, FormKeepsItsMenuOnEveryWindow) {
  Form->SetMenu(Menu);
  EXPECT_EQ(GetMenu(Form->Handle()), Menu->Handle());
  Form->SetBorderStyle(TFormBorderStyle::bsSingle);  // a new window
  EXPECT_EQ(GetMenu(Form->Handle()), Menu->Handle());
  SendMessageA(Form->Handle(), WM_COMMAND, MAKEWPARAM(NewItem->Command(), 0), 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"new"}));
  delete Menu;
  EXPECT_EQ(Form->Menu(), nullptr);
  EXPECT_EQ(GetMenu(Form->Handle()), nullptr);
}

TEST_F(MenusTest, ShortCutKeyOnAFocusedControlRunsItsActionOnce) {
  auto* Edit = new TEdit(Form.get());
  Edit->SetBounds(10, 10, 100, 24);
  Edit->SetParent(Form.get());
  std::vector<uint16_t> EditKeys;
  Edit->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) { EditKeys.push_back(Key); };
  Form->SetMenu(Menu);
  Form->Show();
  Edit->SetFocus();
  BYTE Keys[256];
  GetKeyboardState(Keys);
  Keys[VK_CONTROL] = 0x80;
  SetKeyboardState(Keys);
  auto Press = [&](uint16_t Key) { SendMessageA(Edit->Handle(), WM_KEYDOWN, Key, 0x00310001); };
  Press('N');  // a menu item's shortcut
  Form->SetMenu(nullptr);
  Press('S');  // only the form's action list knows it now
  Press('Q');  // nobody's shortcut: the control gets it
  Keys[VK_CONTROL] = 0;
  SetKeyboardState(Keys);
  EXPECT_EQ(Log, (std::vector<std::string>{"new", "save"}));
  EXPECT_EQ(EditKeys, std::vector<uint16_t>{'Q'});
}

TEST_F(MenusTest, GoingIdleUpdatesTheActionsOfVisibleForms) {
  int Updates = 0;
  New->OnUpdate = [&](TAction*) {
    ++Updates;
    PostMessageA(Form->Handle(), WM_NULL, 0, 0);  // wakes the idle wait
  };
  TForm Hidden;
  Hidden.HandleNeeded();
  auto* HiddenActions = new TActionList(&Hidden);
  auto* HiddenAction = new TAction(HiddenActions);
  int HiddenUpdates = 0;
  HiddenAction->OnUpdate = [&](TAction*) { ++HiddenUpdates; };
  Form->Show();
  Application->ProcessMessages();
  PostMessageA(Form->Handle(), WM_NULL, 0, 0);
  for (int I = 0; I < 20 && Updates == 0; ++I) Application->HandleMessage();
  EXPECT_GE(Updates, 1);
  EXPECT_EQ(HiddenUpdates, 0);
}

// [Popup menus]

class PopupTest : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    Popup = new TPopupMenu(Form.get());
    for (const char* Caption : {"&Cut", "C&opy", "&Paste"}) {
      TMenuItem* Item = AddItem(Popup->Items(), Caption);
      Item->OnClick = [this](TObject* Sender) { Log.push_back(static_cast<TMenuItem*>(Sender)->Caption()); };
    }
    Form->HandleNeeded();
  }
  void Post(UINT Msg, WPARAM WParam) { PostMessageA(Form->Handle(), Msg, WParam, 0); }

  TPopupMenu* Popup = nullptr;
};

TEST_F(PopupTest, ChoiceByArrowKeysAndEnterClicksTheItem) {
  // The first key selects the first item.
  for (int I = 0; I < 3; ++I) Post(WM_KEYDOWN, VK_DOWN);
  Post(WM_KEYDOWN, VK_RETURN);
  TMenuItem* Chosen = Popup->Popup(100, 100);
  ASSERT_NE(Chosen, nullptr);
  EXPECT_EQ(Chosen->Caption(), "&Paste");
  EXPECT_EQ(Log, std::vector<std::string>{"&Paste"});
}

TEST_F(PopupTest, AcceleratorCharacterChoosesTheItem) {
  Post(WM_CHAR, 'o');
  TMenuItem* Chosen = Popup->Popup(100, 100);
  ASSERT_NE(Chosen, nullptr);
  EXPECT_EQ(Log, std::vector<std::string>{"C&opy"});
}

TEST_F(PopupTest, CancelledPopupClicksNothing) {
  int Popups = 0;
  Popup->OnPopup = [&](TObject*) { ++Popups; };
  for (UINT Msg : {UINT(WM_KEYDOWN), UINT(WM_CANCELMODE)}) {
    SCOPED_TRACE(Msg);
    if (Msg == WM_KEYDOWN)
      Post(WM_KEYDOWN, VK_ESCAPE);
    else
      Post(WM_CANCELMODE, 0);
    EXPECT_EQ(Popup->Popup(100, 100), nullptr);
  }
  EXPECT_EQ(Popups, 2);
  EXPECT_TRUE(Log.empty());
}

TEST_F(PopupTest, PopupUpdatesActionsBeforeShowing) {
  TMenuItem* SaveEntry = AddItem(Popup->Items(), "");
  SaveEntry->SetAction(Save);
  Save->OnUpdate = [](TAction* A) { A->SetCaption("Save now"); };
  Post(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(Popup->Popup(100, 100), nullptr);
  EXPECT_EQ(SaveEntry->Caption(), "Save now");
  EXPECT_EQ(MenuText(Popup->Handle(), 3), L"Save now\tCtrl+S");
}

TEST_F(PopupTest, ContextMenuRequestShowsTheControlsPopupMenu) {
  int Popups = 0;
  Popup->OnPopup = [&](TObject*) { ++Popups; };
  auto* Box = new TWinControl(Form.get());
  Box->SetBounds(10, 10, 200, 100);
  Box->SetParent(Form.get());
  auto* Inner = new TWinControl(Form.get());
  Inner->SetBounds(5, 5, 50, 50);
  Inner->SetParent(Box);
  Box->SetPopupMenu(Popup);
  Post(WM_CHAR, 'o');
  SendMessageA(Box->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Box->Handle()), MAKELPARAM(120, 130));
  EXPECT_EQ(Log, std::vector<std::string>{"C&opy"});
  EXPECT_EQ(Popup->PopupComponent(), Box);
  // A right-button release asks for it too, and a child without a menu of its own uses its parent's.
  Post(WM_KEYDOWN, VK_ESCAPE);
  SendMessageA(Box->Handle(), WM_RBUTTONUP, 0, Point(100, 60));
  Post(WM_KEYDOWN, VK_ESCAPE);
  SendMessageA(Inner->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Inner->Handle()), MAKELPARAM(30, 30));
  EXPECT_EQ(Popups, 3);
  // The menu forgets a component that is freed.
  auto* Gone = new TWinControl(Form.get());
  Popup->SetPopupComponent(Gone);
  delete Gone;
  EXPECT_EQ(Popup->PopupComponent(), nullptr);
  delete Popup;
  EXPECT_EQ(Box->PopupMenu(), nullptr);
  SendMessageA(Box->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Box->Handle()), MAKELPARAM(120, 130));
  EXPECT_EQ(Popups, 3);
}

}  // namespace
