// The property inspector on real windows: rows of a class with one property of each kind,
// value texts, changes made through mouse and key messages with their callbacks in order,
// refused and invalid changes, the drop-down lists, the dialog buttons answered through the
// dialog seam, a real skin object, and the painted grid.
#include <algorithm>

#include "../ui/ui_fixture.h"
#include "editor/inspector/property_inspector.h"
#include "framework/core/sysutils.h"
#include "framework/ui/common_dialogs.h"
#include "framework/ui/stdctrls.h"
#include "vexel/skin/theme_dv3objects.h"

namespace {

enum class TShade { shLight, shMedium, shDark };
enum class TFlag { fgOne, fgTwo, fgThree };
using TFlags = TSet<TFlag>;

const TEnumInfo& ShadeNames() {
  static constexpr const char* Names[] = {"shLight", "shMedium", "shDark"};
  static constexpr TEnumInfo Info{Names};
  return Info;
}
const TEnumInfo& FlagNames() {
  static constexpr const char* Names[] = {"fgOne", "fgTwo", "fgThree"};
  static constexpr TEnumInfo Info{Names};
  return Info;
}

// A sub-object with a dialog editor of its own.
class TSampleLink : public TPersistent {
 public:
  static const TClassInfo& StaticClassInfo() {
    static const TPropInfo Properties[] = {StringProperty<&TSampleLink::Name, &TSampleLink::SetName>("Name")};
    static const TClassInfo Info{"TSampleLink", &TPersistent::StaticClassInfo(), Properties};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& V) { FName = V; }

 private:
  std::string FName;
};

// One property of each kind, declared out of name order; "caption" checks that sorting ignores
// letter case and "Secret" is hidden.
class TSample : public TPersistent {
 public:
  static const TClassInfo& StaticClassInfo() {
    using S = TSample;
    static const TPropInfo Properties[] = {
        IntegerProperty<&S::Width, &S::SetWidth>("Width"),
        ColorProperty<&S::Color, &S::SetColor>("Color"),
        IntegerProperty<&S::Secret, &S::SetSecret>("Secret"),
        CharsetProperty<&S::Charset, &S::SetCharset>("Charset"),
        EnumProperty<&S::Shade, &S::SetShade>("Shade", ShadeNames()),
        BooleanProperty<&S::Visible, &S::SetVisible>("Visible"),
        SetProperty<&S::Flags, &S::SetFlags>("Flags", FlagNames()),
        StringProperty<&S::Caption, &S::SetCaption>("caption"),
        ClassProperty<&S::Font>("Font"),
        ClassProperty<&S::Link>("Link"),
        ComponentProperty<&S::Buddy, &S::SetBuddy>("Buddy"),
        StringsProperty<&S::Lines, &S::SetLines>("Lines"),
    };
    static const TClassInfo Info{"TSample", &TPersistent::StaticClassInfo(), Properties};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  Integer Width() const { return FWidth; }
  void SetWidth(Integer V) { FWidth = V; }
  TColor Color() const { return FColor; }
  void SetColor(TColor V) { FColor = V; }
  Integer Secret() const { return 0; }
  void SetSecret(Integer) {}
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset V) { FCharset = V; }
  TShade Shade() const { return FShade; }
  void SetShade(TShade V) { FShade = V; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool V) { FVisible = V; }
  TFlags Flags() const { return FFlags; }
  void SetFlags(TFlags V) { FFlags = V; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& V) { FCaption = V; }
  TFont* Font() const { return FFont.get(); }
  TSampleLink* Link() const { return FLink.get(); }
  TComponent* Buddy() const { return FBuddy; }
  void SetBuddy(TComponent* V) { FBuddy = V; }
  const std::vector<std::string>& Lines() const { return FLines; }
  void SetLines(const std::vector<std::string>& V) { FLines = V; }

