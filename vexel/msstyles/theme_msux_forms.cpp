#include <algorithm>
#include <exception>

#include "framework/graphics/gdi_handles.h"
#include "vexel/msstyles/theme_msux_paint.h"

// [Forms] Kinds 0 and 1 have the normal frame, kind 6 (tool window) the small one; the other
// kinds have no frame drawn by the style and the whole window as their client area.

namespace {

struct TFrameParts {
  bool Framed;
  Integer CaptionHeight, BorderWidth;
  TmsuxObjectSlot Caption, Left, Right, Bottom;
};

TFrameParts FramePartsOf(const TVxThemeMsStyles& T, TvxWindowKind Kind) {
  if (Kind == 0 || Kind == 1)
    return {true,
            T.CaptionBarHeight(),
            T.BorderWidth(),
            moWindowCaption,
            moWindowFrameLeft,
            moWindowFrameRight,
            moWindowFrameBottom};
  if (Kind == 6)
    return {true,
            T.SMCaptionBarHeight(),
            T.SMBorderWidth(),
            moWindowSmallCaption,
            moWindowSmallFrameLeft,
            moWindowSmallFrameRight,
            moWindowSmallFrameBottom};
  return {false, 0, 0, moWindowCaption, moWindowFrameLeft, moWindowFrameRight, moWindowFrameBottom};
}

bool Shown(const TvxWindowInfo& Info, Integer Button) { return (Info.Buttons >> Button) & 1; }

}  // namespace

std::wstring MsuxShortenCaption(HDC DC, const std::wstring& Text, Integer Width) {
  if (TextWidthWide(DC, Text) <= Width) return Text;
  size_t Length = 0;
  while (Length + 1 < Text.size() && TextWidthWide(DC, Text.substr(0, Length + 1) + Text[Length + 1] + L"...") <= Width)
    ++Length;
  return Text.substr(0, Length) + L"...";
}

bool TVxThemeMsStyles::IsFormDefined(TvxWindowKind Kind, const std::string& Name) {
  if (Kind == 6) return SlotExists(*this, moWindowSmallCaption);
  return SlotExists(*this, moWindow) && SlotExists(*this, moWindowCaption);
}

void TVxThemeMsStyles::GetFormClientRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R,
                                         const std::string& Name) {
  const TFrameParts F = FramePartsOf(*this, Kind);
  R = Info.Rect;
  if (!F.Framed) return;
  R = {R.Left + F.BorderWidth, R.Top + F.CaptionHeight + F.BorderWidth, R.Right - F.BorderWidth,
       R.Bottom - F.BorderWidth};
}

void TVxThemeMsStyles::GetFormCaptionRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R,
                                          const std::string& Name) {
  const TFrameParts F = FramePartsOf(*this, Kind);
  if (!F.Framed) {
    R = {Info.Rect.Left, Info.Rect.Top, Info.Rect.Right, Info.Rect.Top};
    return;
  }
  TRect C;
  GetFormClientRect(Kind, Info, C, Name);
  TRect Margin{0, F.BorderWidth, 0, 0};
  const TmsuxThemeObject* Caption = Object(moWindowCaption);
  if (Caption && Caption->FindProperty("captionmargins")) {
    Margin.Left += Caption->CaptionMargins.Left;
    Margin.Right += Caption->CaptionMargins.Right;
  }
  R = {C.Left + Margin.Left, Info.Rect.Top + Margin.Top, C.Right - Margin.Right, C.Top};
  if (Kind != 6 && Shown(Info, 0)) R.Left = F.CaptionHeight + Margin.Left + C.Left;
}

