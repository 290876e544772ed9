#include "vexel/theme/theme_flat.h"

#include "vexel/theme/theme_flat_paint.h"

namespace {

bool Shown(const TvxWindowInfo& Info, Integer Button) { return (Info.Buttons >> Button) & 1; }

}  // namespace

void DrawFlatCheckMark(HDC DC, Integer X, Integer Y, TColor Color) {
  static const std::vector<TPoint> Lines[] = {
      {{-2, -2}, {0, 0}, {4, -4}, {4, -3}, {0, 1}, {-2, -1}, {-2, -2}},
      {{-3, -2}, {-3, -1}, {0, 2}, {5, -3}, {5, -5}},
  };
  for (const std::vector<TPoint>& Line : Lines) {
    MoveToEx(DC, X + Line[0].X, Y + Line[0].Y, nullptr);
    for (size_t I = 1; I < Line.size(); ++I) LineToColor(DC, X + Line[I].X, Y + Line[I].Y, Color);
  }
}

const TvxThemeClass& TVxFlatTheme::StaticThemeClass() { return MakeThemeClass<TVxFlatTheme>("TVxFlatTheme"); }

TVxFlatTheme::TVxFlatTheme() {
  // The base construction reset the tables with its own defaults.
  ResetDefaults();
  FMenuGutter = 0;
}

TvxThemeConfig TVxFlatTheme::GetFileInfo() {
  TvxThemeConfig Config;
  Config.Builtin = true;
  return Config;
}

void TVxFlatTheme::SetDefaultColors() {
  static const std::pair<TvxThemeColorIndex, TColor> Table[] = {
      {vxcCaptionNormal, 0x9CDEF7},  {vxcCaptionInactive, clBtnFace},
      {vxcWindowBorder, 0x808080},   {vxcWindow, clBtnFace},
      {vxcBorder, 0x8396A0},         {vxcPanelNormal, clBtnFace},
      {vxcPanelDisabled, clBtnFace}, {vxcButtonNormal, clBtnFace},
      {vxcButtonHot, 0xE1EAEB},      {vxcButtonPressed, 0x996633},
      {vxcButtonFocused, 0x996633},  {vxcButtonDisabled, clBtnFace},
      {vxcEditNormal, 0xFFFFFF},     {vxcEditHot, 0xFFFFFF},
      {vxcEditFocused, 0xFFFFFF},    {vxcEditDisabled, 0xFFFFFF},
      {vxcEditSelection, 0xB59285},  {vxcList, 0xFFFFFF},
      {vxcTree, 0xFFFFFF},           {vxcGrid, 0xFFFFFF},
  };
  SetFlatColors(Table);
}

// The entries the table leaves out (Hint, BarDock) keep their values unshifted, so that repeated
// resets never pile shifts on them. A shift of 0 is not applied: going through a pixel and back
// would move some colours by a step and fix the system colours to today's values.
void TVxFlatTheme::SetFlatColors(std::span<const std::pair<TvxThemeColorIndex, TColor>> Table) {
  TvxThemeColors Shifted;
  for (const auto& [Index, Value] : Table) Shifted.SetColor(Index, Value);
  if (DeltaHue() != 0) Shifted.ApplyHue(DeltaHue());
  if (DeltaBrightness() != 0) Shifted.ApplyBrightness(DeltaBrightness());
  for (const auto& [Index, Value] : Table) Colors().SetColor(Index, Shifted.Color(Index));
}

void TVxFlatTheme::SetDefaultFonts() { SetFlatFonts(clBlack, clGray, true); }