 private:
  Integer FWidth = 120;
  TColor FColor = clRed;
  TFontCharset FCharset = RUSSIAN_CHARSET;
  TShade FShade = TShade::shDark;
  bool FVisible = true;
  TFlags FFlags{TFlag::fgOne, TFlag::fgThree};
  std::string FCaption = "hello";
  std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
  std::unique_ptr<TSampleLink> FLink = std::make_unique<TSampleLink>();
  TComponent* FBuddy = nullptr;
  std::vector<std::string> FLines{"a", "b"};
};

// A sub-object that is its own holder must not open forever.
class TLoop : public TPersistent {
 public:
  static const TClassInfo& StaticClassInfo() {
    static const TPropInfo Properties[] = {ClassProperty<&TLoop::Me>("Me"),
                                           IntegerProperty<&TLoop::Value, &TLoop::SetValue>("Value")};
    static const TClassInfo Info{"TLoop", &TPersistent::StaticClassInfo(), Properties};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  TLoop* Me() const { return const_cast<TLoop*>(this); }
  Integer Value() const { return 1; }
  void SetValue(Integer) {}
};

class InspectorTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Form->SetBounds(50, 50, 420, 460);
    Other = new TEdit(Form.get());
    Other->SetBounds(300, 10, 100, 21);
    Other->SetParent(Form.get());
    Inspector = new TPropertyInspector(Form.get());
    Inspector->SetBounds(0, 0, 260, 400);
    Inspector->SetParent(Form.get());
    Inspector->SetHiddenProperties({"secret"});
    Inspector->OnBeforeChange = [this](TObject* Sender, bool& Allow) {
      EXPECT_EQ(Sender, Inspector);
      EXPECT_TRUE(Allow);
      Log.push_back("before " + std::to_string(Sample.Width()));
      Allow = AllowChanges;
    };
    Inspector->OnAfterChange = [this](TObject*) { Log.push_back("after " + std::to_string(Sample.Width())); };
    SetDialogHandler([this](const TDialogRequest& R) {
      Dialogs.push_back(R);
      if (R.Kind == "MessageBox") Log.push_back("message");
      return Answer ? Answer(R) : mrOk;
    });
    Buddy.SetName("Mate");
    Sample.SetBuddy(&Buddy);
    Inspector->SetInspected(&Sample);
  }

  void Mouse(UINT Msg, Integer X, Integer Y) {
    SendMessageA(Inspector->Handle(), Msg, Msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, Point(X, Y));
  }
  void Click(Integer X, Integer Y) {
    Mouse(WM_LBUTTONDOWN, X, Y);
    Mouse(WM_LBUTTONUP, X, Y);
  }
  // Clicks the value cell of Path and answers the editor it opened.
  TWinControl* ClickValue(const std::string& Path) {
    const TRect R = Inspector->ValueRect(Path);
    EXPECT_FALSE(R.IsEmpty()) << Path;
    Click(R.Left + 10, R.Top + R.Height() / 2);
    return Inspector->Editor();
  }
  static void Key(HWND Wnd, WPARAM Key) { SendMessageA(Wnd, WM_KEYDOWN, Key, 0); }
  static void Type(HWND Wnd, const std::string& Text) {
    SendMessageA(Wnd, EM_SETSEL, 0, -1);
    for (char C : Text) SendMessageA(Wnd, WM_CHAR, WPARAM(uint8_t(C)), 0);
  }
  std::vector<std::string> Paths() const {
    std::vector<std::string> P;
    for (Integer I = 0; I < Inspector->RowCount(); ++I) P.push_back(Inspector->RowPath(I));
    return P;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> M;
    for (const TDialogRequest& R : Dialogs)
      if (R.Kind == "MessageBox") M.push_back(R.Text);
    return M;
  }

  TSample Sample;
  TComponent Buddy;
  TEdit* Other = nullptr;
  TPropertyInspector* Inspector = nullptr;
  std::vector<std::string> Log;
  std::vector<TDialogRequest> Dialogs;
  std::function<TModalResult(const TDialogRequest&)> Answer;
  bool AllowChanges = true;
};

const std::vector<std::string> TopRows{"Buddy", "caption", "Charset", "Color",   "Flags", "Font",
                                       "Lines", "Link",    "Shade",   "Visible", "Width"};