void TVxThemeMsStyles::GetFormButtonRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R,
                                         const std::string& Name, TvxTitleButton Button) {
  R = TRect{};
  const bool Normal = Kind == 0 || Kind == 1;
  if (!Normal && Kind != 6) return;
  const Integer W = Info.Rect.Right;
  const Integer Size = Normal ? CaptionBarHeight() - BorderWidth() : SMCaptionBarHeight() - 2;
  const Integer CH = CaptionBarHeight(), BW = BorderWidth(), SH = SMCaptionBarHeight(), SW = SMBorderWidth();
  const TRect Close = Normal ? TRect{W - CH - 1, BW + 1, W - BW - 1, CH + 1}
                             : TRect{W - SW - 1 - SH + 2, SW + 1, W - SW - 1, SH + SW - 1};
  const auto Steps = [&](Integer N) { return Close.Offset(-N * (Size + 2), 0); };
  const Integer CloseSteps = Shown(Info, 1) ? 1 : 0;
  const Integer MinimizeSteps = CloseSteps + (Shown(Info, 5) || Shown(Info, 6) ? 1 : 0);
  switch (Button) {
    case 1:
      if (Shown(Info, 1)) R = Close;
      break;
    case 5:
    case 6:
      if (Normal) R = Steps(CloseSteps);
      break;
    case 3:
    case 4:
      if (Normal) R = Steps(MinimizeSteps);
      break;
    case 2:
      if (Normal && Shown(Info, 2)) R = Steps(MinimizeSteps + (Shown(Info, 3) || Shown(Info, 4) ? 1 : 0));
      break;
    case 0:
      if (Normal) {
        TRect C;
        GetFormClientRect(Kind, Info, C, Name);
        R = {C.Left, 5, C.Left + Size, Size + 5};
      }
      break;
  }
}

// The band under the caption answers "caption" where the base answers the top border or nothing.
TvxHitCode TVxThemeMsStyles::FormHitTest(TvxWindowKind Kind, const TvxWindowInfo& Info, const std::string& Name,
                                         Integer X, Integer Y) {
  const TvxHitCode Base = TvxTheme::FormHitTest(Kind, Info, Name, X, Y);
  if (Kind != 0 && Kind != 1 && Kind != 6) return Base;
  if (Base != 0 && Base != 3) return Base;
  TRect C;
  GetFormClientRect(Kind, Info, C, Name);
  const TRect Band{C.Left, BorderWidth(), C.Right, C.Top};
  return X >= Band.Left && X < Band.Right && Y >= Band.Top && Y < Band.Bottom ? 1 : Base;
}

// Each frame piece drawn into a scratch image and taken by its visible pixels. Offsets are kept
// relative to R's top-left corner, so that a rectangle not at the origin gives the same region.
HRGN TVxThemeMsStyles::GetFormRegion(TvxWindowKind Kind, const TRect& R, const std::string& Name) {
  const TFrameParts F = FramePartsOf(*this, Kind);
  if (!F.Framed) return nullptr;
  TvxWindowInfo Info;
  Info.Rect = R;
  TRect C;
  GetFormClientRect(Kind, Info, C, Name);
  C = C.Offset(-R.Left, -R.Top);
  const Integer W = R.Width(), H = R.Height();
  struct TPiece {
    TmsuxObjectSlot Slot;
    TRect At;
  };
  const TPiece Pieces[] = {{F.Caption, {0, 0, W, C.Top}},
                           {F.Left, {0, C.Top, C.Left, C.Bottom}},
                           {F.Right, {C.Right, C.Top, W, C.Bottom}},
                           {F.Bottom, {0, C.Bottom, W, H}}};
  TRegionHandle Result(CreateRectRgn(C.Left, C.Top, std::max(C.Left, C.Right), std::max(C.Top, C.Bottom)));
  if (!Result) return nullptr;
  for (const TPiece& Piece : Pieces) {
    if (Piece.At.IsEmpty()) continue;
    TvxBitmap Shape;
    try {
      Shape.SetSize(Piece.At.Width(), Piece.At.Height());
    } catch (const std::exception&) {
      // Too large to make: the piece counts as its whole rectangle.
      TRegionHandle Whole(CreateRectRgn(Piece.At.Left, Piece.At.Top, Piece.At.Right, Piece.At.Bottom));
      if (Whole) CombineRgn(Result.Get(), Result.Get(), Whole.Get(), RGN_OR);
      continue;
    }
    if (Kind != 6) Shape.Fill(vxKeyColor);
    {
      TCanvas Canvas(Shape.DC());
      DrawSlot(*this, Piece.Slot, Canvas, Shape.BoundsRect(), 1);
    }
    GdiFlush();
    TRegionHandle Part(Shape.CreateRegion(Piece.At.Left, Piece.At.Top));
    if (Part) CombineRgn(Result.Get(), Result.Get(), Part.Get(), RGN_OR);
  }
  return Result.Release();
}

