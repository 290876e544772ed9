// The controls of the main window: panels, tool bars, tree, pages, actions and menus. This unit
// sees the framework's tree view and never the editor core's tree model (see main_form.h).

#include <initializer_list>
#include <string>

#include "editor/images/images_page.h"
#include "editor/images/open_bitmap_form.h"
#include "editor/inspector/property_inspector.h"
#include "editor/main/main_form.h"
#include "editor/main/work_area.h"
#include "editor/tables/charset_box.h"
#include "editor/tables/pick_color_form.h"
#include "editor/tables/table_pages.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/imagelist.h"
#include "framework/ui/actions.h"
#include "framework/ui/comctrls.h"
#include "framework/ui/common_dialogs.h"
#include "framework/ui/menus.h"
#include "framework/ui/panel.h"
#include "framework/ui/scrollbox.h"
#include "framework/ui/shell.h"
#include "framework/ui/splitter.h"
#include "framework/ui/stdctrls.h"
#include "framework/ui/tree_view_state.h"
#include "vexel/skin/theme_dv3objects.h"

namespace {

constexpr Integer TopPanelHeight = 71;
constexpr Integer SidePanelWidth = 205;
constexpr Integer SplitterWidth = 3;
constexpr Integer GlyphSize = 16;
constexpr TColor GlyphMask = clFuchsia;

// The tool bar's buttons: the class each creates, its hint, and its glyph (a frame in a colour
// with a letter in it).
struct TObjectButton {
  const TClassInfo& (*Class)();
  const char* Hint;
  const char* Letter;
  TColor Fill;
};

template <typename T>
const TClassInfo& ClassOf() {
  return T::StaticClassInfo();
}

const TObjectButton StandardButtons[] = {
    {&ClassOf<TDvSkinObject>, "Container", "C", 0xE0E0E0},
    {&ClassOf<TDvBitmapObject>, "Bitmap Object", "B", 0xF0D0A0},
    {&ClassOf<TDvActiveObject>, "Active Object (2 states)", "A", 0xA0E0A0},
    {&ClassOf<TDvActiveBitmap>, "Active Bitmap (2 states)", "a", 0xA0E0E0},
    {&ClassOf<TDvSystemButton>, "System Button (Close, Max, Min ...)", "x", 0xA0A0F0},
    {&ClassOf<TDvButtonObject>, "Button Object (5 states)", "b", 0xF0B0E0},
    {&ClassOf<TDvTextObject>, "Text Object (5 states)", "T", 0xFFFFFF},
};

const TObjectButton OldButtons[] = {
    {&ClassOf<TDvBitmapSkinObject>, "TDvBitmapSkinObject", "1", 0xC8D8E8},
    {&ClassOf<TDvFormBitmapSkinObject>, "TDvFormBitmapSkinObject", "2", 0xC8D8E8},
    {&ClassOf<TDvSysButtonSkinObject>, "TDvSysButtonSkinObject", "3", 0xC8D8E8},
    {&ClassOf<TDvLinkSkinObject>, "TDvLinkSkinObject", "4", 0xC8D8E8},
    {&ClassOf<TDvActiveSkinObject>, "TDvActiveSkinObject", "5", 0xC8D8E8},
    {&ClassOf<TDvColorButtonObject>, "TDvColorButtonObject", "6", 0xC8D8E8},
    {&ClassOf<TDvBitmapBoxObject>, "TDvBitmapBoxObject", "7", 0xC8D8E8},
    {&ClassOf<TDvActiveBitmapBoxObject>, "TDvActiveBitmapBoxObject", "8", 0xC8D8E8},
    {&ClassOf<TDvButtonBitmapBoxObject>, "TDvButtonBitmapBoxObject", "9", 0xC8D8E8},
    {&ClassOf<TDvRollPanelObject>, "TDvRollPanelObject", "0", 0xC8D8E8},
};

enum TCommandGlyph { cgSelect, cgDelete, cgFront, cgBack, cgCopy, cgPaste };

void DrawCommandGlyph(TCanvas& C, TCommandGlyph Glyph) {
  C.Pen().SetColor(clBlack);
  switch (Glyph) {
    case cgSelect:
      C.Brush().SetColor(clWhite);
      C.Polygon({{4, 1}, {4, 13}, {7, 10}, {10, 15}, {12, 14}, {9, 9}, {13, 9}});
      break;
    case cgDelete:
      C.Pen().SetColor(clRed);
      C.Pen().SetWidth(2);
      C.MoveTo(3, 3);
      C.LineTo(13, 13);
      C.MoveTo(13, 3);
      C.LineTo(3, 13);
      C.Pen().SetWidth(1);
      break;
    case cgFront:
      C.Brush().SetColor(clSilver);
      C.Rectangle(Rect(1, 1, 10, 10));
      C.Brush().SetColor(clNavy);
      C.Rectangle(Rect(6, 6, 15, 15));
      break;
    case cgBack:
      C.Brush().SetColor(clNavy);
      C.Rectangle(Rect(6, 6, 15, 15));
      C.Brush().SetColor(clSilver);
      C.Rectangle(Rect(1, 1, 10, 10));
      break;
    case cgCopy:
      C.Brush().SetColor(clWhite);
      C.Rectangle(Rect(1, 1, 10, 12));
      C.Rectangle(Rect(6, 4, 15, 15));
      break;
    case cgPaste:
      C.Brush().SetColor(clOlive);
      C.Rectangle(Rect(2, 2, 13, 15));
      C.Brush().SetColor(clWhite);
      C.Rectangle(Rect(6, 6, 15, 15));
      C.Brush().SetColor(clGray);
      C.Rectangle(Rect(5, 1, 10, 4));
      break;
  }
}

void DrawObjectGlyph(TCanvas& C, const TObjectButton& B) {
  C.Pen().SetColor(clGray);
  C.Brush().SetColor(B.Fill);
  C.Rectangle(Rect(0, 1, 16, 15));
  C.Brush().SetStyle(TBrushStyle::bsClear);
  C.Font().SetName("Tahoma");
  C.Font().SetHeight(-11);
  C.Font().SetStyle({TFontStyle::fsBold});
  C.Font().SetColor(clBlack);
  const TSize Size = C.TextExtent(B.Letter);
  C.TextOut((GlyphSize - Size.cx) / 2, (GlyphSize - Size.cy) / 2, B.Letter);
  C.Brush().SetStyle(TBrushStyle::bsSolid);
}

// One glyph into List; answers its index.
template <typename TDraw>
Integer AddGlyph(TCustomImageList& List, TDraw Draw) {
  TBitmap Glyph;
  Glyph.SetSize(GlyphSize, GlyphSize);
  TCanvas& C = Glyph.Canvas();
  C.Brush().SetColor(GlyphMask);
  C.FillRect(Rect(0, 0, GlyphSize, GlyphSize));
  Draw(C);
  return List.AddMasked(Glyph, GlyphMask);
}

}  // namespace

