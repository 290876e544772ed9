#include <gtest/gtest.h>

#include <fstream>

#include "editor/core/object_clipboard.h"
#include "editor/core/skin_document.h"
#include "editor_test_support.h"

namespace {

class SkinDocument : public ::testing::Test {
 protected:
  void SetUp() override {
    Document.OnRefresh = [this] { ++Refreshes; };
    ASSERT_TRUE(Document.NewSkin());
    Form = Document.Source()->Objects(0);
  }
  void TearDown() override { EXPECT_FALSE(Prompts.Unexpected) << "a prompt came that the test did not expect"; }

  // A skin on disk with a form, two children and an image, as the editor would open it.
  std::string WriteSkin(const std::string& Name) {
    TDvSkinSource Skin;
    AddImage(Skin, "frame", 0xFF204060);
    TDvSkinObject* F = AddTopLevel(Skin, "Form", TDvKind::skForm, Rect(0, 0, 200, 150));
    AddChild(F, "Title", Rect(0, 0, 200, 20))->SetKind(TDvKind::skTitle);
    AddChild(F, "SkinObject1", Rect(0, 20, 200, 150));
    const std::string File = Folder.File(Name);
    Skin.SaveToFile(File);
    return File;
  }
  // An inspector edit: one step.
  void ChangeColor(TDvSkinObject* Object, TColor Color) {
    Document.BeforePropertyChange();
    Object->SetColor(Color);
    Document.AfterPropertyChange("Color");
  }
  // Objects the test added beside the commands become part of the opened state, as if the skin
  // had been opened with them.
  void Settle() { Document.History().Reset(*Document.Source()); }
  // A change made beside the document's commands, recorded as the table pages do.
  void ChangeAuthor(const std::string& Author) {
    Document.Source()->SetAuthor(Author);
    Document.RecordStep("Author");
  }
  std::vector<std::string> ChildNames(const TDvSkinObject* Object) {
    std::vector<std::string> Names;
    for (Integer I = 0; I < Object->ChildCount(); ++I) Names.push_back(Object->Child(I)->Name());
    return Names;
  }

