// The colour, system colour and font pages apart from their windows: the rows of the three
// lists, reading and writing the entry of a row in the open skin's tables, the text a picked
// colour arrives in, and the charset box under the objects tree. Values are always read from the
// document's current source, so New and Open need nothing but a repaint of the lists.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/types.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/font.h"

class TSkinDocument;
class TDvSkinObject;

// The two colour lists: the theme colours by position, the system colours by the key of a row.
enum class TColorTable { ctThemeColors, ctSysColors };

// The names the lists show, in the tables' order: 22 theme colours, 26 system colours (the
// active caption twice), 66 fonts.
std::vector<std::string> ThemeColorRows();
std::vector<std::string> SysColorRows();
std::vector<std::string> FontRows();
Integer RowCount(TColorTable Table);
// The system-colour constant a row edits; rows 1 and 10 both edit clActiveCaption.
TColor SysColorRowKey(Integer Row);

// A colour name ("clRed", any letter case) or a number; other text raises EConvertError
// "'<text>' is not a valid integer value".
TColor TextToColor(const std::string& Text);

// The charset box: the platform's identifiers in their order, and the one selected at first.
std::vector<std::string> CharsetRows();
constexpr const char* DefaultCharsetRow = "DEFAULT_CHARSET";
std::optional<TFontCharset> CharsetFromIdent(std::string_view Ident);

class TThemeTablesModel {
 public:
  // The theme colour "Window": skin client areas follow it.
  static constexpr Integer WindowColorRow = 3;

  explicit TThemeTablesModel(TSkinDocument& Document) : FDocument(Document) {}

  // Nothing without a source or for a row outside the list.
  std::optional<TColor> Color(TColorTable Table, Integer Row) const;
  // Sets the entry, one step of the history; the "Window" theme colour also recolours
  // WindowClientObject. False (and nothing changed) without a source or a row.
  bool SetColor(TColorTable Table, Integer Row, TColor Value);
  // Converts Text first: text that is no colour raises and changes nothing.
  bool SetColorFromText(TColorTable Table, Integer Row, const std::string& Text);

  TFont* Font(Integer Row) const;
  // The entry takes Value's attributes, one step of the history.
  bool SetFont(Integer Row, const TFont& Value);

  // The first skClient object, depth first, of the top-level object named "form" (letter case
  // ignored, the object itself included); nil when there is none.
  TDvSkinObject* WindowClientObject() const;

  // "Change" of the charset box: every font of every object takes the charset Ident names, one
  // step of the history. The skin's font table keeps its own. False without a source or for an
  // identifier that does not convert.
  bool ApplyCharset(std::string_view Ident);

 private:
  TSkinDocument& FDocument;
};
