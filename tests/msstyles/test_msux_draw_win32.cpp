// Drawing through a visual style. Object tests paint images that name their own pixels
// (red = x, green = y), so each painted pixel tells where it came from. Theme tests load a small
// style from its stream form whose every object is a strip of solid frames coloured by (object,
// frame), so one pixel read back tells which object and which frame an operation drew.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "../graphics/solid_image.h"
#include "../ui/live_gdi_objects.h"
#include "framework/core/inifiles.h"
#include "framework/core/zstream.h"
#include "framework/graphics/gdi_handles.h"
#include "vexel/graphics/vx_utils.h"
#include "vexel/msstyles/theme_msux.h"
#include "vexel/msstyles/theme_msux_paint.h"

// Readable failures for rectangles.
void PrintTo(const TRect& R, std::ostream* Os) {
  *Os << "(" << R.Left << ", " << R.Top << ", " << R.Right << ", " << R.Bottom << ")";
}

namespace {

constexpr TvxColor Background = 0xFF123456;

TvxColor At(Integer X, Integer Y) { return 0xFF000040 | (TvxColor(X) << 16) | (TvxColor(Y) << 8); }
Integer SourceX(TvxColor P) { return PixelRed(P); }
Integer SourceY(TvxColor P) { return PixelGreen(P); }
// Pixel order of a framework colour, opaque.
TvxColor Opaque(TColor C) { return ColorToPixel(C, 255); }

std::unique_ptr<TvxBitmap> PositionImage(const std::string& Name, Integer W, Integer H) {
  auto Image = std::make_unique<TvxBitmap>();
  Image->SetSize(W, H);
  for (Integer Y = 0; Y < H; ++Y)
    for (Integer X = 0; X < W; ++X) Image->SetPixel(X, Y, At(X, Y));
  Image->SetName(Name);
  return Image;
}

struct TTarget {
  TvxBitmap Bitmap;
  std::unique_ptr<TCanvas> Canvas;
  TTarget(Integer W, Integer H) {
    Bitmap.SetSize(W, H);
    Bitmap.Fill(Background);
    Canvas = std::make_unique<TCanvas>(Bitmap.DC());
  }
  // GDI leaves alpha 0 where it paints: pixels are compared opaque.
  TvxColor Pixel(Integer X, Integer Y) {
    GdiFlush();
    return Bitmap.GetPixel(X, Y) | 0xFF000000;
  }
  bool Untouched() {
    GdiFlush();
    for (Integer Y = 0; Y < Bitmap.Height(); ++Y)
      for (Integer X = 0; X < Bitmap.Width(); ++X)
        if ((Bitmap.GetPixel(X, Y) | 0xFF000000) != Background) return false;
    return true;
  }
};

// Images are put in the list by the test; the style file is never asked.
class TNoFile : public TmsuxImageSource {
 public:
  void LoadStyleImage(const std::string&) override {}
};

// Objects read from one ini text over images the test draws.
class MsuxObjectDraw : public ::testing::Test {
 protected:
  TMemIniFile Ini;
  TvxBitmapList Images;
  TNoFile Source;

