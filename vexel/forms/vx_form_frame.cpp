// The frames: the default one that imitates the platform's (classic or visual-style) and the one
// the theme draws.
#include <windows.h>

#include <algorithm>
#include <array>

#include "framework/graphics/gdi_handles.h"
#include "framework/ui/forms.h"
#include "vexel/forms/vx_form.h"
#include "vexel/forms/vx_form_frame.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_visual_style.h"
#include "vexel/graphics/vx_winapi.h"

namespace {

// The caption fonts of the platform's non-client metrics, made on first use.
struct TCaptionFonts {
  TFontHandle Caption;
  TFontHandle SmallCaption;
  TCaptionFonts() {
    NONCLIENTMETRICSA Metrics{};
    Metrics.cbSize = 340;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, Metrics.cbSize, &Metrics, 0)) return;
    Caption.Reset(CreateFontIndirectA(&Metrics.lfCaptionFont));
    SmallCaption.Reset(CreateFontIndirectA(&Metrics.lfSmCaptionFont));
  }
};

TCaptionFonts& CaptionFonts() {
  static TCaptionFonts Fonts;
  return Fonts;
}

void FillColor(HDC DC, const TRect& R, int SysColor) {
  if (R.IsEmpty()) return;
  const RECT Area{R.Left, R.Top, R.Right, R.Bottom};
  FillRect(DC, &Area, GetSysColorBrush(SysColor));
}

}  // namespace

// [Border styles] -------------------------------------------------------------------------------

TvxWindowKind BorderWindowKind(TVxBorderStyle Style) {
  switch (Style) {
    case TVxBorderStyle::kbsNone: return 4;
    case TVxBorderStyle::kbsBorder: return 2;
    case TVxBorderStyle::kbsStandard: return 0;
    case TVxBorderStyle::kbsDialog: return 1;
    case TVxBorderStyle::kbsToolWindow: return 6;
  }
  return 0;
}

Integer BorderCaptionHeight(TVxBorderStyle Style) {
  switch (Style) {
    case TVxBorderStyle::kbsStandard:
    case TVxBorderStyle::kbsDialog: return FrameMetrics().CaptionHeight;
    case TVxBorderStyle::kbsToolWindow: return FrameMetrics().SmallCaptionHeight;
    default: return 0;
  }
}

TRect DefaultClientBounds(TVxBorderStyle Style, Integer Width, Integer Height) {
  TRect R{0, 0, Width, Height};
  const Integer F = FrameMetrics().FrameWidth;
  switch (Style) {
    case TVxBorderStyle::kbsStandard:
    case TVxBorderStyle::kbsDialog:
    case TVxBorderStyle::kbsToolWindow: R = {F, F + BorderCaptionHeight(Style), Width - F, Height - F}; break;
    default: break;
  }
  // A window smaller than its frame keeps an empty client area rather than an inverted one.
  R.Right = std::max(R.Right, R.Left);
  R.Bottom = std::max(R.Bottom, R.Top);
  return R;
}

uint16_t TitleButtonBits(TVxBorderStyle Style, TVxBorderIcons Icons, TVxWindowState State) {
  if (Style == TVxBorderStyle::kbsNone || Style == TVxBorderStyle::kbsBorder) return 0;
  uint16_t B = 0x1FFF;
  auto Remove = [&B](std::initializer_list<int> Bits) {
    for (int Bit : Bits) B &= uint16_t(~(1u << Bit));
  };
  if (!Icons.Contains(TVxBorderIcon::kbiSystemMenu)) Remove({0});
  if (!Icons.Contains(TVxBorderIcon::kbiClose)) Remove({1});
  if (!Icons.Contains(TVxBorderIcon::kbiMaximize)) Remove({5, 6});
  if (!Icons.Contains(TVxBorderIcon::kbiMinimize)) Remove({3, 4});
  if (!Icons.Contains(TVxBorderIcon::kbiTray)) Remove({9});
  if (!Icons.Contains(TVxBorderIcon::kbiRollup)) Remove({7, 8});
  if (!Icons.Contains(TVxBorderIcon::kbiHelp)) Remove({2});
  switch (State) {
    case TVxWindowState::kwsNormal: Remove({4, 6, 8}); break;
    case TVxWindowState::kwsMaximized: Remove({4, 5, 8}); break;
    case TVxWindowState::kwsMinimized: Remove({3, 6, 8}); break;
    case TVxWindowState::kwsRollup: Remove({4, 7}); break;
    case TVxWindowState::kwsTray: break;
  }
  return B;
}