void TfrmMain::CreateControls() {
  SetCaption("Pellan");
  SetBounds(0, 0, 850, 557);
  SetPosition(TPosition::poScreenCenter);
  Font()->SetName("MS Sans Serif");
  Font()->SetSize(8);
  FOpenDialog = new TOpenDialog(this);
  FSaveDialog = new TSaveDialog(this);
  CreateActions();
  CreateMenu();
  CreateTopPanel();
  CreateSecretPanel();
  CreateSidePanels();
  CreatePages();
}

void TfrmMain::CreateActions() {
  ActionList = new TActionList(this);
  auto Make = [this](const char* Name, const char* Category, const char* Caption, TShortCut Key, auto Run) {
    auto* A = new TAction(ActionList);
    A->SetName(Name);
    A->SetCategory(Category);
    A->SetCaption(Caption);
    A->SetShortCut(Key);
    A->OnExecute = [Run](TAction*) { Run(); };
    return A;
  };
  actnFileNew = Make("actnFileNew", "file", "Create", scCtrl | 'N', [this] { NewSkin(); });
  actnFileOpen = Make("actnFileOpen", "file", "Open...", scCtrl | 'O', [this] { OpenSkin(); });
  actnFileSave = Make("actnFileSave", "file", "Save", scCtrl | 'S', [this] { SaveSkin(); });
  actnFileSaveAs = Make("actnFileSaveAs", "file", "Save as...", scNone, [this] { SaveSkinAs(); });
  actnExport = Make("actnExport", "file", "Export Bitmaps....", scNone, [this] { ExportImages(); });
  actnUndo = Make("actnUndo", "Edit", "&Undo", scCtrl | 'Z', [this] { Undo(); });
  actnRedo = Make("actnRedo", "Edit", "&Redo", scCtrl | 'Y', [this] { Redo(); });
  actnRedo->SetSecondaryShortCuts({scCtrl | scShift | 'Z'});
  // Captions name the step; both are greyed with nothing to do.
  actnUndo->OnUpdate = [this](TAction*) { UpdateHistoryActions(); };
  actnRedo->OnUpdate = [this](TAction*) { UpdateHistoryActions(); };
  actnCopy = Make("actnCopy", "Edit", "Copy", scNone, [this] { CopyObject(); });
  actnPaste = Make("actnPaste", "Edit", "Paste", scNone, [this] { PasteObject(); });
  actnTestEmpty = Make("actnTestEmpty", "Test", "Test", scNone, [this] { TestEmptyForm(); });
  actnTest = Make("actnTest", "Test", "Control", scNone, [this] { TestControlsForm(); });
}