  std::unique_ptr<TmsuxThemeObject> Make(const std::string& Keys) {
    Ini.SetText("[Part]\n" + Keys);
    return std::make_unique<TmsuxThemeObject>(Ini, "Part", Images, Source);
  }
};

TEST_F(MsuxObjectDraw, FramesOfHorizontalAndVerticalStrips) {
  Images.Add(PositionImage("STRIP", 64, 16));
  struct TCase {
    const char* Layout;
    Integer Frame;
    TRect Expected;
  } Cases[] = {{"horizontal", 2, {16, 0, 32, 16}},
               {"vertical", 2, {0, 4, 64, 8}},
               {"horizontal", 4, {48, 0, 64, 16}},
               // Beyond the strip: an empty frame rather than a rectangle outside the image.
               {"horizontal", 5, {}},
               {"vertical", 9, {}}};
  for (const TCase& C : Cases) {
    auto O = Make(std::string("imagefile=strip\nimagecount=4\nimagelayout=") + C.Layout + "\nglyphtype=imageglyph\n" +
                  "glyphimagefile=strip\n");
    TTarget T(70, 20);
    O->Draw(*T.Canvas, {0, 0, 70, 20}, C.Frame, {});
    EXPECT_EQ(O->ImageFile->Rect(), C.Expected) << C.Layout << " " << C.Frame;
    EXPECT_EQ(O->GlyphImageFile->Rect(), C.Expected) << C.Layout << " " << C.Frame;
  }
  // After a frame beyond the strip the links still answer the next frame.
  {
    auto O = Make("imagefile=strip\nimagecount=4\nglyphtype=imageglyph\nglyphimagefile=strip\n");
    TTarget T(70, 20);
    O->Draw(*T.Canvas, {0, 0, 70, 20}, 7, {});
    O->Draw(*T.Canvas, {0, 0, 70, 20}, 3, {});
    EXPECT_EQ(O->ImageFile->Rect(), (TRect{32, 0, 48, 16}));
    EXPECT_EQ(O->GlyphImageFile->Rect(), (TRect{32, 0, 48, 16}));
  }
  // A frame below 1 keeps the rectangle the link had.
  auto O = Make("imagefile=strip\nimagecount=4\n");
  TTarget T(70, 20);
  O->Draw(*T.Canvas, {0, 0, 70, 20}, 0, {});
  EXPECT_EQ(O->ImageFile->Rect(), (TRect{0, 0, 64, 16}));
}

// A 16 x 8 strip of two 8 x 8 frames, margins 2, frame 2 onto 40 x 20: the corners are 1:1, the
// centre and edges tile or stretch by type. Source x 8 + 3 in the centre means tiled (dest x 7 is
// the sixth column of the centre), 8 + 2 stretched; the same for y at the centre's row 13.
TEST_F(MsuxObjectDraw, NinePieceLayoutBySizingType) {
  Images.Add(PositionImage("NINE", 16, 8));
  struct TCase {
    const char* Type;
    Integer CentreX, CentreY, TopEdgeX;
  } Cases[] = {{"tile", 11, 3, 11},
               {"stretch", 10, 5, 10},
               {"bordertileclientstretch", 10, 5, 11},
               {"borderstretchclienttile", 11, 3, 10},
               {"tilevertical", 10, 3, 10},
               {"tilehorizontal", 11, 5, 11}};
  for (const TCase& C : Cases) {
    auto O = Make(std::string("imagefile=nine\nimagecount=2\nsizingmargins=2,2,2,2\nsizingtype=") + C.Type + "\n");
    TTarget T(40, 20);
    O->Draw(*T.Canvas, {0, 0, 40, 20}, 2, {});
    const TvxColor Centre = T.Pixel(7, 15), TopEdge = T.Pixel(7, 0);
    EXPECT_EQ(SourceX(Centre), C.CentreX) << C.Type;
    EXPECT_EQ(SourceY(Centre), C.CentreY) << C.Type;
    EXPECT_EQ(SourceX(TopEdge), C.TopEdgeX) << C.Type;
    EXPECT_EQ(SourceY(TopEdge), 0) << C.Type;
    EXPECT_EQ(T.Pixel(0, 0), At(8, 0)) << C.Type;
    EXPECT_EQ(T.Pixel(39, 0), At(15, 0)) << C.Type;
    EXPECT_EQ(T.Pixel(38, 18), At(14, 6)) << C.Type;
    EXPECT_EQ(T.Pixel(0, 19), At(8, 7)) << C.Type;
  }
}

// A clip rectangle keeps only the pieces that contain it whole.
TEST_F(MsuxObjectDraw, ClipRectKeepsThePiecesContainingIt) {
  Images.Add(PositionImage("NINE", 8, 8));
  auto O = Make("imagefile=nine\nsizingmargins=2,2,2,2\nsizingtype=stretch\n");
  struct TCase {
    TRect Clip;
    bool Centre, Corner;
  } Cases[] = {{{10, 8, 12, 10}, true, false}, {{0, 0, 2, 2}, false, true}, {{1, 1, 12, 10}, false, false}};
  for (const TCase& C : Cases) {
    TTarget T(40, 20);
    O->Draw(*T.Canvas, {0, 0, 40, 20}, 1, C.Clip);
    EXPECT_EQ(T.Pixel(20, 10) != Background, C.Centre) << C.Clip.Left << "," << C.Clip.Top;
    EXPECT_EQ(T.Pixel(0, 0) != Background, C.Corner) << C.Clip.Left << "," << C.Clip.Top;
    EXPECT_EQ(T.Pixel(20, 0), Background) << C.Clip.Left << "," << C.Clip.Top;
  }
}

TEST_F(MsuxObjectDraw, SixBySixFrameGivesCornersOnlyAndFiveBySixNothing) {
  Images.Add(PositionImage("SIX", 12, 6));
  auto O = Make("imagefile=six\nimagecount=2\nsizingmargins=3,3,3,3\nsizingtype=stretch\n");
  TTarget T(40, 20);
  O->Draw(*T.Canvas, {0, 0, 40, 20}, 1, {});
  EXPECT_EQ(T.Pixel(2, 2), At(2, 2));
  EXPECT_EQ(T.Pixel(37, 0), At(3, 0));
  EXPECT_EQ(T.Pixel(37, 17), At(3, 3));
  EXPECT_EQ(T.Pixel(0, 17), At(0, 3));
  // Nothing between the margins: the frame has no centre or edge pixels to spread.
  EXPECT_EQ(T.Pixel(20, 10), Background);
  EXPECT_EQ(T.Pixel(20, 1), Background);

  Images.Add(PositionImage("FIVE", 10, 6));
  auto Narrow = Make("imagefile=five\nimagecount=2\nsizingmargins=3,3,3,3\n");
  TTarget N(40, 20);
  Narrow->Draw(*N.Canvas, {0, 0, 40, 20}, 1, {});
  EXPECT_TRUE(N.Untouched());
}

TEST_F(MsuxObjectDraw, TrueSizeIsCentredRoundingTowardZero) {
  Images.Add(PositionImage("TRUE", 10, 10));
  auto O = Make("imagefile=true\nsizingtype=truesize\n");
  struct TCase {
    TRect R;
    TPoint Origin;  // where the image's (0, 0) lands
  } Cases[] = {{{0, 0, 40, 20}, {15, 5}}, {{0, 0, 17, 15}, {3, 2}}, {{0, 0, 5, 5}, {-2, -2}}};
  for (const TCase& C : Cases) {
    TTarget T(40, 20);
    O->Draw(*T.Canvas, C.R, 1, {});
    const TPoint Probe{std::max(C.Origin.X, 0), std::max(C.Origin.Y, 0)};
    EXPECT_EQ(T.Pixel(Probe.X, Probe.Y), At(Probe.X - C.Origin.X, Probe.Y - C.Origin.Y)) << C.R.Right;
    if (C.Origin.X > 0) {
      EXPECT_EQ(T.Pixel(C.Origin.X - 1, Probe.Y), Background) << C.R.Right;
    }
  }
}

TEST_F(MsuxObjectDraw, FillsBordersAndNone) {
  Images.Add(PositionImage("GLYPH", 4, 4));
  struct TCase {
    const char* Keys;
    TvxColor Outer, Inner, Centre;
  } Cases[] = {
      {"fillcolor=10 20 30\n", Opaque(RGB(10, 20, 30)), Opaque(RGB(10, 20, 30)), Opaque(RGB(10, 20, 30))},
      {"bgtype=borderfill\nbordersize=2\nbordercolor=200 0 0\nfillcolor=0 0 200\n", Opaque(RGB(200, 0, 0)),
       Opaque(RGB(200, 0, 0)), Opaque(RGB(0, 0, 200))},
      // Without a fill colour nothing is filled; the border is still drawn.
      {"bgtype=borderfill\nbordersize=1\nbordercolor=200 0 0\n", Opaque(RGB(200, 0, 0)), Background, Background},
      {"bgtype=none\nfillcolor=10 20 30\nglyphtype=imageglyph\nglyphimagefile=glyph\n", Background, Background,
       Background},
  };
  for (const TCase& C : Cases) {
    auto O = Make(C.Keys);
    TTarget T(20, 20);
    O->Draw(*T.Canvas, {0, 0, 20, 20}, 1, {});
    EXPECT_EQ(T.Pixel(0, 0), C.Outer) << C.Keys;
    EXPECT_EQ(T.Pixel(1, 1), C.Inner) << C.Keys;
    EXPECT_EQ(T.Pixel(10, 10), C.Centre) << C.Keys;
  }
  // A huge border size stops once the rectangle is used up.
  auto Huge = Make("bgtype=borderfill\nbordersize=2000000000\nbordercolor=1 2 3\n");
  TTarget T(6, 6);
  Huge->Draw(*T.Canvas, {0, 0, 6, 6}, 1, {});
  EXPECT_EQ(T.Pixel(3, 3), Opaque(RGB(1, 2, 3)));
}

TEST_F(MsuxObjectDraw, EmptyOrInvertedRectanglesPaintNothing) {
  Images.Add(PositionImage("ANY", 8, 8));
  auto O = Make("imagefile=any\nglyphtype=imageglyph\nglyphimagefile=any\n");
  for (const TRect& R : {TRect{5, 5, 5, 10}, TRect{10, 10, 2, 2}, TRect{}}) {
    TTarget T(12, 12);
    O->Draw(*T.Canvas, R, 1, {});
    EXPECT_TRUE(T.Untouched()) << R.Left << "," << R.Top << "," << R.Right << "," << R.Bottom;
  }
  // No frames at all: nothing cut, nothing drawn as a glyph.
  O->ImageCount = 0;
  O->BgType = mbgNone;
  TTarget T(12, 12);
  O->Draw(*T.Canvas, {0, 0, 12, 12}, 1, {});
  EXPECT_TRUE(T.Untouched());
}

// Frame 2 of a two-frame glyph strip centred; with a size selection the chosen background
// image is drawn centred as a glyph too.
TEST_F(MsuxObjectDraw, GlyphStep) {
  Images.Add(PositionImage("GLYPH", 8, 3));
  auto O = Make("fillcolor=0 0 0\nglyphtype=imageglyph\nglyphimagefile=glyph\nimagecount=2\n");
  TTarget T(20, 11);
  O->Draw(*T.Canvas, {0, 0, 20, 11}, 2, {});
  EXPECT_EQ(T.Pixel(8, 4), At(4, 0));
  EXPECT_EQ(T.Pixel(11, 6), At(7, 2));
  EXPECT_EQ(T.Pixel(12, 4), Opaque(clBlack));

  // Frame 0: no glyph.
  TTarget None(20, 11);
  O->Draw(*None.Canvas, {0, 0, 20, 11}, 0, {});
  EXPECT_EQ(None.Pixel(8, 4), Opaque(clBlack));

  Images.Add(SolidImage("SMALL", 2, 2, 0xFF00AA00));
  // An image background without a main image: only the glyph step paints.
  auto Sized = Make("glyphtype=imageglyph\nimageselecttype=size\nimagefile1=small\n");
  TTarget S(10, 10);
  Sized->Draw(*S.Canvas, {0, 0, 10, 10}, 1, {});
  EXPECT_EQ(S.Pixel(4, 4), 0xFF00AA00u);
  EXPECT_EQ(S.Pixel(3, 4), Background);
}

// With a dpi selection the last of images 2 and 3 narrower than the content wins.
TEST_F(MsuxObjectDraw, SizeSelectedBackground) {
  Images.Add(SolidImage("W10", 10, 4, 0xFF0000A0));
  Images.Add(SolidImage("W20", 20, 4, 0xFF0000B0));
  Images.Add(SolidImage("W30", 30, 4, 0xFF0000C0));
  auto O = Make("imageselecttype=dpi\nimagefile1=w10\nimagefile2=w20\nimagefile3=w30\ncontentmargins=2,3,0,0\n");
  struct TCase {
    Integer Width;
    TvxColor Expected;
  } Cases[] = {{40, 0xFF0000C0}, {36, 0xFF0000C0}, {35, 0xFF0000B0},
               {26, 0xFF0000B0}, {25, 0xFF0000A0}, {5, 0xFF0000A0}};
  for (const TCase& C : Cases) {
    TTarget T(40, 4);
    O->Draw(*T.Canvas, {0, 0, C.Width, 4}, 1, {});
    EXPECT_EQ(T.Pixel(0, 0), C.Expected) << C.Width;
  }
}

// Opaque drawing shows the key pixels and puts the image's flags back; the image's own mode hides
// them.
TEST_F(MsuxObjectDraw, DrawModesRestoreTheImageFlags) {
  auto Image = SolidImage("KEYED", 4, 4, 0xFF00FF00);
  Image->SetPixel(0, 0, vxKeyColor | 0xFF000000);
  Image->SetTransparent(true);
  TvxBitmap* Keyed = Image.get();
  Images.Add(std::move(Image));
  auto O = Make("imagefile=keyed\n");
  for (const Byte Mode : {Byte(0), Byte(3)}) {
    O->DrawMode = Mode;
    TTarget T(4, 4);
    O->Draw(*T.Canvas, {0, 0, 4, 4}, 1, {});
    EXPECT_EQ(T.Pixel(0, 0) & 0xFFFFFF, Mode == 0 ? vxKeyColor : (Background & 0xFFFFFF)) << int(Mode);
    EXPECT_EQ(T.Pixel(1, 1), 0xFF00FF00u) << int(Mode);
    EXPECT_TRUE(Keyed->Transparent()) << int(Mode);
    EXPECT_FALSE(Keyed->AlphaBlend()) << int(Mode);
  }
}

// ---- The theme -------------------------------------------------------------------------------

// The stream form: mark, then a zlib stream of name, ini text and images.
void WriteStyleStream(TStream& Out, const std::string& Ini, const TvxBitmapList& Images) {
  Out.WriteBuffer(msuxStreamMark, 7);
  TCompressionStream Z(Out, 1);
  WriteStreamString(Z, "Tiny");
  WriteStreamString(Z, Ini);
  const int32_t N = Images.Count();
  Z.WriteBuffer(&N, 4);
  for (Integer I = 0; I < N; ++I) {
    const TvxBitmap& B = *Images.Items(I);
    B.SaveToStream(Z);
    WriteStreamString(Z, B.Name());
    const Byte Flags[2] = {Byte(B.Transparent()), Byte(B.AlphaBlend())};
    Z.WriteBuffer(Flags, 2);
  }
  Z.Finish();
}

constexpr Integer StripFrames = 16;
// Frame F (from 1) of object Slot: red Slot + 1, green 8 F, blue 0x33.
TvxColor FrameColor(Integer Slot, Integer Frame) {
  return 0xFF000033 | (TvxColor(Slot + 1) << 16) | (TvxColor(Frame * 8) << 8);
}

// Every object of the style a strip of 16 solid 2 x 2 frames; metrics, caption margins, menu
// colours and a few fills on top.
class MsuxThemeDraw : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    TvxBitmapList Images;
    std::string Ini =
        "[SysMetrics]\r\nCaptionBarHeight=24\r\nSMCaptionBarHeight=16\r\nBorderWidth=4\r\nSMBorderWidth=3\r\n"
        "Menu=10 20 30\r\nMenuHilight=200 100 50\r\nBtnFace=90 91 92\r\nHighlight=1 2 250\r\nWindow=250 251 "
        "252\r\n";
    for (Integer Slot = 0; Slot < moSlotCount; ++Slot) {
      if (Slot == moEdit || Slot == moEditEdittextDisabled || Slot == moEditEdittextReadonly || Slot == moTrackBarTics2)
        continue;
      const std::string Name = "IMG" + std::to_string(Slot);
      auto Image = std::make_unique<TvxBitmap>();
      Image->SetSize(2 * StripFrames, 2);
      for (Integer F = 1; F <= StripFrames; ++F) Image->FillRect({2 * F - 2, 0, 2 * F, 2}, FrameColor(Slot, F));
      Image->SetName(Name);
      Images.Add(std::move(Image));
      Ini += std::string("[") + MsuxObjectSections[Slot] + "]\r\nimagefile=" + Name +
             "\r\nimagecount=16\r\nimagelayout=horizontal\r\nsizingtype=stretch\r\n";
      if (Slot == moWindowCaption) Ini += "captionmargins=5,7,0,0\r\n";
      if (Slot == moWindowCaptionActive) Ini += "textshadowtype=single\r\ntextshadowoffset=2,2\r\n";
      if (Slot == moWindowCaption) Ini += "textshadowcolor=40 40 40\r\n";
    }
    // A fill-drawn edit, so the borrowed fill colours show.
    Ini += "[edit]\r\nbgtype=borderfill\r\nbordersize=1\r\nbordercolor=7 8 9\r\nfillcolor=10 20 30\r\n";
    Ini += "[edit.edittext(disabled)]\r\nfillcolor=40 50 60\r\n[edit.edittext(readonly)]\r\nfillcolor=70 80 90\r\n";
    // A caption whose top-left pixel is the transparent colour, for the region.
    Images.Items(Images.IndexOf(Images.Find("IMG" + std::to_string(moWindowCaption))))->SetPixel(0, 0, 0xFFFF00FF);
    Style = std::make_unique<TMemoryStream>();
    WriteStyleStream(*Style, Ini, Images);
  }
  static void TearDownTestSuite() { Style.reset(); }

  void SetUp() override {
    Style->SetPosition(0);
    ASSERT_TRUE(Theme.LoadFromStream(*Style));
    ASSERT_NE(Theme.Object(moButtonPushbutton), nullptr);
  }

  // What an operation painted at the centre of (4, 4, 12, 12): the object and frame, or
  // (-1, 0) for nothing.
  std::pair<Integer, Integer> Painted(const std::function<void(TCanvas&, const TRect&)>& Op) {
    TTarget T(16, 16);
    Op(*T.Canvas, {4, 4, 12, 12});
    const TvxColor P = T.Pixel(8, 8);
    if (P == Background) return {-1, 0};
    if (PixelBlue(P) != 0x33) return {-2, Integer(P)};
    return {Integer(PixelRed(P)) - 1, Integer(PixelGreen(P)) / 8};
  }

  static std::unique_ptr<TMemoryStream> Style;
  TVxThemeMsStyles Theme;
};
std::unique_ptr<TMemoryStream> MsuxThemeDraw::Style;