// [Default frame] -------------------------------------------------------------------------------

TRect DefaultFrameButtonRect(const TRect& Client, TVxBorderStyle Style, TVxBorderIcons Icons, TVxWindowState State,
                             TVxBorderIcon Icon) {
  if (!Icons.Contains(Icon)) return TRect{};
  const TRect C = Client;
  TRect B{C.Left, FrameMetrics().FrameWidth + 1, C.Right, C.Top};
  const Integer H = B.Height();
  if (H <= 0) return TRect{};
  if (Icon == TVxBorderIcon::kbiSystemMenu) return Rect(B.Left, B.Top, B.Left + H, B.Bottom);
  const bool Styled = VisualStylesActive();
  const bool Minimized = State == TVxWindowState::kwsMinimized;
  const bool Tool = Style == TVxBorderStyle::kbsToolWindow;
  Integer W, BH, X;
  if (Styled) {
    --B.Top;
    W = BH = H - 4;
    X = B.Right - W - 2 - (Tool ? 2 : 0);
  } else {
    W = H - 2;
    BH = H - 4;
    X = B.Right - W - 2;
  }
  const Integer Y = B.Top + 2;
  // Each present button takes the current x and moves it left.
  auto Take = [&](TVxBorderIcon Which) -> TRect {
    const TRect R = Bounds(X, Y, W, BH);
    if (Icons.Contains(Which)) X -= W + 2;
    return R;
  };
  const TRect Close = Take(TVxBorderIcon::kbiClose);
  if (Icon == TVxBorderIcon::kbiClose) return Close;
  if (Tool) return TRect{};
  if (!Minimized) {
    const TRect Max = Take(TVxBorderIcon::kbiMaximize);
    if (Icon == TVxBorderIcon::kbiMaximize) return Max;
  } else if (Icon == TVxBorderIcon::kbiMaximize) {
    return TRect{};
  }
  const TRect Min = Take(TVxBorderIcon::kbiMinimize);
  if (Icon == TVxBorderIcon::kbiMinimize) return Min;
  // Visual styles offer no roll-up or tray button, and nothing after them.
  if (Styled) return TRect{};
  if (!Minimized) {
    if (Icons.Contains(TVxBorderIcon::kbiRollup)) X -= 2;
    const TRect Roll = Take(TVxBorderIcon::kbiRollup);
    if (Icon == TVxBorderIcon::kbiRollup) return Roll;
    const TRect Tray = Take(TVxBorderIcon::kbiTray);
    if (Icon == TVxBorderIcon::kbiTray) return Tray;
  } else if (Icon == TVxBorderIcon::kbiRollup || Icon == TVxBorderIcon::kbiTray) {
    return TRect{};
  }
  if (Icon == TVxBorderIcon::kbiHelp) {
    if (Minimized || State == TVxWindowState::kwsRollup) return TRect{};
    X -= 2;
    return Bounds(X, Y, W, BH);
  }
  return TRect{};
}

TRect TVxDefaultForm::GetButtonRect(TVxBorderIcon Icon) {
  return DefaultFrameButtonRect(GetClientBounds(), FBorderStyle, FBorderIcons, FWindowState, Icon);
}

bool TVxDefaultForm::ButtonPressed(TvxHitCode Code) const {
  return (FNCButtons & 8) && FPressedPart == Code && FHotPart == Code;
}

bool TVxDefaultForm::ButtonHot(TvxHitCode Code) const { return FHotPart == Code && !FTracking; }

HICON TVxDefaultForm::SmallIconHandle() {
  if (!FSmallIcon) FSmallIcon = CopySmallIcon(Form());
  return FSmallIcon;
}

HICON CopySmallIcon(TForm* Form) {
  Integer Size = GetSystemMetrics(SM_CXSMICON);
  if (Size == 0) Size = GetSystemMetrics(SM_CXSIZE);
  HICON Source = nullptr;
  if (Form && Form->HandleAllocated())
    Source = reinterpret_cast<HICON>(SendMessageA(Form->Handle(), WM_GETICON, ICON_SMALL, 0));
  if (!Source) Source = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  if (!Source) Source = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  return Source ? static_cast<HICON>(CopyImage(Source, IMAGE_ICON, Size, Size, 0)) : nullptr;
}

