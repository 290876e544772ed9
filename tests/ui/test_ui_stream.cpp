// Form files: the stored properties of controls written with WriteComponent and read back.
#include "framework/core/class_registry.h"
#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "framework/ui/comctrls.h"
#include "framework/ui/menus.h"
#include "framework/ui/panel.h"
#include "framework/ui/splitter.h"
#include "framework/ui/stdctrls.h"
#include "ui_fixture.h"

namespace {

class StreamTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    RegisterUiClasses();
  }
};

TEST_F(StreamTest, FormFilesCanHoldControlsMenusActionsAndDialogs) {
  for (const char* Name :
       {"TForm", "TButton", "TEdit", "TListBox", "TStringGrid", "TScrollBox", "TStatusBar", "TAction", "TActionList",
        "TMenuItem", "TMainMenu", "TPopupMenu", "TOpenDialog", "TSaveDialog", "TColorDialog", "TFontDialog"}) {
    SCOPED_TRACE(Name);
    const TClassInfo* Info = FindClass(Name);
    ASSERT_NE(Info, nullptr);
    EXPECT_EQ(Info->Name, std::string(Name));
  }
}

TEST_F(StreamTest, PanelPropertiesReadBackAsWritten) {
  TPanel Source;
  Source.SetName("PanelWork");
  Source.SetBounds(12, 34, 560, 78);
  Source.SetAlign(TAlign::alClient);
  Source.SetVisible(false);
  Source.SetEnabled(false);
  Source.SetCaption("Work area");
  Source.SetColor(clBtnShadow);
  Source.Font()->SetName("Tahoma");
  Source.Font()->SetStyle({TFontStyle::fsBold});
  Source.SetParentColor(false);
  Source.SetBevelOuter(TPanelBevel::bvLowered);
  Source.SetBevelInner(TPanelBevel::bvSpace);
  Source.SetBevelWidth(3);
  Source.SetBorderWidth(2);
  Source.SetTabStop(true);
  Source.SetCursor(crHandPoint);
  TMemoryStream Stream;
  WriteComponent(Stream, Source);
  Stream.SetPosition(0);

  TPanel Read;
  ReadComponent(Stream, Read);
  EXPECT_EQ(Read.Name(), "PanelWork");
  EXPECT_EQ(Read.BoundsRect(), Bounds(12, 34, 560, 78));
  EXPECT_EQ(Read.Align(), TAlign::alClient);
  EXPECT_FALSE(Read.Visible());
  EXPECT_FALSE(Read.Enabled());
  EXPECT_EQ(Read.Caption(), "Work area");
  EXPECT_EQ(Read.Color(), clBtnShadow);
  EXPECT_EQ(Read.Font()->Name(), "Tahoma");
  EXPECT_EQ(Read.Font()->Style(), TFontStyles{TFontStyle::fsBold});
  EXPECT_FALSE(Read.ParentFont());
  EXPECT_EQ(Read.BevelOuter(), TPanelBevel::bvLowered);
  EXPECT_EQ(Read.BevelInner(), TPanelBevel::bvSpace);
  EXPECT_EQ(Read.BevelWidth(), 3);
  EXPECT_EQ(Read.BorderWidth(), 2);
  EXPECT_TRUE(Read.TabStop());
  EXPECT_EQ(Read.Cursor(), crHandPoint);
}

TEST_F(StreamTest, AControlFollowingItsParentsFontStillDoesAfterReading) {
  TPanel Source;
  ASSERT_TRUE(Source.ParentFont());
  TMemoryStream Stream;
  WriteComponent(Stream, Source);
  Stream.SetPosition(0);
  TPanel Parent;
  Parent.Font()->SetHeight(-30);
  TPanel Read;
  Read.SetParent(&Parent);
  Read.SetParentFont(false);
  ReadComponent(Stream, Read);
  // The font read from the stream does not switch ParentFont off; after loading the parent's font applies.
  EXPECT_TRUE(Read.ParentFont());
  EXPECT_EQ(Read.Font()->Height(), -30);
  Read.SetParent(nullptr);
}