TEST_F(MsuxThemeDraw, EachOperationDrawsItsObjectAndFrame) {
  TVxThemeMsStyles& Th = Theme;
  const auto S = [](Byte First, Byte Second, const TRect& R) {
    TvxStateInfo I;
    I.Rect = R;
    I.State = First;
    I.Part = Second;
    return I;
  };
  using TOp = std::function<void(TCanvas&, const TRect&)>;
  struct TCase {
    const char* Label;
    TOp Op;
    Integer Slot, Frame;  // Slot -1: nothing painted
  } Cases[] = {
      {"button default", [&](TCanvas& C, const TRect& R) { Th.DrawButton(0, C, "", S(6, 0, R)); }, moButtonPushbutton,
       5},
      {"button hot", [&](TCanvas& C, const TRect& R) { Th.DrawButton(0, C, "", S(1, 0, R)); }, moButtonPushbutton, 2},
      {"button disabled", [&](TCanvas& C, const TRect& R) { Th.DrawButton(0, C, "", S(3, 0, R)); }, moButtonPushbutton,
       4},
      {"button state 12", [&](TCanvas& C, const TRect& R) { Th.DrawButton(0, C, "", S(12, 0, R)); }, -1, 0},
      {"spin up", [&](TCanvas& C, const TRect& R) { Th.DrawButton(4, C, "", S(0, 0, R)); }, moSpinUp, 1},
      {"spin right", [&](TCanvas& C, const TRect& R) { Th.DrawButton(7, C, "", S(9, 0, R)); }, moSpinDownhorz, 4},
      {"radio unchecked hot", [&](TCanvas& C, const TRect& R) { Th.DrawCheckBox(1, C, "", S(6, 0, R)); },
       moButtonRadiobutton, 2},
      {"check checked", [&](TCanvas& C, const TRect& R) { Th.DrawCheckBox(0, C, "", S(0, 0, R)); }, moButtonCheckbox,
       5},
      {"check mixed 14", [&](TCanvas& C, const TRect& R) { Th.DrawCheckBox(0, C, "", S(14, 0, R)); }, moButtonCheckbox,
       9},
      {"check 15", [&](TCanvas& C, const TRect& R) { Th.DrawCheckBox(0, C, "", S(15, 0, R)); }, -1, 0},
      {"check kind 2", [&](TCanvas& C, const TRect& R) { Th.DrawCheckBox(2, C, "", S(0, 0, R)); }, -1, 0},
      {"right arrow pressed", [&](TCanvas& C, const TRect& R) { Th.DrawScrollBarPart(0, C, "", S(5, 1, R)); },
       moScrollBarArrowBtn, 15},
      {"left arrow hot", [&](TCanvas& C, const TRect& R) { Th.DrawScrollBarPart(0, C, "", S(4, 2, R)); },
       moScrollBarArrowBtn, 10},
      {"up arrow", [&](TCanvas& C, const TRect& R) { Th.DrawScrollBarPart(0, C, "", S(0, 0, R)); }, moScrollBarArrowBtn,
       1},
      {"thumb horz: gripper on top", [&](TCanvas& C, const TRect& R) { Th.DrawScrollBarPart(0, C, "", S(8, 3, R)); },
       moScrollBarGripperHorz, 4},
      {"scroll part kind 1", [&](TCanvas& C, const TRect& R) { Th.DrawScrollBarPart(1, C, "", S(0, 0, R)); }, -1, 0},
      {"scroll part state 4", [&](TCanvas& C, const TRect& R) { Th.DrawScrollBarPart(0, C, "", S(0, 4, R)); }, -1, 0},
      {"track vert", [&](TCanvas& C, const TRect& R) { Th.DrawScrollBarTrack(0, C, "", S(0, 2, R)); },
       moScrollBarUpperTrackVert, 1},
      {"track horz hot", [&](TCanvas& C, const TRect& R) { Th.DrawScrollBarTrack(0, C, "", S(1, 2, R)); },
       moScrollBarUpperTrackHorz, 2},
      {"progress bar", [&](TCanvas& C, const TRect& R) { Th.DrawProgressBar(0, C, "", S(1, 0, R)); }, moProgressBar, 1},
      {"progress chunk vert", [&](TCanvas& C, const TRect& R) { Th.DrawProgressBar(0, C, "", S(4, 0, R)); },
       moProgressChunkVert, 1},
      {"progress part 6", [&](TCanvas& C, const TRect& R) { Th.DrawProgressBar(0, C, "", S(6, 0, R)); }, -1, 0},
      {"trackbar track", [&](TCanvas& C, const TRect& R) { Th.DrawTrackBarTrack(0, C, "", S(1, 0, R)); },
       moTrackBarTrack, 1},
      {"thumb left state 3", [&](TCanvas& C, const TRect& R) { Th.DrawTrackBarThumb(0, C, "", S(2, 3, R)); },
       moTrackBarThumbLeft, 4},
      {"thumb state 5", [&](TCanvas& C, const TRect& R) { Th.DrawTrackBarThumb(0, C, "", S(2, 5, R)); }, -1, 0},
      {"header", [&](TCanvas& C, const TRect& R) { Th.DrawHeader(0, C, "", R); }, moHeader, 1},
      {"header section 1", [&](TCanvas& C, const TRect& R) { Th.DrawHeaderSection(0, C, "", S(0, 1, R)); },
       moHeaderHeaderitem, 3},
      {"header section 4", [&](TCanvas& C, const TRect& R) { Th.DrawHeaderSection(0, C, "", S(0, 4, R)); },
       moHeaderHeaderitem, 2},
      {"status", [&](TCanvas& C, const TRect& R) { Th.DrawStatusBar(0, C, "", R); }, moStatus, 1},
      {"status gripper pane", [&](TCanvas& C, const TRect& R) { Th.DrawStatusPanel(0, C, "", S(2, 0, R)); },
       moStatusGripperpane, 1},
      {"combo", [&](TCanvas& C, const TRect& R) { Th.DrawEdit(4, C, "", S(2, 0, R)); }, moCombobox, 1},
      {"combo state 5", [&](TCanvas& C, const TRect& R) { Th.DrawEdit(5, C, "", S(5, 0, R)); }, -1, 0},
      {"drop-down pressed", [&](TCanvas& C, const TRect& R) { Th.DrawEditButton(0, C, "", S(2, 0, R)); },
       moComboboxDropDownButton, 3},
      {"drop-down disabled", [&](TCanvas& C, const TRect& R) { Th.DrawEditButton(0, C, "", S(4, 0, R)); },
       moComboboxDropDownButton, 4},
      {"drop-down second byte 1", [&](TCanvas& C, const TRect& R) { Th.DrawEditButton(0, C, "", S(2, 1, R)); }, -1, 0},
      {"control bar", [&](TCanvas& C, const TRect& R) { Th.DrawControlBar(0, C, "", R); }, moRebar, 1},
      {"split drop-down 6", [&](TCanvas& C, const TRect& R) { Th.DrawToolBarItem(0, C, "", S(4, 6, R)); },
       moToolbarSplitbuttondropdown, 6},
      {"tool button 7", [&](TCanvas& C, const TRect& R) { Th.DrawToolBarItem(0, C, "", S(8, 7, R)); }, moToolbarButton,
       3},
      {"rebar gripper", [&](TCanvas& C, const TRect& R) { Th.DrawToolBarItem(0, C, "", S(13, 4, R)); }, moRebarGripper,
       1},
      {"tool part 2", [&](TCanvas& C, const TRect& R) { Th.DrawToolBarItem(0, C, "", S(2, 0, R)); }, -1, 0},
      {"header panel close", [&](TCanvas& C, const TRect& R) { Th.DrawHeaderPanelButton(0, C, "", S(3, 1, R)); },
       moExplorerbarHeaderclose, 2},
      {"header panel expand", [&](TCanvas& C, const TRect& R) { Th.DrawHeaderPanelButton(0, C, "", S(2, 9, R)); },
       moExplorerbarNormalGroupExpand, 1},
      {"tab pane", [&](TCanvas& C, const TRect& R) { Th.DrawTabPane(0, C, "", R); }, moTabPane, 1},
      {"tab 5", [&](TCanvas& C, const TRect& R) { Th.DrawTab(0, C, "", S(0, 5, R)); }, moTabToptabitem, 4},
      {"tab scroll", [&](TCanvas& C, const TRect& R) { Th.DrawTabScrollButton(0, C, "", S(1, 2, R)); },
       moScrollBarArrowBtn, 11},
      {"list box", [&](TCanvas& C, const TRect& R) { Th.DrawListBox(0, C, "", R); }, moListview, 1},
      {"grid", [&](TCanvas& C, const TRect& R) { Th.DrawGrid(0, C, "", R); }, moListview, 1},
      {"mdi restore", [&](TCanvas& C, const TRect& R) { Th.DrawMenuItem(0, C, "", S(8, 2, R)); },
       moWindowMDIRestoreButton, 2},
      {"mdi close disabled", [&](TCanvas& C, const TRect& R) { Th.DrawMenuItem(0, C, "", S(9, 3, R)); },
       moWindowMDICloseButton, 3},
      {"mdi state 4", [&](TCanvas& C, const TRect& R) { Th.DrawMenuItem(0, C, "", S(7, 4, R)); }, -1, 0},
  };
  for (const TCase& C : Cases) {
    const auto [Slot, Frame] = Painted(C.Op);
    EXPECT_EQ(Slot, C.Slot) << C.Label;
    EXPECT_EQ(Frame, C.Frame) << C.Label;
  }

  const auto Check = [&](Byte CheckState) {
    return [&, CheckState](TCanvas& C, const TRect& R) {
      TvxCheckGlyphInfo G;
      G.Rect = R;
      G.CheckState = CheckState;
      Th.DrawListBoxCheck(0, C, "", G, {});
    };
  };
  EXPECT_EQ(Painted(Check(2)), std::make_pair(Integer(moButtonCheckbox), Integer(9)));
  EXPECT_EQ(Painted(Check(0)), std::make_pair(Integer(moButtonCheckbox), Integer(5)));
  EXPECT_EQ(Painted(Check(3)), std::make_pair(-1, 0));  // no bitmap

  const auto Title = [&](TvxWindowKind Kind, Byte Button, Byte State) {
    return [&, Kind, Button, State](TCanvas& C, const TRect& R) {
      TvxTitleButtonInfo I;
      I.Rect = R;
      I.Button = Button;
      I.State = State;
      Th.DrawFormButton(Kind, C, "", I);
    };
  };
  EXPECT_EQ(Painted(Title(0, 4, 1)), std::make_pair(Integer(moWindowRestoreButton), Integer(2)));
  EXPECT_EQ(Painted(Title(1, 3, 2)), std::make_pair(Integer(moWindowMinButton), Integer(3)));
  EXPECT_EQ(Painted(Title(0, 7, 0)), std::make_pair(-1, 0));
  EXPECT_EQ(Painted(Title(6, 1, 2)), std::make_pair(Integer(moWindowSmallCloseButton), Integer(3)));
  EXPECT_EQ(Painted(Title(6, 5, 0)), std::make_pair(-1, 0));
}