TVxFrameView TVxDefaultForm::FrameView() {
  TVxFrameView View;
  View.Width = FWindowWidth;
  View.Height = FWindowHeight;
  View.Client = GetClientBounds();
  View.BorderStyle = FBorderStyle;
  View.BorderIcons = FBorderIcons;
  View.State = FWindowState;
  View.Active = FCaptionActive;
  View.Caption = Caption();
  View.Wnd = Form() && Form()->HandleAllocated() ? Form()->Handle() : nullptr;
  View.ButtonRect = [this](TVxBorderIcon Icon) { return GetButtonRect(Icon); };
  View.ButtonLook = [this](TvxHitCode Code) -> Byte { return ButtonPressed(Code) ? 2 : ButtonHot(Code) ? 1 : 0; };
  View.SmallIcon = [this] { return SmallIconHandle(); };
  return View;
}

void TVxDefaultForm::PaintGripper(TCanvas& Canvas) {
  const TRect G = GetGripperRect();
  if (G.IsEmpty()) return;
  FillColor(Canvas.Handle(), G, COLOR_BTNFACE);
}

void TVxDefaultForm::PaintBackground() {
  TForm* F = Form();
  if (!F || !FFormCanvas->HandleAllocated()) return;
  const TRect C = ClientBoundsAtOrigin();
  TBrushHandle Brush(CreateSolidBrush(COLORREF(ColorToRGB(F->Color()))));
  const RECT Area{C.Left, C.Top, C.Right, C.Bottom};
  FillRect(FFormCanvas->Handle(), &Area, Brush.Get());
}

void TVxDefaultForm::PaintFrame(TCanvas& Canvas) {
  if (FBorderStyle != TVxBorderStyle::kbsNone) PaintDefaultFrame(Canvas, FrameView());
}