void TfrmMain::CreateMenu() {
  FMainMenu = new TMainMenu(this);
  auto Add = [this](TMenuItem* Parent, const std::string& Caption, TAction* Action = nullptr) {
    auto* Item = new TMenuItem(this);
    if (Action)
      Item->SetAction(Action);
    else
      Item->SetCaption(Caption);
    Parent->Add(Item);
    return Item;
  };
  TMenuItem* File = Add(FMainMenu->Items(), "&File");
  for (TAction* A : {actnFileNew, actnFileOpen, actnFileSave, actnFileSaveAs}) Add(File, "", A);
  Add(File, "-");
  Add(File, "", actnExport);
  Add(File, "-");
  Add(File, "&Exit")->OnClick = [this](TObject*) { Close(); };
  TMenuItem* Edit = Add(FMainMenu->Items(), "&Edit");
  Add(Edit, "", actnUndo);
  Add(Edit, "", actnRedo);
  Add(Edit, "-");
  Add(Edit, "", actnCopy);
  Add(Edit, "", actnPaste);
  TMenuItem* Help = Add(FMainMenu->Items(), "&Help");
  Add(Help, "Pellan on the web")->OnClick = [](TObject*) { ShellOpen(WebAddress); };
  Add(Help, "-");
  Add(Help, "About Vamsel...")->OnClick = [this](TObject*) { ShowAbout(); };
  SetMenu(FMainMenu);
}

