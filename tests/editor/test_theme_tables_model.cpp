#include <gtest/gtest.h>

#include "editor/core/skin_document.h"
#include "editor/core/theme_tables_model.h"
#include "editor_test_support.h"
#include "framework/core/exceptions.h"

namespace {

using enum TColorTable;

class ThemeTables : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Document.NewSkin());
    ASSERT_FALSE(Document.Modified());
  }
  TDvSkinSource& Source() { return *Document.Source(); }
  TDvSkinObject* Form() { return Source().Objects(0); }

  TScriptedPrompts Prompts;
  TSkinDocument Document{Prompts};
  TThemeTablesModel Model{Document};
};

TEST(ThemeTableRows, ListTheTablesNamesInOrderWithTheActiveCaptionTwice) {
  const auto Colors = ThemeColorRows(), Sys = SysColorRows(), Fonts = FontRows();
  ASSERT_EQ(Colors.size(), 22u);
  EXPECT_EQ(Colors.front(), "CaptionNormal");
  EXPECT_EQ(Colors[3], "Window");
  EXPECT_EQ(Colors.back(), "BarDock");
  ASSERT_EQ(Sys.size(), 26u);
  EXPECT_EQ(Sys.front(), "clActiveBorder");
  EXPECT_EQ(Sys[1], "clActiveCaption");
  EXPECT_EQ(Sys[10], "clActiveCaption");
  EXPECT_EQ(Sys.back(), "clWindowFrame");
  EXPECT_EQ(SysColorRowKey(1), clActiveCaption);
  EXPECT_EQ(SysColorRowKey(10), clActiveCaption);
  EXPECT_EQ(SysColorRowKey(9), clDefault);
  EXPECT_EQ(SysColorRowKey(4), clBtnFace);
  ASSERT_EQ(Fonts.size(), 66u);
  EXPECT_EQ(Fonts.front(), "CaptionTextNormal");
  EXPECT_EQ(Fonts[33], "EditBoxTextSelected");
  EXPECT_EQ(Fonts.back(), "PopupMenuItemTextDisabled");
}

TEST(ThemeTableRows, CharsetBoxHoldsTheEighteenIdentifiersInOrder) {
  const std::pair<const char*, int> Expected[] = {
      {"ANSI_CHARSET", 0},          {"DEFAULT_CHARSET", 1},   {"SYMBOL_CHARSET", 2},    {"MAC_CHARSET", 77},
      {"SHIFTJIS_CHARSET", 128},    {"HANGEUL_CHARSET", 129}, {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},
      {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162}, {"HEBREW_CHARSET", 177},
      {"ARABIC_CHARSET", 178},      {"BALTIC_CHARSET", 186},  {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},
      {"EASTEUROPE_CHARSET", 238},  {"OEM_CHARSET", 255},
  };
  const auto Rows = CharsetRows();
  ASSERT_EQ(Rows.size(), std::size(Expected));
  for (size_t I = 0; I < Rows.size(); ++I) {
    EXPECT_EQ(Rows[I], Expected[I].first);
    EXPECT_EQ(CharsetFromIdent(Rows[I]), std::optional<TFontCharset>(TFontCharset(Expected[I].second))) << Rows[I];
  }
  EXPECT_EQ(Rows[1], DefaultCharsetRow);
  EXPECT_FALSE(CharsetFromIdent("CYRILLIC_CHARSET"));
  EXPECT_FALSE(CharsetFromIdent(""));
}

TEST(ThemeTableRows, ClipboardTextConvertsFromColourNamesAndNumbers) {
  const std::pair<const char*, TColor> Cases[] = {
      {"clRed", clRed}, {"CLRED", clRed},     {"clBtnFace", clBtnFace},   {"255", 0xFF},
      {"0", 0},         {"16711680", clBlue}, {"-2147483633", clBtnFace},
  };
  for (const auto& [Text, Color] : Cases) EXPECT_EQ(TextToColor(Text), Color) << Text;
  for (const char* Bad : {"red", "", "12abc", "1.5", " 255", "clRedd"}) {
    try {
      TextToColor(Bad);
      ADD_FAILURE() << "no error for '" << Bad << "'";
    } catch (const EConvertError& E) {
      EXPECT_EQ(E.Message(), std::string("'") + Bad + "' is not a valid integer value");
    }
  }
}

