// Skin object painting on engine bitmaps: piece geometry, state swaps, text and regions. Images
// name their own pixels (red = x, green = y), so each target pixel tells where it came from.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>

#include "framework/graphics/gdi_handles.h"
#include "vexel/skin/theme_dv3draw.h"
#include "vexel/skin/theme_dv3source.h"

namespace {

using TState = TDvObjectState;
using TStyle = TscTileStyle;

constexpr TvxColor Background = 0xFF123456;

TvxColor At(Integer X, Integer Y) { return 0xFF000040 | (TvxColor(X) << 16) | (TvxColor(Y) << 8); }

// Pixel order of a plain framework colour, without alpha.
TvxColor Rgb(TColor C) { return TvxColor((C & 0xFF) << 16 | (C & 0xFF00) | ((C >> 16) & 0xFF)); }

std::unique_ptr<TvxBitmap> PositionImage(Integer W, Integer H) {
  auto Image = std::make_unique<TvxBitmap>();
  Image->SetSize(W, H);
  for (Integer Y = 0; Y < H; ++Y)
    for (Integer X = 0; X < W; ++X) Image->SetPixel(X, Y, At(X, Y));
  Image->SetName("pos");
  return Image;
}

void Bind(TvxBitmapLink& Link, TvxBitmap& Image, const TRect& R, const TRect& Margins = {}) {
  Link.SetBitmap(&Image);
  Link.SetName(Image.Name());
  Link.SetRect(R);
  Link.CheckTransparency(Margins);
}

void SetMargins(TDvSkinObject& O, const TRect& M) {
  O.SetMarginLeft(M.Left), O.SetMarginTop(M.Top), O.SetMarginRight(M.Right), O.SetMarginBottom(M.Bottom);
}

// An engine bitmap filled with one colour, and a canvas on it.
struct TTarget {
  TvxBitmap Bitmap;
  std::unique_ptr<TCanvas> Canvas;
  explicit TTarget(Integer W, Integer H, TvxColor Fill = Background) {
    Bitmap.SetSize(W, H);
    Bitmap.Fill(Fill);
    Canvas = std::make_unique<TCanvas>(Bitmap.DC());
  }
  void Draw(TDvSkinObject& O, const TRect& Clip = {}) {
    DrawObject(O, *Canvas, Clip);
    GdiFlush();
  }
  TvxColor Pixel(Integer X, Integer Y) const { return Bitmap.GetPixel(X, Y); }
  TvxColor RgbAt(Integer X, Integer Y) const { return Bitmap.GetPixel(X, Y) & 0xFFFFFF; }
  Integer Count(TvxColor RgbValue) const {
    Integer N = 0;
    for (Integer Y = 0; Y < Bitmap.Height(); ++Y)
      for (Integer X = 0; X < Bitmap.Width(); ++X) N += RgbAt(X, Y) == RgbValue;
    return N;
  }
  bool Untouched() const { return Count(Background & 0xFFFFFF) == Bitmap.Width() * Bitmap.Height(); }
};

struct TSample {
  Integer X, Y;
  TvxColor Expected;
};

void ExpectSamples(const TTarget& T, std::initializer_list<TSample> Samples, const std::string& Label) {
  for (const TSample& S : Samples)
    EXPECT_EQ(T.Pixel(S.X, S.Y), S.Expected) << Label << " at " << S.X << "," << S.Y << std::hex << " got "
                                             << T.Pixel(S.X, S.Y) << " expected " << S.Expected;
}

const TvxColor BG = Background;

}  // namespace

// [Bitmap object pieces] -----------------------------------------------------------------------

TEST(SkinDrawPieces, NinePiecesKeepCornersUnscaledAndFillEdgesAndCentreByStyle) {
  auto Image = PositionImage(6, 6);
  struct TCase {
    const char* Label;
    TStyle Centre, Edges;
    TRect Margins;
    std::initializer_list<TSample> Samples;
  };
  // The object is 20 x 14 at (10, 10); the link is the whole 6 x 6 image.
  const TCase Cases[] = {
      {"tile",
       TStyle::tsTile,
       TStyle::tsTile,
       {2, 2, 2, 2},
       {{10, 10, At(0, 0)}, {11, 11, At(1, 1)}, {28, 10, At(4, 0)}, {29, 11, At(5, 1)},  // top corners
        {10, 22, At(0, 4)}, {11, 23, At(1, 5)}, {28, 22, At(4, 4)}, {29, 23, At(5, 5)},  // bottom corners
        {12, 10, At(2, 0)}, {13, 10, At(3, 0)}, {14, 10, At(2, 0)}, {27, 11, At(3, 1)},  // top edge
        {12, 22, At(2, 4)}, {15, 23, At(3, 5)},                                          // bottom edge
        {10, 12, At(0, 2)}, {10, 13, At(0, 3)}, {10, 14, At(0, 2)}, {11, 21, At(1, 3)},  // left edge
        {28, 12, At(4, 2)}, {29, 15, At(5, 3)},                                          // right edge
        {12, 12, At(2, 2)}, {13, 13, At(3, 3)}, {14, 14, At(2, 2)}, {27, 21, At(3, 3)},  // centre
        {9, 10, BG},        {30, 10, BG},       {10, 24, BG},       {10, 9, BG}}},
      {"stretch",
       TStyle::tsStretch,
       TStyle::tsStretch,
       {2, 2, 2, 2},
       // Centre 2 x 2 into 16 x 10: column Round((x - 12) / 15) + 2, row Round((y - 12) / 9) + 2.
       {{10, 10, At(0, 0)},
        {29, 23, At(5, 5)},
        {12, 12, At(2, 2)},
        {19, 12, At(2, 2)},
        {20, 12, At(3, 2)},
        {12, 16, At(2, 2)},
        {12, 17, At(2, 3)},
        {27, 21, At(3, 3)},
        {19, 10, At(2, 0)},
        {20, 11, At(3, 1)},
        {10, 16, At(0, 2)},
        {11, 17, At(1, 3)}}},
      {"centre",
       TStyle::tsCenter,
       TStyle::tsTile,
       {2, 2, 2, 2},
       // The frame is the link's 6 x 6 centred: (17, 14)..(23, 20); the centre piece sits in the
       // middle of the object at (19, 16).
       {{17, 14, At(0, 0)},
        {18, 15, At(1, 1)},
        {21, 14, At(4, 0)},
        {17, 18, At(0, 4)},
        {22, 19, At(5, 5)},
        {19, 14, At(2, 0)},
        {20, 15, At(3, 1)},
        {19, 16, At(2, 2)},
        {20, 17, At(3, 3)},
        {16, 14, BG},
        {23, 14, BG},
        {17, 13, BG},
        {10, 10, BG}}},
      {"vertical band",
       TStyle::tsVertCenterStretch,
       TStyle::tsTile,
       {2, 2, 2, 2},
       // The frame is 6 wide and the object's height: (17, 10)..(23, 24).
       {{17, 10, At(0, 0)}, {22, 23, At(5, 5)}, {19, 16, At(2, 2)}, {20, 17, At(3, 3)}, {16, 10, BG}, {23, 10, BG}}},
      {"horizontal band",
       TStyle::tsHorzCenterTile,
       TStyle::tsStretch,
       {2, 2, 2, 2},
       // The frame is the object's width and 6 high: (10, 14)..(30, 20).
       {{10, 14, At(0, 0)},
        {29, 19, At(5, 5)},
        {12, 16, At(2, 2)},
        {14, 17, At(2, 3)},
        {15, 16, At(3, 2)},
        {19, 14, At(2, 0)},
        {20, 15, At(3, 1)},
        {10, 13, BG},
        {10, 20, BG}}},
      {"uneven margins",
       TStyle::tsTile,
       TStyle::tsTile,
       {1, 2, 3, 1},
       {{10, 10, At(0, 0)},
        {10, 11, At(0, 1)},
        {27, 10, At(3, 0)},
        {29, 11, At(5, 1)},
        {10, 23, At(0, 5)},
        {27, 23, At(3, 5)},
        {29, 23, At(5, 5)},
        {11, 10, At(1, 0)},
        {12, 10, At(2, 0)},
        {13, 11, At(1, 1)},
        {12, 23, At(2, 5)},
        {10, 12, At(0, 2)},
        {10, 14, At(0, 4)},
        {10, 15, At(0, 2)},
        {28, 13, At(4, 3)},
        {11, 12, At(1, 2)},
        {12, 14, At(2, 4)},
        {13, 15, At(1, 2)}}},
  };
  for (const TCase& C : Cases) {
    TDvBitmapObject O;
    O.SetBounds(Bounds(10, 10, 20, 14));
    O.SetColor(clNone);  // plays no part with margins
    SetMargins(O, C.Margins);
    O.SetTileStyle(C.Centre);
    O.SetBorderTileStyle(C.Edges);
    Bind(*O.Bitmap(), *Image, {0, 0, 6, 6}, C.Margins);
    TTarget T(40, 40);
    T.Draw(O);
    ExpectSamples(T, C.Samples, C.Label);
  }
}