void TfrmMain::CreateTopPanel() {
  auto* Top = new TPanel(this);
  Top->SetCaption("");
  Top->SetBounds(0, 0, 850, TopPanelHeight);
  Top->SetAlign(TAlign::alTop);
  Top->SetParent(this);

  auto* Commands = new TPanel(this);
  Commands->SetCaption("");
  Commands->SetBevelOuter(TPanelBevel::bvNone);
  Commands->SetBounds(0, 0, 384, TopPanelHeight);
  Commands->SetAlign(TAlign::alLeft);
  Commands->SetParent(Top);
  Integer X = 4;
  for (TAction* A : {actnFileNew, actnFileOpen, actnFileSave, actnTestEmpty, actnTest}) {
    auto* Button = new TButton(this);
    Button->SetBounds(X, 5, 54, 59);
    Button->SetAction(A);
    Button->SetParent(Commands);
    X += 56;
  }
  // Made once here and reused by the colour pages; it stays hidden until used.
  FPicker = new TfrmPickColor(this);
  FPickButton = new TButton(this);
  FPickButton->SetCaption("Pick...");
  FPickButton->SetBounds(X + 6, 5, 90, 25);
  // The picked value stays on the clipboard as text; nothing else is done with it.
  FPickButton->OnClick = [this](TObject*) { FPicker->ShowModal(); };
  FPickButton->SetParent(Commands);
  auto* Zoom = new TLabel(this);
  Zoom->SetCaption("Zoom:");
  Zoom->SetLeft(X + 6);
  Zoom->SetTop(43);
  Zoom->SetParent(Commands);
  FScaleBox = new TComboBox(this);
  FScaleBox->SetStyle(TComboBoxStyle::csDropDownList);
  FScaleBox->SetItems({"100%", "200%", "400%", "800%"});
  FScaleBox->SetBounds(X + 40, 39, 56, 21);
  FScaleBox->SetItemIndex(0);
  FScaleBox->OnChange = [this](TObject*) { ZoomChosen(); };
  FScaleBox->SetParent(Commands);

  auto* Tabs = new TTabControl(this);
  Tabs->SetTabs({"Standard", "Old"});
  Tabs->SetAlign(TAlign::alClient);
  Tabs->SetParent(Top);
  Tabs->OnChange = [this, Tabs](TObject*) { ChooseTab(Tabs->TabIndex()); };
  CreateObjectToolBars(Tabs);
  Tabs->SetTabIndex(0);
}

void TfrmMain::CreateSecretPanel() {
  constexpr Integer SecretPanelHeight = 41;
  SecretPanel = new TPanel(this);
  SecretPanel->SetCaption("");
  SecretPanel->SetVisible(false);
  SecretPanel->SetBounds(0, TopPanelHeight, 850, SecretPanelHeight);
  SecretPanel->SetAlign(TAlign::alTop);
  SecretPanel->SetParent(this);
  FontDialog1 = new TFontDialog(this);
  FontDialog1->Font()->SetName("Tahoma");
  FontDialog1->Font()->SetSize(8);
  FontDialog1->Font()->SetColor(clBlack);
  Integer X = 8;
  auto AddButton = [this, &X](const std::string& Caption, Integer Width, auto Run) {
    auto* Button = new TButton(this);
    Button->SetCaption(Caption);
    Button->SetBounds(X, 8, Width, 25);
    Button->OnClick = [Run](TObject*) { Run(); };
    Button->SetParent(SecretPanel);
    X += Width + 8;
    return Button;
  };
  auto AddLabel = [this, &X](const std::string& Caption) {
    auto* Label = new TLabel(this);
    Label->SetCaption(Caption);
    Label->SetLeft(X);
    Label->SetTop(14);
    Label->SetParent(SecretPanel);
    X += Label->Width() + 4;
  };
  auto AddEdit = [this, &X](const std::string& Text, Integer Width) {
    auto* Edit = new TEdit(this);
    Edit->SetText(Text);
    Edit->SetBounds(X, 10, Width, 21);
    Edit->SetParent(SecretPanel);
    X += Width + 6;
    return Edit;
  };
  ChangeFontButton = AddButton("Change Font", 84, [this] { ChangeFontClicked(); });
  AddLabel("Change Color from ");
  Edit2 = AddEdit("clWindowText", 90);
  AddLabel("to");
  Edit3 = AddEdit("clBlack", 70);
  ChangeColorButton = AddButton("Change", 56, [this] { ChangeColorClicked(); });
  RemoveDoubleButton = AddButton("Remove double img", 124, [this] { RemoveDoubleClicked(); });
  OptimizeButton = AddButton("Optimize images", 108, [this] { OptimizeClicked(); });
  Edit4 = AddEdit("400", 40);
  Edit5 = AddEdit("300", 40);
}

