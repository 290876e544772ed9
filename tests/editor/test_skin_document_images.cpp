#include <gtest/gtest.h>

#include "editor/core/skin_document.h"
#include "editor_test_support.h"
#include "image_test_support.h"

namespace {

// A new skin with the images "a", "frame", "c" and a bitmap object whose link names "frame" and
// another whose link names "c".
class DocumentImages : public ::testing::Test {
 protected:
  void SetUp() override {
    Document.OnRefresh = [this] { ++Refreshes; };
    ASSERT_TRUE(Document.NewSkin());
    TDvSkinSource& Source = *Document.Source();
    AddImage(Source, "a", 0xFF111111);
    AddImage(Source, "frame", 0xFF222222);
    AddImage(Source, "c", 0xFF333333);
    FrameUser = Bound(AddChild<TDvBitmapObject>(Source.Objects(0), "Pane", Rect(0, 0, 10, 10)), "frame");
    CUser = Bound(AddChild<TDvBitmapObject>(FrameUser, "Inner", Rect(0, 0, 5, 5)), "c");
    Refreshes = 0;
  }
  TDvBitmapObject* Bound(TDvBitmapObject* Object, const std::string& Name) {
    Object->SetImageList(&Document.Source()->Images());
    Object->Bitmap()->SetName(Name);
    Object->Bitmap()->SetRect(Rect(0, 0, 2, 2));
    Object->UpdateLinks();
    return Object;
  }
  TvxBitmapList& Images() { return Document.Source()->Images(); }
  std::vector<std::string> Names() {
    std::vector<std::string> Result;
    for (Integer I = 0; I < Images().Count(); ++I) Result.push_back(Images().Items(I)->Name());
    return Result;
  }

  TScriptedPrompts Prompts;
  TSkinDocument Document{Prompts};
  TDvBitmapObject* FrameUser = nullptr;
  TDvBitmapObject* CUser = nullptr;
  int Refreshes = 0;
};

TEST_F(DocumentImages, AddAppendsSelectsAndMarksModified) {
  TvxBitmap* Added = Document.AddImage(MakeImage("new.png", 1, 1, {0xFF0000FF}));
  ASSERT_TRUE(Added);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "frame", "c", "new.png"}));
  EXPECT_EQ(Document.SelectedImage(), Added);
  EXPECT_EQ(Document.Page(), TEditorPage::epImages);
  EXPECT_TRUE(Document.Modified());
  EXPECT_GT(Refreshes, 0);
}

TEST_F(DocumentImages, ACancelledImportChangesNothing) {
  EXPECT_EQ(Document.AddImage(nullptr), nullptr);
  EXPECT_EQ(Images().Count(), 3);
  EXPECT_FALSE(Document.Modified());

  TSkinDocument Other(Prompts);
  Other.SelectImage(Images().Items(1));
  EXPECT_EQ(Other.ReplaceSelectedImage(nullptr), nullptr);  // no source: nothing at all
  EXPECT_FALSE(Other.Modified());
}

TEST_F(DocumentImages, ReplaceKeepsNameAndPlaceSoLinksShowTheNewPicture) {
  Document.SelectImage(Images().Items(1));
  TvxBitmap* New = Document.ReplaceSelectedImage(MakeImage("other.png", 2, 2, {1, 2, 3, 4}));
  ASSERT_TRUE(New);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "frame", "c"}));
  EXPECT_EQ(Images().Items(1), New);
  EXPECT_EQ(FrameUser->Bitmap()->Bitmap(), New);
  EXPECT_EQ(CUser->Bitmap()->Bitmap(), Images().Items(2));
  EXPECT_EQ(Document.SelectedImage(), New);
  EXPECT_TRUE(Document.Modified());
}

TEST_F(DocumentImages, ReplaceWorksInASkinWithoutObjects) {
  Document.SelectObject(Document.Source()->Objects(0));
  Document.DeleteSelected();
  ASSERT_EQ(Document.Source()->ObjectCount(), 0);
  Document.SelectImage(Images().Items(0));
  TvxBitmap* New = Document.ReplaceSelectedImage(MakeImage("z", 1, 1, {0xFF010203}));
  ASSERT_TRUE(New);
  EXPECT_EQ(Images().Items(0), New);
  EXPECT_EQ(New->Name(), "a");
}

TEST_F(DocumentImages, DeleteLeavesLinksThatNamedTheImageWithNothing) {
  Document.SelectImage(Images().Items(1));
  Document.DeleteSelectedImage();
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c"}));
  // Under AddressSanitizer a link still pointing at the freed image would show here.
  EXPECT_EQ(FrameUser->Bitmap()->Bitmap(), nullptr);
  EXPECT_FALSE(FrameUser->Bitmap()->Valid());
  EXPECT_EQ(FrameUser->Bitmap()->Name(), "frame");
  EXPECT_EQ(CUser->Bitmap()->Bitmap(), Images().Items(1));
  EXPECT_EQ(Document.SelectedImage(), nullptr);
  EXPECT_EQ(Document.RootObject(), nullptr);
  EXPECT_TRUE(Document.Modified());
  EXPECT_GT(Refreshes, 0);

  // An image of that name added later is found again by the links.
  FrameUser->UpdateLinks();
  EXPECT_EQ(FrameUser->Bitmap()->Bitmap(), nullptr);
  TvxBitmap* Again = Document.AddImage(MakeImage("frame", 1, 1, {0xFF000000}));
  FrameUser->UpdateLinks();
  EXPECT_EQ(FrameUser->Bitmap()->Bitmap(), Again);
}

// The skin theme paints from a copy of the source; the copy's links take the original's
// pointers before they re-bind by name, so a stale one would be painted from freed memory.
TEST_F(DocumentImages, ACopyOfTheSkinAfterADeleteHoldsNoLinkToTheFreedImage) {
  Document.SelectImage(Images().Items(1));
  Document.DeleteSelectedImage();
  TDvSkinSource Copy;
  Copy.Assign(Document.Source());
  auto* Pane = dynamic_cast<TDvBitmapObject*>(Copy.Objects(0)->FindByName("Pane"));
  ASSERT_TRUE(Pane);
  EXPECT_EQ(Pane->Bitmap()->Bitmap(), nullptr);
  auto* Inner = dynamic_cast<TDvBitmapObject*>(Copy.Objects(0)->FindByName("Inner"));
  ASSERT_TRUE(Inner);
  EXPECT_EQ(Inner->Bitmap()->Bitmap(), Copy.Images().Items(1));
}

}  // namespace