TEST_F(ThemeTables, SettingAColourChangesThatEntryAndMarksTheSkinModified) {
  ASSERT_TRUE(Model.SetColor(ctThemeColors, 7, clRed));
  EXPECT_EQ(Source().Colors().Color(7), clRed);
  EXPECT_EQ(Model.Color(ctThemeColors, 7), clRed);
  EXPECT_TRUE(Document.Modified());

  ASSERT_TRUE(Model.SetColor(ctSysColors, 4, 0x123456));
  EXPECT_EQ(Source().SysColors().SysColor(clBtnFace), 0x123456);
  EXPECT_EQ(Model.Color(ctSysColors, 4), 0x123456);
}

TEST_F(ThemeTables, EitherActiveCaptionRowEditsTheOneConstant) {
  ASSERT_TRUE(Model.SetColor(ctSysColors, 10, 0x0000AA));
  EXPECT_EQ(Source().SysColors().SysColor(clActiveCaption), 0x0000AA);
  EXPECT_EQ(Model.Color(ctSysColors, 1), 0x0000AA);
  EXPECT_EQ(Model.Color(ctSysColors, 10), 0x0000AA);
  ASSERT_TRUE(Model.SetColor(ctSysColors, 1, 0x00BB00));
  EXPECT_EQ(Model.Color(ctSysColors, 10), 0x00BB00);
}

TEST_F(ThemeTables, NoRowOrNoSourceChangesNothing) {
  const TColor Before = Source().Colors().Color(0);
  for (Integer Row : {-1, 22}) EXPECT_FALSE(Model.SetColor(ctThemeColors, Row, clRed)) << Row;
  EXPECT_FALSE(Model.SetColor(ctSysColors, 26, clRed));
  EXPECT_FALSE(Model.SetColorFromText(ctThemeColors, -1, "255"));
  EXPECT_FALSE(Model.Color(ctSysColors, -1));
  EXPECT_EQ(Model.Font(66), nullptr);
  TFont Font;
  EXPECT_FALSE(Model.SetFont(-1, Font));
  EXPECT_EQ(Source().Colors().Color(0), Before);
  EXPECT_FALSE(Document.Modified());

  TScriptedPrompts OtherPrompts;
  TSkinDocument Empty(OtherPrompts);
  TThemeTablesModel EmptyModel(Empty);
  EXPECT_FALSE(EmptyModel.Color(ctThemeColors, 0));
  EXPECT_FALSE(EmptyModel.SetColor(ctThemeColors, 0, clRed));
  EXPECT_EQ(EmptyModel.Font(0), nullptr);
  EXPECT_FALSE(EmptyModel.ApplyCharset("RUSSIAN_CHARSET"));
  EXPECT_FALSE(Empty.Modified());
}

TEST_F(ThemeTables, TextThatIsNoColourRaisesAndLeavesTheTableAlone) {
  Source().Colors().SetColor(5, clGreen);
  EXPECT_THROW(Model.SetColorFromText(ctThemeColors, 5, "greenish"), EConvertError);
  EXPECT_EQ(Source().Colors().Color(5), clGreen);
  EXPECT_FALSE(Document.Modified());
  ASSERT_TRUE(Model.SetColorFromText(ctThemeColors, 5, "255"));
  EXPECT_EQ(Source().Colors().Color(5), clRed);
  ASSERT_TRUE(Model.SetColorFromText(ctSysColors, 12, "clLime"));
  EXPECT_EQ(Source().SysColors().SysColor(clHighlight), clLime);
}