TEST_F(InspectorTest, RowsAreSortedByNameWithoutHiddenOnesAndExpandIntoSubRows) {
  EXPECT_EQ(Paths(), TopRows);
  // The [+] box of Font opens it; the right arrow opens the selected set.
  const TRect Font = Inspector->RowRect("Font");
  Click(6, Font.Top + Font.Height() / 2);
  EXPECT_TRUE(Inspector->Expanded("Font"));
  Inspector->SelectPath("Flags");
  Key(Inspector->Handle(), VK_RIGHT);
  std::vector<std::string> Expected = TopRows;
  Expected.insert(Expected.begin() + 6,
                  {"Font.Charset", "Font.Color", "Font.Height", "Font.Name", "Font.Pitch", "Font.Style"});
  Expected.insert(Expected.begin() + 5, {"Flags.fgOne", "Flags.fgTwo", "Flags.fgThree"});
  EXPECT_EQ(Paths(), Expected);
  // Enter on a class row closes it again; left on a sub-row goes to its parent.
  Inspector->SelectPath("Flags.fgTwo");
  Key(Inspector->Handle(), VK_LEFT);
  EXPECT_EQ(Inspector->SelectedPath(), "Flags");
  Inspector->SelectPath("Font");
  Key(Inspector->Handle(), VK_RETURN);
  EXPECT_FALSE(Inspector->Expanded("Font"));
  EXPECT_EQ(Inspector->ValueText("Secret"), "");
  // Closing a row whose sub-row is selected selects the row.
  Inspector->SetExpanded("Font", true);
  Inspector->SelectPath("Font.Name");
  Inspector->SetExpanded("Font", false);
  EXPECT_EQ(Inspector->SelectedPath(), "Font");
  // An object that holds itself shows the row but does not open it.
  TLoop Loop;
  Inspector->SetInspected(&Loop);
  EXPECT_EQ(Paths(), (std::vector<std::string>{"Me", "Value"}));
  Inspector->SetExpanded("Me", true);
  EXPECT_FALSE(Inspector->Expanded("Me"));
  EXPECT_EQ(Inspector->ValueText("Me"), "(TLoop)");
  EXPECT_EQ(Inspector->ValueText("Me.Value"), "");
  Inspector->SetInspected(nullptr);
}

TEST_F(InspectorTest, ValueTextsByKind) {
  Inspector->RegisterClassEditor(TSampleLink::StaticClassInfo(), "(Link)", [](TPersistent*) { return false; });
  Sample.Font()->SetStyle({TFontStyle::fsBold, TFontStyle::fsUnderline});
  const std::pair<const char*, const char*> Cases[] = {
      {"Width", "120"},
      {"Color", "clRed"},
      {"Charset", "RUSSIAN_CHARSET"},
      {"Shade", "shDark"},
      {"Visible", "True"},
      {"Flags", "[fgOne,fgThree]"},
      {"Flags.fgTwo", "False"},
      {"Flags.fgThree", "True"},
      {"caption", "hello"},
      {"Font", "(TFont)"},
      {"font.style", "[fsBold,fsUnderline]"},
      {"Link", "(Link)"},
      {"Buddy", "Mate"},
      {"Lines", "(TStrings)"},
      {"NoSuchRow", ""},
  };
  for (const auto& [Path, Text] : Cases) EXPECT_EQ(Inspector->ValueText(Path), Text) << Path;
  Sample.SetColor(0x00123456);
  Sample.SetCharset(99);
  EXPECT_EQ(Inspector->ValueText("Color"), "$00123456");
  EXPECT_EQ(Inspector->ValueText("Charset"), "99");
}