TEST(SkinDrawPieces, OnePieceIsPlacedByTileStyle) {
  auto Image = PositionImage(6, 6);
  struct TCase {
    const char* Label;
    TStyle Style;
    TRect Clip;
    std::initializer_list<TSample> Samples;
  };
  // The object is 20 x 14 at (10, 10); the link is (1, 1)..(4, 3), 3 x 2.
  const TCase Cases[] = {
      {"tile",
       TStyle::tsTile,
       {},
       {{10, 10, At(1, 1)}, {12, 11, At(3, 2)}, {13, 10, At(1, 1)}, {29, 23, At(2, 2)}, {9, 10, BG}, {30, 23, BG}}},
      // Only tiles that meet the clip are drawn.
      {"tile clipped",
       TStyle::tsTile,
       {10, 10, 12, 12},
       {{10, 10, At(1, 1)}, {12, 11, At(3, 2)}, {13, 10, BG}, {10, 12, BG}}},
      // 3 columns into 20: Round((x - 10) * 2 / 19) + 1; 2 rows into 14: Round((y - 10) / 13) + 1.
      {"stretch",
       TStyle::tsStretch,
       {},
       {{10, 10, At(1, 1)},
        {29, 23, At(3, 2)},
        {14, 10, At(1, 1)},
        {15, 10, At(2, 1)},
        {10, 16, At(1, 1)},
        {10, 17, At(1, 2)}}},
      // Unscaled at 10 + (20 - 3) / 2 = 18, 10 + (14 - 2) / 2 = 16.
      {"centre",
       TStyle::tsCenter,
       {},
       {{18, 16, At(1, 1)}, {20, 17, At(3, 2)}, {17, 16, BG}, {21, 16, BG}, {18, 15, BG}, {18, 18, BG}}},
      {"vertical stretch",
       TStyle::tsVertCenterStretch,
       {},
       {{18, 10, At(1, 1)}, {20, 23, At(3, 2)}, {18, 16, At(1, 1)}, {18, 17, At(1, 2)}, {17, 10, BG}, {21, 10, BG}}},
      {"vertical tile",
       TStyle::tsVertCenterTile,
       {},
       {{18, 10, At(1, 1)}, {18, 11, At(1, 2)}, {18, 12, At(1, 1)}, {20, 23, At(3, 2)}, {17, 10, BG}, {21, 23, BG}}},
      {"horizontal stretch",
       TStyle::tsHorzCenterStretch,
       {},
       {{10, 16, At(1, 1)}, {29, 17, At(3, 2)}, {15, 16, At(2, 1)}, {10, 15, BG}, {10, 18, BG}}},
      {"horizontal tile",
       TStyle::tsHorzCenterTile,
       {},
       {{10, 16, At(1, 1)}, {13, 16, At(1, 1)}, {12, 17, At(3, 2)}, {29, 17, At(2, 2)}, {10, 15, BG}}},
  };
  for (const TCase& C : Cases) {
    TDvBitmapObject O;
    O.SetBounds(Bounds(10, 10, 20, 14));
    O.SetTileStyle(C.Style);
    Bind(*O.Bitmap(), *Image, {1, 1, 4, 3});
    TTarget T(40, 40);
    T.Draw(O, C.Clip);
    ExpectSamples(T, C.Samples, C.Label);
  }
}

TEST(SkinDrawPieces, KeyPixelsOfATransparentPieceLeaveTheTargetAndTheFlagIsPutBack) {
  auto Image = PositionImage(4, 4);
  Image->SetPixel(1, 1, vxKeyColor);
  Image->SetTransparent(false);  // the link's flag decides, not the image's
  TDvBitmapObject O;
  O.SetBounds(Bounds(0, 0, 4, 4));
  Bind(*O.Bitmap(), *Image, {0, 0, 4, 4});
  ASSERT_TRUE(O.Bitmap()->ClientTransparent());
  TTarget T(4, 4);
  T.Draw(O);
  EXPECT_EQ(T.Pixel(1, 1), BG);
  EXPECT_EQ(T.Pixel(2, 1), At(2, 1));
  EXPECT_FALSE(Image->Transparent());
}