TEST_F(ThemeTables, WindowEntryRecoloursTheFirstClientBelowTheFormAndNoOtherEntryDoes) {
  // Depth first: the client inside Frame comes before the later sibling Client2.
  TDvSkinObject* Frame = AddChild(Form(), "Frame", Rect(0, 0, 100, 100));
  TDvSkinObject* Client = AddChild(Frame, "Client", Rect(5, 5, 95, 95));
  Client->SetKind(TDvKind::skClient);
  TDvSkinObject* Client2 = AddChild(Form(), "Client2", Rect(0, 0, 10, 10));
  Client2->SetKind(TDvKind::skClient);
  TDvSkinObject* Elsewhere = AddTopLevel(Source(), "Dialog", TDvKind::skForm, Rect(0, 0, 50, 50));
  TDvSkinObject* OtherClient = AddChild(Elsewhere, "Client", Rect(0, 0, 10, 10));
  OtherClient->SetKind(TDvKind::skClient);
  Client->SetColor(clWhite);
  Client2->SetColor(clWhite);
  OtherClient->SetColor(clWhite);
  ASSERT_EQ(Model.WindowClientObject(), Client);

  ASSERT_TRUE(Model.SetColor(ctThemeColors, 2, clRed));
  EXPECT_EQ(Client->Color(), clWhite);
  ASSERT_TRUE(Model.SetColor(ctThemeColors, 3, clRed));
  EXPECT_EQ(Source().Colors().Color(3), clRed);
  EXPECT_EQ(Client->Color(), clRed);
  EXPECT_EQ(Client2->Color(), clWhite);
  EXPECT_EQ(OtherClient->Color(), clWhite);
  // The system colour of the same row is no window colour.
  ASSERT_TRUE(Model.SetColor(ctSysColors, 3, clBlue));
  EXPECT_EQ(Client->Color(), clRed);
}

TEST_F(ThemeTables, WindowEntryFindsTheFormByNameInAnyCaseAndMayRecolourTheFormItself) {
  Form()->SetName("FORM");
  Form()->SetKind(TDvKind::skClient);
  Form()->SetColor(clWhite);
  ASSERT_TRUE(Model.SetColor(ctThemeColors, 3, clNavy));
  EXPECT_EQ(Form()->Color(), clNavy);

  // Without an object named form only the table changes.
  Form()->SetName("Main");
  ASSERT_TRUE(Model.SetColor(ctThemeColors, 3, clTeal));
  EXPECT_EQ(Model.WindowClientObject(), nullptr);
  EXPECT_EQ(Form()->Color(), clNavy);
  EXPECT_EQ(Source().Colors().Color(3), clTeal);
}

TEST_F(ThemeTables, SettingAFontAssignsTheEntryAndMarksTheSkinModified) {
  TFont Chosen;
  Chosen.SetName("Arial");
  Chosen.SetSize(12);
  Chosen.SetColor(clMaroon);
  Chosen.SetStyle({TFontStyle::fsItalic});
  ASSERT_TRUE(Model.SetFont(27, Chosen));
  const TFont& Entry = Source().Fonts().Font(27);
  EXPECT_EQ(Entry.Name(), "Arial");
  EXPECT_EQ(Entry.Size(), 12);
  EXPECT_EQ(Entry.Color(), clMaroon);
  EXPECT_EQ(Entry.Style(), TFontStyles({TFontStyle::fsItalic}));
  EXPECT_EQ(Model.Font(27), &Entry);
  EXPECT_EQ(Source().Fonts().Font(26).Name(), "Tahoma");
  EXPECT_TRUE(Document.Modified());
}

