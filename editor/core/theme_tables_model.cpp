#include "editor/core/theme_tables_model.h"

#include "editor/core/skin_document.h"
#include "framework/core/exceptions.h"
#include "framework/core/reflection.h"
#include "vexel/skin/theme_dv3source.h"
#include "vexel/theme/vx_theme_tables.h"

namespace {

std::vector<std::string> Names(Integer Count, const char* (*Name)(Integer)) {
  std::vector<std::string> Rows;
  Rows.reserve(size_t(Count));
  for (Integer I = 0; I < Count; ++I) Rows.emplace_back(Name(I));
  return Rows;
}

// The character-set setter of the skin objects reaches the fonts their state shows and the
// active and state fonts of some classes; the property tables know every font an object has.
void SetEveryFontCharset(TDvSkinObject& Object, TFontCharset Charset) {
  for (const TPropInfo* Property : Object.ClassInfo().AllProperties())
    if (Property->Kind == TPropKind::pkClass && Property->GetObject)
      if (auto* Font = dynamic_cast<TFont*>(Property->GetObject(&Object))) Font->SetCharset(Charset);
  for (Integer I = 0; I < Object.ChildCount(); ++I) SetEveryFontCharset(*Object.Child(I), Charset);
}

}  // namespace

std::vector<std::string> ThemeColorRows() { return Names(vxThemeColorCount, ThemeColorName); }
std::vector<std::string> SysColorRows() { return Names(vxThemeSysColorCount, ThemeSysColorName); }
std::vector<std::string> FontRows() { return Names(vxThemeFontCount, ThemeFontName); }

Integer RowCount(TColorTable Table) {
  return Table == TColorTable::ctThemeColors ? vxThemeColorCount : vxThemeSysColorCount;
}

TColor SysColorRowKey(Integer Row) { return ThemeSysColorKey(Row); }

TColor TextToColor(const std::string& Text) {
  if (auto Value = StringToColor(Text)) return *Value;
  throw EConvertError(Format("'%s' is not a valid integer value", Text.c_str()));
}

std::vector<std::string> CharsetRows() {
  std::vector<std::string> Rows;
  for (const TIdentMapEntry& Entry : CharsetIdents().Entries) Rows.emplace_back(Entry.Name);
  return Rows;
}

std::optional<TFontCharset> CharsetFromIdent(std::string_view Ident) {
  if (auto Value = CharsetIdents().ToValue(Ident)) return TFontCharset(*Value);
  return std::nullopt;
}

// [Entries] ------------------------------------------------------------------------------------

std::optional<TColor> TThemeTablesModel::Color(TColorTable Table, Integer Row) const {
  const TDvSkinSource* Source = FDocument.Source();
  if (!Source || Row < 0 || Row >= RowCount(Table)) return std::nullopt;
  if (Table == TColorTable::ctThemeColors) return Source->Colors().Color(Row);
  return Source->SysColors().SysColor(SysColorRowKey(Row));
}

bool TThemeTablesModel::SetColor(TColorTable Table, Integer Row, TColor Value) {
  TDvSkinSource* Source = FDocument.Source();
  if (!Source || Row < 0 || Row >= RowCount(Table)) return false;
  FDocument.BeginStep();
  if (Table == TColorTable::ctThemeColors) {
    Source->Colors().SetColor(Row, Value);
    if (Row == WindowColorRow)
      if (TDvSkinObject* Client = WindowClientObject()) Client->SetColor(Value);
  } else {
    Source->SysColors().SetSysColor(SysColorRowKey(Row), Value);
  }
  FDocument.RecordStep(Table == TColorTable::ctThemeColors ? "Change Color" : "Change System Color");
  return true;
}

bool TThemeTablesModel::SetColorFromText(TColorTable Table, Integer Row, const std::string& Text) {
  if (!FDocument.Source() || Row < 0 || Row >= RowCount(Table)) return false;
  return SetColor(Table, Row, TextToColor(Text));
}

TFont* TThemeTablesModel::Font(Integer Row) const {
  TDvSkinSource* Source = FDocument.Source();
  if (!Source || Row < 0 || Row >= vxThemeFontCount) return nullptr;
  return &Source->Fonts().Font(Row);
}

bool TThemeTablesModel::SetFont(Integer Row, const TFont& Value) {
  TFont* Entry = Font(Row);
  if (!Entry) return false;
  FDocument.BeginStep();
  Entry->Assign(&Value);
  FDocument.RecordStep("Change Font");
  return true;
}

TDvSkinObject* TThemeTablesModel::WindowClientObject() const {
  const TDvSkinSource* Source = FDocument.Source();
  TDvSkinObject* Form = Source ? Source->FindObject("form") : nullptr;
  return Form ? Form->FindByKind(TDvKind::skClient) : nullptr;
}

// [Charset box] --------------------------------------------------------------------------------

bool TThemeTablesModel::ApplyCharset(std::string_view Ident) {
  const TDvSkinSource* Source = FDocument.Source();
  const auto Charset = CharsetFromIdent(Ident);
  if (!Source || !Charset) return false;
  FDocument.BeginStep();
  for (Integer I = 0; I < Source->ObjectCount(); ++I) {
    TDvSkinObject* Object = Source->Objects(I);
    Object->SetCharset(*Charset);
    SetEveryFontCharset(*Object, *Charset);
  }
  FDocument.RecordStep("Change Charset");
  return true;
}