TEST(SkinDrawPieces, WithoutImageOrColourABitmapObjectPaintsAsABaseObjectOnce) {
  auto Image = PositionImage(4, 4);
  const auto Make = [&](std::unique_ptr<TDvBitmapObject>& O) {
    O = std::make_unique<TDvBitmapObject>();
    O->SetBounds(Bounds(2, 2, 10, 10));
    O->SetColor(clNone);
    Bind(*O->Bitmap(), *Image, {0, 0, 4, 4});
  };
  std::unique_ptr<TDvBitmapObject> O;
  Make(O);
  TTarget Plain(14, 14);
  Plain.Draw(*O);
  EXPECT_TRUE(Plain.Untouched()) << "no image for clNone";
  SetDesignMode(true);
  TTarget Design(14, 14);
  Design.Draw(*O);
  SetDesignMode(false);
  EXPECT_EQ(Design.RgbAt(2, 2), 0x7F007Fu);
  EXPECT_EQ(Design.RgbAt(11, 11), 0x7F007Fu);
  EXPECT_EQ(Design.Pixel(1, 1), BG);

  // A half-transparent child shows the same whether painted alone or by its parent.
  Make(O);
  auto Semi = std::make_unique<TvxBitmap>();
  Semi->SetSize(1, 1);
  Semi->Fill(0x80FF0000);
  Semi->SetAlphaBlend(true);
  auto* Child = new TDvBitmapSkinObject(O.get());
  Child->SetBounds(Bounds(4, 4, 3, 3));
  Bind(*Child->Bitmap(), *Semi, {0, 0, 1, 1});
  TTarget Alone(14, 14), ByParent(14, 14);
  Alone.Draw(*Child);
  ByParent.Draw(*O);
  EXPECT_NE(Alone.Pixel(5, 5), BG);
  EXPECT_EQ(ByParent.Pixel(5, 5), Alone.Pixel(5, 5)) << "children are painted once";

  TDvBitmapObject Empty;  // no image, white
  Empty.SetBounds(Bounds(0, 0, 3, 3));
  TTarget White(4, 4);
  White.Draw(Empty);
  EXPECT_EQ(White.RgbAt(2, 2), 0xFFFFFFu);
  EXPECT_EQ(White.Pixel(3, 3), BG);
}

TEST(SkinDrawPieces, BoxesUseTheClientFlagEverywhereAndOnlyThePlainStyles) {
  auto Image = PositionImage(6, 6);
  Image->SetPixel(0, 0, vxKeyColor);  // in a corner
  TDvBitmapBoxObject Box;
  Box.SetBounds(Bounds(0, 0, 10, 10));
  SetMargins(Box, {2, 2, 2, 2});
  Bind(*Box.Bitmap(), *Image, {0, 0, 6, 6});  // analysed without margins: client flag set
  ASSERT_TRUE(Box.Bitmap()->ClientTransparent());
  TTarget T(10, 10);
  T.Draw(Box);
  ExpectSamples(T, {{0, 0, BG}, {1, 1, At(1, 1)}, {8, 8, At(4, 4)}, {2, 0, At(2, 0)}, {4, 4, At(2, 2)}}, "box");

  Box.SetBorderTileStyle(TStyle::tsVertCenterTile);
  TTarget NoEdges(10, 10);
  NoEdges.Draw(Box);
  ExpectSamples(NoEdges, {{2, 0, BG}, {0, 2, BG}, {4, 4, At(2, 2)}, {1, 1, At(1, 1)}}, "no edges");

  TDvBitmapSkinObject Skin;
  Skin.SetBounds(Bounds(0, 0, 10, 10));
  Skin.SetTileStyle(TStyle::tsHorzCenterStretch);
  Bind(*Skin.Bitmap(), *Image, {0, 0, 6, 6});
  Skin.SetText(L"-");
  Skin.Font()->SetColor(clRed);
  TTarget Band(10, 10);
  Band.Draw(Skin);
  EXPECT_EQ(Band.Count(0xFF0000), 4) << "no image for a band style, the text still paints";
}

// [State swaps] --------------------------------------------------------------------------------