TEST_F(MsuxThemeDraw, FillsFromTheSystemColoursAndBorrowedFills) {
  const auto S = [](Byte First, Byte Second) {
    TvxStateInfo I;
    I.Rect = {4, 4, 12, 12};
    I.State = First;
    I.Part = Second;
    return I;
  };
  // The theme's tables as loaded (hue and brightness passes may round a channel).
  const TColor Highlight = Theme.SysColors().SysColor(clHighlight), Window = Theme.SysColors().SysColor(clWindow),
               Face = Theme.SysColors().SysColor(clBtnFace);
  ASSERT_NE(Highlight, Window);
  ASSERT_NE(Theme.MenuColor(), Theme.MenuHilightColor());
  struct TCase {
    const char* Label;
    std::function<void(TCanvas&)> Op;
    TColor Expected;
  } Cases[] = {
      {"edit", [&](TCanvas& C) { Theme.DrawEdit(0, C, "", S(0, 0)); }, RGB(10, 20, 30)},
      {"edit disabled", [&](TCanvas& C) { Theme.DrawEdit(0, C, "", S(4, 0)); }, RGB(40, 50, 60)},
      {"edit read-only", [&](TCanvas& C) { Theme.DrawEdit(0, C, "", S(5, 0)); }, RGB(70, 80, 90)},
      {"edit selected", [&](TCanvas& C) { Theme.DrawEdit(0, C, "", S(6, 0)); }, Highlight},
      {"edit frame disabled", [&](TCanvas& C) { Theme.DrawEditFrame(0, C, "", S(3, 0)); }, RGB(40, 50, 60)},
      // After the borrowed fills the edit has its own again.
      {"edit again", [&](TCanvas& C) { Theme.DrawEdit(0, C, "", S(1, 0)); }, RGB(10, 20, 30)},
      {"list item selected", [&](TCanvas& C) { Theme.DrawListBoxItem(0, C, "", S(3, 0)); }, Highlight},
      {"tree item", [&](TCanvas& C) { Theme.DrawTreeItem(0, C, "", S(4, 0)); }, Window},
      {"grid fixed cell", [&](TCanvas& C) { Theme.DrawGridCell(0, C, "", S(2, 1)); }, Face},
      {"grid selected", [&](TCanvas& C) { Theme.DrawGridCell(0, C, "", S(2, 0)); }, Highlight},
      {"splitter",
       [&](TCanvas& C) {
         Theme.DrawSplitter(0, C, "", {4, 4, 12, 12});
       },
       Face},
      {"menu item hot", [&](TCanvas& C) { Theme.DrawMenuItem(1, C, "", S(0, 1)); }, Theme.MenuHilightColor()},
      {"menu item", [&](TCanvas& C) { Theme.DrawMenuItem(1, C, "", S(0, 3)); }, Theme.MenuColor()},
  };
  for (const TCase& C : Cases) {
    TTarget T(16, 16);
    C.Op(*T.Canvas);
    EXPECT_EQ(T.Pixel(8, 8), Opaque(C.Expected)) << C.Label;
  }
  // Nothing for the states no row lists.
  TTarget T(16, 16);
  Theme.DrawEdit(0, *T.Canvas, "", S(7, 0));
  Theme.DrawListBoxItem(0, *T.Canvas, "", S(5, 0));
  Theme.DrawGridCell(0, *T.Canvas, "", S(5, 0));
  EXPECT_TRUE(T.Untouched());
}