TEST_F(InspectorTest, TypedValueCommitsThroughBeforeApplyAfter) {
  TWinControl* Editor = ClickValue("Width");
  ASSERT_TRUE(dynamic_cast<TEdit*>(Editor));
  EXPECT_EQ(Editor->BoundsRect(), Inspector->ValueRect("Width"));
  Type(Editor->Handle(), "240");
  EXPECT_TRUE(Log.empty());
  Key(Editor->Handle(), VK_RETURN);
  EXPECT_EQ(Log, (std::vector<std::string>{"before 120", "after 240"}));
  EXPECT_EQ(Sample.Width(), 240);
  EXPECT_EQ(Inspector->Editor(), nullptr);
  EXPECT_FALSE(IsWindowVisible(Editor->Handle()));
  // Enter and F2 open the editor from the keyboard; Escape drops what was typed.
  Inspector->SelectPath("caption");
  Key(Inspector->Handle(), VK_F2);
  ASSERT_NE(Inspector->Editor(), nullptr);
  Type(Inspector->Editor()->Handle(), "dropped");
  Key(Inspector->Editor()->Handle(), VK_ESCAPE);
  EXPECT_EQ(Sample.Caption(), "hello");
  EXPECT_EQ(Log.size(), 2u);
  // Up and Down move the selection, committing the open editor on the way.
  Key(Inspector->Handle(), VK_RETURN);
  Type(Inspector->Editor()->Handle(), "moved");
  Key(Inspector->Editor()->Handle(), VK_DOWN);
  EXPECT_EQ(Sample.Caption(), "moved");
  EXPECT_EQ(Inspector->SelectedPath(), "Charset");
  Key(Inspector->Handle(), VK_UP);
  Key(Inspector->Handle(), VK_UP);
  EXPECT_EQ(Inspector->SelectedPath(), "Buddy");
  // Typing on a selected text row starts its editor with what was typed.
  Inspector->SelectPath("Width");
  SendMessageA(Inspector->Handle(), WM_CHAR, '7', 0);
  ASSERT_NE(Inspector->Editor(), nullptr);
  SendMessageA(Inspector->Editor()->Handle(), WM_CHAR, '5', 0);
  Key(Inspector->Editor()->Handle(), VK_RETURN);
  EXPECT_EQ(Sample.Width(), 75);
}

TEST_F(InspectorTest, LeavingTheEditorCommitsIt) {
  // By clicking another row.
  Type(ClickValue("Width")->Handle(), "77");
  Click(5, Inspector->RowRect("Shade").Top + 3);
  EXPECT_EQ(Sample.Width(), 77);
  EXPECT_EQ(Inspector->SelectedPath(), "Shade");
  EXPECT_EQ(Inspector->Editor(), nullptr);
  // By moving the focus to another control (which needs a shown form).
  Form->Show();
  TWinControl* Editor = ClickValue("caption");
  ASSERT_TRUE(Editor);
  ASSERT_EQ(GetFocus(), Editor->Handle());
  Type(Editor->Handle(), "left");
  Other->SetFocus();
  EXPECT_EQ(Sample.Caption(), "left");
  EXPECT_EQ(Inspector->Editor(), nullptr);
  EXPECT_EQ(Log, (std::vector<std::string>{"before 120", "after 77", "before 77", "after 77"}));
  // Unchanged text is no change.
  ClickValue("caption");
  Other->SetFocus();
  EXPECT_EQ(Log.size(), 4u);
  // A real message box takes the focus from the editor: that is no leaving, and the refused
  // text is not committed (nor refused) a second time.
  Answer = [this](const TDialogRequest&) {
    Other->SetFocus();
    return mrOk;
  };
  Editor = ClickValue("Width");
  Type(Editor->Handle(), "bad");
  Key(Editor->Handle(), VK_RETURN);
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Inspector->Editor(), Editor);
  EXPECT_EQ(Sample.Width(), 77);
}

TEST_F(InspectorTest, RefusedChangeKeepsTheValue) {
  AllowChanges = false;
  TWinControl* Editor = ClickValue("Width");
  Type(Editor->Handle(), "5");
  Key(Editor->Handle(), VK_RETURN);
  EXPECT_EQ(Sample.Width(), 120);
  EXPECT_EQ(Log, std::vector<std::string>{"before 120"});
  EXPECT_FALSE(Inspector->CommitText("Shade", "shLight"));
  EXPECT_EQ(Sample.Shade(), TShade::shDark);
}

