#include "editor/tables/charset_box.h"

#include "editor/core/theme_tables_model.h"
#include "framework/ui/stdctrls.h"

namespace {
constexpr Integer Gap = 4, ButtonWidth = 50, StripHeight = 29;  // the box fits "CHINESEBIG5_CHARSET"
}  // namespace

void FillCharsetBox(TComboBox& Box) {
  Box.Items().Clear();
  for (const std::string& Row : CharsetRows()) Box.Items().Add(Row);
  Box.SetItemIndex(Box.Items().IndexOf(DefaultCharsetRow));
}

bool ChangeCharset(TSkinDocument& Document, const TComboBox& Box) {
  return TThemeTablesModel(Document).ApplyCharset(Box.Text());
}

TCharsetPanel::TCharsetPanel(TComponent* Owner, TSkinDocument& Document) : TPanel(Owner), FDocument(Document) {
  SetBevelOuter(TPanelBevel::bvNone);
  SetCaption("");
  SetBounds(0, 0, 205, StripHeight);
  FBox = new TComboBox(this);
  FBox->SetName("cbCharset");
  FBox->SetParent(this);
  FChange = new TButton(this);
  FChange->SetCaption("Change");
  FChange->SetParent(this);
  FChange->OnClick = [this](TObject*) { ChangeCharset(FDocument, *FBox); };
  Resize();
  Refill();
}

void TCharsetPanel::Resize() {
  TPanel::Resize();
  if (!FBox || !FChange) return;
  const Integer Right = Width() - Gap;
  FChange->SetBounds(Right - ButtonWidth, Gap, ButtonWidth, 21);
  FBox->SetBounds(Gap, Gap, Right - ButtonWidth - 2 * Gap, 21);
}
