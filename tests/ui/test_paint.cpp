// Painting: a custom control's canvas, windowless controls on their parent's canvas, panel
// bevels, and a shown window read back from the screen.
#include "framework/graphics/bitmap.h"
#include "framework/ui/image.h"
#include "framework/ui/panel.h"
#include "ui_fixture.h"

namespace {

class PaintTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Host = new TCustomControl(Form.get());
    Host->SetBounds(0, 0, 40, 30);
    Host->SetColor(clWhite);
    Host->SetParent(Form.get());
  }
  // Prints the control's client area (background, own painting, windowless children).
  void Print(TWinControl* Control, Capture& Into) {
    ASSERT_TRUE(PrintWindow(Control->Handle(), Into.DC(), PW_CLIENTONLY));
  }
  TCustomControl* Host = nullptr;
};

TEST_F(PaintTest, CustomControlPaintsOnItsCanvasOverItsBackground) {
  int Paints = 0;
  Host->OnPaint = [&](TObject*) {
    ++Paints;
    TCanvas& C = *Host->Canvas();
    C.Brush().SetColor(clRed);
    C.FillRect(Rect(2, 3, 8, 9));
    C.Pen().SetColor(clBlue);
    C.MoveTo(0, 20);
    C.LineTo(40, 20);
  };
  Capture Shot(40, 30);
  Print(Host, Shot);
  EXPECT_EQ(Paints, 1);
  EXPECT_EQ(Shot.At(0, 0), 0xFFFFFFu);  // the background in Color
  EXPECT_EQ(Shot.At(2, 3), 0xFF0000u);
  EXPECT_EQ(Shot.At(7, 8), 0xFF0000u);
  EXPECT_EQ(Shot.At(8, 9), 0xFFFFFFu);  // FillRect's right and bottom are exclusive
  EXPECT_EQ(Shot.At(39, 20), 0x0000FFu);
  EXPECT_EQ(Shot.At(39, 21), 0xFFFFFFu);
  // The canvas lets go of the paint DC once painting ends.
  EXPECT_FALSE(Host->Canvas()->HandleAllocated());
}

class Block : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    // Wider than the control: what falls outside its bounds must not reach the parent.
    Canvas()->Brush().SetColor(Color());
    Canvas()->FillRect(Rect(-10, -10, 100, 100));
    Canvas()->Brush().SetColor(clBlack);
    Canvas()->FillRect(Rect(0, 0, 1, 1));
  }
};

TEST_F(PaintTest, GraphicControlsPaintInsideTheirBoundsOnTheParent) {
  auto* Back = new Block(Form.get());
  Back->SetBounds(10, 5, 20, 10);
  Back->SetColor(clBlue);
  Back->SetParent(Host);
  auto* Front = new Block(Form.get());
  Front->SetBounds(25, 12, 10, 10);
  Front->SetColor(clLime);
  Front->SetParent(Host);
  auto* Hidden = new Block(Form.get());
  Hidden->SetBounds(0, 0, 5, 5);
  Hidden->Hide();
  Hidden->SetParent(Host);
  Capture Shot(40, 30);
  Print(Host, Shot);
  struct Pixel {
    int X, Y;
    uint32_t Rgb;
  } const Pixels[] = {
      {9, 5, 0xFFFFFF},   {10, 4, 0xFFFFFF},  {10, 5, 0x000000},  // Back's origin is its top left
      {11, 6, 0x0000FF},  {29, 11, 0x0000FF}, {30, 11, 0xFFFFFF}, {24, 14, 0x0000FF},
      {25, 12, 0x000000}, {26, 13, 0x00FF00},  // Front overlaps Back (later = above)
      {34, 21, 0x00FF00}, {35, 21, 0xFFFFFF}, {34, 22, 0xFFFFFF}, {0, 0, 0xFFFFFF},  // hidden controls do not paint
  };
  for (const Pixel& P : Pixels) EXPECT_EQ(Shot.At(P.X, P.Y), P.Rgb) << P.X << "," << P.Y;
  EXPECT_EQ(Hidden->Paints, 0);
  // Changing the z-order changes which one is on top.
  Front->SendToBack();
  Capture Again(40, 30);
  Print(Host, Again);
  EXPECT_EQ(Again.At(26, 13), 0x0000FFu);
}