TEST_F(StreamTest, FormWithItsControlsReadsBack) {
  Form->SetName("MainForm");
  Form->SetCaption("Skin editor");
  Form->SetBorderStyle(TFormBorderStyle::bsSingle);
  Form->SetPosition(TPosition::poScreenCenter);
  Form->SetKeyPreview(true);
  auto* Left = new TPanel(Form.get());
  Left->SetName("PanelLeft");
  Left->SetBounds(0, 0, 205, 100);
  Left->SetAlign(TAlign::alLeft);
  Left->SetParent(Form.get());
  auto* Bar = new TSplitter(Form.get());
  Bar->SetName("Splitter1");
  Bar->SetMinSize(50);
  Bar->SetLeft(300);
  Bar->SetParent(Form.get());
  TMemoryStream Stream;
  WriteComponent(Stream, *Form);
  Stream.SetPosition(0);

  TForm Read;
  bool Created = false;
  Read.OnCreate = [&](TObject*) { Created = true; };
  ReadComponent(Stream, Read);
  EXPECT_TRUE(Created);
  EXPECT_EQ(Read.Caption(), "Skin editor");
  EXPECT_EQ(Read.BorderStyle(), TFormBorderStyle::bsSingle);
  EXPECT_EQ(Read.Position(), TPosition::poScreenCenter);
  EXPECT_TRUE(Read.KeyPreview());
  auto* ReadLeft = dynamic_cast<TPanel*>(Read.FindComponent("PanelLeft"));
  auto* ReadBar = dynamic_cast<TSplitter*>(Read.FindComponent("Splitter1"));
  ASSERT_NE(ReadLeft, nullptr) << "the stream writer does not store owned components";
  ASSERT_NE(ReadBar, nullptr);
  EXPECT_EQ(ReadLeft->Parent(), &Read);
  EXPECT_EQ(ReadLeft->Align(), TAlign::alLeft);
  EXPECT_EQ(ReadLeft->Width(), 205);
  EXPECT_EQ(ReadBar->MinSize(), 50);
  EXPECT_EQ(ReadBar->Left(), 205);
}

}  // namespace

// Controls come back inside their parents, owned by the form; menus keep their trees.
TEST_F(StreamTest, NestedControlsAndMenuTreesKeepTheirPlaces) {
  Form->SetName("Editor");
  Form->SetBounds(0, 0, 400, 300);
  auto* Side = new TPanel(Form.get());
  Side->SetName("PanelSide");
  Side->SetWidth(150);
  Side->SetAlign(TAlign::alLeft);
  Side->SetBevelOuter(TPanelBevel::bvNone);
  Side->SetParent(Form.get());
  auto* Top = new TPanel(Form.get());
  Top->SetName("PanelTop");
  Top->SetHeight(40);
  Top->SetAlign(TAlign::alTop);
  Top->SetParent(Side);
  auto* Inner = new TPanel(Form.get());
  Inner->SetName("PanelInner");
  Inner->SetAlign(TAlign::alClient);
  Inner->SetParent(Side);
  auto* Ok = new TButton(Form.get());
  Ok->SetName("ButtonOk");
  Ok->SetParent(Inner);
  auto* Part = new TPanel(Inner);  // a part the panel made for itself: not the form's
  Part->SetName("OwnPart");
  Part->SetParent(Inner);
  auto* Loose = new TPanel(Form.get());  // on no parent: not part of the form's picture
  Loose->SetName("Loose");
  auto* Menu = new TMainMenu(Form.get());
  Menu->SetName("MainMenu1");
  auto* File = new TMenuItem(Form.get());
  File->SetName("MenuFile");
  File->SetCaption("&File");
  Menu->Items()->Add(File);
  auto* Open = new TMenuItem(Form.get());
  Open->SetName("MenuOpen");
  Open->SetCaption("&Open...");
  File->Add(Open);
  auto* Recent = new TMenuItem(Form.get());
  Recent->SetName("MenuRecent");
  File->Add(Recent);
  auto* First = new TMenuItem(Form.get());
  First->SetName("MenuRecent1");
  Recent->Add(First);
  Form->SetMenu(Menu);
  TMemoryStream Stream;
  WriteComponent(Stream, *Form);
  Stream.SetPosition(0);

  TForm Read;
  ReadComponent(Stream, Read);
  auto Find = [&](const char* Name) { return Read.FindComponent(Name); };
  for (const char* Name : {"PanelSide", "PanelTop", "PanelInner", "ButtonOk", "MainMenu1", "MenuFile", "MenuOpen",
                           "MenuRecent", "MenuRecent1"}) {
    SCOPED_TRACE(Name);
    ASSERT_NE(Find(Name), nullptr);
    EXPECT_EQ(Find(Name)->Owner(), &Read);
  }
  EXPECT_EQ(Find("OwnPart"), nullptr);
  EXPECT_EQ(Find("Loose"), nullptr);
  auto* ReadSide = static_cast<TPanel*>(Find("PanelSide"));
  auto* ReadTop = static_cast<TPanel*>(Find("PanelTop"));
  auto* ReadInner = static_cast<TPanel*>(Find("PanelInner"));
  EXPECT_EQ(ReadSide->Parent(), &Read);
  EXPECT_EQ(ReadTop->Parent(), ReadSide);
  EXPECT_EQ(ReadInner->Parent(), ReadSide);
  EXPECT_EQ(static_cast<TControl*>(Find("ButtonOk"))->Parent(), ReadInner);
  EXPECT_EQ(ReadInner->ControlCount(), 1);
  Read.SetClientWidth(400);
  Read.SetClientHeight(300);
  EXPECT_EQ(ReadSide->BoundsRect(), Bounds(0, 0, 150, 300));
  EXPECT_EQ(ReadTop->BoundsRect(), Bounds(0, 0, 150, 40));
  EXPECT_EQ(ReadInner->BoundsRect(), Bounds(0, 40, 150, 260));

  auto* ReadMenu = static_cast<TMainMenu*>(Find("MainMenu1"));
  EXPECT_EQ(Read.Menu(), ReadMenu);
  ASSERT_EQ(ReadMenu->Items()->Count(), 1);
  TMenuItem* ReadFile = ReadMenu->Items()->Items(0);
  EXPECT_EQ(ReadFile->Caption(), "&File");
  ASSERT_EQ(ReadFile->Count(), 2);
  EXPECT_EQ(ReadFile->Items(0)->Name(), "MenuOpen");
  EXPECT_EQ(ReadFile->Items(0)->Caption(), "&Open...");
  ASSERT_EQ(ReadFile->Items(1)->Count(), 1);
  EXPECT_EQ(ReadFile->Items(1)->Items(0)->Name(), "MenuRecent1");
}