TEST_F(InspectorTest, InvalidTextIsRefusedWithAMessageAndChangesNothing) {
  const std::pair<const char*, const char*> Cases[] = {
      {"Width", "abc"},       {"Width", "99999999999"},    {"Color", "clNoSuchColor"},  {"Shade", "shBright"},
      {"Shade", "3"},         {"Charset", "NOPE_CHARSET"}, {"Flags", "[fgOne,fgFour]"}, {"Visible", "maybe"},
      {"Flags.fgTwo", "yes"},
  };
  for (const auto& [Path, Text] : Cases) {
    const std::string Before = Inspector->ValueText(Path);
    Dialogs.clear();
    EXPECT_FALSE(Inspector->CommitText(Path, Text)) << Path;
    ASSERT_EQ(Messages().size(), 1u) << Path << " " << Text;
    EXPECT_NE(Messages()[0].find(Text), std::string::npos) << Messages()[0];
    EXPECT_EQ(Dialogs[0].DlgType, TMsgDlgType::mtError);
    EXPECT_EQ(Inspector->ValueText(Path), Before);
  }
  EXPECT_EQ(Log, std::vector<std::string>(std::size(Cases), "message"));
  // Typed into the editor: the message, and the text stays there to be put right.
  Log.clear();
  TWinControl* Editor = ClickValue("Width");
  Type(Editor->Handle(), "12x");
  Key(Editor->Handle(), VK_RETURN);
  EXPECT_EQ(Log, std::vector<std::string>{"message"});
  EXPECT_EQ(Sample.Width(), 120);
  ASSERT_EQ(Inspector->Editor(), Editor);
  Type(Editor->Handle(), "12");
  Key(Editor->Handle(), VK_RETURN);
  EXPECT_EQ(Sample.Width(), 12);
}