TEST_F(MsuxThemeDraw, PanelsMenusAndSeparators) {
  const TColor Face = Theme.SysColors().SysColor(clBtnFace);
  const TColor Menu = Theme.MenuColor(), Hilight = Theme.MenuHilightColor();
  TTarget T(40, 20);
  Theme.DrawPanel(0, *T.Canvas, "", {0, 0, 20, 20});
  EXPECT_EQ(T.Pixel(0, 5), Opaque(LightenColor(Face, 30)));
  EXPECT_EQ(T.Pixel(19, 5), Opaque(LightenColor(Face, -30)));
  EXPECT_EQ(T.Pixel(10, 10), Opaque(Face));
  Theme.DrawScrollBox(0, *T.Canvas, "", {20, 0, 40, 20});
  EXPECT_EQ(T.Pixel(20, 5), Opaque(LightenColor(Face, -30)));
  EXPECT_EQ(T.Pixel(39, 5), Opaque(LightenColor(Face, 30)));

  TTarget M(40, 20);
  Theme.DrawMenu(1, *M.Canvas, "", {0, 0, 40, 20});
  EXPECT_EQ(M.Pixel(0, 0), Opaque(Hilight));
  EXPECT_EQ(M.Pixel(5, 5), Opaque(Menu));
  // A separator: the line is the rectangle less 5 on each side and half its height.
  TvxStateInfo Sep;
  Sep.Rect = {0, 0, 40, 9};
  Sep.State = 1;
  Theme.DrawMenuItem(1, *M.Canvas, "", Sep);
  EXPECT_EQ(M.Pixel(4, 4), Opaque(Menu));
  EXPECT_EQ(M.Pixel(5, 4), Opaque(Hilight));
  EXPECT_EQ(M.Pixel(34, 4), Opaque(Hilight));
  EXPECT_EQ(M.Pixel(35, 4), Opaque(Menu));
  EXPECT_EQ(M.Pixel(20, 3), Opaque(Menu));
  EXPECT_EQ(M.Pixel(20, 5), Opaque(Menu));
}

