#include <gtest/gtest.h>

#include "editor/core/link_editor_model.h"
#include "editor/core/skin_document.h"
#include "editor_test_support.h"
#include "image_test_support.h"

namespace {

// A skin with two images, "frame" (20 x 10) and "other" (6 x 4), and a bitmap object under the
// form whose link names "frame".
class LinkEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Document.NewSkin());
    TDvSkinSource& Source = *Document.Source();
    AddSized("frame", 20, 10);
    AddSized("other", 6, 4);
    Object = AddChild<TDvBitmapObject>(Source.Objects(0), "Pane", Rect(0, 0, 50, 50));
    Object->SetImageList(&Source.Images());
  }
  void AddSized(const std::string& Name, Integer W, Integer H) {
    auto Image = std::make_unique<TvxBitmap>();
    Image->SetSize(W, H);
    Image->Fill(0xFF808080);
    Image->SetName(Name);
    Document.Source()->Images().Add(std::move(Image));
  }
  TvxBitmap* Frame() const { return Document.Source()->Images().Items(0); }
  // The link as the skin holds it now: re-binding replaces link objects.
  TvxBitmapLink* Link() const { return Object->Bitmap(); }
  void LinkTo(const std::string& Name, TRect R) {
    Link()->SetName(Name);
    Link()->SetRect(R);
    Object->UpdateLinks();
  }

  TScriptedPrompts Prompts;
  TSkinDocument Document{Prompts};
  TLinkEditorModel Model{Document};
  TDvBitmapObject* Object = nullptr;
};

TEST_F(LinkEditor, CornersTwoThreeAndNineFourGiveTheRectangleTwoThreeTenFive) {
  ASSERT_TRUE(Model.Open(Object, Link()));
  EXPECT_EQ(Model.ImageNames(), (std::vector<std::string>{"frame", "other"}));
  EXPECT_EQ(Model.ImageIndex(), -1);
  EXPECT_EQ(Model.ViewSize(), (TSize{10, 10}));
  Model.SelectImage(0);
  EXPECT_EQ(Model.ViewSize(), (TSize{20, 10}));
  EXPECT_TRUE(Model.MouseDown({2, 3}, TLinkMouseButton::lbLeft));
  EXPECT_TRUE(Model.MouseDown({9, 4}, TLinkMouseButton::lbRight));
  EXPECT_EQ(Model.RectText(), "(2:3)-(9:4)");
  EXPECT_EQ(Model.SizeText(), "Size: (8:2)");
  ASSERT_TRUE(Model.Apply());
  EXPECT_EQ(Link()->Rect(), Rect(2, 3, 10, 5));
  EXPECT_EQ(Link()->Name(), "frame");
  EXPECT_EQ(Link()->Bitmap(), Frame());
}

TEST_F(LinkEditor, ZoomedClicksTruncateXAndRoundYHalvesToEvenInsideTheImage) {
  Model.Open(Object, Link());
  Model.SelectImage(0);
  Model.SetZoomIndex(1);
  EXPECT_EQ(Model.ViewSize(), (TSize{40, 20}));
  Model.MouseDown({5, 5}, TLinkMouseButton::lbLeft);  // 2.5 -> 2 across, 2.5 -> 2 down
  EXPECT_EQ(Model.TopLeft(), (TPoint{2, 2}));
  Model.MouseDown({5, 7}, TLinkMouseButton::lbLeft);  // 3.5 -> 4 down
  EXPECT_EQ(Model.TopLeft(), (TPoint{2, 4}));
  // The view's last row is 19: 9.5 rounds to 10, one past the image.
  Model.MouseDown({39, 19}, TLinkMouseButton::lbRight);
  EXPECT_EQ(Model.BottomRight(), (TPoint{19, 9}));
  Model.MouseDown({-8, 100}, TLinkMouseButton::lbLeft);
  EXPECT_EQ(Model.TopLeft(), (TPoint{0, 9}));
  Model.SetZoomIndex(4);
  EXPECT_EQ(Model.Zoom(), 2);
  Model.SetZoomIndex(3);
  EXPECT_EQ(Model.PositionText({17, 31}), "Position: (2:3)");
}

