#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_paint.h"

namespace {

constexpr Integer ButtonSlot = 22;

bool Shown(const TvxWindowInfo& Info, Integer Button) { return (Info.Buttons >> Button) & 1; }

// Hit codes of the title buttons 0..12.
constexpr TvxHitCode ButtonHitCodes[13] = {17, 11, 12, 13, 13, 14, 14, 15, 15, 16, 0, 0, 0};

}  // namespace

// [Forms]

bool TvxTheme::IsFormDefined(TvxWindowKind Kind, const std::string& Name) { return false; }

HRGN TvxTheme::GetFormRegion(TvxWindowKind Kind, const TRect& R, const std::string& Name) { return nullptr; }

TvxHitCode TvxTheme::FormHitTest(TvxWindowKind Kind, const TvxWindowInfo& Info, const std::string& Name, Integer X,
                                 Integer Y) {
  if (Kind != 0 && Kind != 1 && Kind != 2 && Kind != 6) return 0;
  const Integer W = Info.Rect.Width(), H = Info.Rect.Height();
  TRect C;
  GetFormClientRect(Kind, Info, C, Name);
  const bool Left = TRect{0, 0, C.Left, H}.Contains(X, Y);
  const bool Top = TRect{0, 0, W, C.Top}.Contains(X, Y);
  const bool Right = TRect{C.Right, 0, W, H}.Contains(X, Y);
  const bool Bottom = TRect{0, C.Bottom, W, H}.Contains(X, Y);

  TvxHitCode Code = 0;
  if (Left) Code = 2;
  if (Top) Code = 3;
  if (Right) Code = 4;
  if (Bottom) Code = 5;
  if (Left && Top) Code = 7;
  if (Right && Top) Code = 8;
  if (Left && Bottom) Code = 9;
  if (Right && Bottom) Code = 10;
  TRect Caption;
  GetFormCaptionRect(Kind, Info, Caption, Name);
  if (Caption.Contains(X, Y)) Code = 1;
  for (TvxTitleButton Button = 0; Button <= 12; ++Button) {
    TRect R;
    GetFormButtonRect(Kind, Info, R, Name, Button);
    if (R.Contains(X, Y)) return ButtonHitCodes[Button];
  }
  return Code;
}

void TvxTheme::GetFormClientRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name) {
  R = {Info.Rect.Left + 4, Info.Rect.Top + 22, Info.Rect.Right - 4, Info.Rect.Bottom - 4};
}

void TvxTheme::GetFormCaptionRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name) {
  TRect C;
  GetFormClientRect(Kind, Info, C, Name);
  R = {C.Left, 3, C.Right, C.Top};
}

// Buttons fill slots from the right: close, then maximize, then minimize; roll, tray and help
// line up after close the same way.
void TvxTheme::GetFormButtonRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name,
                                 TvxTitleButton Button) {
  R = {};
  if (Button > 9 || !Shown(Info, Button)) return;
  TRect C;
  GetFormClientRect(Kind, Info, C, Name);
  if (Button == 0) {
    R = {C.Left, 4, C.Left + ButtonSlot, C.Top - 1};
    return;
  }
  const bool Close = Shown(Info, 1);
  const bool Maximize = Shown(Info, 5) || Shown(Info, 6);
  const bool Roll = Shown(Info, 7) || Shown(Info, 8);
  const bool Tray = Shown(Info, 9);
  Integer Shifts = 0;
  switch (Button) {
    case 2: Shifts = Close + Roll + Tray; break;
    case 3:
    case 4: Shifts = Close + Maximize; break;
    case 5:
    case 6:
    case 7:
    case 8: Shifts = Close; break;
    case 9: Shifts = Close + Roll; break;
  }
  R = TRect{C.Right - 23, 4, C.Right - 1, C.Top - 1}.Offset(-ButtonSlot * Shifts, 0);
}

void TvxTheme::DrawFormBorder(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TvxWindowInfo& Info) {
  const HDC DC = Canvas.Handle();
  const TRect& W = Info.Rect;
  FrameRectColor(DC, W, clBlack);
  const TColor Face = Colors().Color(vxcButtonNormal);
  DrawBevel(DC, Deflate(W, 1, 1), LightenColor(Face, 100), LightenColor(Face, -100));
  TRect C;
  GetFormClientRect(Kind, Info, C, Name);
  const TRect Inner = Deflate(W, 2, 2);
  const TColor Border = Colors().Color(vxcWindowBorder);
  FillRectXY(DC, Inner.Left, Inner.Top, C.Left, Inner.Bottom, Border);
  FillRectXY(DC, C.Right, Inner.Top, Inner.Right, Inner.Bottom, Border);
  FillRectXY(DC, C.Left, Inner.Top, C.Right, C.Top, Border);
  FillRectXY(DC, C.Left, C.Bottom, C.Right, Inner.Bottom, Border);
  FillRectXY(DC, C.Left, 3, C.Right, C.Top, Colors().Color(Info.Active ? vxcCaptionNormal : vxcCaptionInactive));
}