TEST_F(ThemeTables, CharsetChangeReachesEveryFontOfEveryObjectButNotTheFontTable) {
  auto* Text = AddChild<TDvTextObject>(Form(), "Text", Rect(0, 0, 10, 10));
  auto* Active = AddChild<TDvActiveObject>(Text, "Active", Rect(0, 0, 10, 10));
  auto* Bitmap = AddChild<TDvActiveBitmap>(Form(), "Bitmap", Rect(0, 0, 10, 10));
  auto* ActiveSkin = AddChild<TDvActiveSkinObject>(Form(), "ActiveSkin", Rect(0, 0, 10, 10));
  auto* ColorButton = AddChild<TDvColorButtonObject>(Form(), "ColorButton", Rect(0, 0, 10, 10));
  auto* Second = AddTopLevel<TDvTextObject>(Source(), "Second", TDvKind::skForm, Rect(0, 0, 10, 10));
  // An object showing a state font still gets its base font changed.
  Second->SetState(TDvObjectState::osHot);

  ASSERT_TRUE(Model.ApplyCharset("RUSSIAN_CHARSET"));

  std::vector<std::pair<std::string, TFont*>> Fonts = {
      {"Form", Form()->Font()},
      {"Text", Text->Font()},
      {"Text hot", Text->FontHot()},
      {"Text pressed", Text->FontPressed()},
      {"Text focused", Text->FontFocused()},
      {"Text disabled", Text->FontDisabled()},
      {"Active", Active->Font()},
      {"Active active", Active->ActiveFont()},
      {"Active disabled", Active->DisabledFont()},
      {"Bitmap", Bitmap->Font()},
      {"Bitmap active", Bitmap->ActiveFont()},
      {"ActiveSkin active", ActiveSkin->ActiveFont()},
      {"ColorButton hot", ColorButton->HotFont()},
      {"ColorButton pressed", ColorButton->PressedFont()},
      {"ColorButton focused", ColorButton->FocusedFont()},
      {"ColorButton disabled", ColorButton->DisabledFont()},
      {"Second", Second->Font()},
      {"Second hot", Second->FontHot()},
  };
  for (const auto& [Name, Font] : Fonts) EXPECT_EQ(Font->Charset(), RUSSIAN_CHARSET) << Name;
  for (Integer I = 0; I < 66; ++I) EXPECT_EQ(Source().Fonts().Font(I).Charset(), DEFAULT_CHARSET) << I;
  // A change like any other: closing asks to save it.
  EXPECT_TRUE(Document.Modified());
  EXPECT_EQ(Document.UndoCaption(), "&Undo Change Charset");
}

TEST_F(ThemeTables, CharsetIdentifierThatDoesNotConvertChangesNothing) {
  EXPECT_FALSE(Model.ApplyCharset("KLINGON_CHARSET"));
  EXPECT_EQ(Form()->Font()->Charset(), DEFAULT_CHARSET);
  ASSERT_TRUE(Model.ApplyCharset("oem_charset"));
  EXPECT_EQ(Form()->Font()->Charset(), OEM_CHARSET);
}

// What the pages change is part of the skin file: saved with the skin and read back.
TEST_F(ThemeTables, ChangedColoursAndFontsAreSavedAndReadBack) {
  ASSERT_TRUE(Model.SetColor(ctThemeColors, 5, TColor(0x00123456)));
  ASSERT_TRUE(Model.SetColor(ctSysColors, 10, TColor(0x00654321)));  // clActiveCaption, second row
  TFont Chosen;
  Chosen.SetName("Courier New");
  Chosen.SetHeight(-17);
  Chosen.SetStyle({TFontStyle::fsItalic});
  Chosen.SetColor(TColor(0x000000C0));
  ASSERT_TRUE(Model.SetFont(7, Chosen));
  TTempFolder Folder;
  const std::string File = Folder.File("tables.kskn");
  Prompts.SaveFiles.push_back(File);
  ASSERT_TRUE(Document.SaveSkinAs());

  TScriptedPrompts ReadPrompts;
  TSkinDocument Read{ReadPrompts};
  Read.OpenSkinFile(File);
  TThemeTablesModel ReadModel{Read};
  EXPECT_EQ(ReadModel.Color(ctThemeColors, 5), std::optional<TColor>(TColor(0x00123456)));
  EXPECT_EQ(ReadModel.Color(ctSysColors, 1), std::optional<TColor>(TColor(0x00654321)));
  const TFont* Font = ReadModel.Font(7);
  ASSERT_NE(Font, nullptr);
  EXPECT_EQ(Font->Name(), "Courier New");
  EXPECT_EQ(Font->Height(), -17);
  EXPECT_EQ(Font->Style(), TFontStyles{TFontStyle::fsItalic});
  EXPECT_EQ(Font->Color(), TColor(0x000000C0));
}

}  // namespace