TEST_F(InspectorTest, EnumerationsAndBooleansUseADropDownListAndDoubleClicksCycle) {
  auto* Combo = dynamic_cast<TComboBox*>(ClickValue("Shade"));
  ASSERT_TRUE(Combo);
  EXPECT_EQ(Combo->Style(), TComboBoxStyle::csDropDownList);
  EXPECT_EQ(Combo->Items().List(), (std::vector<std::string>{"shLight", "shMedium", "shDark"}));
  EXPECT_EQ(Combo->ItemIndex(), 2);
  // The list's own keys choose the value, which commits at once.
  Key(Combo->Handle(), VK_UP);
  EXPECT_EQ(Sample.Shade(), TShade::shMedium);
  EXPECT_EQ(Log, (std::vector<std::string>{"before 120", "after 120"}));
  Key(Combo->Handle(), VK_ESCAPE);
  EXPECT_EQ(Inspector->Editor(), nullptr);
  EXPECT_EQ(Sample.Shade(), TShade::shMedium);
  // A double click on the value takes the next one, wrapping round.
  const TRect Shade = Inspector->ValueRect("Shade");
  Mouse(WM_LBUTTONDBLCLK, Shade.Left + 10, Shade.Top + 3);
  Mouse(WM_LBUTTONUP, Shade.Left + 10, Shade.Top + 3);
  EXPECT_EQ(Sample.Shade(), TShade::shDark);
  Mouse(WM_LBUTTONDBLCLK, Shade.Left + 10, Shade.Top + 3);
  EXPECT_EQ(Sample.Shade(), TShade::shLight);
  // The second press of a double click lands on the list the first one opened.
  Combo = dynamic_cast<TComboBox*>(ClickValue("Visible"));
  ASSERT_TRUE(Combo);
  EXPECT_EQ(Combo->Items().List(), (std::vector<std::string>{"False", "True"}));
  SendMessageA(Combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
  SendMessageA(Combo->Handle(), WM_LBUTTONUP, 0, Point(5, 5));
  EXPECT_FALSE(Sample.Visible());
  EXPECT_FALSE(SendMessageA(Combo->Handle(), CB_GETDROPPEDSTATE, 0, 0));
  // Set members are booleans.
  Inspector->SetExpanded("Flags", true);
  EXPECT_TRUE(Inspector->CommitText("Flags.fgTwo", "True"));
  EXPECT_EQ(Sample.Flags(), (TFlags{TFlag::fgOne, TFlag::fgTwo, TFlag::fgThree}));
  EXPECT_EQ(Inspector->ValueText("Flags"), "[fgOne,fgTwo,fgThree]");
  EXPECT_TRUE(Inspector->CommitText("Flags", "[ fgTwo ]"));
  EXPECT_EQ(Sample.Flags(), TFlags{TFlag::fgTwo});
}

TEST_F(InspectorTest, ColoursTakeNamesHexAndDecimalTypedOrPicked) {
  auto* Combo = dynamic_cast<TComboBox*>(ClickValue("Color"));
  ASSERT_TRUE(Combo);
  EXPECT_EQ(Combo->Style(), TComboBoxStyle::csDropDown);
  EXPECT_EQ(Combo->Items().Count(), 42);
  EXPECT_GE(Combo->Items().IndexOf("clNavy"), 0);
  ASSERT_NE(Inspector->EditorButton(), nullptr);
  // Typed into the box's own edit window.
  COMBOBOXINFO Info{};
  Info.cbSize = sizeof(Info);
  ASSERT_TRUE(GetComboBoxInfo(Combo->Handle(), &Info));
  Type(Info.hwndItem, "clblue");
  Key(Info.hwndItem, VK_RETURN);
  EXPECT_EQ(Sample.Color(), clBlue);
  EXPECT_EQ(Inspector->Editor(), nullptr);
  const std::pair<const char*, TColor> Cases[] = {
      {"$00102030", 0x102030}, {"255", clRed}, {"clBtnFace", clBtnFace}, {"-2147483633", clBtnFace}};
  for (const auto& [Text, Color] : Cases) {
    EXPECT_TRUE(Inspector->CommitText("Color", Text)) << Text;
    EXPECT_EQ(Sample.Color(), Color) << Text;
  }
  EXPECT_EQ(Inspector->ValueText("Color"), "clBtnFace");
  // The "..." button runs the colour dialog.
  Answer = [](const TDialogRequest& R) {
    EXPECT_EQ(R.Kind, "ColorDialog");
    static_cast<TColorDialog*>(R.Data)->SetColor(0x00ABCDEF);
    return mrOk;
  };
  ClickValue("Color");
  SendMessageA(Inspector->EditorButton()->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Sample.Color(), 0x00ABCDEF);
  EXPECT_EQ(Inspector->ValueText("Color"), "$00ABCDEF");
  EXPECT_EQ(Log.size(), 12u);  // six changes, before and after each
}

TEST_F(InspectorTest, FontButtonRunsTheFontDialog) {
  ClickValue("Font");
  EXPECT_EQ(Inspector->Editor(), nullptr);  // no text to edit, only the button
  TButton* Button = Inspector->EditorButton();
  ASSERT_NE(Button, nullptr);
  const TRect Value = Inspector->ValueRect("Font");
  EXPECT_EQ(Button->BoundsRect().Right, Value.Right);
  // Cancelled: nothing changes and nobody is told.
  Answer = [](const TDialogRequest& R) {
    EXPECT_EQ(R.Kind, "FontDialog");
    static_cast<TFontDialog*>(R.Data)->Font()->SetName("Cancelled");
    return mrCancel;
  };
  SendMessageA(Button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Sample.Font()->Name(), "MS Sans Serif");
  EXPECT_TRUE(Log.empty());
  Answer = [](const TDialogRequest& R) {
    TFont* Chosen = static_cast<TFontDialog*>(R.Data)->Font();
    EXPECT_EQ(Chosen->Name(), "MS Sans Serif");  // the dialog opens on the current font
    Chosen->SetName("Courier New");
    Chosen->SetHeight(-20);
    return mrOk;
  };
  SendMessageA(Button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Sample.Font()->Name(), "Courier New");
  EXPECT_EQ(Inspector->ValueText("Font.Height"), "-20");
  EXPECT_EQ(Log, (std::vector<std::string>{"before 120", "after 120"}));
  // A double click on the value runs the dialog too.
  Answer = [](const TDialogRequest& R) {
    static_cast<TFontDialog*>(R.Data)->Font()->SetName("Arial");
    return mrOk;
  };
  Mouse(WM_LBUTTONDBLCLK, Value.Left + 5, Value.Top + 3);
  EXPECT_EQ(Sample.Font()->Name(), "Arial");
  EXPECT_EQ(Log.size(), 4u);
}

TEST_F(InspectorTest, RegisteredClassEditorRunsBetweenTheCallbacks) {
  bool Changes = true;
  Inspector->RegisterClassEditor(TSampleLink::StaticClassInfo(), "(Link)", [&](TPersistent* Object) {
    EXPECT_EQ(Object, Sample.Link());
    Log.push_back("edit");
    static_cast<TSampleLink*>(Object)->SetName("edited");
    return Changes;
  });
  EXPECT_EQ(Inspector->ValueText("Link"), "(Link)");
  ClickValue("Link");
  ASSERT_NE(Inspector->EditorButton(), nullptr);
  SendMessageA(Inspector->EditorButton()->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"before 120", "edit", "after 120"}));
  EXPECT_EQ(Inspector->ValueText("Link.Name"), "edited");
  // An editor that changed nothing is followed by no OnAfterChange.
  Changes = false;
  SendMessageA(Inspector->EditorButton()->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Log.size(), 5u);
  EXPECT_EQ(Log.back(), "edit");
}