TEST(SkinDrawStates, ButtonImagesFollowTheStateAndTheStoredImageComesBack) {
  auto Image = PositionImage(6, 2);
  struct TCase {
    TState State;
    TvxColor Expected;
  };
  const TCase Cases[] = {{TState::osNormal, At(0, 0)},  {TState::osDesign, At(0, 0)},  {TState::osHot, At(1, 0)},
                         {TState::osFocused, At(2, 0)}, {TState::osPressed, At(3, 0)}, {TState::osDisabled, At(4, 0)}};
  for (const TCase& C : Cases) {
    TDvButtonObject Button;
    Button.SetBounds(Bounds(0, 0, 3, 3));
    Bind(*Button.Bitmap(), *Image, {0, 0, 1, 1});
    Bind(*Button.BitmapHot(), *Image, {1, 0, 2, 1});
    Bind(*Button.BitmapFocused(), *Image, {2, 0, 3, 1});
    Bind(*Button.BitmapPressed(), *Image, {3, 0, 4, 1});
    Bind(*Button.BitmapDisabled(), *Image, {4, 0, 5, 1});
    Button.SetState(C.State);
    TTarget T(3, 3);
    T.Draw(Button);
    EXPECT_EQ(T.Pixel(1, 1), C.Expected) << int(C.State);
    EXPECT_EQ(Button.Bitmap()->Rect(), TRect({0, 0, 1, 1}));

    // Without a state image the stored one stands in; without a stored one nothing paints.
    Button.BitmapHot()->SetBitmap(nullptr), Button.BitmapFocused()->SetBitmap(nullptr);
    Button.BitmapPressed()->SetBitmap(nullptr), Button.BitmapDisabled()->SetBitmap(nullptr);
    TTarget Fallback(3, 3);
    Fallback.Draw(Button);
    EXPECT_EQ(Fallback.Pixel(1, 1), At(0, 0)) << int(C.State);
    Bind(*Button.BitmapHot(), *Image, {1, 0, 2, 1});
    Button.Bitmap()->SetBitmap(nullptr);
    TTarget Nothing(3, 3);
    Nothing.Draw(Button);
    EXPECT_TRUE(Nothing.Untouched()) << int(C.State);
  }

  struct TBoxCase {
    std::function<std::unique_ptr<TDvBitmapSkinObject>()> Make;
    TState State;
    bool Active;
    TvxColor Expected;
  };
  const auto Boxes = [&](TState State) {
    auto B = std::make_unique<TDvButtonBitmapBoxObject>();
    Bind(*B->Bitmap(), *Image, {0, 1, 1, 2});
    Bind(*B->HotBitmap(), *Image, {1, 1, 2, 2});
    Bind(*B->FocusedBitmap(), *Image, {2, 1, 3, 2});
    Bind(*B->PressedBitmap(), *Image, {3, 1, 4, 2});
    Bind(*B->DisabledBitmap(), *Image, {4, 1, 5, 2});
    B->SetState(State);
    return std::unique_ptr<TDvBitmapSkinObject>(std::move(B));
  };
  const auto Focusable = [&]() {
    auto B = std::make_unique<TDvActiveBitmapBoxObject>();
    Bind(*B->Bitmap(), *Image, {0, 1, 1, 2});
    Bind(*B->FocusedBitmap(), *Image, {2, 1, 3, 2});
    return std::unique_ptr<TDvBitmapSkinObject>(std::move(B));
  };
  const auto Form = [&]() {
    auto B = std::make_unique<TDvFormBitmapSkinObject>();
    Bind(*B->Bitmap(), *Image, {0, 1, 1, 2});
    Bind(*B->InactiveBitmap(), *Image, {5, 1, 6, 2});
    return std::unique_ptr<TDvBitmapSkinObject>(std::move(B));
  };
  const TBoxCase BoxCases[] = {
      {[&] { return Boxes(TState::osNormal); }, TState::osNormal, false, At(0, 1)},
      {[&] { return Boxes(TState::osHot); }, TState::osHot, false, At(1, 1)},
      {[&] { return Boxes(TState::osFocused); }, TState::osFocused, false, At(2, 1)},
      {[&] { return Boxes(TState::osPressed); }, TState::osPressed, false, At(3, 1)},
      {[&] { return Boxes(TState::osDisabled); }, TState::osDisabled, false, At(4, 1)},
      {Focusable, TState::osHot, false, At(2, 1)},
      {Focusable, TState::osFocused, false, At(2, 1)},
      {Focusable, TState::osPressed, false, At(0, 1)},
      {Form, TState::osNormal, false, At(5, 1)},
      {Form, TState::osNormal, true, At(0, 1)},
  };
  for (const TBoxCase& C : BoxCases) {
    auto O = C.Make();
    O->SetBounds(Bounds(0, 0, 2, 2));
    O->SetState(C.State);
    O->SetActive(C.Active);
    TTarget T(2, 2);
    T.Draw(*O);
    EXPECT_EQ(T.Pixel(1, 1), C.Expected) << O->ClassName() << " " << int(C.State) << " " << C.Active;
    EXPECT_EQ(O->Bitmap()->Rect(), TRect({0, 1, 1, 2})) << O->ClassName();
  }
}

TEST(SkinDrawStates, ActiveBitmapOnlyWithAValidActiveImage) {
  auto Image = PositionImage(2, 1);
  const struct {
    bool Active;
    TState State;
    bool ActiveImage;
    TvxColor Expected;
  } Cases[] = {{false, TState::osNormal, true, At(0, 0)},
               {true, TState::osNormal, true, At(1, 0)},
               {false, TState::osPressed, true, At(1, 0)},
               {false, TState::osDisabled, true, At(0, 0)},
               {true, TState::osNormal, false, At(0, 0)}};
  for (const auto& C : Cases) {
    TDvActiveBitmap O;
    O.SetBounds(Bounds(0, 0, 2, 2));
    Bind(*O.Bitmap(), *Image, {0, 0, 1, 1});
    if (C.ActiveImage) Bind(*O.ActiveBitmap(), *Image, {1, 0, 2, 1});
    O.SetActive(C.Active);
    O.SetState(C.State);
    TTarget T(2, 2);
    T.Draw(O);
    EXPECT_EQ(T.Pixel(0, 0), C.Expected) << C.Active << " " << int(C.State);
  }
}

namespace {

// Fills and font colours, one per role, none of them near each other.
constexpr TColor FillBase = 0x000080, FillHot = 0x008000, FillPressed = 0x800000, FillFocused = 0x008080,
                 FillDisabled = 0x808000;
constexpr TColor InkBase = 0x0000FF, InkHot = 0x00FF00, InkPressed = 0xFF0000, InkFocused = 0x00FFFF,
                 InkDisabled = 0xFF00FF;

void Styled(TDvSkinObject& O) {
  O.SetBounds(Bounds(0, 0, 40, 16));
  O.SetColor(FillBase);
  O.Font()->SetColor(InkBase);
  O.Font()->SetStyle({TFontStyle::fsBold});
  O.SetText(L"WWW");
}

void Ink(TFont& F, TColor C) {
  F.SetName("Tahoma");
  F.SetStyle({TFontStyle::fsBold});
  F.SetColor(C);
}

}  // namespace

