// The frames: the default one that imitates the platform's (classic or visual-style) and the one
// the theme draws.
#include <windows.h>

#include <algorithm>
#include <array>

#include "framework/graphics/gdi_handles.h"
#include "framework/ui/forms.h"
#include "vexel/forms/vx_form.h"
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

// [Default frame] -------------------------------------------------------------------------------

TRect TVxDefaultForm::GetButtonRect(TVxBorderIcon Icon) {
  if (!FBorderIcons.Contains(Icon)) return TRect{};
  const TRect C = GetClientBounds();
  TRect B{C.Left, FrameMetrics().FrameWidth + 1, C.Right, C.Top};
  const Integer H = B.Height();
  if (H <= 0) return TRect{};
  if (Icon == TVxBorderIcon::kbiSystemMenu) return Rect(B.Left, B.Top, B.Left + H, B.Bottom);
  const bool Styled = VisualStylesActive();
  const bool Minimized = FWindowState == TVxWindowState::kwsMinimized;
  Integer W, BH, X;
  if (Styled) {
    --B.Top;
    W = BH = H - 4;
    X = B.Right - W - 2 - (FBorderStyle == TVxBorderStyle::kbsToolWindow ? 2 : 0);
  } else {
    W = H - 2;
    BH = H - 4;
    X = B.Right - W - 2;
  }
  const Integer Y = B.Top + 2;
  // Each present button takes the current x and moves it left.
  auto Take = [&](TVxBorderIcon Which) -> TRect {
    const TRect R = Bounds(X, Y, W, BH);
    if (FBorderIcons.Contains(Which)) X -= W + 2;
    return R;
  };
  const TRect Close = Take(TVxBorderIcon::kbiClose);
  if (Icon == TVxBorderIcon::kbiClose) return Close;
  if (FBorderStyle == TVxBorderStyle::kbsToolWindow) return TRect{};
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
    if (FBorderIcons.Contains(TVxBorderIcon::kbiRollup)) X -= 2;
    const TRect Roll = Take(TVxBorderIcon::kbiRollup);
    if (Icon == TVxBorderIcon::kbiRollup) return Roll;
    const TRect Tray = Take(TVxBorderIcon::kbiTray);
    if (Icon == TVxBorderIcon::kbiTray) return Tray;
  } else if (Icon == TVxBorderIcon::kbiRollup || Icon == TVxBorderIcon::kbiTray) {
    return TRect{};
  }
  if (Icon == TVxBorderIcon::kbiHelp) {
    if (Minimized || FWindowState == TVxWindowState::kwsRollup) return TRect{};
    X -= 2;
    return Bounds(X, Y, W, BH);
  }
  return TRect{};
}

bool TVxDefaultForm::ButtonPressed(TvxHitCode Code) const {
  return (FNCButtons & 8) && FPressedPart == Code && FHotPart == Code;
}

bool TVxDefaultForm::ButtonHot(TvxHitCode Code) const { return FHotPart == Code && !FTracking; }