TEST_F(PaintTest, PanelDrawsItsBevelsBorderAndFace) {
  auto* P = new TPanel(Form.get());
  P->SetBounds(0, 0, 30, 20);
  P->SetBevelOuter(TPanelBevel::bvRaised);
  P->SetBevelInner(TPanelBevel::bvLowered);
  P->SetBevelWidth(2);
  P->SetBorderWidth(1);
  P->SetColor(clYellow);
  P->SetCaption("");
  P->SetParent(Form.get());
  Capture Shot(30, 20);
  Print(P, Shot);
  const uint32_t Light = DibColor(clBtnHighlight), Dark = DibColor(clBtnShadow), Face = 0xFFFF00;
  struct Pixel {
    int X, Y;
    uint32_t Rgb;
  } const Pixels[] = {
      {0, 0, Light},  {1, 1, Light},  {15, 0, Light},  {0, 10, Light},   // outer raised: light top/left
      {29, 19, Dark}, {28, 18, Dark}, {29, 0, Dark},   {15, 19, Dark},   // dark bottom/right
      {2, 2, Face},   {27, 17, Face},                                    // the border ring
      {3, 3, Dark},   {4, 4, Dark},   {26, 16, Light}, {25, 15, Light},  // inner lowered, reversed
      {5, 5, Face},   {24, 14, Face}, {15, 10, Face},
  };
  for (const Pixel& Px : Pixels) EXPECT_EQ(Shot.At(Px.X, Px.Y), Px.Rgb) << Px.X << "," << Px.Y;
}

TEST_F(PaintTest, ShownFormPaintsToTheScreenAndTakesRealFocus) {
  Host->OnPaint = [&](TObject*) {
    Host->Canvas()->Brush().SetColor(clRed);
    Host->Canvas()->FillRect(Rect(5, 5, 15, 15));
  };
  auto* Other = new TPanel(Form.get());
  Other->SetBounds(100, 0, 50, 50);
  Other->SetTabStop(true);
  Other->SetParent(Form.get());
  Host->SetTabStop(true);
  Form->Show();
  Host->Repaint();
  HDC DC = GetDC(Host->Handle());
  const COLORREF Inside = GetPixel(DC, 10, 10), Outside = GetPixel(DC, 20, 20);
  ReleaseDC(Host->Handle(), DC);
  EXPECT_EQ(Inside, RGB(255, 0, 0));
  EXPECT_EQ(Outside, RGB(255, 255, 255));

  // A windowless control drawing outside WM_PAINT draws on its parent, inside its own bounds,
  // and its canvas gives the DC back after the message.
  auto* Spot = new Block(Form.get());
  Spot->SetBounds(20, 0, 10, 10);
  Spot->SetColor(clBlue);
  Spot->SetParent(Host);
  Host->Update();
  Spot->Canvas()->Brush().SetColor(clFuchsia);
  Spot->Canvas()->FillRect(Rect(-5, -5, 30, 30));
  DC = GetDC(Host->Handle());
  EXPECT_EQ(GetPixel(DC, 25, 5), RGB(255, 0, 255));
  EXPECT_EQ(GetPixel(DC, 19, 5), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(DC, 30, 5), RGB(255, 255, 255));
  ReleaseDC(Host->Handle(), DC);
  EXPECT_TRUE(Spot->Canvas()->HandleAllocated());
  PostMessageA(Host->Handle(), WM_NULL, 0, 0);
  Application->ProcessMessages();
  EXPECT_FALSE(Spot->Canvas()->HandleAllocated());

  Other->SetFocus();
  EXPECT_EQ(GetFocus(), Other->Handle());
  EXPECT_TRUE(Other->Focused());
  EXPECT_EQ(Form->ActiveControl(), Other);
  SendMessageA(Other->Handle(), WM_KEYDOWN, VK_TAB, 1);
  EXPECT_EQ(GetFocus(), Host->Handle());
  EXPECT_EQ(Form->ActiveControl(), Host);
}