void TVxFlatTheme::SetFlatFonts(TColor CaptionNormal, TColor CaptionInactive, bool StaticTexts) {
  const auto Set = [this](Integer Index, Integer Size, TColor Color, TFontStyles Style) {
    TFont& F = UnshiftedFonts().Font(Index);
    F.SetName("Tahoma");
    F.SetSize(Size);
    F.SetColor(Color);
    F.SetStyle(Style);
  };
  const TFontStyles Bold{TFontStyle::fsBold};
  Set(vxfCaptionTextNormal, 10, CaptionNormal, Bold);
  Set(vxfCaptionTextInactive, 10, CaptionInactive, Bold);
  Set(vxfSmCaptionTextNormal, 8, clWhite, Bold);
  Set(vxfSmCaptionTextInactive, 8, clSilver, Bold);
  if (StaticTexts)
    for (Integer I = 4; I <= 7; ++I) Set(I, 8, clBlack, {});
  for (Integer I = 10; I <= 48; ++I) {
    if (I == 32 || I == 33 || (I >= 34 && I <= 36) || (I >= 38 && I <= 40)) continue;
    Set(I, 8, I == 14 || I == 37 || I == 41 ? clGray : clBlack, {});
  }
  Set(vxfEditBoxTextDisabled, 8, clGray, {});
  Set(vxfEditBoxTextSelected, 8, clWhite, {});
  Set(vxfPopupMenuItemTextDisabled, 8, clGray, {});
  Fonts().Assign(&UnshiftedFonts());
  if (DeltaHue() != 0) Fonts().ApplyHue(DeltaHue());
  if (DeltaBrightness() != 0) Fonts().ApplyBrightness(DeltaBrightness());
}

// [Forms]

bool TVxFlatTheme::IsFormDefined(TvxWindowKind Kind, const std::string& Name) { return true; }

HRGN TVxFlatTheme::GetFormRegion(TvxWindowKind Kind, const TRect& R, const std::string& Name) { return nullptr; }

void TVxFlatTheme::GetFormClientRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name) {
  R = Info.Rect;
  if (Kind == 0 || Kind == 1 || Kind == 2 || Kind == 6) R = Deflate(R, 3, 3);
  if (Kind == 0 || Kind == 1) R.Top += 20;
  if (Kind == 6) R.Top += 16;
}

void TVxFlatTheme::GetFormCaptionRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R,
                                      const std::string& Name) {
  TRect C;
  GetFormClientRect(Kind, Info, C, Name);
  R = {C.Left, Info.Rect.Top + 3, C.Right, C.Top};
}

// From the right: close, maximize, minimize, roll, tray, help, 22 pixels wide and 2 apart.
void TVxFlatTheme::GetFormButtonRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name,
                                     TvxTitleButton Button) {
  R = {};
  if (Button > 9 || !Shown(Info, Button)) return;
  TRect C;
  GetFormClientRect(Kind, Info, C, "default");
  if (Button == 0) {
    R = {C.Left, 4, C.Left + 22, C.Top - 1};
    return;
  }
  const Integer Close = Shown(Info, 1);
  const Integer Maximize = Shown(Info, 5) || Shown(Info, 6);
  const Integer Minimize = Shown(Info, 3) || Shown(Info, 4);
  const Integer Roll = Shown(Info, 7) || Shown(Info, 8);
  const Integer Tray = Shown(Info, 9);
  Integer Shifts = 0;
  switch (Button) {
    case 1: Shifts = 0; break;
    case 5:
    case 6: Shifts = Close; break;
    case 3:
    case 4: Shifts = Close + Maximize; break;
    case 7:
    case 8: Shifts = Close + Maximize + Minimize; break;
    case 9: Shifts = Close + Maximize + Minimize + Roll; break;
    case 2: Shifts = Close + Maximize + Minimize + Roll + Tray; break;
  }
  R = TRect{C.Right - 22, 3, C.Right, C.Top}.Offset(-24 * Shifts, 0);
}

void TVxFlatTheme::DrawFormBorder(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                                  const TvxWindowInfo& Info) {
  const HDC DC = Canvas.Handle();
  TRect R = Info.Rect;
  FrameRectColor(DC, R, Color(vxcBorder));
  for (int Ring = 0; Ring < 2; ++Ring) {
    R = Deflate(R, 1, 1);
    DrawBevel(DC, R, Color(vxcButtonNormal), Color(vxcButtonNormal));
  }
  TRect Caption;
  GetFormCaptionRect(Kind, Info, Caption, Name);
  if (!Caption.IsEmpty()) FillBordered(Canvas, Caption, Color(Info.Active ? vxcCaptionNormal : vxcCaptionInactive));
}

void TVxFlatTheme::DrawFormCaptionText(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TRect& R,
                                       const TvxWindowInfo& Info) {
  Canvas.Font().Assign(&Fonts().FontFor(Info.Active ? vxfCaptionTextNormal : vxfCaptionTextInactive, Name));
  TvxTextInfo Text;
  Text.Rect = R;
  // Room for the system-menu icon.
  if (Kind == 0 || Kind == 1) Text.Rect.Left += 20;
  if (Kind == 6) Text.Rect.Left += 5;
  Text.Text = Info.Caption;
  Text.Alignment = 1;
  Text.Flags = vxtfSingleLine | vxtfNoPrefix;
  DrawText(Canvas, Text);
}