HICON TVxDefaultForm::SmallIconHandle() {
  if (FSmallIcon) return FSmallIcon;
  Integer Size = GetSystemMetrics(SM_CXSMICON);
  if (Size == 0) Size = GetSystemMetrics(SM_CXSIZE);
  HICON Source = nullptr;
  if (Form() && Form()->HandleAllocated())
    Source = reinterpret_cast<HICON>(SendMessageA(Form()->Handle(), WM_GETICON, ICON_SMALL, 0));
  if (!Source) Source = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  if (!Source) Source = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  if (Source) FSmallIcon = static_cast<HICON>(CopyImage(Source, IMAGE_ICON, Size, Size, 0));
  return FSmallIcon;
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
  if (FBorderStyle == TVxBorderStyle::kbsNone && !ShadowVisible()) return;
  HDC DC = Canvas.Handle();
  const TRect C = GetClientBounds();
  const TRect Whole{0, 0, FWindowWidth, FWindowHeight};
  const bool Tool = FBorderStyle == TVxBorderStyle::kbsToolWindow;
  HWND Wnd = Form() && Form()->HandleAllocated() ? Form()->Handle() : nullptr;
  TVisualStyle Style(Wnd, L"Window");
  const bool Styled = bool(Style);
  if (FBorderStyle == TVxBorderStyle::kbsNone) return;
  if (Styled) {
    const int State = FCaptionActive ? 1 : 2;
    const int Left = Tool ? 10 : 7, Right = Tool ? 11 : 8, Bottom = Tool ? 12 : 9, Caption = Tool ? 2 : 1;
    Style.DrawBackground(DC, Left, State, Rect(0, C.Top, C.Left, C.Bottom));
    Style.DrawBackground(DC, Right, State, Rect(C.Right, C.Top, FWindowWidth, C.Bottom));
    Style.DrawBackground(DC, Bottom, State, Rect(0, C.Bottom, FWindowWidth, FWindowHeight));
    if (C.Top > 0) Style.DrawBackground(DC, Caption, State, Rect(0, 0, FWindowWidth, C.Top));
  } else {
    RECT Edge{Whole.Left, Whole.Top, Whole.Right, Whole.Bottom};
    DrawEdge(DC, &Edge, EDGE_RAISED, BF_RECT);
    const TRect Inner{2, 2, FWindowWidth - 2, FWindowHeight - 2};
    FillColor(DC, Rect(Inner.Left, Inner.Top, Inner.Right, C.Top), COLOR_BTNFACE);
    FillColor(DC, Rect(Inner.Left, C.Top, C.Left, C.Bottom), COLOR_BTNFACE);
    FillColor(DC, Rect(C.Right, C.Top, Inner.Right, C.Bottom), COLOR_BTNFACE);
    FillColor(DC, Rect(Inner.Left, C.Bottom, Inner.Right, Inner.Bottom), COLOR_BTNFACE);
  }
  if (FBorderStyle == TVxBorderStyle::kbsBorder || C.Top <= FrameMetrics().FrameWidth) return;

  // Caption contents.
  const TRect Box{C.Left, FrameMetrics().FrameWidth, C.Right, C.Top};
  if (!Styled) {
    const bool A = FCaptionActive;
    FillGradient(DC, Box, TColor(0x80000000 | (A ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION)), false,
                 TColor(0x80000000 | (A ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION)));
  }
  HFONT Font = Tool ? CaptionFonts().SmallCaption.Get() : CaptionFonts().Caption.Get();
  {
    TSelectGuard SelectFont(DC, Font ? static_cast<HGDIOBJ>(Font) : GetStockObject(DEFAULT_GUI_FONT));
    int N = 1;
    for (TVxBorderIcon I : {TVxBorderIcon::kbiClose, TVxBorderIcon::kbiMaximize, TVxBorderIcon::kbiMinimize,
                            TVxBorderIcon::kbiHelp, TVxBorderIcon::kbiRollup, TVxBorderIcon::kbiTray})
      if (FBorderIcons.Contains(I)) ++N;
    const Integer Room = Tool ? FWindowWidth - C.Left - 2 * FrameMetrics().SmallCaptionHeight
                              : FWindowWidth - C.Left - N * FrameMetrics().ButtonHeight;
    const std::wstring Text = EllipsisText(DC, Caption(), std::max<Integer>(Room, 0));
    TRect TextBox = Box;
    if (FBorderIcons.Contains(TVxBorderIcon::kbiSystemMenu) && !Tool) TextBox.Left += Box.Height();
    TextBox.Left += 2;
    TextBox.Right -= 2;
    TBkModeGuard Transparent(DC, TRANSPARENT);
    const COLORREF OldColor =
        SetTextColor(DC, GetSysColor(FCaptionActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT R{TextBox.Left, TextBox.Top, TextBox.Right, TextBox.Bottom};
    UINT Format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (Wnd && (GetWindowLongPtrA(Wnd, GWL_EXSTYLE) & WS_EX_RTLREADING)) Format |= DT_RTLREADING | DT_RIGHT;
    DrawTextW(DC, Text.c_str(), int(Text.size()), &R, Format);
    SetTextColor(DC, OldColor);
  }

  // Title buttons.
  const bool Minimized = FWindowState == TVxWindowState::kwsMinimized;
  const bool Maximized = FWindowState == TVxWindowState::kwsMaximized;
  auto Classic = [&](const TRect& B, UINT Kind, TvxHitCode Code) {
    RECT R{B.Left, B.Top, B.Right, B.Bottom};
    DrawFrameControl(DC, &R, DFC_CAPTION, Kind | (ButtonPressed(Code) ? DFCS_PUSHED : 0));
  };
  auto StyledButton = [&](const TRect& B, int Part, TvxHitCode Code) {
    const int State = !FCaptionActive ? 5 : ButtonPressed(Code) ? 3 : ButtonHot(Code) ? 2 : 1;
    Style.DrawBackground(DC, Part, State, B);
  };
  auto Push = [&](const TRect& B, TvxHitCode Code) {
    RECT R{B.Left, B.Top, B.Right, B.Bottom};
    DrawFrameControl(DC, &R, DFC_BUTTON, DFCS_BUTTONPUSH | (ButtonPressed(Code) ? DFCS_PUSHED : 0));
    return ButtonPressed(Code);
  };
  TSelectGuard BlackBrush(DC, GetStockObject(BLACK_BRUSH));
  TSelectGuard BlackPen(DC, GetStockObject(BLACK_PEN));
  if (TRect B = GetButtonRect(TVxBorderIcon::kbiClose); !B.IsEmpty())
    Styled ? StyledButton(B, 18, vxhtClose) : Classic(B, DFCS_CAPTIONCLOSE, vxhtClose);
  if (Tool) return;
  if (TRect B = GetButtonRect(TVxBorderIcon::kbiSystemMenu); !B.IsEmpty()) {
    if (HICON Icon = SmallIconHandle()) {
      const Integer S = std::min(B.Width(), B.Height());
      DrawIconEx(DC, B.Left + (B.Width() - S) / 2, B.Top + (B.Height() - S) / 2, Icon, S, S, 0, nullptr, DI_NORMAL);
    }
  }
  if (TRect B = GetButtonRect(TVxBorderIcon::kbiMinimize); !B.IsEmpty())
    Styled ? StyledButton(B, Minimized ? 21 : 15, vxhtMinimize)
           : Classic(B, Minimized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN, vxhtMinimize);
  if (TRect B = GetButtonRect(TVxBorderIcon::kbiMaximize); !B.IsEmpty())
    Styled ? StyledButton(B, Maximized ? 21 : 17, vxhtMaximize)
           : Classic(B, Maximized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX, vxhtMaximize);
  if (!Styled) {
    if (TRect B = GetButtonRect(TVxBorderIcon::kbiRollup); !B.IsEmpty()) {
      const bool Pressed = Push(B, vxhtRollup);
      TRect T{B.Left + 4, B.Top + 5, B.Right - 4, B.Bottom - 5};
      T = Pressed ? T : T.Offset(-1, -1);
      const Integer MidX = (T.Left + T.Right) / 2;
      const bool Up = FWindowState != TVxWindowState::kwsRollup;
      std::array<POINT, 3> Shape;
      if (Up)
        Shape = {{{T.Left, T.Bottom}, {T.Right, T.Bottom}, {MidX, T.Top}}};
      else
        Shape = {{{T.Left, T.Top}, {T.Right, T.Top}, {MidX, T.Bottom}}};
      Polygon(DC, Shape.data(), 3);
    }
    if (TRect B = GetButtonRect(TVxBorderIcon::kbiTray); !B.IsEmpty()) {
      const bool Pressed = Push(B, vxhtTray);
      TRect E{B.Left + 5, B.Top + 5 + 2, B.Right - 5, B.Bottom - 5 + 2};
      if (Pressed) E = E.Offset(1, 1);
      Ellipse(DC, E.Left, E.Top, E.Right, E.Bottom);
    }
  }
  if (TRect B = GetButtonRect(TVxBorderIcon::kbiHelp); !B.IsEmpty())
    Styled ? StyledButton(B, 23, vxhtHelp) : Classic(B, DFCS_CAPTIONHELP, vxhtHelp);
}

// [Themed frame] --------------------------------------------------------------------------------

namespace {

TvxTitleButton ThemedButton(TVxBorderIcon Icon, TVxWindowState State, bool& Known) {
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

}  // namespace

TRect TVxForm::GetButtonRect(TVxBorderIcon Icon) {
  if (!Themed()) return TVxDefaultForm::GetButtonRect(Icon);
  if (!BorderIcons().Contains(Icon)) return TRect{};
  bool Known = false;
  const TvxTitleButton Button = ThemedButton(Icon, WindowState(), Known);
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
  TvxTheme* T = Theme();
  const TvxWindowKind Kind = WindowKind();
  TvxWindowInfo Info = WindowInfo();
  const TRect C = GetClientBounds();
  // Without a buffer only the caption band is composed off-screen; the rest goes straight on.
  const bool Band = Performance() == TVxFormPerformance::zqfpNoBuffer && C.Top > 0 && WindowWidth() > 0;
  TvxBitmap BandBitmap;
  TCanvas BandCanvas;
  TCanvas* Target = &Canvas;
  if (Band) {
    BandBitmap.SetSize(WindowWidth(), C.Top);
    BandCanvas.SetHandle(BandBitmap.DC());
    Target = &BandCanvas;
  }
  T->DrawFormBorder(Kind, *Target, ThemeObject(), Info);
  TRect CR;
  T->GetFormCaptionRect(Kind, Info, CR, ThemeObject());
  if (!CR.IsEmpty()) T->DrawFormCaptionText(Kind, *Target, ThemeObject(), CR, Info);
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
    if (!BorderIcons().Contains(B.Icon)) continue;
    bool Known = false;
    TvxTitleButtonInfo Button;
    Button.Button = ThemedButton(B.Icon, WindowState(), Known);
    T->GetFormButtonRect(Kind, Info, Button.Rect, ThemeObject(), Button.Button);
    Button.State = !CaptionActive() ? 3 : ButtonPressed(B.Code) ? 2 : ButtonHot(B.Code) ? 1 : 0;
    if (B.Icon == TVxBorderIcon::kbiSystemMenu) {
      if (Icon.Empty()) {
        Icon.SetSize(16, 16);
        Icon.Fill(0x7F007F);
        Icon.SetTransparent(true);
        if (HICON Small = SmallIconHandle()) DrawIconEx(Icon.DC(), 0, 0, Small, 16, 16, 0, nullptr, DI_NORMAL);
      }
      Button.Icon = &Icon;
    }
    T->DrawFormButton(Kind, *Target, ThemeObject(), Button);
  }
  if (Band) {
    BandCanvas.SetHandle(nullptr);
    Info.ClipRect = Rect(0, C.Top, WindowWidth(), WindowHeight());
    T->DrawFormBorder(Kind, Canvas, ThemeObject(), Info);
    BandBitmap.Draw(Canvas.Handle(), 0, 0);
  }
}