TEST(SkinDrawStates, ColoursAndFontsFollowTheStateForOnePaint) {
  const auto ActiveObject = [] {
    auto O = std::make_unique<TDvActiveObject>();
    Styled(*O);
    O->SetActiveColor(FillHot);
    Ink(*O->ActiveFont(), InkHot);
    Ink(*O->DisabledFont(), InkDisabled);
    return std::unique_ptr<TDvSkinObject>(std::move(O));
  };
  const auto ActiveSkin = [] {
    auto O = std::make_unique<TDvActiveSkinObject>();
    Styled(*O);
    O->SetActiveColor(FillHot);
    Ink(*O->ActiveFont(), InkHot);
    return std::unique_ptr<TDvSkinObject>(std::move(O));
  };
  const auto Text = [] {
    auto O = std::make_unique<TDvTextObject>();
    Styled(*O);
    Ink(*O->FontHot(), InkHot);
    Ink(*O->FontPressed(), InkPressed);
    Ink(*O->FontFocused(), InkFocused);
    Ink(*O->FontDisabled(), InkDisabled);
    return std::unique_ptr<TDvSkinObject>(std::move(O));
  };
  const auto ColorButton = [] {
    auto O = std::make_unique<TDvColorButtonObject>();
    Styled(*O);
    O->SetHotColor(FillHot), O->SetPressedColor(FillPressed), O->SetFocusedColor(FillFocused);
    O->SetDisabledColor(FillDisabled);
    Ink(*O->HotFont(), InkHot), Ink(*O->PressedFont(), InkPressed), Ink(*O->FocusedFont(), InkFocused);
    Ink(*O->DisabledFont(), InkDisabled);
    return std::unique_ptr<TDvSkinObject>(std::move(O));
  };
  const struct {
    std::function<std::unique_ptr<TDvSkinObject>()> Make;
    TState State;
    bool Active;
    TColor Fill, Ink;
  } Cases[] = {
      {ActiveObject, TState::osNormal, false, FillBase, InkBase},
      {ActiveObject, TState::osNormal, true, FillHot, InkHot},
      {ActiveObject, TState::osPressed, false, FillHot, InkHot},
      {ActiveObject, TState::osFocused, false, FillHot, InkHot},
      {ActiveObject, TState::osDisabled, false, FillBase, InkDisabled},
      {ActiveSkin, TState::osHot, false, FillHot, InkHot},
      {ActiveSkin, TState::osFocused, false, FillHot, InkHot},
      {ActiveSkin, TState::osPressed, false, FillBase, InkBase},
      {ActiveSkin, TState::osNormal, true, FillBase, InkBase},
      {Text, TState::osHot, false, FillBase, InkHot},
      {Text, TState::osPressed, false, FillBase, InkPressed},
      {Text, TState::osFocused, false, FillBase, InkFocused},
      {Text, TState::osDisabled, false, FillBase, InkDisabled},
      {Text, TState::osNormal, true, FillBase, InkBase},
      {ColorButton, TState::osHot, false, FillHot, InkHot},
      {ColorButton, TState::osPressed, false, FillPressed, InkPressed},
      {ColorButton, TState::osFocused, false, FillFocused, InkFocused},
      {ColorButton, TState::osDisabled, false, FillDisabled, InkDisabled},
      {ColorButton, TState::osNormal, false, FillBase, InkBase},
  };
  for (const auto& C : Cases) {
    auto O = C.Make();
    O->SetState(C.State);
    O->SetActive(C.Active);
    TTarget T(40, 16);
    T.Draw(*O);
    const std::string Label = std::string(O->ClassName()) + " state " + std::to_string(int(C.State));
    EXPECT_EQ(T.RgbAt(39, 0), Rgb(C.Fill)) << Label;
    EXPECT_GT(T.Count(Rgb(C.Ink)), 0) << Label;
    if (C.Ink != InkBase) {
      EXPECT_EQ(T.Count(Rgb(InkBase)), 0) << Label;
    }
    EXPECT_EQ(O->Color(), FillBase) << Label;
    EXPECT_EQ(O->Font()->Color(), InkBase) << Label;
    EXPECT_EQ(O->Font()->Name(), "Tahoma") << Label;
  }
}

// [Text] ---------------------------------------------------------------------------------------

TEST(SkinDrawText, ADashIsAOnePixelLineInTheFontColour) {
  TDvSkinObject O;
  O.SetBounds(Bounds(0, 0, 30, 10));
  O.SetColor(clNone);
  O.Font()->SetColor(clRed);
  O.SetText(L"-");
  TTarget T(30, 10);
  T.Draw(O);
  // Narrowed by 3 on each side, at Top + 10 / 2 - 1.
  for (Integer X = 3; X < 27; ++X) EXPECT_EQ(T.RgbAt(X, 4), 0xFF0000u) << X;
  EXPECT_EQ(T.Count(0xFF0000), 24) << "nothing else: no glyph";
}

namespace {

// The ink of a text object drawn alone on white with black text.
struct TInk {
  Integer Left = INT32_MAX, Top = INT32_MAX, Right = -1, Bottom = -1;
};

TInk InkBox(const TTarget& T, TvxColor RgbValue, Integer Inset = 0) {
  TInk Box;
  for (Integer Y = Inset; Y < T.Bitmap.Height() - Inset; ++Y)
    for (Integer X = Inset; X < T.Bitmap.Width() - Inset; ++X)
      if (T.RgbAt(X, Y) == RgbValue)
        Box.Left = std::min(Box.Left, X), Box.Top = std::min(Box.Top, Y), Box.Right = std::max(Box.Right, X),
        Box.Bottom = std::max(Box.Bottom, Y);
  return Box;
}

}  // namespace

TEST(SkinDrawText, AlignmentPlacesTheTextInsideTheMargins) {
  const Integer W = 120, H = 40, ML = 10, MR = 20, MT = 6;
  const auto Draw = [&](TDvTextAlign Align) {
    TDvSkinObject O;
    O.SetBounds(Bounds(0, 0, W, H));
    O.SetColor(clWhite);
    O.Font()->SetColor(clBlack);
    O.SetText(L"HIH");
    O.SetTextAlign(Align);
    O.SetTextMarginLeft(ML), O.SetTextMarginRight(MR), O.SetTextMarginTop(MT);
    auto T = std::make_unique<TTarget>(W, H);
    T->Draw(O);
    return InkBox(*T, 0);
  };
  using A = TDvTextAlign;
  const TInk TopLeft = Draw(A::taTopLeft), Center = Draw(A::taCenter), BottomRight = Draw(A::taBottomRight);
  ASSERT_GE(TopLeft.Right, 0) << "no ink";
  const Integer InkWidth = TopLeft.Right - TopLeft.Left;
  EXPECT_GE(TopLeft.Left, ML);
  EXPECT_LE(TopLeft.Left, ML + 2);
  EXPECT_GE(TopLeft.Top, MT);
  EXPECT_LE(TopLeft.Top, MT + 5);
  EXPECT_LE(BottomRight.Right, W - MR - 1);
  EXPECT_GE(BottomRight.Right, W - MR - 5);
  EXPECT_GE(BottomRight.Bottom, H - 6) << "the bottom margin is not applied";
  EXPECT_NEAR((Center.Left + Center.Right) / 2.0, (ML + W - MR) / 2.0, 2.0);
  EXPECT_NEAR((Center.Top + Center.Bottom) / 2.0, (MT + H) / 2.0, 3.0);
  for (const A Align : {A::taTopCenter, A::taTopRight, A::taLeft, A::taRight, A::taBottomLeft, A::taBottomCenter}) {
    const TInk Box = Draw(Align);
    EXPECT_EQ(Box.Right - Box.Left, InkWidth) << int(Align);
    const int Column = int(Align) % 3, Row = int(Align) / 3;
    const TInk& SameColumn = Column == 0 ? TopLeft : Column == 1 ? Center : BottomRight;
    const TInk& SameRow = Row == 0 ? TopLeft : Row == 1 ? Center : BottomRight;
    EXPECT_EQ(Box.Left, SameColumn.Left) << int(Align);
    EXPECT_EQ(Box.Top, SameRow.Top) << int(Align);
  }
}

