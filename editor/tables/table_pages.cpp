#include "editor/tables/table_pages.h"

#include "editor/core/skin_document.h"
#include "editor/tables/pick_color_form.h"
#include "editor/tables/table_items.h"
#include "framework/ui/clipboard.h"
#include "framework/ui/common_dialogs.h"
#include "framework/ui/stdctrls.h"

namespace {

constexpr Integer HeaderHeight = 18;
constexpr Integer Margin = 8;
constexpr Integer ButtonWidth = 75, ButtonHeight = 25;

TPanel* Strip(TWinControl* Parent, TAlign Align, Integer Height) {
  auto* Panel = new TPanel(Parent);
  Panel->SetBevelOuter(TPanelBevel::bvNone);
  Panel->SetCaption("");
  Panel->SetBounds(0, 0, Parent->Width(), Height);
  Panel->SetAlign(Align);
  Panel->SetParent(Parent);
  return Panel;
}

void MakePage(TPanel* Page) {
  Page->SetBevelOuter(TPanelBevel::bvNone);
  Page->SetCaption("");
  Page->SetBounds(0, 0, 434, 400);
}

// The body under the header: a margin all round, the list filling what the strips leave.
TPanel* Body(TPanel* Page) {
  TPanel* Body = Strip(Page, TAlign::alClient, Page->Height() - HeaderHeight);
  Body->SetBorderWidth(Margin);
  return Body;
}

TListBox* MakeList(TWinControl* Parent, const std::string& Name, Integer ItemHeight,
                   const std::vector<std::string>& Rows) {
  auto* List = new TListBox(Parent);
  List->SetName(Name);
  List->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
  List->SetItemHeight(ItemHeight);
  List->SetItems(Rows);
  List->SetAlign(TAlign::alClient);
  List->SetParent(Parent);
  return List;
}

TButton* MakeButton(TWinControl* Strip, const std::string& Caption, Integer Index) {
  auto* Button = new TButton(Strip);
  Button->SetCaption(Caption);
  Button->SetBounds(Index * (ButtonWidth + 6), Margin, ButtonWidth, ButtonHeight);
  Button->SetParent(Strip);
  return Button;
}

bool Highlighted(TOwnerDrawState State) {
  return State.Contains(TOwnerDrawStateFlag::odSelected) || State.Contains(TOwnerDrawStateFlag::odFocused);
}

}  // namespace

TPanel* CreatePageHeader(TWinControl* Page, const std::string& Caption) {
  auto* Header = new TPanel(Page);
  Header->SetBevelOuter(TPanelBevel::bvNone);
  Header->SetAlignment(TAlignment::taLeftJustify);
  // Keeps the caption off the left edge, where the other headers start with a space.
  Header->SetBorderWidth(3);
  Header->SetColor(clBtnShadow);
  Header->SetParentFont(false);
  Header->Font()->SetName("Tahoma");
  Header->Font()->SetSize(8);
  Header->Font()->SetStyle({TFontStyle::fsBold});
  Header->Font()->SetColor(clWhite);
  Header->SetCaption(Caption);
  Header->SetBounds(0, 0, Page->Width(), HeaderHeight);
  Header->SetAlign(TAlign::alTop);
  Header->SetParent(Page);
  return Header;
}

// [Colour pages] -------------------------------------------------------------------------------

TColorTablePage::TColorTablePage(TComponent* Owner, TSkinDocument& Document, TfrmPickColor& Picker, TColorTable Table)
    : TPanel(Owner), FPicker(Picker), FModel(Document), FTable(Table) {
  const bool Theme = Table == TColorTable::ctThemeColors;
  MakePage(this);
  FHeader = CreatePageHeader(this, Theme ? "Colors" : "System Colors");
  TPanel* Inside = Body(this);

  TPanel* Top = Strip(Inside, TAlign::alTop, 20);
  FLabel = new TLabel(Top);
  FLabel->SetCaption(Theme ? "Theme colors:" : "Theme system colors:");
  FLabel->SetBounds(0, 0, 120, 13);
  FLabel->SetParent(Top);

  TPanel* Buttons = Strip(Inside, TAlign::alBottom, Margin + ButtonHeight);
  FPick = MakeButton(Buttons, "Pick...", 0);
  FPick->OnClick = [this](TObject*) { Pick(); };
  FSelect = MakeButton(Buttons, "Select...", 1);
  FSelect->OnClick = [this](TObject*) { Select(); };

  FList =
      MakeList(Inside, Theme ? "ThemeColors" : "ThemeSysColors", ItemHeight, Theme ? ThemeColorRows() : SysColorRows());
  FList->OnDrawItem = [this](TWinControl*, Integer Index, const TRect& Rect, TOwnerDrawState State) {
    DrawColorItem(*FList->Canvas(), Rect, FModel.Color(FTable, Index).value_or(clWhite), FList->Items()[Index],
                  Highlighted(State));
  };
}

void TColorTablePage::Pick() {
  const Integer Row = FList->ItemIndex();
  if (Row < 0 || !FModel.Color(FTable, Row)) return;
  if (FPicker.ShowModal() != mrOk) return;
  if (FModel.SetColorFromText(FTable, Row, Clipboard().AsText())) FList->Repaint();
}

void TColorTablePage::Select() {
  const Integer Row = FList->ItemIndex();
  const auto Current = FModel.Color(FTable, Row);
  if (!Current) return;
  TColorDialog Dialog;
  Dialog.SetColor(*Current);
  if (!Dialog.Execute()) return;
  SetEntry(Dialog.Color());
}

void TColorTablePage::SetEntry(TColor Value) {
  if (FModel.SetColor(FTable, FList->ItemIndex(), Value)) FList->Repaint();
}

// [Fonts page] ---------------------------------------------------------------------------------

TFontsPage::TFontsPage(TComponent* Owner, TSkinDocument& Document) : TPanel(Owner), FModel(Document) {
  MakePage(this);
  FHeader = CreatePageHeader(this, "Fonts");
  TPanel* Inside = Body(this);
  TPanel* Buttons = Strip(Inside, TAlign::alBottom, Margin + ButtonHeight);
  FChange = MakeButton(Buttons, "Change...", 0);
  FChange->OnClick = [this](TObject*) { Change(); };

  FList = MakeList(Inside, "ThemeFonts", ItemHeight, FontRows());
  FList->OnDrawItem = [this](TWinControl*, Integer Index, const TRect& Rect, TOwnerDrawState State) {
    static const TFont Fallback;
    const TFont* Font = FModel.Font(Index);
    DrawFontItem(*FList->Canvas(), Rect, Font ? *Font : Fallback, FList->Items()[Index], Highlighted(State));
  };
}

void TFontsPage::Change() {
  const Integer Row = FList->ItemIndex();
  const TFont* Current = FModel.Font(Row);
  if (!Current) return;
  TFontDialog Dialog;
  Dialog.SetFont(Current);
  if (!Dialog.Execute()) return;
  if (FModel.SetFont(Row, *Dialog.Font())) FList->Repaint();
}