TEST_F(InspectorTest, ShowsASkinObjectWithItsBitmapLinks) {
  TDvBitmapObject Object;
  Object.SetName("Frame");
  Object.SetKind(TDvKind::skCaption);
  Inspector->SetHiddenProperties({"MaskedAngles", "MaskedBorder"});
  Inspector->RegisterClassEditor(TvxBitmapLink::StaticClassInfo(), "(Bitmap)", [](TPersistent*) { return false; });
  Inspector->SetInspected(&Object);
  const std::vector<std::string> P = Paths();
  EXPECT_TRUE(std::is_sorted(P.begin(), P.end(),
                             [](const std::string& A, const std::string& B) { return LowerCase(A) < LowerCase(B); }));
  for (const char* Shown : {"Align", "Bitmap", "BorderTileStyle", "Color", "Font", "Kind", "Name", "TileStyle", "Tag"})
    EXPECT_NE(std::find(P.begin(), P.end(), Shown), P.end()) << Shown;
  for (const char* Hidden : {"MaskedAngles", "MaskedBorder"})
    EXPECT_EQ(std::find(P.begin(), P.end(), Hidden), P.end()) << Hidden;
  EXPECT_EQ(Inspector->ValueText("Bitmap"), "(Bitmap)");
  EXPECT_EQ(Inspector->ValueText("Kind"), "skCaption");
  EXPECT_EQ(Inspector->ValueText("Font.Name"), "Tahoma");
  EXPECT_EQ(Inspector->ValueText("Name"), "Frame");
  // The link opens into its stored rectangle and name; the object is renamed here too.
  Inspector->SetExpanded("Bitmap", true);
  EXPECT_EQ(Inspector->RowPath(2), "Bitmap.Bottom");
  EXPECT_TRUE(Inspector->CommitText("Bitmap.Right", "30"));
  EXPECT_EQ(Object.Bitmap()->Right(), 30);
  EXPECT_TRUE(Inspector->CommitText("Name", "Caption1"));
  EXPECT_EQ(Object.Name(), "Caption1");
  EXPECT_FALSE(Inspector->CommitText("Name", "not a name"));
  EXPECT_EQ(Object.Name(), "Caption1");
  EXPECT_EQ(Messages().size(), 1u);
  Inspector->SetInspected(nullptr);
}

TEST_F(InspectorTest, SameObjectKeepsTheGridNewObjectRebuildsItNilEmptiesIt) {
  Inspector->SetBounds(0, 0, 260, 120);
  Inspector->SetExpanded("Font", true);
  Inspector->SelectPath("Font.Name");
  Inspector->SetTopRow(4);
  ASSERT_EQ(Inspector->TopRow(), 4);
  Inspector->SetInspected(&Sample);
  Inspector->RefreshValues();
  EXPECT_TRUE(Inspector->Expanded("Font"));
  EXPECT_EQ(Inspector->SelectedPath(), "Font.Name");
  EXPECT_EQ(Inspector->TopRow(), 4);
  // Nothing shown for a moment (as while the work area drags) keeps them too.
  Inspector->SetInspected(nullptr);
  Inspector->SetInspected(&Sample);
  EXPECT_TRUE(Inspector->Expanded("Font"));
  EXPECT_EQ(Inspector->SelectedPath(), "Font.Name");
  EXPECT_EQ(Inspector->TopRow(), 4);
  // RefreshValues reads values changed behind the inspector's back.
  Sample.SetWidth(5);
  Inspector->RefreshValues();
  EXPECT_EQ(Inspector->ValueText("Width"), "5");
  Inspector->SetInspected(nullptr);
  EXPECT_EQ(Inspector->RowCount(), 0);
  EXPECT_EQ(Inspector->ValueText("Width"), "");
  EXPECT_FALSE(Inspector->CommitText("Width", "1"));
  TSample Second;
  Second.SetWidth(33);
  Inspector->SetInspected(&Second);
  EXPECT_EQ(Inspector->ValueText("Width"), "33");
  EXPECT_EQ(Inspector->RowPath(0), "Buddy");
  Inspector->SetInspected(nullptr);
}

