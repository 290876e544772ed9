#include <gtest/gtest.h>

#include "../framework/stream_bytes.h"
#include "bitmap_helpers.h"
#include "framework/core/component_stream.h"
#include "vexel/graphics/vx_bitmaplist.h"

namespace {

std::unique_ptr<TvxBitmap> Named(const std::string& Name, Integer W = 1, Integer H = 1) {
  auto B = std::make_unique<TvxBitmap>();
  Paint(*B, W, H, 0xFF000000);
  B->SetName(Name);
  return B;
}

struct TFlags {
  bool Corners, Edges, Client;
  friend bool operator==(const TFlags&, const TFlags&) = default;
};

TFlags FlagsOf(const TvxBitmapLink& L) { return {L.CornersTransparent(), L.EdgesTransparent(), L.ClientTransparent()}; }

}  // namespace

TEST(BitmapList, IndexesOutsideTheListGiveNil) {
  TvxBitmapList List;
  List.Add(Named("a"));
  EXPECT_EQ(List.Bitmaps(-1), nullptr);
  EXPECT_EQ(List.Bitmaps(1), nullptr);
  EXPECT_NE(List.Bitmaps(0), nullptr);
}

TEST(BitmapList, FindIgnoresCaseAndTakesTheFirstOfEqualNames) {
  TvxBitmapList List;
  List.Add(Named("other"));
  List.Add(Named("button", 2, 2));
  List.Add(Named("Button", 3, 3));
  EXPECT_EQ(List.Find("BUTTON"), List.Items(1));
  auto Link = List.GetLink("BUTTON", Rect(0, 0, 2, 1));
  ASSERT_TRUE(Link);
  EXPECT_EQ(Link->Bitmap(), List.Items(1));
  EXPECT_EQ(Link->Name(), "button") << "the link takes the image's own name";
  EXPECT_EQ(Link->Rect(), Rect(0, 0, 2, 1));
  EXPECT_EQ(FlagsOf(*Link), (TFlags{false, false, false}));
  EXPECT_EQ(List.Find("missing"), nullptr);
  EXPECT_EQ(List.GetLink("missing", Rect(0, 0, 1, 1)), nullptr);
}

TEST(BitmapList, DeleteAndRemoveHandTheBitmapBackClearFreesAll) {
  TvxBitmapList List;
  List.Add(Named("a"));
  List.Add(Named("b"));
  List.Insert(0, Named("c"));
  TvxBitmap* B = List.Items(2);
  std::unique_ptr<TvxBitmap> Taken = List.Remove(B);
  EXPECT_EQ(Taken.get(), B);
  EXPECT_EQ(List.IndexOf(B), -1);
  EXPECT_EQ(List.Remove(B), nullptr);
  EXPECT_EQ(List.Delete(0)->Name(), "c");
  EXPECT_EQ(List.Count(), 1);
  EXPECT_THROW(List.Delete(5), std::out_of_range);
  List.Clear();
  EXPECT_EQ(List.Count(), 0);
}

TEST(BitmapLink, ValidNeedsABitmapAndAnArea) {
  TvxBitmap B;
  Paint(B, 4, 4, 0xFF000000);
  TvxBitmapLink L;
  L.SetRect(Rect(0, 0, 2, 2));
  EXPECT_FALSE(L.Valid());
  L.SetBitmap(&B);
  EXPECT_TRUE(L.Valid());
  L.SetRight(0);
  EXPECT_FALSE(L.Valid()) << "Right = Left";
}

TEST(BitmapLink, AssignCopiesReferenceRectangleNameAndFlags) {
  TvxBitmap B;
  Paint(B, 4, 4, 0x00000000);
  auto Source = B.CreateLink(Rect(1, 1, 3, 3));
  B.SetName("ignored after creation");
  Source->CheckTransparency();
  TvxBitmapLink Copy;
  Copy.Assign(Source.get());
  EXPECT_EQ(Copy.Bitmap(), &B);
  EXPECT_EQ(Copy.Rect(), Rect(1, 1, 3, 3));
  EXPECT_EQ(Copy.Name(), "");
  EXPECT_TRUE(Copy.ClientTransparent());
  EXPECT_THROW(Copy.Assign(&B), EConvertError);
}