// A hot image glyph is drawn up-left by one over a grey shadow; the caller's image keeps its
// alpha.
TEST_F(MsuxThemeDraw, HotMenuImageGlyphLeavesTheCallersImage) {
  TvxBitmap Glyph;
  Glyph.SetSize(4, 4);
  Glyph.Fill(0x800000C0);
  TvxMenuGlyphInfo G;
  G.Rect = {0, 0, 12, 12};
  G.Kind = 3;
  G.Bitmap = &Glyph;
  TTarget T(12, 12);
  Theme.DrawMenuItemGlyph(1, *T.Canvas, "", G, 1);
  EXPECT_EQ(T.Pixel(3, 3), 0xFF0000C0u);
  // The shadow: the grey silhouette of an opaque copy, two pixels right of and below the image.
  TvxBitmap Copy;
  Copy.SetSize(4, 4);
  Copy.Fill(0xFF0000C0);
  TTarget Shadow(12, 12);
  DrawSilhouette(*Shadow.Canvas, 5, 5, RGB(128, 128, 128), Copy);
  EXPECT_EQ(T.Pixel(7, 7), Shadow.Pixel(7, 7));
  EXPECT_NE(T.Pixel(7, 7), Background);
  EXPECT_EQ(T.Pixel(2, 2), Background);
  EXPECT_EQ(Glyph.GetPixel(0, 0), 0x800000C0u);
}

TEST_F(MsuxThemeDraw, FormGeometry) {
  TvxWindowInfo Info;
  Info.Rect = {0, 0, 200, 100};
  TRect R;
  Theme.GetFormClientRect(0, Info, R, "");
  EXPECT_EQ(R, (TRect{4, 28, 196, 96}));
  Theme.GetFormClientRect(6, Info, R, "");
  EXPECT_EQ(R, (TRect{3, 19, 197, 97}));
  Theme.GetFormClientRect(2, Info, R, "");
  EXPECT_EQ(R, Info.Rect);

  Theme.GetFormCaptionRect(0, Info, R, "");
  EXPECT_EQ(R, (TRect{9, 4, 189, 28}));
  Info.Buttons = 1;  // system menu
  Theme.GetFormCaptionRect(1, Info, R, "");
  EXPECT_EQ(R, (TRect{33, 4, 189, 28}));
  Theme.GetFormCaptionRect(6, Info, R, "");
  EXPECT_EQ(R, (TRect{8, 3, 190, 19}));

  // s = 24 - 4 = 20; each step 22 to the left of close (175, 5, 195, 25).
  struct TCase {
    TvxWindowKind Kind;
    uint16_t Buttons;
    TvxTitleButton Button;
    TRect Expected;
  } Cases[] = {
      {0, 1 << 1, 1, {175, 5, 195, 25}},
      {0, 0, 1, {}},
      {0, (1 << 1) | (1 << 5), 3, {131, 5, 151, 25}},
      {0, (1 << 1) | (1 << 6), 4, {131, 5, 151, 25}},
      {0, 1 << 1, 3, {153, 5, 173, 25}},
      {0, 1 << 1, 5, {153, 5, 173, 25}},
      {1, (1 << 1) | (1 << 2) | (1 << 3) | (1 << 5), 2, {109, 5, 129, 25}},
      {0, (1 << 1) | (1 << 3), 2, {}},
      {0, 0, 0, {4, 5, 24, 25}},
      {0, 0xFFFF, 7, {}},
      {6, 1 << 1, 1, {182, 4, 196, 18}},
      {6, (1 << 1) | (1 << 5), 5, {}},
      {6, 0xFFFF, 2, {}},
      {6, 0xFFFF, 0, {}},
      {3, 0xFFFF, 1, {}},
  };
  for (const TCase& C : Cases) {
    Info.Buttons = C.Buttons;
    Theme.GetFormButtonRect(C.Kind, Info, R, "", C.Button);
    EXPECT_EQ(R, C.Expected) << int(C.Kind) << " button " << int(C.Button);
  }
}