void TvxTheme::DrawFormBackground(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  FillRectColor(Canvas.Handle(), R, Colors().Color(vxcWindow));
}

void TvxTheme::DrawFormCaptionText(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TRect& R,
                                   const TvxWindowInfo& Info) {
  Canvas.Font().Assign(&Fonts().FontFor(Info.Active ? vxfCaptionTextNormal : vxfCaptionTextInactive, Name));
  TvxTextInfo Text;
  Text.Rect = R;
  Text.Text = Info.Caption;
  Text.Alignment = 4;
  Text.Flags = vxtfSingleLine;
  DrawText(Canvas, Text);
}

void TvxTheme::DrawFormButton(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                              const TvxTitleButtonInfo& Info) {
  const HDC DC = Canvas.Handle();
  const TRect& R = Info.Rect;
  const bool Pressed = Info.State == 2;
  if (Info.Button == 0) {
    DrawBitmapCentered(Canvas, R, Info.Icon);
    return;
  }
  FillRectColor(DC, R, Colors().Color(Info.State == 1 ? vxcButtonHot : vxcButtonNormal));
  if (Pressed)
    DrawBevel(DC, R, clBtnShadow, clBtnHighlight);
  else
    DrawBevel(DC, R, clBtnHighlight, clBtnShadow);

  UINT Caption = 0;
  switch (Info.Button) {
    case 1: Caption = DFCS_CAPTIONCLOSE; break;
    case 2: Caption = DFCS_CAPTIONHELP; break;
    case 3: Caption = DFCS_CAPTIONMIN; break;
    case 4:
    case 6: Caption = DFCS_CAPTIONRESTORE; break;
    case 5: Caption = DFCS_CAPTIONMAX; break;
    case 7:
    case 8: {
      const TRect T = Deflate(R, 4, 5).Offset(Pressed ? -1 : 0, Pressed ? -1 : 0);
      const Integer Middle = (T.Left + T.Right - 1) / 2;
      if (Info.Button == 8)
        FillPolygon(DC, {{T.Left, T.Top}, {T.Right - 1, T.Top}, {Middle, T.Bottom - 1}}, clBlack);
      else
        FillPolygon(DC, {{T.Left, T.Bottom - 1}, {T.Right - 1, T.Bottom - 1}, {Middle, T.Top}}, clBlack);
      return;
    }
    case 9: {
      const TRect D = Deflate(R, 3, 3);
      const Integer Shift = Pressed ? 0 : 1;
      FillRectColor(DC, TRect{D.Right - 3, D.Bottom - 3, D.Right, D.Bottom}.Offset(Shift, Shift), clBlack);
      return;
    }
    default: return;
  }
  DrawFrameControlColor(DC, R, DFC_CAPTION, clBlack, Caption | (Pressed ? DFCS_PUSHED : 0));
}

void TvxTheme::DrawFormGripper(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                               const TvxGripperInfo& Info) {
  const HDC DC = Canvas.Handle();
  FillRectColor(DC, Info.Rect, Colors().Color(vxcWindowBorder));
  if (!Info.Sizeable) return;
  const TRect G = Deflate(Info.Rect, 4, 4).Offset(3, 3);
  const std::vector<TPoint> Band{{G.Right, G.Top - 4}, {G.Right, G.Top}, {G.Left, G.Bottom}, {G.Left - 4, G.Bottom}};
  const std::vector<TPoint> Triangle{{G.Right, G.Top + 3}, {G.Right, G.Bottom}, {G.Left + 3, G.Bottom}};
  FillPolygon(DC, Band, clGray);
  FramePolygon(DC, Band, clBlack);
  FillPolygon(DC, Triangle, clGray);
  FramePolygon(DC, Triangle, clBlack);
}

// [Hints]

bool TvxTheme::IsHintDefined() { return false; }

void TvxTheme::GetHintClientRect(const TRect& R, TRect& Client) { Client = Deflate(R, 10, 13); }

void TvxTheme::DrawHint(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  DrawPlaceholder(Canvas, R, clYellow, clRed);
}