void PaintDefaultFrame(TCanvas& Canvas, const TVxFrameView& View) {
  const TVxBorderStyle Border = View.BorderStyle;
  if (Border == TVxBorderStyle::kbsNone) return;
  HDC DC = Canvas.Handle();
  const TRect C = View.Client;
  const Integer Width = View.Width, Height = View.Height;
  const TRect Whole{0, 0, Width, Height};
  const bool Tool = Border == TVxBorderStyle::kbsToolWindow;
  const bool Active = View.Active;
  TVisualStyle Style(View.Wnd, L"Window");
  const bool Styled = bool(Style);
  if (Styled) {
    const int State = Active ? 1 : 2;
    const int Left = Tool ? 10 : 7, Right = Tool ? 11 : 8, Bottom = Tool ? 12 : 9, Caption = Tool ? 2 : 1;
    Style.DrawBackground(DC, Left, State, Rect(0, C.Top, C.Left, C.Bottom));
    Style.DrawBackground(DC, Right, State, Rect(C.Right, C.Top, Width, C.Bottom));
    Style.DrawBackground(DC, Bottom, State, Rect(0, C.Bottom, Width, Height));
    if (C.Top > 0) Style.DrawBackground(DC, Caption, State, Rect(0, 0, Width, C.Top));
  } else {
    RECT Edge{Whole.Left, Whole.Top, Whole.Right, Whole.Bottom};
    DrawEdge(DC, &Edge, EDGE_RAISED, BF_RECT);
    const TRect Inner{2, 2, Width - 2, Height - 2};
    FillColor(DC, Rect(Inner.Left, Inner.Top, Inner.Right, C.Top), COLOR_BTNFACE);
    FillColor(DC, Rect(Inner.Left, C.Top, C.Left, C.Bottom), COLOR_BTNFACE);
    FillColor(DC, Rect(C.Right, C.Top, Inner.Right, C.Bottom), COLOR_BTNFACE);
    FillColor(DC, Rect(Inner.Left, C.Bottom, Inner.Right, Inner.Bottom), COLOR_BTNFACE);
  }
  if (Border == TVxBorderStyle::kbsBorder || C.Top <= FrameMetrics().FrameWidth) return;

  // Caption contents.
  const TRect Box{C.Left, FrameMetrics().FrameWidth, C.Right, C.Top};
  if (!Styled)
    FillGradient(DC, Box, TColor(0x80000000 | (Active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION)), false,
                 TColor(0x80000000 | (Active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION)));
  HFONT Font = Tool ? CaptionFonts().SmallCaption.Get() : CaptionFonts().Caption.Get();
  {
    TSelectGuard SelectFont(DC, Font ? static_cast<HGDIOBJ>(Font) : GetStockObject(DEFAULT_GUI_FONT));
    int N = 1;
    for (TVxBorderIcon I : {TVxBorderIcon::kbiClose, TVxBorderIcon::kbiMaximize, TVxBorderIcon::kbiMinimize,
                            TVxBorderIcon::kbiHelp, TVxBorderIcon::kbiRollup, TVxBorderIcon::kbiTray})
      if (View.BorderIcons.Contains(I)) ++N;
    const Integer Room = Tool ? Width - C.Left - 2 * FrameMetrics().SmallCaptionHeight
                              : Width - C.Left - N * FrameMetrics().ButtonHeight;
    const std::wstring Text = EllipsisText(DC, View.Caption, std::max<Integer>(Room, 0));
    TRect TextBox = Box;
    if (View.BorderIcons.Contains(TVxBorderIcon::kbiSystemMenu) && !Tool) TextBox.Left += Box.Height();
    TextBox.Left += 2;
    TextBox.Right -= 2;
    TBkModeGuard Transparent(DC, TRANSPARENT);
    const COLORREF OldColor = SetTextColor(DC, GetSysColor(Active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT R{TextBox.Left, TextBox.Top, TextBox.Right, TextBox.Bottom};
    UINT Format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (View.Wnd && (GetWindowLongPtrA(View.Wnd, GWL_EXSTYLE) & WS_EX_RTLREADING)) Format |= DT_RTLREADING | DT_RIGHT;
    DrawTextW(DC, Text.c_str(), int(Text.size()), &R, Format);
    SetTextColor(DC, OldColor);
  }

  // Title buttons.
  const bool Minimized = View.State == TVxWindowState::kwsMinimized;
  const bool Maximized = View.State == TVxWindowState::kwsMaximized;
  auto Pressed = [&](TvxHitCode Code) { return View.ButtonLook(Code) == 2; };
  auto Classic = [&](const TRect& B, UINT Kind, TvxHitCode Code) {
    RECT R{B.Left, B.Top, B.Right, B.Bottom};
    DrawFrameControl(DC, &R, DFC_CAPTION, Kind | (Pressed(Code) ? DFCS_PUSHED : 0));
  };
  auto StyledButton = [&](const TRect& B, int Part, TvxHitCode Code) {
    const Byte Look = View.ButtonLook(Code);
    const int State = !Active ? 5 : Look == 2 ? 3 : Look == 1 ? 2 : 1;
    Style.DrawBackground(DC, Part, State, B);
  };
  auto Push = [&](const TRect& B, TvxHitCode Code) {
    RECT R{B.Left, B.Top, B.Right, B.Bottom};
    DrawFrameControl(DC, &R, DFC_BUTTON, DFCS_BUTTONPUSH | (Pressed(Code) ? DFCS_PUSHED : 0));
    return Pressed(Code);
  };
  TSelectGuard BlackBrush(DC, GetStockObject(BLACK_BRUSH));
  TSelectGuard BlackPen(DC, GetStockObject(BLACK_PEN));
  if (TRect B = View.ButtonRect(TVxBorderIcon::kbiClose); !B.IsEmpty())
    Styled ? StyledButton(B, 18, vxhtClose) : Classic(B, DFCS_CAPTIONCLOSE, vxhtClose);
  if (Tool) return;
  if (TRect B = View.ButtonRect(TVxBorderIcon::kbiSystemMenu); !B.IsEmpty()) {
    if (HICON Icon = View.SmallIcon ? View.SmallIcon() : nullptr) {
      const Integer S = std::min(B.Width(), B.Height());
      DrawIconEx(DC, B.Left + (B.Width() - S) / 2, B.Top + (B.Height() - S) / 2, Icon, S, S, 0, nullptr, DI_NORMAL);
    }
  }
  if (TRect B = View.ButtonRect(TVxBorderIcon::kbiMinimize); !B.IsEmpty())
    Styled ? StyledButton(B, Minimized ? 21 : 15, vxhtMinimize)
           : Classic(B, Minimized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN, vxhtMinimize);
  if (TRect B = View.ButtonRect(TVxBorderIcon::kbiMaximize); !B.IsEmpty())
    Styled ? StyledButton(B, Maximized ? 21 : 17, vxhtMaximize)
           : Classic(B, Maximized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX, vxhtMaximize);
  if (!Styled) {
    if (TRect B = View.ButtonRect(TVxBorderIcon::kbiRollup); !B.IsEmpty()) {
      const bool Down = Push(B, vxhtRollup);
      TRect T{B.Left + 4, B.Top + 5, B.Right - 4, B.Bottom - 5};
      T = Down ? T : T.Offset(-1, -1);
      const Integer MidX = (T.Left + T.Right) / 2;
      const bool Up = View.State != TVxWindowState::kwsRollup;
      std::array<POINT, 3> Shape;
      if (Up)
        Shape = {{{T.Left, T.Bottom}, {T.Right, T.Bottom}, {MidX, T.Top}}};
      else
        Shape = {{{T.Left, T.Top}, {T.Right, T.Top}, {MidX, T.Bottom}}};
      Polygon(DC, Shape.data(), 3);
    }
    if (TRect B = View.ButtonRect(TVxBorderIcon::kbiTray); !B.IsEmpty()) {
      const bool Down = Push(B, vxhtTray);
      TRect E{B.Left + 5, B.Top + 5 + 2, B.Right - 5, B.Bottom - 5 + 2};
      if (Down) E = E.Offset(1, 1);
      Ellipse(DC, E.Left, E.Top, E.Right, E.Bottom);
    }
  }
  if (TRect B = View.ButtonRect(TVxBorderIcon::kbiHelp); !B.IsEmpty())
    Styled ? StyledButton(B, 23, vxhtHelp) : Classic(B, DFCS_CAPTIONHELP, vxhtHelp);
}

TvxHitCode FrameHitTest(const TVxFrameView& View, Integer X, Integer Y, Integer CaptionHeight, bool Final) {
  const TRect C = View.Client;
  const Integer Width = View.Width, Height = View.Height;
  TvxHitCode Result = vxhtNone;
  if (Y < C.Top && X < Width) Result = vxhtCaption;
  static constexpr std::pair<TVxBorderIcon, TvxHitCode> Buttons[] = {
      {TVxBorderIcon::kbiSystemMenu, vxhtSysMenu}, {TVxBorderIcon::kbiClose, vxhtClose},
      {TVxBorderIcon::kbiMinimize, vxhtMinimize},  {TVxBorderIcon::kbiMaximize, vxhtMaximize},
      {TVxBorderIcon::kbiHelp, vxhtHelp},          {TVxBorderIcon::kbiRollup, vxhtRollup},
      {TVxBorderIcon::kbiTray, vxhtTray}};
  for (const auto& [Icon, Code] : Buttons)
    if (View.ButtonRect(Icon).Contains(X, Y)) Result = Code;
  if (Final) return Result;
  auto ByX = [&](TvxHitCode Low, TvxHitCode High, TvxHitCode Mid) {
    return X <= 19 ? Low : X > Width - 20 ? High : Mid;
  };
  auto ByY = [&](TvxHitCode Low, TvxHitCode High, TvxHitCode Mid) {
    return Y <= 19 ? Low : Y > Height - 20 ? High : Mid;
  };
  if (Y < C.Top - CaptionHeight) Result = ByX(vxhtTopLeft, vxhtTopRight, vxhtTop);
  if (C.Bottom < Y && Y < Height) Result = ByX(vxhtBottomLeft, vxhtBottomRight, vxhtBottom);
  if (X < C.Left) Result = ByY(vxhtTopLeft, vxhtBottomLeft, vxhtLeft);
  if (C.Right < X && X < Width) Result = ByY(vxhtTopRight, vxhtBottomRight, vxhtRight);
  return Result;
}

// [Themed frame] --------------------------------------------------------------------------------

TvxTitleButton ThemedTitleButton(TVxBorderIcon Icon, TVxWindowState State, bool& Known) {
  Known = true;
  switch (Icon) {
    case TVxBorderIcon::kbiClose: return 1;
    case TVxBorderIcon::kbiSystemMenu: return 0;
    case TVxBorderIcon::kbiMinimize: return State == TVxWindowState::kwsMinimized ? 4 : 3;
    case TVxBorderIcon::kbiMaximize: return State == TVxWindowState::kwsMaximized ? 6 : 5;
    case TVxBorderIcon::kbiHelp: return 2;
    case TVxBorderIcon::kbiRollup: return State == TVxWindowState::kwsRollup ? 8 : 7;
    case TVxBorderIcon::kbiTray: return 9;
    default: Known = false; return 0;
  }
}

TRect TVxForm::GetButtonRect(TVxBorderIcon Icon) {
  if (!Themed()) return TVxDefaultForm::GetButtonRect(Icon);
  if (!BorderIcons().Contains(Icon)) return TRect{};
  bool Known = false;
  const TvxTitleButton Button = ThemedTitleButton(Icon, WindowState(), Known);
  if (!Known) return TRect{};
  TRect R;
  Theme()->GetFormButtonRect(WindowKind(), WindowInfo(), R, ThemeObject(), Button);
  return R;
}

void TVxForm::PaintGripper(TCanvas& Canvas) {
  if (!Themed()) return TVxDefaultForm::PaintGripper(Canvas);
  Theme()->DrawFormGripper(WindowKind(), Canvas, ThemeObject(),
                           TvxGripperInfo{GetGripperRect(), Dragging()->Sizeable()});
}

void TVxForm::PaintBackground() {
  if (!Themed()) return TVxDefaultForm::PaintBackground();
  if (!Form()) return;
  TCanvas& Canvas = *FormCanvas();
  if (!Canvas.HandleAllocated()) return;
  Theme()->DrawFormBackground(WindowKind(), Canvas, ThemeObject(), ClientBoundsAtOrigin());
}

void TVxForm::PaintFrame(TCanvas& Canvas) {
  if (!Themed()) return TVxDefaultForm::PaintFrame(Canvas);
  PaintThemedFrame(*Theme(), WindowKind(), Canvas, ThemeObject(), WindowInfo(), FrameView(),
                   Performance() == TVxFormPerformance::zqfpNoBuffer);
}

void PaintThemedFrame(TvxTheme& Theme, TvxWindowKind Kind, TCanvas& Canvas, const std::string& Object,
                      TvxWindowInfo Info, const TVxFrameView& View, bool Unbuffered) {
  const TRect C = View.Client;
  const bool Band = Unbuffered && C.Top > 0 && View.Width > 0;
  TvxBitmap BandBitmap;
  TCanvas BandCanvas;
  TCanvas* Target = &Canvas;
  if (Band) {
    BandBitmap.SetSize(View.Width, C.Top);
    BandCanvas.SetHandle(BandBitmap.DC());
    Target = &BandCanvas;
  }
  Theme.DrawFormBorder(Kind, *Target, Object, Info);
  TRect CR;
  Theme.GetFormCaptionRect(Kind, Info, CR, Object);
  if (!CR.IsEmpty()) Theme.DrawFormCaptionText(Kind, *Target, Object, CR, Info);
  struct TButtonOrder {
    TVxBorderIcon Icon;
    TvxHitCode Code;
  };
  static constexpr TButtonOrder Order[] = {
      {TVxBorderIcon::kbiClose, vxhtClose},       {TVxBorderIcon::kbiSystemMenu, vxhtSysMenu},
      {TVxBorderIcon::kbiMinimize, vxhtMinimize}, {TVxBorderIcon::kbiMaximize, vxhtMaximize},
      {TVxBorderIcon::kbiHelp, vxhtHelp},         {TVxBorderIcon::kbiRollup, vxhtRollup},
      {TVxBorderIcon::kbiTray, vxhtTray}};
  TvxBitmap Icon;
  for (const TButtonOrder& B : Order) {
    if (!View.BorderIcons.Contains(B.Icon)) continue;
    bool Known = false;
    TvxTitleButtonInfo Button;
    Button.Button = ThemedTitleButton(B.Icon, View.State, Known);
    if (!Known) continue;
    Theme.GetFormButtonRect(Kind, Info, Button.Rect, Object, Button.Button);
    Button.State = !View.Active ? 3 : View.ButtonLook(B.Code);
    if (B.Icon == TVxBorderIcon::kbiSystemMenu) {
      if (Icon.Empty()) {
        Icon.SetSize(16, 16);
        Icon.Fill(0x7F007F);
        Icon.SetTransparent(true);
        if (HICON Small = View.SmallIcon ? View.SmallIcon() : nullptr)
          DrawIconEx(Icon.DC(), 0, 0, Small, 16, 16, 0, nullptr, DI_NORMAL);
      }
      Button.Icon = &Icon;
    }
    Theme.DrawFormButton(Kind, *Target, Object, Button);
  }
  if (Band) {
    BandCanvas.SetHandle(nullptr);
    Info.ClipRect = Rect(0, C.Top, View.Width, View.Height);
    Theme.DrawFormBorder(Kind, Canvas, Object, Info);
    BandBitmap.Draw(Canvas.Handle(), 0, 0);
  }
}