TEST_F(MsuxThemeDraw, HitTestTurnsTheBandUnderTheCaptionIntoCaption) {
  TvxWindowInfo Info;
  Info.Rect = {0, 0, 200, 100};
  Info.Buttons = 1 << 1;
  for (const TvxWindowKind Kind : {TvxWindowKind(0), TvxWindowKind(6)}) {
    for (const TPoint P :
         {TPoint{100, 10}, TPoint{100, 4}, TPoint{100, 2}, TPoint{1, 50}, TPoint{100, 60}, TPoint{198, 10}}) {
      const TvxHitCode Base = Theme.TvxTheme::FormHitTest(Kind, Info, "", P.X, P.Y);
      TRect C;
      Theme.GetFormClientRect(Kind, Info, C, "");
      const bool InBand = P.X >= C.Left && P.X < C.Right && P.Y >= 4 && P.Y < C.Top;
      EXPECT_EQ(Theme.FormHitTest(Kind, Info, "", P.X, P.Y), InBand && (Base == 0 || Base == 3) ? 1 : Base)
          << int(Kind) << " at " << P.X << "," << P.Y;
    }
  }
  EXPECT_EQ(Theme.FormHitTest(0, Info, "", 100, 10), 1);
}

TEST_F(MsuxThemeDraw, FormRegionsKeepOutKeyPixels) {
  const TRect R{0, 0, 120, 80};
  TRegionHandle Normal(Theme.GetFormRegion(0, R, ""));
  ASSERT_TRUE(Normal);
  // The caption's first frame is stretched from a 2 x 2 frame whose top-left pixel is the key.
  EXPECT_FALSE(PtInRegion(Normal.Get(), 0, 0));
  EXPECT_TRUE(PtInRegion(Normal.Get(), 100, 20));
  EXPECT_TRUE(PtInRegion(Normal.Get(), 60, 50));
  EXPECT_TRUE(PtInRegion(Normal.Get(), 1, 79));
  EXPECT_FALSE(PtInRegion(Normal.Get(), 120, 40));
  // The same shape for a rectangle away from the origin.
  TRegionHandle Moved(Theme.GetFormRegion(0, R.Offset(300, 200), ""));
  ASSERT_TRUE(Moved);
  EXPECT_TRUE(EqualRgn(Normal.Get(), Moved.Get()));

  TRegionHandle Small(Theme.GetFormRegion(6, R, ""));
  ASSERT_TRUE(Small);
  EXPECT_TRUE(PtInRegion(Small.Get(), 0, 0));
  EXPECT_TRUE(PtInRegion(Small.Get(), 119, 79));
  EXPECT_EQ(Theme.GetFormRegion(2, R, ""), nullptr);
}

TEST_F(MsuxThemeDraw, FormBorderFramesAndClip) {
  TvxWindowInfo Info;
  Info.Rect = {0, 0, 60, 50};
  struct TCase {
    bool Active;
    TRect Clip;
    TvxColor Caption, Left;
  } Cases[] = {{true, {}, FrameColor(moWindowCaption, 1), FrameColor(moWindowFrameLeft, 1)},
               {false, {}, FrameColor(moWindowCaption, 2), FrameColor(moWindowFrameLeft, 2)},
               {true, {0, 30, 60, 50}, Background, FrameColor(moWindowFrameLeft, 1)}};
  for (const TCase& C : Cases) {
    Info.Active = C.Active;
    Info.ClipRect = C.Clip;
    TTarget T(60, 50);
    Theme.DrawFormBorder(0, *T.Canvas, "", Info);
    EXPECT_EQ(T.Pixel(30, 10), C.Caption) << C.Active;
    EXPECT_EQ(T.Pixel(1, 40), C.Left) << C.Active;
    EXPECT_EQ(T.Pixel(58, 40), C.Active ? FrameColor(moWindowFrameRight, 1) : FrameColor(moWindowFrameRight, 2));
    EXPECT_EQ(T.Pixel(30, 48), C.Active ? FrameColor(moWindowFrameBottom, 1) : FrameColor(moWindowFrameBottom, 2));
    EXPECT_EQ(T.Pixel(30, 35), Background);
  }
}

// The longest prefix that leaves room for one more character and "...".
TEST_F(MsuxThemeDraw, CaptionShortening) {
  TTarget T(10, 10);
  T.Canvas->Font().SetName("Tahoma");
  T.Canvas->Font().SetSize(10);
  T.Canvas->RequireObjects();
  const HDC DC = T.Canvas->Handle();
  const std::wstring Text = L"A rather long window caption";
  const Integer Whole = TextWidthWide(DC, Text);
  EXPECT_EQ(MsuxShortenCaption(DC, Text, Whole), Text);
  for (const Integer Width : {Whole - 1, Whole / 2, TextWidthWide(DC, L"A r...")}) {
    const std::wstring S = MsuxShortenCaption(DC, Text, Width);
    ASSERT_GE(S.size(), 3u);
    EXPECT_EQ(S.substr(S.size() - 3), L"...") << Width;
    const std::wstring P = S.substr(0, S.size() - 3);
    EXPECT_EQ(Text.compare(0, P.size(), P), 0) << Width;
    EXPECT_LE(TextWidthWide(DC, P + Text[P.size()] + L"..."), Width) << Width;
    EXPECT_GT(TextWidthWide(DC, P + Text[P.size()] + Text[P.size() + 1] + L"..."), Width) << Width;
  }
  EXPECT_EQ(MsuxShortenCaption(DC, Text, 1), L"...");
  EXPECT_EQ(MsuxShortenCaption(DC, L"", 0), L"");
}

