// The history of a skin document: every command kind done, undone and redone, compared with the
// skin's saved bytes; the memory bound; what one small step costs.
#include <gtest/gtest.h>

#include <functional>

#include "../graphics/solid_image.h"
#include "editor/core/link_editor_model.h"
#include "editor/core/object_clipboard.h"
#include "editor/core/skin_document.h"
#include "editor/core/theme_tables_model.h"
#include "editor_test_support.h"

namespace {

// The skin as a file would hold it, objects as text so that every property shows.
std::string SavedBytes(const TDvSkinSource& Source) {
  TMemoryStream Stream;
  Source.SaveWithFilter(Stream, &MakeSkinFilter<TDvSkinFilterUncompressed>);
  return std::string(Stream.Data().begin(), Stream.Data().end());
}

// A skin with two images, a form with a caption (its link on "frame"), two buttons and a client,
// and a second top-level object; opened, so that it is the saved state.
class SkinHistory : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Document.Modified()) Prompts.Answers.push_back(TPromptAnswer::paNo);
    ASSERT_TRUE(Document.NewSkin());
    TDvSkinSource& Source = *Document.Source();
    Source.Images().Add(SolidImage("frame", 8, 8, 0xFF204060));
    Source.Images().Add(SolidImage("other", 6, 4, 0xFF806040));
    Form = Source.Objects(0);
    auto* Caption = AddChild<TDvBitmapObject>(Form, "Caption", Rect(0, 0, 300, 24));
    Caption->Bitmap()->SetName("frame");
    Caption->Bitmap()->SetRect(Rect(0, 0, 8, 8));
    AddChild(Caption, "Close", Rect(270, 4, 286, 20));
    AddChild(Caption, "Minimize", Rect(250, 4, 266, 20));
    AddChild(Form, "Client", Rect(0, 24, 300, 250));
    AddTopLevel(Source, "Menu", TDvKind::skNone, Rect(0, 0, 100, 60));
    Form->SetImageList(&Source.Images());
    Form->UpdateLinks();
    Document.SelectObject(Form);
    Document.History().Reset(Source);
  }

  TDvSkinObject* Find(const std::string& Name) const { return Document.Source()->Objects(0)->FindByName(Name); }

  TScriptedPrompts Prompts;
  TSkinDocument Document{Prompts};
  TDvSkinObject* Form = nullptr;
};

struct TCommandCase {
  const char* Step;                                           // the name undo and redo show
  std::function<void(TSkinDocument&, SkinHistory&)> Prepare;  // selection; not a step
  std::function<void(TSkinDocument&)> Run;
};