TEST_F(PaintTest, DoubleBufferedControlPaintsOffScreenAndCopiesTheWholeResultAtOnce) {
  Host->SetDoubleBuffered(true);
  Host->SetColor(clLime);
  std::vector<DWORD> PaintTargets;
  Host->OnPaint = [&](TObject*) {
    PaintTargets.push_back(GetObjectType(Host->Canvas()->Handle()));
    Host->Canvas()->Brush().SetColor(clRed);
    Host->Canvas()->FillRect(Rect(5, 5, 15, 15));
  };
  auto* Spot = new Block(Form.get());
  Spot->SetBounds(20, 0, 10, 10);
  Spot->SetColor(clBlue);
  Spot->SetParent(Host);
  Form->Show();
  Host->Repaint();
  auto ScreenPixel = [&](int X, int Y) {
    HDC DC = GetDC(Host->Handle());
    const COLORREF C = GetPixel(DC, X, Y);
    ReleaseDC(Host->Handle(), DC);
    return C;
  };
  EXPECT_EQ(ScreenPixel(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(ScreenPixel(2, 2), RGB(0, 255, 0));  // the background went into the buffer too
  EXPECT_EQ(ScreenPixel(25, 5), RGB(0, 0, 255));
  EXPECT_EQ(ScreenPixel(20, 0), RGB(0, 0, 0));
  ASSERT_FALSE(PaintTargets.empty());
  for (DWORD Target : PaintTargets) EXPECT_EQ(Target, DWORD(OBJ_MEMDC));

  // A part repainted alone lands where it belongs.
  Spot->SetColor(clFuchsia);
  RECT Part{20, 0, 30, 10};
  ValidateRect(Host->Handle(), nullptr);
  InvalidateRect(Host->Handle(), &Part, TRUE);
  UpdateWindow(Host->Handle());
  EXPECT_EQ(ScreenPixel(25, 5), RGB(255, 0, 255));
  EXPECT_EQ(ScreenPixel(21, 1), RGB(255, 0, 255));
  EXPECT_EQ(ScreenPixel(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(ScreenPixel(19, 5), RGB(0, 255, 0));

  // Printing still draws the background.
  Capture Shot(40, 30);
  Print(Host, Shot);
  EXPECT_EQ(Shot.At(2, 2), 0x00FF00u);
  EXPECT_EQ(Shot.At(10, 10), 0xFF0000u);
}

TEST_F(PaintTest, ImageShowsItsPictureFromTheTopLeftCentredOrStretched) {
  TBitmap Picture;
  Picture.SetSize(4, 2);
  Picture.Canvas().Brush().SetColor(clRed);
  Picture.Canvas().FillRect(Rect(0, 0, 2, 2));
  Picture.Canvas().Brush().SetColor(clBlue);
  Picture.Canvas().FillRect(Rect(2, 0, 4, 2));
  auto* View = new TImage(Form.get());
  View->SetBounds(0, 0, 40, 30);
  View->SetParent(Host);
  View->Picture()->SetGraphic(&Picture);
  struct Pixel {
    int X, Y;
    uint32_t Rgb;
  };
  const uint32_t Red = 0xFF0000, Blue = 0x0000FF, Back = 0xFFFFFF;
  struct Case {
    const char* Name;
    bool Center, Stretch;
    std::vector<Pixel> Pixels;
  } const Cases[] = {
      {"top left", false, false, {{0, 0, Red}, {1, 1, Red}, {3, 1, Blue}, {4, 0, Back}, {0, 2, Back}}},
      // (40 - 4) / 2 = 18, (30 - 2) / 2 = 14
      {"centred", true, false, {{18, 14, Red}, {21, 15, Blue}, {17, 14, Back}, {22, 14, Back}, {18, 16, Back}}},
      {"stretched", false, true, {{0, 0, Red}, {19, 29, Red}, {20, 0, Blue}, {39, 29, Blue}}},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    View->SetCenter(K.Center);
    View->SetStretch(K.Stretch);
    Capture Shot(40, 30);
    Print(Host, Shot);
    for (const Pixel& P : K.Pixels) EXPECT_EQ(Shot.At(P.X, P.Y), P.Rgb) << P.X << "," << P.Y;
  }
  View->SetAutoSize(true);
  EXPECT_EQ(View->BoundsRect(), Rect(0, 0, 4, 2));
  Picture.SetSize(6, 5);
  View->Picture()->Assign(&Picture);
  EXPECT_EQ(View->BoundsRect(), Rect(0, 0, 6, 5));
}

}  // namespace