// The caption stops where the shown buttons begin; an active caption has its shadow.
TEST_F(MsuxThemeDraw, CaptionTextStopsBeforeTheButtonsWithItsShadow) {
  TvxWindowInfo Info;
  Info.Rect = {0, 0, 200, 40};
  Info.Caption = L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
  // Close, maximize and minimize: 200 - 2 * 4 - 3 * 24 = 120.
  Info.Buttons = (1 << 1) | (1 << 3) | (1 << 5);
  const TvxColor Shade = Opaque(RGB(40, 40, 40));
  for (const bool Active : {true, false}) {
    Info.Active = Active;
    TTarget T(200, 40);
    Theme.DrawFormCaptionText(0, *T.Canvas, "", {9, 0, 189, 40}, Info);
    Integer Rightmost = -1, Shadow = 0;
    for (Integer Y = 0; Y < 40; ++Y)
      for (Integer X = 0; X < 200; ++X) {
        const TvxColor P = T.Pixel(X, Y);
        if (P != Background) Rightmost = std::max(Rightmost, X);
        Shadow += P == Shade;
      }
    EXPECT_GT(Rightmost, 60) << Active;
    EXPECT_LT(Rightmost, 120) << Active;
    EXPECT_EQ(Shadow > 0, Active) << Active;
  }
  // A tool window's caption stops at its close button.
  Info.Active = false;
  Info.Buttons = 1 << 1;
  TRect Close;
  Theme.GetFormButtonRect(6, Info, Close, "", 1);
  TTarget T(200, 40);
  Theme.DrawFormCaptionText(6, *T.Canvas, "", {8, 0, 190, 40}, Info);
  Integer Rightmost = -1;
  for (Integer Y = 0; Y < 40; ++Y)
    for (Integer X = 0; X < 200; ++X)
      if (T.Pixel(X, Y) != Background) Rightmost = std::max(Rightmost, X);
  EXPECT_GT(Rightmost, 120);
  EXPECT_LT(Rightmost, Close.Left);
}

TEST_F(MsuxThemeDraw, DefinedAnswersAndAnEmptyTheme) {
  EXPECT_TRUE(Theme.IsFormDefined(0, ""));
  EXPECT_TRUE(Theme.IsFormDefined(6, ""));
  EXPECT_TRUE(Theme.IsButtonDefined(5, ""));
  EXPECT_TRUE(Theme.IsTrackBarDefined(0, ""));
  EXPECT_TRUE(Theme.IsEditDefined(0, ""));

  TVxThemeMsStyles Empty;
  EXPECT_FALSE(Empty.IsFormDefined(0, ""));
  EXPECT_FALSE(Empty.IsButtonDefined(0, ""));
  EXPECT_FALSE(Empty.IsCheckBoxDefined(0, ""));
  EXPECT_FALSE(Empty.IsEditDefined(0, ""));
  EXPECT_FALSE(Empty.IsHeaderPanelTransparent(0, ""));
  EXPECT_TRUE(Empty.IsPanelDefined(0, ""));
  EXPECT_TRUE(Empty.IsMenuDefined(0, ""));
  TTarget T(16, 16);
  TvxStateInfo I;
  I.Rect = {0, 0, 16, 16};
  Empty.DrawButton(0, *T.Canvas, "", I);
  Empty.DrawScrollBarPart(0, *T.Canvas, "", I);
  TvxGroupBoxInfo G;
  G.Rect = I.Rect;
  G.CaptionRect = {2, 0, 10, 4};
  Empty.DrawGroupBox(0, *T.Canvas, "", G);
  TvxWindowInfo W;
  W.Rect = I.Rect;
  Empty.DrawFormBorder(0, *T.Canvas, "", W);
  EXPECT_TRUE(T.Untouched());
}

// The group box frame never crosses its caption.
TEST_F(MsuxThemeDraw, GroupBoxKeepsTheCaptionPixels) {
  TvxGroupBoxInfo G;
  G.Rect = {0, 0, 16, 16};
  G.CaptionRect = {4, 0, 10, 6};
  TTarget T(16, 16);
  Theme.DrawGroupBox(0, *T.Canvas, "", G);
  EXPECT_EQ(T.Pixel(5, 2), Background);
  EXPECT_EQ(T.Pixel(2, 2), FrameColor(moButtonGroupbox, 1));
  EXPECT_EQ(T.Pixel(5, 8), FrameColor(moButtonGroupbox, 1));
}

// The generated sample style: every frame part and the controls it styles paint something.
TEST(MsuxSampleStyle, PaintsTheFrameAndControls) {
  TVxThemeMsStyles Theme;
  ASSERT_TRUE(Theme.LoadFromFile(std::string(VX_SAMPLE_STYLE_DIR) + "/PellanSample.msstyles"));
  ASSERT_TRUE(Theme.IsFormDefined(0, ""));
  TvxWindowInfo Info;
  Info.Rect = {0, 0, 160, 120};
  Info.Active = true;
  TTarget Frame(160, 120);
  Theme.DrawFormBorder(0, *Frame.Canvas, "", Info);
  TRect C;
  Theme.GetFormClientRect(0, Info, C, "");
  for (const TPoint P : {TPoint{80, C.Top / 2}, TPoint{C.Left / 2, 60}, TPoint{159 - C.Left / 2, 60},
                         TPoint{80, 119 - (119 - C.Bottom) / 2}})
    EXPECT_NE(Frame.Pixel(P.X, P.Y), Background) << P.X << "," << P.Y;
  EXPECT_EQ(Frame.Pixel(80, 60), Background);

  TvxStateInfo I;
  I.Rect = {0, 0, 40, 20};
  for (const std::function<void(TCanvas&)>& Op : std::initializer_list<std::function<void(TCanvas&)>>{
           [&](TCanvas& C) { Theme.DrawButton(0, C, "", I); }, [&](TCanvas& C) { Theme.DrawCheckBox(0, C, "", I); },
           [&](TCanvas& C) { Theme.DrawScrollBarPart(0, C, "", I); }, [&](TCanvas& C) { Theme.DrawTab(0, C, "", I); },
           [&](TCanvas& C) { Theme.DrawEdit(0, C, "", I); }}) {
    TTarget T(40, 20);
    Op(*T.Canvas);
    EXPECT_FALSE(T.Untouched());
  }
}

// Regions and scratch images are given back.
TEST_F(MsuxThemeDraw, NoGdiObjectsLeak) {
  const auto Round = [&] {
    TTarget T(80, 60);
    TvxGroupBoxInfo G;
    G.Rect = {0, 0, 80, 60};
    G.CaptionRect = {4, 0, 40, 8};
    Theme.DrawGroupBox(0, *T.Canvas, "", G);
    TvxWindowInfo W;
    W.Rect = G.Rect;
    W.Caption = L"Caption";
    Theme.DrawFormBorder(0, *T.Canvas, "", W);
    Theme.DrawFormCaptionText(0, *T.Canvas, "", {0, 0, 80, 28}, W);
    DeleteObject(Theme.GetFormRegion(0, G.Rect, ""));
    DeleteObject(Theme.GetFormRegion(6, G.Rect, ""));
  };
  Round();
  const Integer Before = LiveGdiObjects();
  ASSERT_GT(Before, 0);
  for (int I = 0; I < 20; ++I) Round();
  EXPECT_LE(LiveGdiObjects(), Before);
}

}  // namespace