TEST_F(SkinHistory, EveryCommandIsOneStepUndoneAndRedoneToTheByte) {
  const auto Select = [](const char* Name) {
    return [Name](TSkinDocument& D, SkinHistory&) { D.SelectObject(D.Source()->Objects(0)->FindByName(Name)); };
  };
  const auto Nothing = [](TSkinDocument&, SkinHistory&) {};
  const auto SelectImage = [](TSkinDocument& D, SkinHistory&) { D.SelectImage(D.Source()->Images().Items(0)); };
  const auto Inspector = [](TSkinDocument& D) {
    D.BeforePropertyChange();
    D.Selected()->SetColor(clRed);
    D.AfterPropertyChange("Color");
  };
  // Handle 0 sits in the middle of the selection (Close: 270..286 x 4..20), handle 2 on its
  // top-right corner.
  const auto Drag = [](TPoint From, TPoint To) {
    return [From, To](TSkinDocument& D) {
      D.WorkAreaMouseDown(From, true);
      D.WorkAreaMouseMove({From.X + (To.X - From.X) / 2, From.Y}, TWorkAreaButtons::wbLeftOnly);
      D.WorkAreaMouseMove(To, TWorkAreaButtons::wbLeftOnly);
      D.WorkAreaMouseUp();
    };
  };
  const TCommandCase Cases[] = {
      {"Change Color", Select("Client"), Inspector},
      {"Move", Select("Close"), Drag({278, 12}, {250, 40})},
      {"Size", Select("Close"), Drag({286, 4}, {296, 0})},
      {"Move", Select("Close"),
       [](TSkinDocument& D) {
         for (int I = 0; I < 3; ++I) D.NudgeSelection(-10, 1);
         D.EndNudge();
       }},
      {"Delete", Select("Caption"), [](TSkinDocument& D) { D.DeleteSelected(); }},
      {"Delete", [](TSkinDocument& D, SkinHistory&) { D.SelectObject(D.Source()->Objects(1)); },
       [](TSkinDocument& D) { D.DeleteSelected(); }},
      {"Paste", Select("Client"),
       [](TSkinDocument& D) { D.Paste(EncodeClipboardObject(*D.Source()->Objects(0)->FindByName("Caption"))); }},
      {"Add", Select("Client"), [](TSkinDocument& D) { D.AddObject(TDvTextObject::StaticClassInfo()); }},
      {"Bring to Front", Select("Close"), [](TSkinDocument& D) { D.BringToFront(); }},
      {"Send to Back", Select("Minimize"), [](TSkinDocument& D) { D.SendToBack(); }},
      {"Add Image", Nothing, [](TSkinDocument& D) { D.AddImage(SolidImage("added", 5, 5, 0xFF00FF00)); }},
      {"Replace Image", SelectImage,
       [](TSkinDocument& D) { D.ReplaceSelectedImage(SolidImage("ignored", 16, 8, 0xFFFF0000)); }},
      {"Delete Image", SelectImage, [](TSkinDocument& D) { D.DeleteSelectedImage(); }},
      {"Change Color", Nothing,
       [](TSkinDocument& D) { TThemeTablesModel(D).SetColor(TColorTable::ctThemeColors, 3, clMaroon); }},
      {"Change System Color", Nothing,
       [](TSkinDocument& D) { TThemeTablesModel(D).SetColor(TColorTable::ctSysColors, 5, clTeal); }},
      {"Change Font", Nothing,
       [](TSkinDocument& D) {
         TFont Font;
         Font.SetName("Courier New");
         Font.SetSize(17);
         TThemeTablesModel(D).SetFont(2, Font);
       }},
      {"Change Charset", Nothing, [](TSkinDocument& D) { TThemeTablesModel(D).ApplyCharset("GREEK_CHARSET"); }},
      {"Apply Bitmap", Select("Caption"),
       [](TSkinDocument& D) {
         auto* Caption = static_cast<TDvBitmapObject*>(D.Selected());
         TLinkEditorModel Model(D);
         ASSERT_TRUE(Model.Open(Caption, Caption->Bitmap()));
         Model.SelectImage(1);
         Model.SetAllBitmap(true);
         ASSERT_TRUE(Model.Apply());
       }},
  };
  for (const TCommandCase& Case : Cases) {
    SCOPED_TRACE(Case.Step);
    SetUp();
    Case.Prepare(Document, *this);
    const TEditorPlace PlaceBefore = Document.Place();
    const std::string Before = SavedBytes(*Document.Source());
    Case.Run(Document);
    const std::string After = SavedBytes(*Document.Source());
    const TEditorPlace PlaceAfter = Document.Place();
    ASSERT_NE(After, Before) << "the command changed nothing";
    EXPECT_TRUE(Document.Modified());
    EXPECT_EQ(Document.UndoCaption(), std::string("&Undo ") + Case.Step);
    EXPECT_EQ(Document.History().StateCount(), 2) << "one step";

    ASSERT_TRUE(Document.Undo());
    EXPECT_EQ(SavedBytes(*Document.Source()), Before);
    EXPECT_EQ(Document.Place(), PlaceBefore);
    EXPECT_FALSE(Document.Modified());
    EXPECT_EQ(Document.RedoCaption(), std::string("&Redo ") + Case.Step);

    ASSERT_TRUE(Document.Redo());
    EXPECT_EQ(SavedBytes(*Document.Source()), After);
    EXPECT_EQ(Document.Place(), PlaceAfter);
    EXPECT_TRUE(Document.Modified());

    // Twice over: what a restore built must restore again.
    ASSERT_TRUE(Document.Undo());
    EXPECT_EQ(SavedBytes(*Document.Source()), Before);
    ASSERT_TRUE(Document.Redo());
    EXPECT_EQ(SavedBytes(*Document.Source()), After);
  }
}