namespace {

// The text drawn the plain way for comparison: wide, one line, left, vertically centred, with
// "&" as a character.
void Reference(TTarget& T, const TFont& Font, const std::wstring& Text, const TRect& R, TColor Color) {
  TSelectGuard Select(T.Bitmap.DC(), Font.Handle());
  SetBkMode(T.Bitmap.DC(), TRANSPARENT);
  SetTextColor(T.Bitmap.DC(), ColorToRGB(Color));
  RECT Box{R.Left, R.Top, R.Right, R.Bottom};
  DrawTextW(T.Bitmap.DC(), Text.c_str(), int(Text.size()), &Box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  GdiFlush();
}

bool SamePixels(const TTarget& A, const TTarget& B) {
  for (Integer Y = 0; Y < A.Bitmap.Height(); ++Y)
    for (Integer X = 0; X < A.Bitmap.Width(); ++X)
      if (A.RgbAt(X, Y) != B.RgbAt(X, Y)) return false;
  return true;
}

Integer Extent(const TFont& Font, const std::wstring& Text) {
  TMemoryDC DC;
  TSelectGuard Select(DC.Get(), Font.Handle());
  SIZE S{};
  GetTextExtentPoint32W(DC.Get(), Text.c_str(), int(Text.size()), &S);
  return S.cx;
}

}  // namespace

TEST(SkinDrawText, WideTextWithAmpersandsDrawnAsCharacters) {
  TDvSkinObject O;
  O.SetBounds(Bounds(0, 0, 120, 20));
  O.SetColor(clWhite);
  O.Font()->SetColor(clBlack);
  O.SetTextMarginLeft(4);
  O.SetText(L"&Save \x0416\x4E2D");
  TTarget Painted(120, 20), Expected(120, 20, 0xFFFFFFFF);
  Painted.Draw(O);
  Reference(Expected, *O.Font(), O.Text(), {4, 0, 120, 20}, clBlack);
  EXPECT_TRUE(SamePixels(Painted, Expected));
  TTarget Prefixed(120, 20, 0xFFFFFFFF);
  Reference(Prefixed, *O.Font(), L"Save \x0416\x4E2D", {4, 0, 120, 20}, clBlack);
  EXPECT_FALSE(SamePixels(Painted, Prefixed)) << "the ampersand shows";
}

TEST(SkinDrawText, ATitleTooLongEndsInThreeDots) {
  const std::wstring Long = L"A caption far too long for fifty pixels";
  TDvSkinObject O;
  O.SetBounds(Bounds(0, 0, 50, 20));
  O.SetColor(clWhite);
  O.Font()->SetColor(clBlack);
  O.SetKind(TDvKind::skTitle);
  O.SetTextMarginLeft(2);
  O.SetTextMarginRight(3);
  O.SetText(Long);
  TTarget Painted(50, 20);
  Painted.Draw(O);
  // The longest prefix that fits 50 - 2 - 3 pixels with "...".
  std::wstring Shown = L"...";
  for (size_t N = 1; N <= Long.size(); ++N)
    if (Extent(*O.Font(), Long.substr(0, N) + L"...") <= 45) Shown = Long.substr(0, N) + L"...";
  ASSERT_GT(Shown.size(), 3u);
  ASSERT_LT(Shown.size(), Long.size());
  TTarget Expected(50, 20, 0xFFFFFFFF);
  Reference(Expected, *O.Font(), Shown, {2, 0, 47, 20}, clBlack);
  EXPECT_TRUE(SamePixels(Painted, Expected));

  O.SetText(L"Fits");
  TTarget Short(50, 20), ShortExpected(50, 20, 0xFFFFFFFF);
  Short.Draw(O);
  Reference(ShortExpected, *O.Font(), L"Fits", {2, 0, 47, 20}, clBlack);
  EXPECT_TRUE(SamePixels(Short, ShortExpected));

  TDvSkinObject Caption;  // not a title: cut by the rectangle, no dots
  Caption.SetBounds(Bounds(0, 0, 50, 20));
  Caption.Font()->SetColor(clBlack);
  Caption.SetText(Long);
  TTarget Cut(50, 20), CutExpected(50, 20, 0xFFFFFFFF);
  Cut.Draw(Caption);
  Reference(CutExpected, *Caption.Font(), Long, {0, 0, 50, 20}, clBlack);
  EXPECT_TRUE(SamePixels(Cut, CutExpected));
}

TEST(SkinDrawText, AShadowIsTheTextInGreyOnePixelDownRight) {
  TDvSkinObject O;
  O.SetBounds(Bounds(0, 0, 60, 20));
  O.Font()->SetColor(clBlack);
  O.SetText(L"Shadow");
  O.SetTextEffect(TDvTextEffect::teShadow);
  TTarget T(60, 20);
  T.Draw(O);
  Integer Grey = 0, Black = 0;
  for (Integer Y = 0; Y < 20; ++Y)
    for (Integer X = 0; X < 60; ++X) {
      const TvxColor P = T.RgbAt(X, Y);
      const bool InkHere = P == 0;
      const bool InkUpLeft = X > 0 && Y > 0 && T.RgbAt(X - 1, Y - 1) == 0;
      if (P == 0x808080) {
        ++Grey;
        EXPECT_TRUE(InkUpLeft) << "grey without text up-left at " << X << "," << Y;
      }
      if (InkUpLeft && !InkHere) {
        EXPECT_EQ(P, 0x808080u) << "no shadow at " << X << "," << Y;
      }
      Black += InkHere;
    }
  EXPECT_GT(Black, 10);
  EXPECT_GT(Grey, 10);

  O.SetTextEffect(TDvTextEffect::teNone);
  TTarget Plain(60, 20);
  Plain.Draw(O);
  EXPECT_EQ(Plain.Count(0x808080), 0);
}

// [Classes of their own] -----------------------------------------------------------------------

TEST(SkinDrawClasses, ALinkObjectShowsOnlyInTheEditor) {
  TDvLinkSkinObject O;
  O.SetBounds(Bounds(0, 0, 80, 20));
  O.SetLinkControl("Memo1");
  TTarget Hidden(80, 20);
  Hidden.Draw(O);
  EXPECT_TRUE(Hidden.Untouched());
  O.SetState(TState::osDesign);
  TTarget Shown(80, 20);
  Shown.Draw(O);
  EXPECT_EQ(Shown.RgbAt(0, 0), 0u);
  EXPECT_EQ(Shown.RgbAt(79, 19), 0u);
  EXPECT_EQ(Shown.RgbAt(1, 1), 0xFFFFFFu);
  const TInk Text = InkBox(Shown, 0, 1);  // inside the frame
  ASSERT_GT(Text.Right, Text.Left);
  EXPECT_NEAR((Text.Left + Text.Right) / 2.0, 40, 2.0) << "centred";
  EXPECT_NEAR((Text.Top + Text.Bottom) / 2.0, 10, 3.0);
}

TEST(SkinDrawClasses, TitleButtonsPaintByButtonStateAndPutEverythingBack) {
  auto Image = PositionImage(4, 2);
  const auto Make = [&] {
    auto B = std::make_unique<TDvSystemButton>();
    B->SetBounds(Bounds(0, 0, 8, 8));
    B->SetAction(TDvAction::sbaClose);
    Bind(*B->Bitmap(), *Image, {0, 0, 1, 1});
    Bind(*B->ActiveBitmap(), *Image, {1, 0, 2, 1});
    Bind(*B->BitmapHot(), *Image, {2, 0, 3, 1});
    Bind(*B->BitmapPressed(), *Image, {3, 0, 4, 1});
    auto* Glyph = new TDvButtonObject(B.get());
    Glyph->SetBounds(Bounds(2, 2, 2, 2));
    Bind(*Glyph->Bitmap(), *Image, {0, 1, 1, 2});
    Bind(*Glyph->BitmapDisabled(), *Image, {1, 1, 2, 2});
    Bind(*Glyph->BitmapHot(), *Image, {2, 1, 3, 2});
    Bind(*Glyph->BitmapPressed(), *Image, {3, 1, 4, 2});
    return B;
  };
  const struct {
    bool Active;
    Byte ButtonState;
    TvxColor Button, Glyph;
  } Cases[] = {{false, 0, At(0, 0), At(1, 1)},
               {false, 1, At(0, 0), At(1, 1)},
               {true, 0, At(1, 0), At(0, 1)},
               {true, 1, At(2, 0), At(2, 1)},
               {true, 2, At(3, 0), At(3, 1)}};
  for (const auto& C : Cases) {
    auto B = Make();
    B->SetActive(C.Active);
    B->ButtonState = C.ButtonState;
    TTarget T(8, 8);
    T.Draw(*B);
    EXPECT_EQ(T.Pixel(0, 0), C.Button) << C.Active << " " << int(C.ButtonState);
    EXPECT_EQ(T.Pixel(2, 2), C.Glyph) << C.Active << " " << int(C.ButtonState);
    EXPECT_EQ(B->Active(), C.Active);
    EXPECT_EQ(B->Child(0)->Active(), C.Active);
    EXPECT_EQ(B->Child(0)->State(), TState::osNormal);
    EXPECT_EQ(B->Bitmap()->Rect(), TRect({0, 0, 1, 1}));
  }
  auto Menu = Make();
  Menu->SetAction(TDvAction::sbaSysMenu);
  Menu->SetActive(true);
  TTarget Nothing(8, 8);
  Nothing.Draw(*Menu);
  EXPECT_TRUE(Nothing.Untouched()) << "the window icon is the theme's";

  TDvSysButtonSkinObject Skin;
  Skin.SetBounds(Bounds(0, 0, 2, 2));
  Skin.SetAction(TDvAction::sbaMinimize);
  Bind(*Skin.Bitmap(), *Image, {0, 0, 1, 1});
  Bind(*Skin.BitmapHover(), *Image, {1, 0, 2, 1});
  Bind(*Skin.BitmapDown(), *Image, {2, 0, 3, 1});
  for (Byte State : {0, 1, 2}) {
    Skin.ButtonState = State;
    TTarget T(2, 2);
    T.Draw(Skin);
    EXPECT_EQ(T.Pixel(1, 1), At(State, 0)) << int(State);
  }
}

// [Regions] ------------------------------------------------------------------------------------

namespace {

bool Inside(HRGN Region, Integer X, Integer Y) { return PtInRegion(Region, X, Y) != 0; }

}  // namespace

TEST(SkinRegions, MaskedBitmapShapesLeaveKeyPixelsOut) {
  auto Image = PositionImage(4, 4);
  Image->SetPixel(1, 1, vxKeyColor);
  enum TShape { Shape, Box, None };
  const struct {
    const char* Label;
    std::function<std::unique_ptr<TDvSkinObject>()> Make;
    TDvKind Kind;
    bool Masked;
    TShape Expected;
  } Cases[] = {
      {"bitmap object", [] { return std::make_unique<TDvBitmapObject>(); }, TDvKind::skNone, true, Shape},
      {"button", [] { return std::make_unique<TDvButtonObject>(); }, TDvKind::skCaption, true, Shape},
      {"unmasked bitmap object", [] { return std::make_unique<TDvBitmapObject>(); }, TDvKind::skNone, false, Box},
      {"client bitmap object", [] { return std::make_unique<TDvBitmapObject>(); }, TDvKind::skClient, true, Box},
      {"unmasked bitmap skin", [] { return std::make_unique<TDvBitmapSkinObject>(); }, TDvKind::skNone, false, Shape},
      {"client box", [] { return std::make_unique<TDvBitmapBoxObject>(); }, TDvKind::skClient, true, Box},
      {"base", [] { return std::make_unique<TDvSkinObject>(); }, TDvKind::skNone, true, Box},
  };
  for (const auto& C : Cases) {
    auto O = C.Make();
    O->SetBounds(Bounds(10, 10, 4, 4));
    O->SetKind(C.Kind);
    O->SetMasked(C.Masked);
    if (auto* B = dynamic_cast<TDvBitmapObject*>(O.get())) Bind(*B->Bitmap(), *Image, {0, 0, 4, 4});
    if (auto* B = dynamic_cast<TDvBitmapSkinObject*>(O.get())) Bind(*B->Bitmap(), *Image, {0, 0, 4, 4});
    TRegionHandle Region(CreateShapeRegion(*O));
    ASSERT_TRUE(Region) << C.Label;
    EXPECT_TRUE(Inside(Region.Get(), 10, 10)) << C.Label;
    EXPECT_TRUE(Inside(Region.Get(), 13, 13)) << C.Label;
    EXPECT_FALSE(Inside(Region.Get(), 14, 13)) << C.Label;
    EXPECT_FALSE(Inside(Region.Get(), 9, 10)) << C.Label;
    EXPECT_EQ(Inside(Region.Get(), 11, 11), C.Expected == Box) << C.Label;
    EXPECT_EQ(O->BoundsRect(), Bounds(10, 10, 4, 4)) << C.Label << ": moved back";
  }
  TDvBitmapObject Unlinked;
  Unlinked.SetBounds(Bounds(0, 0, 4, 4));
  EXPECT_EQ(CreateObjectRegion(Unlinked), nullptr);
  TDvSkinObject Flat;
  EXPECT_EQ(CreateShapeRegion(Flat), nullptr) << "no area";
}

TEST(SkinRegions, AnOwnerIsTheUnionOfItsVisibleChildrensShapes) {
  auto Image = PositionImage(4, 4);
  Image->SetPixel(1, 1, vxKeyColor);
  TDvSkinObject Owner;
  Owner.SetBounds(Bounds(0, 0, 20, 20));
  auto* Piece = new TDvBitmapObject(&Owner);
  Piece->SetBounds(Bounds(10, 10, 4, 4));
  Bind(*Piece->Bitmap(), *Image, {0, 0, 4, 4});
  auto* Hidden = new TDvSkinObject(&Owner);
  Hidden->SetBounds(Bounds(0, 0, 5, 5));
  Hidden->SetVisible(false);
  {
    TRegionHandle Region(CreateShapeRegion(Owner));
    ASSERT_TRUE(Region);
    EXPECT_TRUE(Inside(Region.Get(), 10, 10));
    EXPECT_FALSE(Inside(Region.Get(), 11, 11)) << "a key pixel of a piece";
    EXPECT_FALSE(Inside(Region.Get(), 2, 2)) << "an invisible child";
    EXPECT_FALSE(Inside(Region.Get(), 16, 16)) << "covered by no child";
  }
  for (const auto& Change : std::initializer_list<std::function<void(bool)>>{[&](bool On) { Owner.SetDrawIfOwner(On); },
                                                                             [&](bool On) { Owner.SetMasked(!On); }}) {
    Change(true);
    TRegionHandle Region(CreateShapeRegion(Owner));
    EXPECT_TRUE(Inside(Region.Get(), 16, 16)) << "the owner's own rectangle";
    EXPECT_TRUE(Inside(Region.Get(), 11, 11));
    Change(false);
  }
  Piece->SetVisible(false);
  TRegionHandle Empty(CreateShapeRegion(Owner));
  ASSERT_TRUE(Empty) << "an empty region, not none";
  RECT Box{};
  EXPECT_EQ(GetRgnBox(Empty.Get(), &Box), NULLREGION);
}

// [Base painting] ------------------------------------------------------------------------------

TEST(SkinDrawBase, OwnersPaintThemselvesOnlyWhenAskedAndTheClipCanSkipAll) {
  TDvSkinObject Owner;
  Owner.SetBounds(Bounds(0, 0, 10, 10));
  Owner.SetColor(clRed);
  auto* Child = new TDvSkinObject(&Owner);
  Child->SetBounds(Bounds(2, 2, 3, 3));
  Child->SetColor(clBlue);
  auto* Hidden = new TDvSkinObject(&Owner);
  Hidden->SetBounds(Bounds(6, 6, 3, 3));
  Hidden->SetColor(clLime);
  Hidden->SetVisible(false);
  TTarget T(12, 12);
  T.Draw(Owner);
  EXPECT_EQ(T.Pixel(0, 0), BG) << "an owner does not fill itself";
  EXPECT_EQ(T.RgbAt(2, 2), 0x0000FFu);
  EXPECT_EQ(T.Count(0x00FF00), 0);
  Owner.SetDrawIfOwner(true);
  TTarget Filled(12, 12);
  Filled.Draw(Owner);
  EXPECT_EQ(Filled.RgbAt(0, 0), 0xFF0000u);
  EXPECT_EQ(Filled.RgbAt(4, 4), 0x0000FFu) << "children paint over the owner";
  TTarget Clipped(12, 12);
  Clipped.Draw(Owner, {10, 10, 12, 12});
  EXPECT_TRUE(Clipped.Untouched());
  TTarget ChildClipped(12, 12);
  ChildClipped.Draw(Owner, {0, 0, 2, 2});
  EXPECT_EQ(ChildClipped.RgbAt(0, 0), 0xFF0000u);
  EXPECT_EQ(ChildClipped.RgbAt(3, 3), 0xFF0000u) << "a child outside the clip is not painted";
}

// [The sample skin] ----------------------------------------------------------------------------

TEST(SkinDrawSample, TheFormsShapeHasRoundedCornersAndAFullClient) {
  TDvSkinSource Source;
  Source.LoadFromFile(std::string(VX_SAMPLE_SKIN_DIR) + "/PellanSlate.uskn");
  TDvSkinObject* Form = Source.GetFormObject();
  ASSERT_TRUE(Form);
  Form->SetActive(true);
  Form->SetBounds(Bounds(0, 0, 400, 300));
  TRegionHandle Region(CreateShapeRegion(*Form));
  ASSERT_TRUE(Region);
  EXPECT_FALSE(Inside(Region.Get(), 0, 0));
  EXPECT_FALSE(Inside(Region.Get(), 399, 0));
  EXPECT_TRUE(Inside(Region.Get(), 200, 2));
  EXPECT_TRUE(Inside(Region.Get(), 200, 150));
  EXPECT_TRUE(Inside(Region.Get(), 0, 150));
  EXPECT_FALSE(Inside(Region.Get(), 400, 150));

  TTarget T(400, 300, vxKeyColor);
  T.Draw(*Form);
  EXPECT_EQ(T.Pixel(0, 0), vxKeyColor) << "the corner is left alone";
  TDvSkinObject* Client = Form->FindByKind(TDvKind::skClient);
  ASSERT_TRUE(Client);
  EXPECT_EQ(T.RgbAt(200, 150), Rgb(ColorToRGB(Client->Color())));
  EXPECT_NE(T.RgbAt(200, 2), vxKeyColor);
}