void TfrmMain::CreateObjectToolBars(TWinControl* Parent) {
  auto* Glyphs = new TCustomImageList(this);
  Glyphs->SetWidth(GlyphSize);
  Glyphs->SetHeight(GlyphSize);
  Glyphs->SetMasked(true);
  auto MakeBar = [this, Parent, Glyphs](TAlign Align) {
    auto* Bar = new TToolBar(this);
    Bar->SetShowCaptions(false);
    Bar->SetImages(Glyphs);
    Bar->SetAlign(Align);
    Bar->SetParent(Parent);
    return Bar;
  };
  auto AddButton = [this](TToolBar* Bar, Integer Glyph, const std::string& Hint) {
    auto* Button = new TToolButton(this);
    Button->SetImageIndex(Glyph);
    Button->SetHint(Hint);
    Button->SetShowHint(true);
    Button->SetParent(Bar);
    return Button;
  };

  TToolBar* Commands = MakeBar(TAlign::alLeft);
  Commands->SetWidth(6 * 24 + 12);
  const auto Command = [&](TCommandGlyph G, const std::string& Hint) {
    return AddButton(Commands, AddGlyph(*Glyphs, [G](TCanvas& C) { DrawCommandGlyph(C, G); }), Hint);
  };
  TToolButton* Select = Command(cgSelect, "Select");
  Select->SetStyle(TToolButtonStyle::tbsCheck);
  Select->SetDown(true);
  Command(cgDelete, "Delete")->OnClick = [this](TObject*) { DeleteSelected(); };
  Command(cgFront, "Bring to Front")->OnClick = [this](TObject*) { BringObjectToFront(); };
  Command(cgBack, "Send to Back")->OnClick = [this](TObject*) { SendObjectToBack(); };
  for (TAction* A : {actnCopy, actnPaste}) {
    TToolButton* Button = Command(A == actnCopy ? cgCopy : cgPaste, "");
    Button->SetAction(A);
    Button->SetHint(A->Caption());
  }

  for (const auto& Page : {std::make_pair(std::begin(StandardButtons), std::end(StandardButtons)),
                           std::make_pair(std::begin(OldButtons), std::end(OldButtons))}) {
    TToolBar* Bar = MakeBar(TAlign::alClient);
    for (auto B = Page.first; B != Page.second; ++B) {
      const TObjectButton& Spec = *B;
      TToolButton* Button =
          AddButton(Bar, AddGlyph(*Glyphs, [&Spec](TCanvas& C) { DrawObjectGlyph(C, Spec); }), Spec.Hint);
      Button->OnClick = [this, &Spec](TObject*) { AddObject(Spec.Class()); };
    }
    FToolPages.push_back(Bar);
  }
  FToolPages[1]->Hide();
}

void TfrmMain::ChooseTab(Integer Index) {
  for (size_t I = 0; I < FToolPages.size(); ++I) FToolPages[I]->SetVisible(Integer(I) == Index);
}

TPanel* TfrmMain::CreateHeader(TWinControl* Parent, const std::string& Caption) {
  auto* Header = new TPanel(this);
  Header->SetBevelOuter(TPanelBevel::bvNone);
  Header->SetAlignment(TAlignment::taLeftJustify);
  Header->SetColor(clBtnShadow);
  Header->SetParentFont(false);
  Header->Font()->SetName("Tahoma");
  Header->Font()->SetSize(8);
  Header->Font()->SetStyle({TFontStyle::fsBold});
  Header->Font()->SetColor(clWhite);
  Header->SetCaption(Caption);
  Header->SetBounds(0, 0, SidePanelWidth, 18);
  Header->SetAlign(TAlign::alTop);
  Header->SetParent(Parent);
  return Header;
}