TEST_F(SkinHistory, UnchangedCommandsRecordNothing) {
  // Selecting a form gives its title the preview's sample text: no edit of the user's.
  AddChild(Form, "Heading", Rect(0, 0, 50, 10))->SetKind(TDvKind::skTitle);
  Document.History().Reset(*Document.Source());
  Document.SelectObject(Form);
  ASSERT_EQ(Find("Heading")->Text(), L"Pellan Title");
  Document.SelectObject(nullptr);
  Document.DeleteSelected();
  Document.AddImage(nullptr);
  Document.BeforePropertyChange();
  Document.AfterPropertyChange("Color");
  Document.SelectObject(Find("Caption"));
  Document.SendToBack();  // already the first child
  EXPECT_FALSE(Document.History().CanUndo());
  EXPECT_FALSE(Document.Modified());
}

TEST_F(SkinHistory, LinksFollowTheirImagesThroughUndo) {
  auto* Caption = static_cast<TDvBitmapObject*>(Find("Caption"));
  Document.SelectImage(Document.Source()->Images().Items(0));
  Document.DeleteSelectedImage();
  EXPECT_EQ(static_cast<TDvBitmapObject*>(Find("Caption"))->Bitmap()->Bitmap(), nullptr);
  Document.Undo();
  Caption = static_cast<TDvBitmapObject*>(Find("Caption"));
  EXPECT_EQ(Caption->Bitmap()->Bitmap(), Document.Source()->Images().Find("frame"));
  EXPECT_TRUE(Caption->Bitmap()->Valid());
}

TEST_F(SkinHistory, RenamingALinksImageInTheInspectorBindsIt) {
  auto* Caption = static_cast<TDvBitmapObject*>(Find("Caption"));
  Document.SelectObject(Caption);
  for (const std::string& Name : {std::string("other"), std::string("missing")}) {
    Document.BeforePropertyChange();
    Caption->Bitmap()->SetName(Name);
    Document.AfterPropertyChange("Bitmap.Name");
    EXPECT_EQ(Caption->Bitmap()->Bitmap(), Document.Source()->Images().Find(Name)) << Name;
  }
  EXPECT_EQ(Document.UndoCaption(), "&Undo Change Bitmap.Name");
  Document.Undo();
  EXPECT_EQ(static_cast<TDvBitmapObject*>(Find("Caption"))->Bitmap()->Bitmap(),
            Document.Source()->Images().Find("other"));
}

// Each step keeps what it changed; the images it did not touch are shared with the state before.
TEST_F(SkinHistory, ASmallStepCostsFarLessThanTheSkin) {
  for (int I = 0; I < 8; ++I)
    Document.Source()->Images().Add(SolidImage("big" + std::to_string(I), 256, 256, 0xFF000000 + I));
  Document.History().Reset(*Document.Source());
  const int64_t SkinBytes = int64_t(SavedBytes(*Document.Source()).size());
  const int64_t Base = Document.History().MemoryBytes();
  EXPECT_GE(Base, 8 * 256 * 256 * 4) << "the opened state holds the images once";
  Document.SelectObject(Find("Client"));
  for (TColor Color : {clRed, clLime, clBlue}) {
    Document.BeforePropertyChange();
    Document.Selected()->SetColor(Color);
    Document.AfterPropertyChange("Color");
  }
  const int64_t PerStep = (Document.History().MemoryBytes() - Base) / 3;
  EXPECT_LT(PerStep * 100, SkinBytes) << PerStep << " bytes per step, skin " << SkinBytes;
}

TEST_F(SkinHistory, TheOldestStepsGoWhenTheMemoryLimitIsReached) {
  // Each replacement keeps one 64 KiB image per step.
  Document.History().SetMemoryLimit(1 << 20);
  for (int I = 0; I < 40; ++I) {
    Document.SelectImage(Document.Source()->Images().Items(0));
    Document.ReplaceSelectedImage(SolidImage("x", 128, 128, 0xFF000000 + I));
    EXPECT_LE(Document.History().MemoryBytes(), 1 << 20);
  }
  const Integer Kept = Document.History().StateCount();
  EXPECT_GT(Kept, 5);
  EXPECT_LT(Kept, 20);
  while (Document.Undo()) {
  }
  // The oldest reachable state is a replacement, not the opened skin.
  EXPECT_EQ(Document.Source()->Images().Items(0)->Width(), 128);
  EXPECT_TRUE(Document.Modified()) << "the saved state is gone";
  while (Document.Redo()) {
  }
  EXPECT_EQ(Document.Source()->Images().Items(0)->GetPixel(0, 0), TvxColor(0xFF000000 + 39));
}

}  // namespace