void TVxThemeMsStyles::DrawFormBorder(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                                      const TvxWindowInfo& Info) {
  const TFrameParts F = FramePartsOf(*this, Kind);
  if (!F.Framed) return;
  const Integer Frame = Info.Active ? 1 : 2;
  const TRect& R = Info.Rect;
  TRect C;
  GetFormClientRect(Kind, Info, C, Name);
  if (Info.ClipRect.IsEmpty()) DrawSlot(*this, F.Caption, Canvas, {R.Left, R.Top, R.Right, C.Top}, Frame);
  DrawSlot(*this, F.Left, Canvas, {R.Left, C.Top, C.Left, C.Bottom}, Frame);
  DrawSlot(*this, F.Right, Canvas, {C.Right, C.Top, R.Right, C.Bottom}, Frame);
  DrawSlot(*this, F.Bottom, Canvas, {R.Left, C.Bottom, R.Right, R.Bottom}, Frame);
}

void TVxThemeMsStyles::DrawFormBackground(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                                          const TRect& R) {
  FillRectColor(Canvas.Handle(), R, SysColors().SysColor(clBtnFace));
}

void TVxThemeMsStyles::DrawFormCaptionText(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TRect& R,
                                           const TvxWindowInfo& Info) {
  const TFrameParts F = FramePartsOf(*this, Kind);
  if (!F.Framed) return;
  const Integer FontIndex = Info.Active ? vxfCaptionTextNormal : vxfCaptionTextInactive;
  Canvas.Font().Assign(&Fonts().Font(FontIndex));
  const TmsuxThemeObject* Caption = Object(Kind == 6 ? moWindowSmallCaption : moWindowCaption);
  if (!Caption) return;
  static constexpr UINT Alignments[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  const UINT Format =
      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | Alignments[std::min<Byte>(Caption->ContentAlignment, 2)];

  TRect Box = R;
  if (Kind != 6) {
    Integer Available = Info.Rect.Width() - 2 * BorderWidth();
    for (const bool Button : {Shown(Info, 1), Shown(Info, 5) || Shown(Info, 6), Shown(Info, 3) || Shown(Info, 4),
                              Shown(Info, 2), Shown(Info, 9), Shown(Info, 7) || Shown(Info, 8)})
      if (Button) Available -= CaptionBarHeight();
    if (Available < Box.Width()) Box.Right = Available;
  } else if (Shown(Info, 1)) {
    // A tool window's text stops at its close button instead of running under it.
    TRect Close;
    GetFormButtonRect(Kind, Info, Close, Name, 1);
    Box.Right = std::min(Box.Right, Close.Left);
  }
  Canvas.RequireObjects();
  HDC DC = Canvas.Handle();
  const std::wstring Text = MsuxShortenCaption(DC, Info.Caption, Box.Width());

  const TmsuxThemeObject* Shadow = Object(Info.Active ? moWindowCaptionActive : moWindowCaptionInactive);
  if (Shadow && Shadow->TextShadowType == mtsSingle) {
    Canvas.Font().SetColor(Object(moWindowCaption) ? Object(moWindowCaption)->TextShadowColor
                                                   : Shadow->TextShadowColor);
    Canvas.RequireObjects();
    TRect At = Box.Offset(Shadow->TextShadowOffset.X, Shadow->TextShadowOffset.Y);
    DrawTextWide(Canvas.Handle(), Text, At, Format);
  }
  Canvas.Font().Assign(&Fonts().Font(FontIndex));
  Canvas.RequireObjects();
  DrawTextWide(Canvas.Handle(), Text, Box, Format);
}

void TVxThemeMsStyles::DrawFormButton(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                                      const TvxTitleButtonInfo& Info) {
  const Integer Frame = Info.State + 1;
  if (Kind == 6) {
    if (Info.Button == 1) DrawSlot(*this, moWindowSmallCloseButton, Canvas, Info.Rect, Frame);
    return;
  }
  if (Kind != 0 && Kind != 1) return;
  switch (Info.Button) {
    case 0: TvxTheme::DrawFormButton(Kind, Canvas, Name, Info); break;
    case 1: DrawSlot(*this, moWindowCloseButton, Canvas, Info.Rect, Frame); break;
    case 2: DrawSlot(*this, moWindowHelpButton, Canvas, Info.Rect, Frame); break;
    case 3: DrawSlot(*this, moWindowMinButton, Canvas, Info.Rect, Frame); break;
    case 5: DrawSlot(*this, moWindowMaxButton, Canvas, Info.Rect, Frame); break;
    case 4:
    case 6:
    case 8: DrawSlot(*this, moWindowRestoreButton, Canvas, Info.Rect, Frame); break;
  }
}