void TfrmMain::CreateSidePanels() {
  auto* Left = new TPanel(this);
  FLeftPanel = Left;
  Left->SetCaption("");
  Left->SetBevelOuter(TPanelBevel::bvNone);
  Left->SetBounds(0, TopPanelHeight, SidePanelWidth, 400);
  Left->SetAlign(TAlign::alLeft);
  Left->SetParent(this);
  FTreeHeader = CreateHeader(Left, " Objects Tree");
  FSkinTree = new TTreeView(this);
  FSkinTree->SetReadOnly(true);
  FSkinTree->SetIndent(19);
  FSkinTree->SetAlign(TAlign::alClient);
  FSkinTree->SetParent(Left);
  FSkinTree->OnChange = [this](TObject*, TTreeNode* Node) {
    if (FDestroying || !Node || !Node->Data()) return;
    TreeRowChosen(Integer(reinterpret_cast<intptr_t>(Node->Data()) - 1));
  };
  FSkinTree->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState Shift) { ObjectKeyDown(Key, Shift, false); };
  auto* LeftBar = new TSplitter(this);
  LeftBar->SetBounds(SidePanelWidth, TopPanelHeight, SplitterWidth, 400);
  LeftBar->SetAlign(TAlign::alLeft);
  LeftBar->SetParent(this);

  auto* Right = new TPanel(this);
  Right->SetCaption("");
  Right->SetBevelOuter(TPanelBevel::bvNone);
  Right->SetBounds(850 - SidePanelWidth, TopPanelHeight, SidePanelWidth, 400);
  Right->SetAlign(TAlign::alRight);
  Right->SetParent(this);
  CreateHeader(Right, " Inspector");
  auto* Strip = new TPanel(this);
  Strip->SetCaption("");
  Strip->SetBevelOuter(TPanelBevel::bvNone);
  Strip->SetBounds(0, 18, SidePanelWidth, 20);
  Strip->SetAlign(TAlign::alTop);
  Strip->SetParent(Right);
  auto* FormLabel = new TLabel(this);
  FormLabel->SetCaption("Form: ");
  FormLabel->SetLeft(4);
  FormLabel->SetTop(4);
  FormLabel->SetParent(Strip);
  FInspectedLabel = new TLabel(this);
  FInspectedLabel->SetCaption("");
  FInspectedLabel->SetLeft(4 + FormLabel->Width());
  FInspectedLabel->SetTop(4);
  FInspectedLabel->SetParentFont(false);
  FInspectedLabel->Font()->SetStyle({TFontStyle::fsBold});
  FInspectedLabel->SetParent(Strip);
  FInspector = new TPropertyInspector(this);
  FInspector->SetAlign(TAlign::alClient);
  FInspector->SetParent(Right);
  auto* RightBar = new TSplitter(this);
  RightBar->SetBounds(850 - SidePanelWidth - SplitterWidth, TopPanelHeight, SplitterWidth, 400);
  RightBar->SetAlign(TAlign::alRight);
  RightBar->SetParent(this);
}

void TfrmMain::CreatePages() {
  auto* Centre = new TPanel(this);
  FCentre = Centre;
  Centre->SetCaption("");
  Centre->SetBevelOuter(TPanelBevel::bvNone);
  Centre->SetAlign(TAlign::alClient);
  Centre->SetParent(this);
  auto MakePage = [this, Centre] {
    auto* Page = new TPanel(this);
    Page->SetCaption("");
    Page->SetBevelOuter(TPanelBevel::bvNone);
    Page->SetAlign(TAlign::alClient);
    Page->SetParent(Centre);
    FPages.push_back(Page);
    return Page;
  };
  TPanel* Work = MakePage();
  auto* Scroll = new TScrollBox(this);
  Scroll->SetAlign(TAlign::alClient);
  Scroll->SetColor(clBtnFace);
  Scroll->SetParent(Work);
  FScrollBox = Scroll;
  FWorkArea = new TWorkArea(this);
  FWorkArea->SetBounds(0, 0, 0, 0);
  FWorkArea->SetParent(Scroll);
  FWorkArea->OnDragged = [this](TObject*) { SelectionDragged(); };
  BringPageToFront(0);
}