TEST_F(InspectorTest, ScrollBarWheelAndDraggedSplit) {
  Inspector->SetBounds(0, 0, 260, 100);
  Inspector->SetExpanded("Font", true);
  const Integer Visible = 100 / Inspector->RowHeight();
  SCROLLINFO Info{};
  Info.cbSize = sizeof(Info);
  Info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(Inspector->Handle(), SB_VERT, &Info));
  EXPECT_EQ(Info.nMax, Inspector->RowCount() - 1);
  EXPECT_EQ(Integer(Info.nPage), Visible);
  EXPECT_LT(Inspector->ClientWidth(), 260);  // the bar takes its room
  SendMessageA(Inspector->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Inspector->TopRow(), 1);
  SendMessageA(Inspector->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(Inspector->TopRow(), Inspector->RowCount() - Visible);
  SendMessageA(Inspector->Handle(), WM_VSCROLL, SB_TOP, 0);
  const TPoint Centre = Inspector->ClientToScreen({50, 50});
  SendMessageA(Inspector->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), MAKELPARAM(Centre.X, Centre.Y));
  EXPECT_EQ(Inspector->TopRow(), 3);
  // Dragging the split line moves the value column.
  Mouse(WM_LBUTTONDOWN, 85, 5);
  Mouse(WM_MOUSEMOVE, 120, 5);
  Mouse(WM_LBUTTONUP, 120, 5);
  EXPECT_EQ(Inspector->SplitPos(), 120);
  EXPECT_EQ(Inspector->ValueRect(Inspector->RowPath(3)).Left, 121);
}

TEST_F(InspectorTest, PaintsTwoColumnsSplitAt85WithNavyValues) {
  Inspector->SelectPath("Color");
  const Integer W = Inspector->ClientWidth(), H = Inspector->ClientHeight();
  Capture Pixels(W, H);
  SendMessageA(Inspector->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Pixels.DC()), PRF_CLIENT);
  const TRect Last = Inspector->RowRect(TopRows.back());
  int Navy = 0, NavyInNames = 0;
  for (Integer Y = 0; Y < Last.Bottom; ++Y) {
    EXPECT_EQ(Pixels.At(85, Y), DibColor(clBtnShadow)) << Y;
    for (Integer X = 0; X < W; ++X)
      if (Pixels.At(X, Y) == DibColor(clNavy)) ++(X < 85 ? NavyInNames : Navy);
  }
  EXPECT_EQ(NavyInNames, 0);
  // Each row's value text is navy: "120" of Width among them.
  const TRect Width = Inspector->ValueRect("Width");
  int WidthNavy = 0;
  for (Integer Y = Width.Top; Y < Width.Bottom; ++Y)
    for (Integer X = Width.Left; X < Width.Right; ++X) WidthNavy += Pixels.At(X, Y) == DibColor(clNavy);
  EXPECT_GT(WidthNavy, 10);
  EXPECT_GT(Navy, WidthNavy);
  // The selected row's name cell is highlighted, the others are not.
  const TRect Selected = Inspector->RowRect("Color");
  EXPECT_EQ(Pixels.At(80, Selected.Top + 1), DibColor(clHighlight));
  EXPECT_EQ(Pixels.At(80, Inspector->RowRect("Flags").Top + 1), DibColor(clBtnFace));
}

}  // namespace