TEST(BitmapLinkTransparency, NinePieceFlagsFollowThePixelPosition) {
  const struct {
    Integer X, Y;
    TFlags Expected;
  } Cases[] = {
      {1, 1, {true, false, false}},    {28, 28, {true, false, false}}, {15, 1, {false, true, false}},
      {1, 15, {false, true, false}},   {29, 15, {false, true, false}}, {15, 15, {false, false, true}},
      {10, 10, {false, false, true}},  {9, 10, {false, true, false}},
  };
  for (Integer Origin : {0, 40}) {
    for (const auto& C : Cases) {
      TvxBitmap B;
      Paint(B, 80, 80, 0xFF000000);
      B.SetPixel(Origin + C.X, Origin + C.Y, vxKeyColor);
      auto L = B.CreateLink(Bounds(Origin, Origin, 30, 30));
      L->CheckTransparency(Rect(10, 10, 10, 10));
      EXPECT_EQ(FlagsOf(*L), C.Expected) << "origin " << Origin << " at " << C.X << "," << C.Y;
    }
  }
}

TEST(BitmapLinkTransparency, WhichPixelsCountAsTransparent) {
  const struct {
    TvxColor Pixel;
    bool Transparent;
  } Cases[] = {
      {0x007F007F, true},  {0xFE000000, true},  {0x00FFFFFF, true},
      {0xFF7F007F, false}, {0x33333333, false}, {0xFF000000, false},
  };
  for (const auto& C : Cases) {
    TvxBitmap B;
    Paint(B, 3, 3, 0xFF000000);
    B.SetPixel(1, 1, C.Pixel);
    auto L = B.CreateLink(Rect(0, 0, 3, 3));
    L->SetName("stale");
    L->CheckTransparency();
    EXPECT_EQ(FlagsOf(*L), (TFlags{false, false, C.Transparent})) << std::hex << C.Pixel;
  }
}

TEST(BitmapLinkTransparency, PositionsOutsideTheImageCountAsTransparent) {
  TvxBitmap B;
  Paint(B, 20, 20, 0xFF000000);
  auto L = B.CreateLink(Rect(10, 0, 25, 20));  // five columns past the right edge
  L->CheckTransparency();
  EXPECT_EQ(FlagsOf(*L), (TFlags{false, false, true}));
  L->CheckTransparency(Rect(2, 2, 2, 2));  // only the right corners and edge lie outside
  EXPECT_EQ(FlagsOf(*L), (TFlags{true, true, true}));
  L->SetRect(Rect(0, 0, 20, 20));
  L->CheckTransparency(Rect(2, 2, 2, 2));
  EXPECT_EQ(FlagsOf(*L), (TFlags{false, false, false}));
  // A rectangle of absurd size is judged without visiting billions of positions.
  L->SetRect(Rect(0, 0, 2000000000, 2000000000));
  L->CheckTransparency(Rect(1, 1, 1, 1));
  EXPECT_EQ(FlagsOf(*L), (TFlags{true, true, true}));
}

namespace {
// A component holding one link, as skin objects hold theirs.
class TLinkHolder : public TComponent {
 public:
  static const TClassInfo& StaticClassInfo() {
    static const TPropInfo Properties[] = {ClassProperty<&TLinkHolder::Bitmap>("Bitmap")};
    static const TClassInfo Info{"TLinkHolder", &TComponent::StaticClassInfo(), Properties};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  TvxBitmapLink* Bitmap() const { return &FBitmap; }

 private:
  mutable TvxBitmapLink FBitmap;
};
}  // namespace

TEST(BitmapLinkStream, AnEmptyLinkWritesItsRectangleButNoName) {
  TLinkHolder Holder;
  Holder.Bitmap()->SetRect(Rect(1, 2, 300, -4));
  TMemoryStream S;
  WriteComponent(S, Holder);
  TBytes Expected;
  Expected.Raw("TPF0").Short("TLinkHolder").Short("");
  Expected.Short("Bitmap.Left").Byte(2).Byte(1);
  Expected.Short("Bitmap.Top").Byte(2).Byte(2);
  Expected.Short("Bitmap.Right").Byte(3).Int16(300);
  Expected.Short("Bitmap.Bottom").Byte(2).Byte(0xFC);
  Expected.Byte(0).Byte(0);
  EXPECT_EQ(S.Data(), Expected.Data);

  Holder.Bitmap()->SetName("frame");
  TMemoryStream Named;
  WriteComponent(Named, Holder);
  Named.SetPosition(0);
  TLinkHolder Back;
  ReadComponent(Named, Back);
  EXPECT_EQ(Back.Bitmap()->Name(), "frame");
  EXPECT_EQ(Back.Bitmap()->Rect(), Rect(1, 2, 300, -4));
  EXPECT_EQ(Back.Bitmap()->Bitmap(), nullptr) << "the image is resolved by its owner after loading";
}