  TScriptedPrompts Prompts;
  TSkinDocument Document{Prompts};
  TTempFolder Folder;
  TDvSkinObject* Form = nullptr;
  int Refreshes = 0;
};

// [Document] -----------------------------------------------------------------------------------

TEST_F(SkinDocument, NewSkinHoldsOneFormAndNothingSelected) {
  EXPECT_EQ(Document.Caption(), "Pellan 4.03 - [theme.mskn]");
  ASSERT_EQ(Document.Source()->ObjectCount(), 1);
  EXPECT_EQ(Form->Name(), "Form");
  EXPECT_EQ(Form->Kind(), TDvKind::skForm);
  EXPECT_EQ(Form->BoundsRect(), Rect(0, 0, 300, 250));
  EXPECT_EQ(Document.Selected(), nullptr);
  EXPECT_EQ(Document.RootObject(), nullptr);
  EXPECT_FALSE(Document.Modified());
  EXPECT_EQ(Document.Zoom(), 1.0f);
  EXPECT_GT(Refreshes, 0);
  // Clicking on the empty work area selects nothing.
  Document.WorkAreaMouseDown({10, 10}, true);
  EXPECT_EQ(Document.Selected(), nullptr);
  EXPECT_FALSE(Document.WorkAreaSize());
}

TEST_F(SkinDocument, SaveWithoutChangesDoesNothing) {
  EXPECT_FALSE(Document.SaveSkin());
  EXPECT_TRUE(Prompts.DialogTitles.empty());
}

TEST_F(SkinDocument, CancelledSaveOfANewSkinKeepsItModifiedAndClosingStillAsks) {
  Document.AddObject(TDvSkinObject::StaticClassInfo());
  Prompts.SaveFiles = {std::nullopt};
  EXPECT_FALSE(Document.SaveSkin());
  EXPECT_EQ(Prompts.DialogTitles, std::vector<std::string>{"Save Skin As"});
  EXPECT_TRUE(Document.Modified());

  Prompts.Answers = {TPromptAnswer::paCancel};
  EXPECT_FALSE(Document.CloseQuery());
  EXPECT_EQ(Prompts.Questions, std::vector<std::string>{"Skin's was changed. Save?"});
}

TEST_F(SkinDocument, YesThenCancellingTheSaveDialogKeepsTheModifiedSkin) {
  TDvSkinObject* Added = Document.AddObject(TDvBitmapObject::StaticClassInfo());
  const TDvSkinSource* Before = Document.Source();
  for (bool Open : {false, true}) {
    Prompts.Answers = {TPromptAnswer::paYes};
    Prompts.SaveFiles = {std::nullopt};
    EXPECT_FALSE(Open ? Document.OpenSkin() : Document.NewSkin());
    EXPECT_EQ(Prompts.Questions.back(), "Skin has modified. Save changes?");
    EXPECT_EQ(Prompts.DialogTitles.back(), "Save Skin As") << "no open dialog after a cancelled save";
    EXPECT_EQ(Document.Source(), Before);
    EXPECT_EQ(Document.Selected(), Added);
    EXPECT_TRUE(Document.Modified());
  }
  // Closing the window is guarded the same way.
  Prompts.Answers = {TPromptAnswer::paYes};
  Prompts.SaveFiles = {std::nullopt};
  EXPECT_FALSE(Document.CloseQuery());
}

TEST_F(SkinDocument, AnswersToTheSaveChangesQuestion) {
  Document.AddObject(TDvSkinObject::StaticClassInfo());
  Prompts.Answers = {TPromptAnswer::paCancel};
  EXPECT_FALSE(Document.NewSkin());
  EXPECT_TRUE(Document.Modified());
  EXPECT_EQ(Document.Source()->ObjectCount(), 2) << "the form and the new top-level object stay";

  // Yes with a chosen name writes the skin, then the new one replaces it.
  const std::string Saved = Folder.File("mine.kskn");
  Prompts.Answers = {TPromptAnswer::paYes};
  Prompts.SaveFiles = {Saved};
  EXPECT_TRUE(Document.NewSkin());
  EXPECT_FALSE(Document.Modified());
  EXPECT_EQ(Document.FileName(), "theme.mskn");
  TDvSkinSource Written;
  Written.LoadFromFile(Saved);
  EXPECT_EQ(Written.ObjectCount(), 2);

  // No discards.
  Document.AddObject(TDvSkinObject::StaticClassInfo());
  Prompts.Answers = {TPromptAnswer::paNo};
  EXPECT_TRUE(Document.NewSkin());
  EXPECT_EQ(Document.Source()->ObjectCount(), 1);
  EXPECT_FALSE(Document.Modified());
}

TEST_F(SkinDocument, OpenReplacesTheSkinAndSaveWritesBackToItsName) {
  const std::string File = WriteSkin("open.kskn");
  Prompts.OpenFiles = {File};
  ASSERT_TRUE(Document.OpenSkin());
  EXPECT_EQ(Prompts.DialogTitles, std::vector<std::string>{"Open a Skin"});
  EXPECT_EQ(Document.FileName(), File);
  EXPECT_EQ(Document.Caption(), "Pellan 4.03 - [" + File + "]");
  ASSERT_EQ(Document.Source()->ObjectCount(), 1);
  TDvSkinObject* Opened = Document.Source()->Objects(0);
  EXPECT_EQ(ChildNames(Opened), (std::vector<std::string>{"Title", "SkinObject1"}));

  Document.SelectObject(Opened->Child(0));
  ChangeColor(Opened->Child(0), 0x00010203);
  ASSERT_TRUE(Document.SaveSkin());
  EXPECT_FALSE(Document.Modified());
  EXPECT_FALSE(std::filesystem::exists(File + ".saving")) << "the save goes through a renamed temporary file";
  TDvSkinSource Reread;
  Reread.LoadFromFile(File);
  EXPECT_EQ(Reread.Objects(0)->Child(0)->Color(), 0x00010203);
}

TEST_F(SkinDocument, CancelledOpenDialogKeepsEverything) {
  Document.AddObject(TDvSkinObject::StaticClassInfo());
  Prompts.Answers = {TPromptAnswer::paNo};
  Prompts.OpenFiles = {std::nullopt};
  EXPECT_FALSE(Document.OpenSkin());
  EXPECT_TRUE(Document.Modified());
  EXPECT_EQ(Document.Source()->ObjectCount(), 2);
}

TEST_F(SkinDocument, ASkinThatFailsToLoadLeavesThePreviousDocument) {
  TDvSkinObject* Added = Document.AddObject(TDvSkinObject::StaticClassInfo());
  const TDvSkinSource* Before = Document.Source();
  // A compressed skin whose zlib data is garbage.
  const std::string Bad = Folder.File("broken.kskn");
  std::ofstream(Bad, std::ios::binary) << std::string("_DCT\0ZQLZ", 9) << "this is not zlib data at all";
  Prompts.Answers = {TPromptAnswer::paNo};
  Prompts.OpenFiles = {Bad};
  EXPECT_THROW(Document.OpenSkin(), Exception);
  EXPECT_EQ(Document.Source(), Before);
  EXPECT_EQ(Document.Source()->ObjectCount(), 2);
  EXPECT_EQ(Document.Selected(), Added);
  EXPECT_EQ(Document.RootObject(), Added);
  EXPECT_TRUE(Document.Modified());
  EXPECT_EQ(Document.FileName(), "theme.mskn");

  // A text skin whose object text is broken fails the same way.
  const std::string Text = WriteSkin("text.uskn");
  std::string Bytes;
  {
    std::ifstream In(Text, std::ios::binary);
    Bytes.assign(std::istreambuf_iterator<char>(In), {});
  }
  const size_t Object = Bytes.find("object Form");
  ASSERT_NE(Object, std::string::npos);
  Bytes.replace(Object, 6, "objekt");
  std::ofstream(Text, std::ios::binary) << Bytes;
  EXPECT_THROW(Document.OpenSkinFile(Text), Exception);
  EXPECT_EQ(Document.Source(), Before);
  EXPECT_EQ(Document.Selected(), Added);
}

TEST_F(SkinDocument, AMissingFileOpensAsAnEmptySkinUnderItsName) {
  Document.OpenSkinFile("/plum");
  EXPECT_EQ(Document.FileName(), "/plum");
  EXPECT_EQ(Document.Source()->ObjectCount(), 0);
  EXPECT_FALSE(Document.Modified());
}

TEST_F(SkinDocument, ASkinNamedLikeANewOneIsAlwaysSavedThroughTheDialog) {
  const std::string File = Folder.File("theme.mskn");
  Document.AddObject(TDvSkinObject::StaticClassInfo());
  Prompts.SaveFiles = {File};
  ASSERT_TRUE(Document.SaveSkinAs());
  EXPECT_EQ(Document.FileName(), File);
  // Only the exact name "theme.mskn" counts: this one has a folder.
  Document.AddObject(TDvSkinObject::StaticClassInfo());
  EXPECT_TRUE(Document.SaveSkin());
  EXPECT_EQ(Prompts.DialogTitles.size(), 1u);

  Document.OpenSkinFile("theme.mskn");
  ChangeAuthor("me");
  Prompts.SaveFiles = {std::nullopt};
  EXPECT_FALSE(Document.SaveSkin());
  EXPECT_EQ(Prompts.DialogTitles.size(), 2u);
}

TEST_F(SkinDocument, CloseQuery) {
  EXPECT_TRUE(Document.CloseQuery());
  EXPECT_TRUE(Prompts.Questions.empty());
  ChangeAuthor("me");
  Prompts.Answers = {TPromptAnswer::paNo, TPromptAnswer::paCancel};
  EXPECT_TRUE(Document.CloseQuery());
  EXPECT_FALSE(Document.CloseQuery());
}

// [Selection and work area] -------------------------------------------------------------------

TEST_F(SkinDocument, SelectingADeepObjectMakesItsTopLevelObjectTheRoot) {
  TDvSkinObject* Child = AddChild(Form, "Client", Rect(10, 10, 290, 240));
  TDvSkinObject* Deep = AddChild(Child, "Button", Rect(20, 20, 80, 40));
  Document.SelectObject(Deep);
  EXPECT_EQ(Document.RootObject(), Form);
  EXPECT_EQ(Document.Selected(), Deep);
  const TTreeModel Tree = Document.BuildTree();
  ASSERT_GE(Tree.SelectedIndex, 0);
  const TObjectTreeNode& Node = Tree.Nodes[size_t(Tree.SelectedIndex)];
  EXPECT_EQ(Node.Object, Deep);
  EXPECT_EQ(Node.Level, 3);
  Document.SelectObject(nullptr);
  EXPECT_EQ(Document.RootObject(), nullptr);
  EXPECT_EQ(Document.BuildTree().SelectedIndex, 0);
}

TEST_F(SkinDocument, ClickAt400PercentHitsTheRoundedSkinPoint) {
  TDvSkinObject* Dot = AddChild(Form, "Dot", Rect(2, 2, 3, 3));
  // A selection whose handles lie far from the click.
  TDvSkinObject* Far = AddChild(Form, "Far", Rect(100, 100, 150, 150));
  Document.SelectObject(Far);
  Document.SetZoomIndex(2);
  ASSERT_EQ(Document.Zoom(), 4.0f);
  Document.WorkAreaMouseDown({10, 6}, false);
  EXPECT_EQ(Document.Selected(), Far) << "only the left button selects";
  Document.WorkAreaMouseDown({10, 6}, true);
  EXPECT_EQ(Document.Selected(), Dot);
}

TEST_F(SkinDocument, HandlesOfTheSelection) {
  EXPECT_EQ(Document.HandleRect(0), TRect{});
  TDvSkinObject* Box = AddChild(Form, "Box", Rect(10, 10, 21, 31));
  Document.SelectObject(Box);
  EXPECT_EQ(Document.HandleRect(0), Rect(12, 17, 18, 23));
  EXPECT_EQ(Document.WorkAreaMouseMove({14, 19}, TWorkAreaButtons::wbNone).Cursor, TWorkAreaCursor::wcSizeAll);
  EXPECT_EQ(Document.WorkAreaMouseMove({100, 100}, TWorkAreaButtons::wbNone).Cursor, TWorkAreaCursor::wcDefault);
}

TEST_F(SkinDocument, DraggingHandlesMovesAndResizesButNeverBelowZero) {
  TDvSkinObject* Box = AddChild(Form, "Box", Rect(10, 10, 21, 31));
  Document.SelectObject(Box);
  // Handle 0 moves.
  EXPECT_EQ(Document.WorkAreaMouseDown({13, 18}, true), TWorkAreaCursor::wcSizeAll);
  EXPECT_TRUE(Document.WorkAreaMouseMove({18, 20}, TWorkAreaButtons::wbLeftOnly).Dragged);
  EXPECT_EQ(Box->BoundsRect(), Rect(15, 12, 26, 33));
  EXPECT_FALSE(Document.WorkAreaMouseMove({18, 20}, TWorkAreaButtons::wbLeftOnly).Dragged) << "same point";
  EXPECT_FALSE(Document.WorkAreaMouseMove({30, 30}, TWorkAreaButtons::wbOther).Dragged) << "Shift held";
  Document.WorkAreaMouseUp();
  EXPECT_TRUE(Document.Modified());
  EXPECT_EQ(Document.UndoCaption(), "&Undo Move");
  EXPECT_FALSE(Document.WorkAreaMouseMove({40, 40}, TWorkAreaButtons::wbLeftOnly).Dragged) << "after the release";

  // Handle 1 dragged 30 pixels right, past the right edge at 26: the width stops at 0.
  Document.WorkAreaMouseDown({13, 10}, true);
  Document.WorkAreaMouseMove({43, 10}, TWorkAreaButtons::wbLeftOnly);
  Document.WorkAreaMouseUp();
  EXPECT_EQ(Box->Width(), 0);
  EXPECT_EQ(Box->Left(), 45);
  EXPECT_EQ(Box->Height(), 21);
  EXPECT_EQ(Document.UndoCaption(), "&Undo Size");
  EXPECT_EQ(Document.History().StateCount(), 3) << "one step per drag";
}

TEST_F(SkinDocument, DraggingReflowsTheAlignedSiblings) {
  TDvSkinObject* Top = AddChild(Form, "Top", Rect(0, 0, 300, 20));
  Top->SetAlign(TDvAlign::saTop);
  TDvSkinObject* Client = AddChild(Form, "Client", Rect(0, 0, 0, 0));
  Client->SetAlign(TDvAlign::saClient);
  Form->Realign();
  ASSERT_EQ(Client->BoundsRect(), Rect(0, 20, 300, 250));
  Document.SelectObject(Top);
  // Handle 3 sits on the bottom-left corner at (0, 20): drag it 10 down.
  Document.WorkAreaMouseDown({0, 20}, true);
  Document.WorkAreaMouseMove({0, 30}, TWorkAreaButtons::wbLeftOnly);
  EXPECT_EQ(Top->Height(), 30);
  EXPECT_EQ(Client->BoundsRect(), Rect(0, 30, 300, 250));
}

TEST_F(SkinDocument, AddObjectPlacesNamesAndSelects) {
  // Nothing selected and no root: a 200 x 100 top-level object that becomes the root.
  TDvSkinObject* Top = Document.AddObject(TDvSkinObject::StaticClassInfo());
  EXPECT_EQ(Top->Owner(), nullptr);
  EXPECT_EQ(Top->BoundsRect(), Rect(0, 0, 200, 100));
  EXPECT_EQ(Top->Name(), "SkinObject1");
  EXPECT_EQ(Document.RootObject(), Top);
  EXPECT_EQ(Document.Selected(), Top);
  EXPECT_EQ(Top->ImageList(), &Document.Source()->Images());

  // Under a selected child: 30 x 20 at the child's top-left.
  TDvSkinObject* Child = AddChild(Form, "Panel", Rect(40, 50, 140, 150));
  Document.SelectObject(Child);
  TDvSkinObject* Inner = Document.AddObject(TDvTextObject::StaticClassInfo());
  EXPECT_EQ(Inner->Parent(), Child);
  EXPECT_EQ(Inner->BoundsRect(), Rect(40, 50, 70, 70));
  EXPECT_EQ(Inner->Name(), "TextObject2");
  EXPECT_EQ(Document.Selected(), Inner);
  EXPECT_EQ(Document.RootObject(), Form);
  EXPECT_TRUE(Document.Modified());

  Document.AddObject(TDvActiveObject::StaticClassInfo());
  EXPECT_EQ(Document.AddObject(TDvBitmapObject::StaticClassInfo())->Name(), "BitmapObject4");
  // The count goes on across New.
  Prompts.Answers = {TPromptAnswer::paNo};
  ASSERT_TRUE(Document.NewSkin());
  EXPECT_EQ(Document.AddObject(TDvRollPanelObject::StaticClassInfo())->Name(), "RollPanelObject5");
}

TEST_F(SkinDocument, AddObjectSkipsANumberItsParentAlreadyUses) {
  Document.OpenSkinFile(WriteSkin("taken.kskn"));
  TDvSkinObject* Opened = Document.Source()->Objects(0);
  Document.SelectObject(Opened);
  TDvSkinObject* Added = Document.AddObject(TDvSkinObject::StaticClassInfo());
  EXPECT_EQ(Added->Name(), "SkinObject2");
  EXPECT_EQ(ChildNames(Opened), (std::vector<std::string>{"Title", "SkinObject1", "SkinObject2"}));
  EXPECT_EQ(Document.NewObjectCount(), 2);
}

TEST_F(SkinDocument, DeleteSelected) {
  TDvSkinObject* Child = AddChild(Form, "Child", Rect(0, 0, 10, 10));
  AddChild(Child, "Grandchild", Rect(0, 0, 5, 5));
  Document.SelectObject(Child);
  Document.DeleteSelected();
  EXPECT_EQ(Form->ChildCount(), 0);
  EXPECT_EQ(Document.Selected(), Form);
  EXPECT_EQ(Document.RootObject(), Form);

  // Deleting "Form" falls back to the first remaining skForm object, with nothing selected.
  AddTopLevel(*Document.Source(), "Plain", TDvKind::skNone, Rect(0, 0, 10, 10));
  TDvSkinObject* Second = AddTopLevel(*Document.Source(), "Dialog", TDvKind::skForm, Rect(0, 0, 10, 10));
  AddTopLevel(*Document.Source(), "Third", TDvKind::skForm, Rect(0, 0, 10, 10));
  Document.DeleteSelected();
  EXPECT_EQ(Document.Source()->ObjectCount(), 3);
  EXPECT_EQ(Document.Selected(), nullptr);
  EXPECT_EQ(Document.RootObject(), Second);

  // Nothing selected: nothing changes, so nothing is to be saved.
  Prompts.Answers = {TPromptAnswer::paYes};
  Prompts.SaveFiles = {std::nullopt};
  ASSERT_FALSE(Document.NewSkin());
  Prompts.Answers = {TPromptAnswer::paNo};
  ASSERT_TRUE(Document.NewSkin());
  Document.DeleteSelected();
  EXPECT_FALSE(Document.Modified());
  EXPECT_FALSE(Document.History().CanUndo());
  EXPECT_EQ(Document.Source()->ObjectCount(), 1);
}

// Children are drawn in order: the last one is in front.
TEST_F(SkinDocument, BringToFrontMakesTheSelectionTheLastChildAndSendToBackTheFirst) {
  for (const char* Name : {"A", "B", "C"}) AddChild(Form, Name, Rect(0, 0, 10, 10));
  Document.SelectObject(Form->Child(0));
  Document.BringToFront();
  EXPECT_EQ(ChildNames(Form), (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_TRUE(Document.Modified());
  EXPECT_EQ(Document.Selected()->Name(), "A");
  Document.SelectObject(Form->Child(1));
  Document.SendToBack();
  EXPECT_EQ(ChildNames(Form), (std::vector<std::string>{"C", "B", "A"}));
  EXPECT_EQ(Document.UndoCaption(), "&Undo Send to Back");
  Document.Undo();
  EXPECT_EQ(ChildNames(Document.RootObject()), (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_EQ(Document.Selected()->Name(), "C");
}

TEST_F(SkinDocument, ZoomSizesTheWorkArea) {
  Document.SelectObject(Form);
  ASSERT_TRUE(Document.WorkAreaSize());
  EXPECT_EQ(*Document.WorkAreaSize(), (TSize{300, 250}));
  Document.SetZoomIndex(3);
  EXPECT_EQ(*Document.WorkAreaSize(), (TSize{2400, 2000}));
  Document.SetZoomIndex(7);
  EXPECT_EQ(Document.Zoom(), 8.0f);
  Document.ResetEditor();
  EXPECT_EQ(Document.Zoom(), 1.0f);
  EXPECT_EQ(Document.ZoomIndex(), 0);
}

TEST_F(SkinDocument, RefreshGivesThePreviewItsSampleTexts) {
  TDvSkinObject* Frame = AddChild(Form, "Frame", Rect(0, 0, 300, 30));
  TDvSkinObject* Title = AddChild(Frame, "Title", Rect(0, 0, 300, 20));
  Title->SetKind(TDvKind::skTitle);
  AddChild(Form, "Second", Rect(0, 0, 1, 1))->SetKind(TDvKind::skTitle);
  TDvSkinObject* Item = AddChild(Frame, "ITEM", Rect(0, 0, 1, 1));
  TDvSkinObject* Text = AddChild(Item, "text", Rect(0, 0, 1, 1));
  TDvSkinObject* Tool = AddChild(Form, "ToolbarItem", Rect(0, 0, 1, 1));
  TDvSkinObject* Caption = AddChild(Form, "Caption", Rect(0, 0, 1, 1));
  Document.SelectObject(Tool);
  EXPECT_EQ(Title->Text(), L"Pellan Title");
  EXPECT_EQ(Form->Child(1)->Text(), L"") << "only the first title in depth-first order";
  EXPECT_EQ(Item->Text(), L"Item Text");
  EXPECT_EQ(Text->Text(), L"Sample");
  EXPECT_EQ(Tool->Text(), L"Item Text");
  EXPECT_EQ(Caption->Text(), L"Caption");
}

TEST_F(SkinDocument, PaintPlanPutsTheRootAtTheOrigin) {
  EXPECT_TRUE(Document.PrepareWorkAreaPaint().Fill);
  Form->SetBounds(Rect(5, 7, 105, 57));
  TDvSkinObject* Box = AddChild(Form, "Box", Rect(10, 10, 21, 31));
  Form->SetState(TDvObjectState::osHot);
  Document.SelectObject(Box);
  Document.SetZoomIndex(1);
  const TWorkAreaPaint Paint = Document.PrepareWorkAreaPaint();
  EXPECT_FALSE(Paint.Fill);
  EXPECT_EQ(Form->BoundsRect(), Rect(0, 0, 100, 50));
  EXPECT_EQ(Form->State(), TDvObjectState::osNormal);
  EXPECT_EQ(Paint.BitmapSize, (TSize{100, 50}));
  EXPECT_EQ(Paint.TargetSize, (TSize{200, 100}));
  EXPECT_TRUE(Paint.Selection);
  EXPECT_EQ(Paint.SelectionRect, Box->BoundsRect());
  EXPECT_EQ(Paint.Handles[0], ::HandleRect(Box->BoundsRect(), 0));

  Form->SetBounds(Rect(0, 0, 100, 0));
  EXPECT_TRUE(Document.PrepareWorkAreaPaint().Empty);
}

TEST_F(SkinDocument, TreeModelMirrorsObjectsAndImages) {
  AddImage(*Document.Source(), "frame", 0xFF000000);
  AddImage(*Document.Source(), "glow", 0xFFFFFFFF);
  AddChild(AddChild(Form, "Outer", Rect(0, 0, 1, 1)), "Inner", Rect(0, 0, 1, 1));
  AddTopLevel(*Document.Source(), "button", TDvKind::skNone, Rect(0, 0, 1, 1));
  TvxBitmap* Glow = Document.Source()->Images().Items(1);
  Document.SelectImage(Glow);
  EXPECT_EQ(Document.Page(), TEditorPage::epImages);
  const TTreeModel Tree = Document.BuildTree();
  std::vector<std::pair<Integer, std::string>> Shape;
  for (const TObjectTreeNode& N : Tree.Nodes) Shape.emplace_back(N.Level, N.Caption);
  const std::vector<std::pair<Integer, std::string>> Expected = {
      {0, "Objects"}, {1, "Form"}, {2, "Outer"}, {3, "Inner"},  {1, "button"},   {0, "Images"},
      {1, "frame"},   {1, "glow"}, {0, "Fonts"}, {0, "Colors"}, {0, "SysColors"}};
  EXPECT_EQ(Shape, Expected);
  EXPECT_EQ(Tree.SelectedIndex, 7);
  EXPECT_EQ(Tree.Nodes[7].Image, Glow);
  EXPECT_EQ(Tree.Nodes[3].Object, Form->Child(0)->Child(0));
  EXPECT_EQ(Tree.Nodes[0].Kind, TTreeNodeKind::nkSource);

  // Choosing an object brings the work area back and lets go of the image.
  Document.SelectObject(Form);
  EXPECT_EQ(Document.Page(), TEditorPage::epWorkArea);
  EXPECT_EQ(Document.SelectedImage(), nullptr);
}

// [Undo] ---------------------------------------------------------------------------------------

TEST_F(SkinDocument, UndoAndRedoWalkEveryStepAndRestoreItsSelection) {
  TDvSkinObject* Panel = AddChild(Form, "Panel", Rect(0, 0, 50, 50));
  Settle();
  Document.SelectObject(Panel);
  ChangeColor(Panel, clRed);
  ChangeColor(Document.Selected(), clBlue);
  Document.SelectObject(Form);
  ChangeColor(Form, clLime);
  EXPECT_EQ(Document.UndoCaption(), "&Undo Change Color");
  EXPECT_EQ(Document.RedoCaption(), "&Redo");
  for (TColor Expected : {clBlue, clRed}) {
    ASSERT_TRUE(Document.Undo());
    ASSERT_NE(Document.Selected(), nullptr);
    EXPECT_EQ(Document.Selected()->Name(), Expected == clBlue ? "Form" : "Panel")
        << "the selection current when the undone step was done";
    EXPECT_EQ(Document.RootObject()->FindByName("Panel")->Color(), Expected);
  }
  ASSERT_TRUE(Document.Undo());
  EXPECT_FALSE(Document.Undo()) << "back at the opened state";
  EXPECT_FALSE(Document.Modified()) << "undone back to the saved state";
  EXPECT_EQ(Document.Selected()->Name(), "Panel") << "a selection below the top level comes back";
  while (Document.Redo()) {
  }
  EXPECT_EQ(Document.RootObject()->Color(), clLime);
  EXPECT_EQ(Document.Selected(), Document.RootObject());
  EXPECT_TRUE(Document.Modified());
  // A new step after an undo drops the steps that could be redone.
  Document.Undo();
  ChangeColor(Document.RootObject(), clYellow);
  EXPECT_FALSE(Document.History().CanRedo());
  EXPECT_EQ(Document.RedoCaption(), "&Redo");
}

TEST_F(SkinDocument, TheModifiedFlagFollowsTheSavedState) {
  const std::string File = Folder.File("saved.kskn");
  Document.OpenSkinFile(WriteSkin("saved.kskn"));
  Document.SelectObject(Document.Source()->Objects(0));
  ChangeColor(Document.Selected(), clRed);
  EXPECT_TRUE(Document.SaveSkin());
  EXPECT_FALSE(Document.Modified());
  EXPECT_TRUE(Document.History().CanUndo()) << "saving keeps the history";
  Document.Undo();
  EXPECT_TRUE(Document.Modified()) << "the file holds the undone step";
  Document.Redo();
  EXPECT_FALSE(Document.Modified());
  // Once the saved state can no longer be reached, the skin stays modified until saved.
  Document.Undo();
  ChangeColor(Document.Selected(), clBlue);
  Document.Undo();
  EXPECT_TRUE(Document.Modified());
}

TEST_F(SkinDocument, UndoNeverSelectsATopLevelNamesakeOfADeepSelection) {
  AddTopLevel(*Document.Source(), "Caption", TDvKind::skNone, Rect(0, 0, 10, 10));
  TDvSkinObject* Deep = AddChild(Form, "Caption", Rect(0, 0, 50, 20));
  Settle();
  Document.SelectObject(Deep);
  ChangeColor(Deep, clRed);
  Document.Undo();
  EXPECT_EQ(Document.RootObject()->Name(), "Form");
  EXPECT_EQ(Document.Selected()->Parent(), Document.RootObject());
}

TEST_F(SkinDocument, UndoFindsTheSelectedImageAgainByName) {
  Document.SelectObject(nullptr);
  auto Image = std::make_unique<TvxBitmap>();
  Image->SetName("frame");
  Document.AddImage(std::move(Image));
  Document.DeleteSelectedImage();
  ASSERT_EQ(Document.Source()->Images().Count(), 0);
  Document.Undo();
  ASSERT_NE(Document.SelectedImage(), nullptr);
  EXPECT_EQ(Document.SelectedImage(), Document.Source()->Images().Items(0));
  EXPECT_EQ(Document.Page(), TEditorPage::epImages);
}

TEST_F(SkinDocument, NewAndOpenClearTheHistory) {
  Document.SelectObject(Form);
  ChangeColor(Form, clRed);
  Prompts.Answers = {TPromptAnswer::paNo};
  ASSERT_TRUE(Document.NewSkin());
  EXPECT_FALSE(Document.Undo());
  EXPECT_EQ(Document.UndoCaption(), "&Undo");
  ChangeColor(Document.Source()->Objects(0), clRed);
  Prompts.Answers = {TPromptAnswer::paNo};
  Document.OpenSkinFile(WriteSkin("opened.kskn"));
  EXPECT_FALSE(Document.History().CanUndo());
  EXPECT_FALSE(Document.Modified());
}

TEST_F(SkinDocument, ArrowKeysMoveTheSelectionAndARunIsOneStep) {
  TDvSkinObject* Box = AddChild(Form, "Box", Rect(10, 10, 20, 20));
  Settle();
  Document.SelectObject(Box);
  EXPECT_TRUE(Document.NudgeSelection(1, 0));
  EXPECT_TRUE(Document.NudgeSelection(1, 0));
  EXPECT_TRUE(Document.NudgeSelection(0, -10));
  Document.EndNudge();
  EXPECT_EQ(Box->BoundsRect(), Rect(12, 0, 22, 10));
  EXPECT_EQ(Document.UndoCaption(), "&Undo Move");
  Document.Undo();
  EXPECT_EQ(Document.Selected()->BoundsRect(), Rect(10, 10, 20, 20));
  Document.SelectObject(nullptr);
  EXPECT_FALSE(Document.NudgeSelection(1, 1)) << "nothing selected";
}

// [Clipboard] ----------------------------------------------------------------------------------

class SkinDocumentClipboard : public SkinDocument {
 protected:
  void SetUp() override {
    SkinDocument::SetUp();
    AddImage(*Document.Source(), "frame", 0xFF123456);
    auto* Caption = AddChild<TDvBitmapObject>(Form, "Caption", Rect(0, 0, 300, 24));
    Caption->Bitmap()->SetName("frame");
    Caption->Bitmap()->SetRect(Rect(0, 0, 4, 4));
    AddChild(Caption, "Title", Rect(4, 2, 200, 20));
    AddChild(Caption, "Buttons", Rect(200, 2, 296, 20));
    Form->SetImageList(&Document.Source()->Images());
    Form->UpdateLinks();
    Target = AddChild(Form, "Client", Rect(0, 24, 300, 250));
    Document.SelectObject(Caption);
  }
  TDvSkinObject* Target = nullptr;
};

TEST_F(SkinDocumentClipboard, CopiedCaptionPastesUnderTheSelectionWithChildrenAndLinks) {
  const std::optional<std::string> Block = Document.Copy();
  ASSERT_TRUE(Block);
  EXPECT_EQ(Document.ClipboardText(), *Block);
  EXPECT_FALSE(Document.Modified()) << "copying changes nothing";

  // Into another skin whose image list has "frame" too.
  Prompts.Answers = {TPromptAnswer::paNo};
  ASSERT_TRUE(Document.NewSkin());
  AddImage(*Document.Source(), "FRAME", 0xFF654321);
  TDvSkinObject* NewForm = Document.Source()->Objects(0);
  Document.SelectObject(NewForm);
  ASSERT_TRUE(Document.Paste(*Block + '\0'));
  auto* Pasted = dynamic_cast<TDvBitmapObject*>(Document.Selected());
  ASSERT_NE(Pasted, nullptr);
  EXPECT_EQ(Pasted->Name(), "CopyOfCaption");
  EXPECT_EQ(Pasted->Parent(), NewForm);
  EXPECT_EQ(ChildNames(Pasted), (std::vector<std::string>{"Title", "Buttons"}));
  EXPECT_EQ(Pasted->Bitmap()->Bitmap(), Document.Source()->Images().Items(0)) << "link bound in the target skin";
  EXPECT_TRUE(Pasted->Bitmap()->Valid());
  EXPECT_EQ(Pasted->Child(0)->ImageList(), &Document.Source()->Images());
  EXPECT_EQ(Document.RootObject(), NewForm);
  EXPECT_TRUE(Document.Modified());
  EXPECT_TRUE(Prompts.Messages.empty());
}

TEST_F(SkinDocumentClipboard, FailedPastesShowTheMessageAndChangeNothing) {
  const std::string Block = *Document.Copy();
  Document.SelectObject(Target);
  ASSERT_TRUE(Document.Paste(Block));
  TDvSkinObject* First = Document.Selected();
  Document.History().MarkSaved();
  Document.SelectObject(Target);

  // A block whose length is "0", then one cut short.
  for (const std::string& Bad : {"0@" + Block.substr(Block.find('@') + 1), Block.substr(0, Block.size() / 2)}) {
    EXPECT_FALSE(Document.Paste(Bad));
    EXPECT_EQ(Document.Selected(), Target);
    EXPECT_EQ(Document.RootObject(), Form);
    EXPECT_FALSE(Document.Modified());
    EXPECT_EQ(ChildNames(Target), std::vector<std::string>{"CopyOfCaption"});
  }
  EXPECT_EQ(Prompts.Messages, (std::vector<std::string>{"Invalid clipboard format", "Invalid clipboard format"}));
  EXPECT_EQ(Target->Child(0), First);
  // The same block again under the same owner takes the next free name.
  Document.SelectObject(Target);
  ASSERT_TRUE(Document.Paste(Block));
  Document.SelectObject(Target);
  ASSERT_TRUE(Document.Paste(Block));
  EXPECT_EQ(ChildNames(Target), (std::vector<std::string>{"CopyOfCaption", "CopyOfCaption2", "CopyOfCaption3"}));
  Prompts.Messages.clear();

  // With a root but nothing selected (the form deleted, another form in its place), and with
  // neither, a bad block changes nothing either.
  TDvSkinObject* Dialog = AddTopLevel(*Document.Source(), "Dialog", TDvKind::skForm, Rect(0, 0, 10, 10));
  Document.SelectObject(Form);
  Document.DeleteSelected();
  ASSERT_EQ(Document.RootObject(), Dialog);
  ASSERT_EQ(Document.Selected(), nullptr);
  EXPECT_FALSE(Document.Paste("12@short"));
  EXPECT_EQ(Document.RootObject(), Dialog);
  EXPECT_EQ(Dialog->ChildCount(), 0);
  Document.SelectObject(nullptr);
  EXPECT_FALSE(Document.Paste("12@short"));
  EXPECT_EQ(Document.Source()->ObjectCount(), 1);
}

TEST_F(SkinDocumentClipboard, WithoutSelectionOrRootThePasteIsANewTopLevelObject) {
  const std::string Block = *Document.Copy();
  Document.SelectObject(nullptr);
  ASSERT_TRUE(Document.Paste(Block));
  ASSERT_EQ(Document.Source()->ObjectCount(), 2);
  TDvSkinObject* Pasted = Document.Source()->Objects(1);
  EXPECT_EQ(Pasted->Name(), "CopyOfCaption");
  EXPECT_EQ(Document.RootObject(), Pasted);
  EXPECT_EQ(Document.Selected(), Pasted);
  // A second paste is another top-level object, under the next free name.
  Document.SelectObject(nullptr);
  EXPECT_TRUE(Document.Paste(Block));
  ASSERT_EQ(Document.Source()->ObjectCount(), 3);
  EXPECT_EQ(Document.Source()->Objects(2)->Name(), "CopyOfCaption2");
}

TEST_F(SkinDocumentClipboard, CopyWithNothingSelectedGivesNothing) {
  Document.SelectObject(nullptr);
  EXPECT_FALSE(Document.Copy());
  EXPECT_EQ(Document.ClipboardText(), "");
}

}  // namespace