TEST_F(LinkEditor, OpeningTakesTheLinksRectangleInclusive) {
  LinkTo("other", Rect(1, 2, 5, 4));
  ASSERT_TRUE(Model.Open(Object, Link()));
  EXPECT_EQ(Model.ImageIndex(), 1);
  EXPECT_EQ(Model.RectText(), "(1:2)-(4:3)");
  EXPECT_EQ(Model.SizeText(), "Size: (4:2)");
  EXPECT_FALSE(Model.AllBitmap());

  LinkTo("frame", Rect(0, 0, 20, 10));
  Model.Open(Object, Link());
  EXPECT_EQ(Model.ImageIndex(), 0);
  EXPECT_TRUE(Model.AllBitmap());

  // A link to no image: corners at the origin, nothing chosen; "All bitmap" stays as it was.
  LinkTo("missing", Rect(3, 3, 6, 6));
  Link()->SetBitmap(nullptr);
  Model.Open(Object, Link());
  EXPECT_EQ(Model.ImageIndex(), -1);
  EXPECT_EQ(Model.RectText(), "(0:0)-(0:0)");
  EXPECT_TRUE(Model.AllBitmap());
}

TEST_F(LinkEditor, ALinkThatOnlyReachesTheRightAndBottomEdgesIsNotTheWholeImage) {
  LinkTo("frame", Rect(5, 5, 20, 10));
  Model.Open(Object, Link());
  EXPECT_FALSE(Model.AllBitmap());
  ASSERT_TRUE(Model.Apply());
  EXPECT_EQ(Link()->Rect(), Rect(5, 5, 20, 10));
}

TEST_F(LinkEditor, AllBitmapIgnoresClicksAndAppliesTheWholeImage) {
  LinkTo("frame", Rect(2, 2, 4, 4));
  Model.Open(Object, Link());
  Model.SelectImage(1);
  Model.SetAllBitmap(true);
  EXPECT_FALSE(Model.MouseDown({1, 1}, TLinkMouseButton::lbLeft));
  EXPECT_EQ(Model.TopLeft(), (TPoint{2, 2}));
  EXPECT_TRUE(Model.GuideLines().empty());
  ASSERT_TRUE(Model.Apply());
  EXPECT_EQ(Link()->Name(), "other");
  EXPECT_EQ(Link()->Rect(), Rect(0, 0, 6, 4));
}

TEST_F(LinkEditor, GuideLinesRunFromTheCorners) {
  Model.Open(Object, Link());
  EXPECT_TRUE(Model.GuideLines().empty());  // no image chosen
  Model.SelectImage(0);
  Model.MouseDown({2, 3}, TLinkMouseButton::lbLeft);
  Model.MouseDown({9, 4}, TLinkMouseButton::lbRight);
  EXPECT_EQ(Model.GuideLines(), (std::vector<TGuideLine>{{{2, 3}, {2, 10}, clLime},
                                                         {{3, 3}, {20, 3}, clLime},
                                                         {{9, 0}, {9, 4}, clYellow},
                                                         {{0, 4}, {8, 4}, clYellow}}));
}

TEST_F(LinkEditor, ALinkOfAnotherObjectIsRefused) {
  auto Stranger = std::make_unique<TvxBitmapLink>();
  EXPECT_FALSE(Model.Open(Object, Stranger.get()));
  EXPECT_FALSE(Model.Apply());
}

// The window stays open while the skin changes: Apply must reach the link the object holds now,
// and must not touch an object that is gone.
TEST_F(LinkEditor, ApplyFollowsTheSkinAsItIsNow) {
  LinkTo("frame", Rect(0, 0, 5, 5));
  Model.Open(Object, Link());
  Model.SelectImage(0);
  Model.MouseDown({1, 1}, TLinkMouseButton::lbLeft);
  Model.MouseDown({3, 2}, TLinkMouseButton::lbRight);
  // Replacing the image re-binds every link: the object holds a new link object afterwards.
  Document.SelectImage(Frame());
  auto New = std::make_unique<TvxBitmap>();
  New->SetSize(8, 8);
  TvxBitmap* Replacement = Document.ReplaceSelectedImage(std::move(New));
  ASSERT_TRUE(Replacement);
  ASSERT_TRUE(Model.Apply());
  EXPECT_EQ(Link()->Bitmap(), Replacement);
  EXPECT_EQ(Link()->Rect(), Rect(1, 1, 4, 3));

  Document.SelectObject(Object);
  Document.DeleteSelected();
  EXPECT_FALSE(Model.Apply());
  EXPECT_EQ(Model.Image(), Document.Source()->Images().Items(0));

  Document.DeleteSelectedImage();  // nothing selected: nothing happens
  Document.SelectImage(Document.Source()->Images().Items(0));
  Document.DeleteSelectedImage();
  EXPECT_EQ(Model.Image(), nullptr);
  EXPECT_EQ(Model.ViewSize(), (TSize{10, 10}));
}

}  // namespace