// Item lists go through the text form of form files and back.
TEST_F(StreamTest, ItemListsSurviveTheTextForm) {
  Form->SetName("Lists");
  auto* List = new TListBox(Form.get());
  List->SetName("ListFonts");
  List->SetParent(Form.get());
  List->SetItems({"Tahoma", "it's \"quoted\"", std::string(300, 'w'), ""});
  auto* Combo = new TComboBox(Form.get());
  Combo->SetName("ComboZoom");
  Combo->SetParent(Form.get());
  Combo->SetItems({"100%", "200%", "400%"});
  Combo->SetItemIndex(2);
  auto* Tabs = new TTabControl(Form.get());
  Tabs->SetName("TabsPages");
  Tabs->SetParent(Form.get());
  Tabs->SetTabs({"Objects", "Images"});
  Tabs->SetTabIndex(1);
  auto* Empty = new TListBox(Form.get());
  Empty->SetName("ListEmpty");
  Empty->SetParent(Form.get());
  TMemoryStream Binary, Text, Back;
  WriteComponent(Binary, *Form);
  Binary.SetPosition(0);
  ObjectBinaryToText(Binary, Text);
  const std::string Source(reinterpret_cast<const char*>(Text.Memory()), size_t(Text.Size()));
  EXPECT_NE(Source.find("'100%'"), std::string::npos) << Source;
  Text.SetPosition(0);
  ObjectTextToBinary(Text, Back);
  Back.SetPosition(0);

  TForm Read;
  ReadComponent(Back, Read);
  auto* ReadList = dynamic_cast<TListBox*>(Read.FindComponent("ListFonts"));
  auto* ReadCombo = dynamic_cast<TComboBox*>(Read.FindComponent("ComboZoom"));
  auto* ReadTabs = dynamic_cast<TTabControl*>(Read.FindComponent("TabsPages"));
  auto* ReadEmpty = dynamic_cast<TListBox*>(Read.FindComponent("ListEmpty"));
  ASSERT_TRUE(ReadList && ReadCombo && ReadTabs && ReadEmpty);
  EXPECT_EQ(ReadList->Items().List(), List->Items().List());
  EXPECT_EQ(ReadCombo->Items().List(), (std::vector<std::string>{"100%", "200%", "400%"}));
  EXPECT_EQ(ReadCombo->ItemIndex(), 2);
  EXPECT_EQ(ReadTabs->Tabs().List(), (std::vector<std::string>{"Objects", "Images"}));
  EXPECT_EQ(ReadTabs->TabIndex(), 1);
  EXPECT_EQ(ReadEmpty->Items().Count(), 0);
}

TEST_F(StreamTest, AListHoldingSomethingElseThanStringsIsRefusedByName) {
  TMemoryStream Stream;
  const char Head[] =
      "TPF0\x08TListBox\x05List1\x05Items\x01\x06\x01"
      "a\x02\x07";
  Stream.WriteBuffer(Head, sizeof(Head) - 1);
  Stream.SetPosition(0);
  TListBox Read;
  try {
    ReadComponent(Stream, Read);
    FAIL() << "read a list with an integer in it";
  } catch (const EReadError& E) {
    EXPECT_EQ(E.Message(), "Error reading List1.Items: Invalid property value");
  }
}