void TVxFlatTheme::DrawFormButton(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                                  const TvxTitleButtonInfo& Info) {
  const HDC DC = Canvas.Handle();
  const TRect& R = Info.Rect;
  if (R.Width() <= 0 || R.Height() <= 0) return;
  if (Info.Button == 0) {
    DrawBitmapCentered(Canvas, R, Info.Icon);
    return;
  }
  const bool Pressed = Info.State == 2;
  const TColor Face = Color(Info.State == 1 ? vxcButtonHot : vxcButtonNormal);
  FillBordered(Canvas, R, Face);
  if (Pressed) DrawBevel(DC, Deflate(R, 1, 1), LightenColor(Face, -100), LightenColor(Face, 100));
  if (Info.State == 1) DrawBevel(DC, Deflate(R, 1, 1), LightenColor(Face, 100), LightenColor(Face, -100));

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
      const TRect T = Deflate(R, 5, 7).Offset(Pressed ? -1 : 0, Pressed ? -1 : 0);
      const Integer Middle = (T.Left + T.Right) / 2;
      if (Info.Button == 7)
        FillPolygon(DC, {{T.Left, T.Bottom}, {T.Right, T.Bottom}, {Middle, T.Top}}, clBlack);
      else
        FillPolygon(DC, {{T.Left, T.Top}, {T.Right, T.Top}, {Middle, T.Bottom}}, clBlack);
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
  DrawFlatGlyph(DC, R, DFC_CAPTION, Caption | (Pressed ? DFCS_PUSHED : 0), clBlack);
}

// [Which groups are drawn]

bool TVxFlatTheme::IsHintDefined() { return false; }
bool TVxFlatTheme::IsLabelDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsLabelTransparent(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsPanelDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsPanelTransparent(Byte, const std::string&) { return false; }
bool TVxFlatTheme::IsButtonDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsButtonTransparent(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsCheckBoxDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsCheckBoxTransparent(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsSplitterDefined(Byte) { return true; }
bool TVxFlatTheme::IsSplitterTransparent(Byte) { return false; }
bool TVxFlatTheme::IsScrollBarDefined(Byte Kind, const std::string&) { return Kind == 0; }
bool TVxFlatTheme::IsScrollBarTransparent(Byte, const std::string&) { return false; }
bool TVxFlatTheme::IsProgressBarDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsProgressBarTransparent(Byte, const std::string&) { return false; }
bool TVxFlatTheme::IsTrackBarDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsTrackBarTransparent(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsHeaderDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsHeaderTransparent(Byte, const std::string&) { return false; }
bool TVxFlatTheme::IsStatusBarDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsStatusBarTransparent(Byte, const std::string&) { return false; }
bool TVxFlatTheme::IsEditDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsEditTransparent(Byte, const std::string&) { return false; }
bool TVxFlatTheme::IsGroupBoxDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsGroupBoxTransparent(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsEditFrameDefined(Byte) { return true; }
bool TVxFlatTheme::IsEditFrameTransparent(Byte) { return false; }
bool TVxFlatTheme::IsBoxDefined(Byte) { return true; }
bool TVxFlatTheme::IsBoxTransparent(Byte) { return false; }
bool TVxFlatTheme::IsMenuDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsMenuTransparent(Byte, const std::string&) { return false; }
bool TVxFlatTheme::IsControlBarDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsToolBarDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsScrollBoxDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsHeaderPanelDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsHeaderPanelTransparent(Byte, const std::string&) { return false; }
bool TVxFlatTheme::IsTabDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsTabTransparent(Byte, const std::string&) { return false; }
bool TVxFlatTheme::IsListBoxDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsListBoxTransparent(Byte, const std::string&) { return false; }
bool TVxFlatTheme::IsTreeDefined(Byte) { return true; }
bool TVxFlatTheme::IsTreeTransparent(Byte) { return false; }
bool TVxFlatTheme::IsGridDefined(Byte, const std::string&) { return true; }
bool TVxFlatTheme::IsGridTransparent(Byte, const std::string&) { return false; }

void TVxFlatTheme::FillBordered(TCanvas& Canvas, const TRect& R, TColor Fill) const {
  FillFramed(Canvas, R, Fill, Color(vxcBorder));
}