void TfrmMain::HostDocumentViews() {
  TSkinDocument& Doc = *FDocument;
  FImagesPage = new TImagesPage(this, Doc, [] { return OpenBitmap(); });
  // The document has refreshed the tree already; the view follows its selected image.
  FImagesPage->OnImagesChanged = [this](TObject*) { ShowSelectedImage(); };
  FFontsPage = new TFontsPage(this, Doc);
  FColorsPage = new TColorsPage(this, Doc, *FPicker);
  FSysColorsPage = new TSysColorsPage(this, Doc, *FPicker);
  for (TPanel* Page : std::initializer_list<TPanel*>{FImagesPage, FFontsPage, FColorsPage, FSysColorsPage}) {
    Page->SetAlign(TAlign::alClient);
    Page->SetParent(FCentre);
    FPages.push_back(Page);
  }
  FCharsetPanel = new TCharsetPanel(this, Doc);
  FCharsetPanel->SetAlign(TAlign::alBottom);
  FCharsetPanel->SetParent(FLeftPanel);
  BringPageToFront(PageInFront());
}

void TfrmMain::RefreshPages() {
  // The lists hold names only; each item reads its value from the skin as it is drawn.
  for (TListBox* List : {FFontsPage->List(), FColorsPage->List(), FSysColorsPage->List()}) List->Invalidate();
}

void TfrmMain::BringPageToFront(Integer Page) {
  for (size_t I = 0; I < FPages.size(); ++I) FPages[I]->SetVisible(Integer(I) == Page);
}

Integer TfrmMain::PageInFront() const {
  for (size_t I = 0; I < FPages.size(); ++I)
    if (FPages[I]->Visible()) return Integer(I);
  return -1;
}

void TfrmMain::FillTree(const std::vector<TTreeRow>& Rows, Integer Selected) {
  // The rebuilt nodes open and scroll as the user left the old ones.
  TTreeViewState Layout;
  Layout.Capture(*FSkinTree);
  FTreeUpdating = true;
  TTreeNodes& Items = FSkinTree->Items();
  TTreeNode* Chosen = nullptr;
  Items.BeginUpdate();
  try {
    Items.Clear();
    std::vector<TTreeNode*> Path;  // the last node of each level
    for (size_t I = 0; I < Rows.size(); ++I) {
      const TTreeRow& Row = Rows[I];
      Path.resize(size_t(std::min<Integer>(Row.Level, Integer(Path.size()))));
      TTreeNode* Node = Items.AddChild(Path.empty() ? nullptr : Path.back(), Row.Caption);
      Node->SetData(reinterpret_cast<void*>(intptr_t(I) + 1));
      Path.push_back(Node);
      if (Integer(I) == Selected) Chosen = Node;
    }
    // Expanding scrolls, so the kept first row comes after.
    if (Chosen)
      for (TTreeNode* P = Chosen->Parent(); P; P = P->Parent()) P->Expand();
    Layout.Restore(*FSkinTree);
  } catch (...) {
    Items.EndUpdate();
    FTreeUpdating = false;
    throw;
  }
  Items.EndUpdate();
  // Selecting scrolls the chosen node into view where the kept first row hid it; the tree view
  // does that only while it draws.
  if (Chosen) FSkinTree->SetSelected(Chosen);
  FTreeUpdating = false;
}

const std::string& TfrmMain::TreeHeader() const { return FTreeHeader->Caption(); }
void TfrmMain::SetTreeHeader(const std::string& Caption) { FTreeHeader->SetCaption(Caption); }
const std::string& TfrmMain::InspectedText() const { return FInspectedLabel->Caption(); }
void TfrmMain::SetInspectedText(const std::string& Text) { FInspectedLabel->SetCaption(Text); }
