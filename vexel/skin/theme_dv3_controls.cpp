// TVxSkinFile: every control group. Each operation picks its object (a named top-level object or
// the table entry for the kind), finds the part inside it, maps the control's state byte to an
// object state, then places the part on the rectangle and paints it.
#include <windows.h>

#include <optional>

#include "vexel/skin/theme_dv3_paint.h"

using namespace dv3;
using enum TDvObjectState;

namespace {

// Byte codes of a group to object states; codes past the end are osNormal.
TDvObjectState MapState(Byte Code, std::initializer_list<TDvObjectState> States) {
  return Code < States.size() ? States.begin()[Code] : osNormal;
}

TRect Unmargined(const TRect& R, const TDvSkinObject* Part) {
  return Part ? Narrow(R, Part->MarginLeft(), Part->MarginTop(), Part->MarginRight(), Part->MarginBottom()) : R;
}

bool MaskedPart(TDvSkinObject* Object, const char* Part) {
  TDvSkinObject* Found = FindPart(Object, {Part});
  return Found && Found->Masked();
}

// A 7 x 4 triangle centred in R, pointing up or down.
void PaintScrollTriangle(HDC DC, const TRect& R, bool Up, TColor Color) {
  const Integer L = R.Left + (R.Width() - 7) / 2, T = R.Top + (R.Height() - 4) / 2;
  for (Integer Row = 0; Row < 4; ++Row) {
    const Integer Half = Up ? Row : 3 - Row;
    FillRectXY(DC, L + 3 - Half, T + Row, L + 4 + Half, T + Row + 1, Color);
  }
}

// Object painted at the rectangle's size turned by a quarter (or half) turn; the key colour
// stays out when the result reaches the canvas.
enum class TTurn { CounterClockwise, Clockwise, UpsideDown };

void PaintTurned(TDvSkinObject& Object, TCanvas& Canvas, const TRect& R, TTurn Turn) {
  const Integer W = R.Width(), H = R.Height();
  if (W <= 0 || H <= 0) return;
  const bool Quarter = Turn != TTurn::UpsideDown;
  try {
    TvxBitmap Upright, Result;
    Upright.SetSize(Quarter ? H : W, Quarter ? W : H);
    Upright.Fill(vxKeyColor);
    {
      // A probe asks about the upright pixel that lands on its point, and about no other.
      std::optional<TDvDrawProbe> Turned;
      TPoint P;
      if (DrawProbePoint(Canvas.Handle(), P) && R.Contains(P.X, P.Y)) {
        const Integer X = P.X - R.Left, Y = P.Y - R.Top;
        Turned.emplace(*DrawProbe());
        Turned->Point = Turn == TTurn::CounterClockwise ? TPoint{Upright.Width() - 1 - Y, X}
                        : Turn == TTurn::Clockwise      ? TPoint{Y, W - 1 - X}
                                                        : TPoint{X, H - 1 - Y};
      }
      TDrawProbeScope Probe(Turned ? &*Turned : nullptr);
      TCanvas UprightCanvas(Upright.DC());
      PlaceAndPaint(&Object, UprightCanvas, Upright.BoundsRect());
    }
    if (Quarter) {
      Result.SetSize(W, H);
      const Integer SW = Upright.Width();
      for (Integer Y = 0; Y < Upright.Height(); ++Y)
        for (Integer X = 0; X < SW; ++X) {
          const TvxColor P = *Upright.PixelPtr(X, Y);
          if (Turn == TTurn::CounterClockwise)
            *Result.PixelPtr(Y, SW - 1 - X) = P;
          else
            *Result.PixelPtr(W - 1 - Y, X) = P;
        }
    } else {
      Upright.FlipVertical();
    }
    TvxBitmap& Out = Quarter ? Result : Upright;
    Out.SetTransparent(true);
    Out.Draw(Canvas.Handle(), R.Left, R.Top);
  } catch (...) {
    // Without the temporary image the tab is left unpainted.
  }
}

// DrawButtonText's alignment byte for a text object's TextAlign.
constexpr Byte TextAlignCodes[] = {0, 3, 6, 1, 4, 7, 2, 5, 8};

}  // namespace

// [Panels] ---------------------------------------------------------------------------------------

bool TVxSkinFile::IsPanelDefined(Byte Kind, const std::string& Name) {
  return Kind == 0 && DefaultObject(TVxSkinEntry::Container);
}

void TVxSkinFile::GetPanelClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  TDvSkinObject* Part = FindPart(NamedOr(Name, TVxSkinEntry::Container), {"Panel"});
  if (Part) Part->SetBounds(R);
  Client = Unmargined(R, Part);
}

void TVxSkinFile::DrawPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  PlaceAndPaint(FindPart(NamedOr(Name, TVxSkinEntry::Container), {"Panel"}), Canvas, R);
}

// [Buttons] --------------------------------------------------------------------------------------

namespace {
bool IsButtonKind(Byte Kind) { return Kind == 0 || (Kind >= 4 && Kind <= 7); }
}  // namespace

bool TVxSkinFile::IsButtonDefined(Byte Kind, const std::string& Name) {
  if (!IsButtonKind(Kind)) return false;
  if (Named(Name)) return true;
  if (Kind == 0) return DefaultObject(TVxSkinEntry::Button);
  return (Kind == 4 || Kind == 5) && DefaultObject(TVxSkinEntry::SpinButton);
}

namespace {
TDvSkinObject* ButtonObject(TVxSkinFile& Theme, Byte Kind, const std::string& Name) {
  if (!IsButtonKind(Kind)) return nullptr;
  if (TDvSkinObject* Object = Theme.Named(Name)) return Object;
  if (Kind == 0) return Theme.DefaultObject(TVxSkinEntry::Button);
  if (Kind == 4 || Kind == 5) return Theme.DefaultObject(TVxSkinEntry::SpinButton);
  return nullptr;
}
}  // namespace

bool TVxSkinFile::IsButtonTransparent(Byte Kind, const std::string& Name) {
  return MaskedPart(ButtonObject(*this, Kind, Name), "Face");
}

void TVxSkinFile::DrawButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  TDvSkinObject* Object = ButtonObject(*this, Kind, Name);
  if (!Object) return;
  TDvSkinObject* Face = FindPart(Object, {"Face"});
  if (!Face) Face = Object;
  PlaceAndPaint(Face, Canvas, Info.Rect,
                MapState(Info.State,
                         {osNormal, osHot, osPressed, osDisabled, osFocused, osNormal, osNormal, osNormal, osPressed}));
  if (Kind < 4) return;
  static constexpr UINT Arrows[] = {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT};
  const TRect Arrow = Info.State == 2 ? Info.Rect.Offset(1, 1) : Info.Rect;
  DrawFrameControlColor(Canvas.Handle(), Arrow, DFC_SCROLL, Colors().Color(vxcBorder), Arrows[Kind - 4]);
}

void TVxSkinFile::DrawButtonText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                 Byte State) {
  TDvSkinObject* Object = Named(Name);
  if (!Object) return TvxTheme::DrawButtonText(Kind, Canvas, Name, Info, State);
  TvxTextInfo Text = Info;
  if (auto* TextObject = dynamic_cast<TDvTextObject*>(Object))
    Text.Alignment = TextAlignCodes[size_t(TextObject->TextAlign())];
  DrawText(Canvas, Text);
}

// [Check boxes and radio buttons] ----------------------------------------------------------------

namespace {
TDvSkinObject* CheckObject(const TVxSkinFile& Theme, Byte Kind) {
  if (Kind == 0) return Theme.DefaultObject(TVxSkinEntry::Checkbox);
  if (Kind == 1) return Theme.DefaultObject(TVxSkinEntry::RadioButton);
  return nullptr;
}
}  // namespace

bool TVxSkinFile::IsCheckBoxDefined(Byte Kind, const std::string& Name) { return CheckObject(*this, Kind); }

bool TVxSkinFile::IsCheckBoxTransparent(Byte Kind, const std::string& Name) { return true; }

void TVxSkinFile::DrawCheckBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  TDvSkinObject* Object = CheckObject(*this, Kind);
  const Byte Check = Info.State / 5, Mouse = Info.State % 5;
  static const char* const Parts[] = {"Checked", "Unchecked", "Mixed"};
  if (!Object || Check > 2 || (Check == 2 && Kind != 0)) return;
  PaintCentred(FindPart(Object, {Parts[Check]}), Canvas, Info.Rect,
               MapState(Mouse, {osNormal, osHot, osPressed, osDisabled}));
}

// [Splitters] ------------------------------------------------------------------------------------

bool TVxSkinFile::IsSplitterDefined(Byte Kind) { return Kind == 0 && DefaultObject(TVxSkinEntry::Splitter); }

void TVxSkinFile::DrawSplitter(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  PlaceAndPaint(DefaultObject(TVxSkinEntry::Splitter), Canvas, R);
}

// [Scroll bars] The record's first byte is the part, the second the state. -----------------------

namespace {
TDvObjectState ScrollState(Byte Code) { return MapState(Code, {osNormal, osPressed, osHot, osDisabled}); }
}  // namespace

bool TVxSkinFile::IsScrollBarDefined(Byte Kind, const std::string& Name) {
  return Named(Name) || (Kind == 0 && DefaultObject(TVxSkinEntry::ScrollBar));
}

bool TVxSkinFile::IsScrollBarTransparent(Byte Kind, const std::string& Name) {
  if (TDvSkinObject* Object = Named(Name)) return Object->Masked();
  TDvSkinObject* Object = Kind == 0 ? DefaultObject(TVxSkinEntry::ScrollBar) : nullptr;
  return Object && Object->Masked();
}

void TVxSkinFile::DrawScrollBarFrame(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  PlaceAndPaint(FindPart(NamedOr(Name, TVxSkinEntry::ScrollBox), {"Frame"}), Canvas, R);
}

void TVxSkinFile::DrawScrollBarPart(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  const char* Part = nullptr;
  switch (Info.State) {
    case 0: Part = "TopButton"; break;
    case 1: Part = "BottomButton"; break;
    case 4: Part = "LeftButton"; break;
    case 5: Part = "RightButton"; break;
    case 8: Part = "HorzSlider"; break;
    case 9: Part = "VertSlider"; break;
    default: return;
  }
  PlaceAndPaint(FindPart(NamedOr(Name, TVxSkinEntry::ScrollBar), {Part}), Canvas, Info.Rect, ScrollState(Info.Part));
}

void TVxSkinFile::DrawScrollBarTrack(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  PlaceAndPaint(FindPart(NamedOr(Name, TVxSkinEntry::ScrollBar), {Info.State != 0 ? "HorzFrame" : "VertFrame"}), Canvas,
                Info.Rect, ScrollState(Info.Part));
}

// [Progress bars] The first byte is the part. ----------------------------------------------------

bool TVxSkinFile::IsProgressBarDefined(Byte Kind, const std::string& Name) {
  return Named(Name) || (Kind == 0 && DefaultObject(TVxSkinEntry::ProgressBar));
}

bool TVxSkinFile::IsProgressBarTransparent(Byte Kind, const std::string& Name) {
  TDvSkinObject* Object = Named(Name);
  if (!Object && Kind == 0) Object = DefaultObject(TVxSkinEntry::ProgressBar);
  return MaskedPart(Object, "Frame");
}

void TVxSkinFile::DrawProgressBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  TDvSkinObject* Object = NamedOr(Name, TVxSkinEntry::ProgressBar);
  TDvSkinObject* Part = nullptr;
  switch (Info.State) {
    case 0: Part = FindPart(Object, {"FrameVert", "Frame"}); break;
    case 1: Part = FindPart(Object, {"FrameHorz", "Frame"}); break;
    case 2: Part = FindPart(Object, {"BarVert", "Bar"}); break;
    case 3: Part = FindPart(Object, {"BarHorz", "Bar"}); break;
    case 4: Part = FindPart(Object, {"SolidVert", "Solid", "BarVert", "Bar"}); break;
    case 5: Part = FindPart(Object, {"SolidHorz", "Solid", "BarHorz", "Bar"}); break;
    default: return;
  }
  PlaceAndPaint(Part, Canvas, Info.Rect);
}

// [Track bars] The first byte is the part, the second the state. ---------------------------------

bool TVxSkinFile::IsTrackBarDefined(Byte Kind, const std::string& Name) {
  return Kind <= 1 && DefaultObject(TVxSkinEntry::TrackBar);
}

bool TVxSkinFile::IsTrackBarTransparent(Byte Kind, const std::string& Name) { return true; }

void TVxSkinFile::DrawTrackBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {}

void TVxSkinFile::DrawTrackBarTrack(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  TDvSkinObject* Object = DefaultObject(TVxSkinEntry::TrackBar);
  // Another part has no own object: the plain track.
  const char* Own = Info.State == 0 ? "TrackVert" : Info.State == 1 ? "TrackHorz" : "Track";
  PlaceAndPaint(FindPart(Object, {Own, "Track"}), Canvas, Info.Rect, Info.Part == 1 ? osDisabled : osNormal);
}

void TVxSkinFile::DrawTrackBarThumb(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  static const char* const Sides[] = {"ThumbVertBoth", "ThumbVertRight",  "ThumbVertLeft",
                                      "ThumbHorzBoth", "ThumbHorzBottom", "ThumbHorzTop"};
  // Another part has no own object: the plain thumb.
  const bool Sided = Info.State <= 5;
  const char* Own = Sided ? Sides[Info.State] : "Thumb";
  const char* Family = !Sided ? "Thumb" : Info.State < 3 ? "ThumbVert" : "ThumbHorz";
  PaintCentred(FindPart(DefaultObject(TVxSkinEntry::TrackBar), {Own, Family, "Thumb"}), Canvas, Info.Rect,
               MapState(Info.Part, {osNormal, osHot, osPressed, osFocused, osDisabled}));
}

// [Header controls] The first byte is the part, the second the state. ----------------------------

bool TVxSkinFile::IsHeaderDefined(Byte Kind, const std::string& Name) {
  return Kind == 0 && DefaultObject(TVxSkinEntry::Header);
}

void TVxSkinFile::DrawHeader(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  TDvSkinObject* Frame = FindPart(DefaultObject(TVxSkinEntry::Header), {"Frame"});
  if (!Frame) return TvxTheme::DrawHeader(Kind, Canvas, Name, R);
  PlaceAndPaint(Frame, Canvas, R);
}

void TVxSkinFile::DrawHeaderSection(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  PlaceAndPaint(FindPart(DefaultObject(TVxSkinEntry::Header), {"Section"}), Canvas, Info.Rect,
                MapState(Info.Part, {osNormal, osPressed, osDisabled, osHot, osHot, osPressed, osDisabled}));
}

// [Status bars] The first byte is the part. ------------------------------------------------------

bool TVxSkinFile::IsStatusBarDefined(Byte Kind, const std::string& Name) {
  return Kind == 0 && DefaultObject(TVxSkinEntry::StatusBar);
}

void TVxSkinFile::DrawStatusBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  PlaceAndPaint(FindPart(DefaultObject(TVxSkinEntry::StatusBar), {"Frame"}), Canvas, R);
}

void TVxSkinFile::DrawStatusPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  if (Info.State > 3) return;
  PlaceAndPaint(FindPart(DefaultObject(TVxSkinEntry::StatusBar), {Info.State == 3 ? "Gripper" : "Panel"}), Canvas,
                Info.Rect, osNormal);
}

void TVxSkinFile::DrawStatusPanelText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                      Byte State) {
  TvxTextInfo Text = Info;
  if (TDvSkinObject* Panel = FindPart(NamedOr(Name, TVxSkinEntry::StatusBar), {"Panel"}))
    Text.Rect = Narrow(Text.Rect, Panel->TextMarginLeft(), Panel->TextMarginTop(), Panel->TextMarginRight(), 0);
  DrawText(Canvas, Text);
}

// [Edits and combo boxes] The first byte is the state; the edit button's second byte its kind. ---

namespace {
TDvSkinObject* EditObject(const TVxSkinFile& Theme, Byte Kind) {
  if (Kind == 0) return Theme.DefaultObject(TVxSkinEntry::Edit);
  if (Kind == 5 || Kind == 6) return Theme.DefaultObject(TVxSkinEntry::ComboBox);
  return nullptr;
}
}  // namespace

bool TVxSkinFile::IsEditDefined(Byte Kind, const std::string& Name) { return EditObject(*this, Kind); }

void TVxSkinFile::GetEditClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Narrow(R, 4, 4, 4, 4);
}

void TVxSkinFile::DrawEdit(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  TDvSkinObject* Object = EditObject(*this, Kind);
  if (!Object) return;
  if (Info.State == 6) return FillRectColor(Canvas.Handle(), Info.Rect, Colors().Color(vxcEditSelection));
  PlaceAndPaint(FindPart(Object, {"Frame"}), Canvas, Info.Rect,
                MapState(Info.State, {osNormal, osHot, osNormal, osNormal, osDisabled}));
}

void TVxSkinFile::DrawEditButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  TDvSkinObject* Object = nullptr;
  if (Info.Part == 0) Object = DefaultObject(TVxSkinEntry::ComboBox);
  if (Info.Part >= 2 && Info.Part <= 9) Object = DefaultObject(TVxSkinEntry::Edit);
  PlaceAndPaint(FindPart(Object, {"Button"}), Canvas, Info.Rect,
                MapState(Info.State, {osNormal, osHot, osPressed, osNormal, osDisabled}));
}

// [Group boxes] ----------------------------------------------------------------------------------

bool TVxSkinFile::IsGroupBoxDefined(Byte Kind, const std::string& Name) {
  return Kind == 0 && DefaultObject(TVxSkinEntry::GroupBox);
}

namespace {
TDvSkinObject* GroupFrame(const TVxSkinFile& Theme) {
  TDvSkinObject* Object = Theme.DefaultObject(TVxSkinEntry::GroupBox);
  TDvSkinObject* Frame = FindPart(Object, {"Frame"});
  return Frame ? Frame : Object;
}
}  // namespace

bool TVxSkinFile::IsGroupBoxTransparent(Byte Kind, const std::string& Name) {
  TDvSkinObject* Frame = GroupFrame(*this);
  return Frame && Frame->Masked();
}

void TVxSkinFile::DrawGroupBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGroupBoxInfo& Info) {
  TDvSkinObject* Frame = GroupFrame(*this);
  if (!Frame) return;
  // The frame leaves a gap for the caption: what lies under the caption is put back.
  const TRect& Gap = Info.CaptionRect;
  TvxBitmap Saved;
  bool HasGap = false;
  if (!Gap.IsEmpty()) {
    try {
      Saved.SetSize(Gap.Width(), Gap.Height());
      HasGap = BitBlt(Saved.DC(), 0, 0, Gap.Width(), Gap.Height(), Canvas.Handle(), Gap.Left, Gap.Top, SRCCOPY);
    } catch (...) {
    }
  }
  // What a probe knew before the frame stands where the gap is put back.
  std::optional<TvxPaintProbe> Before;
  TPoint P;
  if (HasGap && PaintProbe() && DrawProbePoint(Canvas.Handle(), P) && Gap.Contains(P.X, P.Y)) Before = *PaintProbe();
  PlaceAndPaint(Frame, Canvas, Info.Rect, Info.State == 1 ? osDisabled : osNormal);
  if (Before) *PaintProbe() = *Before;
  if (HasGap) BitBlt(Canvas.Handle(), Gap.Left, Gap.Top, Gap.Width(), Gap.Height(), Saved.DC(), 0, 0, SRCCOPY);
}

// [Edit frames and boxes] ------------------------------------------------------------------------

bool TVxSkinFile::IsEditFrameDefined(Byte Kind) { return Kind == 0 && DefaultObject(TVxSkinEntry::Edit); }

void TVxSkinFile::GetEditFrameClientRect(const TRect& R, TRect& Client) { Client = Narrow(R, 4, 4, 4, 4); }

void TVxSkinFile::DrawEditFrame(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  PlaceAndPaint(FindPart(DefaultObject(TVxSkinEntry::Edit), {"Frame"}), Canvas, Info.Rect,
                Info.State == 3 ? osDisabled : osNormal);
}

bool TVxSkinFile::IsBoxDefined(Byte Kind) { return false; }
bool TVxSkinFile::IsBoxTransparent(Byte Kind) { return false; }

// [Menus] The item record's first byte is the part, the second the state. ------------------------

namespace {
TDvSkinObject* MenuObject(const TVxSkinFile& Theme, Byte Kind) {
  if (Kind == 0) return Theme.DefaultObject(TVxSkinEntry::MenuBar);
  if (Kind == 1) return Theme.DefaultObject(TVxSkinEntry::PopupMenu);
  return nullptr;
}
}  // namespace

bool TVxSkinFile::IsMenuDefined(Byte Kind, const std::string& Name) { return MenuObject(*this, Kind); }

void TVxSkinFile::GetMenuClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  TDvSkinObject* Object = MenuObject(*this, Kind);
  if (!Object) return TvxTheme::GetMenuClientRect(Kind, R, Client, Name);
  Client = Unmargined(R, FindPart(Object, {"Frame"}));
}

void TVxSkinFile::DrawMenu(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  PlaceAndPaint(FindPart(MenuObject(*this, Kind), {"Frame"}), Canvas, R);
}

void TVxSkinFile::DrawMenuItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxMenuItemInfo& Info) {
  TDvSkinObject* Object = MenuObject(*this, Kind);
  if (!Object) return;
  const Byte Part = Info.State;
  const TDvObjectState State = MapState(Info.Part, {osNormal, osHot, osFocused, osDisabled});
  switch (Part) {
    case 0: return PlaceAndPaint(FindPart(Object, {"Item"}), Canvas, Info.Rect, State);
    case 1: {
      TDvSkinObject* Separator = FindPart(Object, {Kind == 0 ? "separator" : "Separator", "item"});
      if (!Separator) return;
      Separator->SetText(L"-");
      PlaceAndPaint(Separator, Canvas, Info.Rect, osNormal);
      Separator->SetText(std::wstring());
      return;
    }
    case 3:
    case 4: {
      // The menu bar scrolls nothing: its scroll buttons are the popup menu's.
      TDvSkinObject* Popup = MenuObject(*this, 1);
      PlaceAndPaint(FindPart(Popup, {Part == 3 ? "upbutton" : "downbutton", "item"}), Canvas, Info.Rect, State);
      static constexpr Integer Fonts_[] = {vxfMenuItemTextNormal, vxfMenuItemTextHot, vxfMenuItemTextSelected,
                                           vxfMenuItemTextDisabled};
      const Integer Font = Fonts_[Info.Part < 4 ? Info.Part : 0];
      return PaintScrollTriangle(Canvas.Handle(), Info.Rect, Part == 3, Fonts().Font(Font).Color());
    }
    case 7:
    case 8:
    case 9: {
      static const char* const Names[] = {"Min", "Restore", "Close"};
      static constexpr UINT Glyphs[] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
      TDvSkinObject* Button = Kind == 0 ? FindPart(Object, {Names[Part - 7]}) : nullptr;
      if (Button) return PaintCentred(Button, Canvas, Info.Rect, State);
      return DrawFrameControlColor(Canvas.Handle(), Info.Rect, DFC_CAPTION, clBlack, Glyphs[Part - 7]);
    }
    default: return;
  }
}

// [Control bars and tool bars] Tool items: the first byte is the part, the second the state. ----

bool TVxSkinFile::IsControlBarDefined(Byte Kind, const std::string& Name) {
  return NamedOr(Name, TVxSkinEntry::ControlBar);
}

void TVxSkinFile::GetControlBarClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = R;
}

void TVxSkinFile::DrawControlBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  PlaceAndPaint(FindPart(NamedOr(Name, TVxSkinEntry::ControlBar), {"Back"}), Canvas, R);
}

bool TVxSkinFile::IsToolBarDefined(Byte Kind, const std::string& Name) {
  return Named(Name) || (Kind <= 1 && DefaultObject(TVxSkinEntry::ControlBar));
}

void TVxSkinFile::DrawToolBar(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  if (Kind == 2) return DrawMenu(1, Canvas, Name, R);
  PlaceAndPaint(FindPart(NamedOr(Name, TVxSkinEntry::ControlBar), {"Frame"}), Canvas, R);
}

void TVxSkinFile::DrawToolBarItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxToolItemInfo& Info) {
  TDvSkinObject* Object = NamedOr(Name, TVxSkinEntry::SpeedButton);
  TDvSkinObject* Bar = NamedOr(Name, TVxSkinEntry::ControlBar);
  const TDvObjectState State =
      MapState(Info.Part, {osNormal, osHot, osPressed, osDisabled, osNormal, osPressed, osPressed});
  TDvSkinObject* Face = FindPart(Object, {"FlatFace", "Face"});
  if (!Face) Face = Object;
  switch (Info.State) {
    case 0:
    case 3:
    case 5: return PlaceAndPaint(Face, Canvas, Info.Rect, State);
    case 1: return PlaceAndPaint(FindPart(Object, {"Separator"}), Canvas, Narrow(Info.Rect, 0, 2, 0, 2), osNormal);
    case 4: {
      TDvSkinObject* Chevron = FindPart(Object, {"FlatChevron", "Chevron"});
      return PlaceAndPaint(Chevron ? Chevron : Face, Canvas, Info.Rect, State);
    }
    case 13: return PlaceAndPaint(FindPart(Bar, {"Grabber"}), Canvas, Info.Rect, State);
    case 14: return PlaceAndPaint(FindPart(Bar, {"GrabberVert", "Grabber"}), Canvas, Info.Rect, State);
    default: return;
  }
}

// [Scroll boxes] ---------------------------------------------------------------------------------

bool TVxSkinFile::IsScrollBoxDefined(Byte Kind, const std::string& Name) {
  return Named(Name) || (Kind == 0 && DefaultObject(TVxSkinEntry::ScrollBox));
}

void TVxSkinFile::GetScrollBoxClientRect(const TRect& R, TRect& Client) { Client = R; }

void TVxSkinFile::DrawScrollBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  PlaceAndPaint(FindPart(NamedOr(Name, TVxSkinEntry::ScrollBox), {"Frame"}), Canvas, R);
}

// [Header panels] Buttons: the first byte is the part, the second the state. --------------------

namespace {
TDvSkinObject* HeaderPanelObject(TVxSkinFile& Theme, Byte Kind, const std::string& Name) {
  if (TDvSkinObject* Object = Theme.Named(Name)) return Object;
  return Kind == 1 ? Theme.DefaultObject(TVxSkinEntry::Panel) : nullptr;
}
}  // namespace

bool TVxSkinFile::IsHeaderPanelDefined(Byte Kind, const std::string& Name) {
  return HeaderPanelObject(*this, Kind, Name);
}

bool TVxSkinFile::IsHeaderPanelTransparent(Byte Kind, const std::string& Name) {
  if (TDvSkinObject* Object = Named(Name)) return Object->Masked();
  return Kind == 1 && MaskedPart(DefaultObject(TVxSkinEntry::Panel), "Caption");
}

void TVxSkinFile::GetHeaderPanelClientRect(const TRect& R, TRect& Client) { Client = R; }

void TVxSkinFile::DrawHeaderPanel(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  PlaceAndPaint(FindPart(HeaderPanelObject(*this, Kind, Name), {"Frame"}), Canvas, R);
}

void TVxSkinFile::DrawHeaderPanelCaption(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  PlaceAndPaint(FindPart(HeaderPanelObject(*this, Kind, Name), {"Caption"}), Canvas, R);
}

void TVxSkinFile::DrawHeaderPanelButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  static const char* const Buttons[] = {"ButtonRollup", "ButtonRollDown", "ButtonHide"};
  if (Info.State < 1 || Info.State > 3) return;
  PlaceAndPaint(FindPart(HeaderPanelObject(*this, Kind, Name), {Buttons[Info.State - 1]}), Canvas, Info.Rect,
                MapState(Info.Part, {osNormal, osHot, osPressed, osDisabled}));
}

// [Tab controls] The first byte is the tab's position (or the scroll button), the second the
// state. -----------------------------------------------------------------------------------------

namespace {
TDvSkinObject* TabsObject(TVxSkinFile& Theme, Byte Kind, const std::string& Name) {
  if (TDvSkinObject* Object = Theme.Named(Name)) return Object;
  return Kind <= 1 ? Theme.DefaultObject(TVxSkinEntry::Tabs) : nullptr;
}
}  // namespace

bool TVxSkinFile::IsTabDefined(Byte Kind, const std::string& Name) { return TabsObject(*this, Kind, Name); }

void TVxSkinFile::GetTabClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Narrow(R, 2, 2, 2, 2);
}

void TVxSkinFile::DrawTabPane(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  PlaceAndPaint(FindPart(TabsObject(*this, Kind, Name), {"Frame"}), Canvas, R);
}

void TVxSkinFile::DrawTab(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  TDvSkinObject* Object = TabsObject(*this, Kind, Name);
  const Byte Position = Info.State;
  if (!Object || Position > 11) return;
  const char* Side = Position <= 2 ? "TabTop" : Position <= 5 ? "TabLeft" : "TabRight";
  const TDvObjectState State = MapState(Info.Part, {osNormal, osHot, osDisabled, osFocused});
  if (TDvSkinObject* Tab = FindPart(Object, {Side})) return PlaceAndPaint(Tab, Canvas, Info.Rect, State);
  TDvSkinObject* Tab = FindPart(Object, {"Tab"});
  if (!Tab) return;
  Tab->SetState(State);
  if (Position <= 2) return PlaceAndPaint(Tab, Canvas, Info.Rect);
  // The upright tab stands in for the other sides, turned to face them.
  PaintTurned(*Tab, Canvas, Info.Rect,
              Position <= 5   ? TTurn::CounterClockwise
              : Position <= 8 ? TTurn::Clockwise
                              : TTurn::UpsideDown);
}

void TVxSkinFile::DrawTabScrollButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  PlaceAndPaint(FindPart(TabsObject(*this, Kind, Name), {Info.State == 1 ? "LeftButton" : "RightButton"}), Canvas,
                Info.Rect, MapState(Info.Part, {osNormal, osHot, osPressed, osDisabled}));
}

// The record's first byte is the tab's side: its text turns with it.
void TVxSkinFile::DrawTabText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                              const TvxStateInfo& State) {
  TvxTextInfo Text = Info;
  if (State.State >= 3 && State.State <= 5) Text.Effect = 2;
  if (State.State >= 6 && State.State <= 8) Text.Effect = 1;
  DrawText(Canvas, Text);
}

// [List boxes, trees and grids] The first byte is the state. -------------------------------------

namespace {
TDvObjectState ItemState(Byte Code) { return MapState(Code, {osNormal, osNormal, osFocused, osFocused, osDisabled}); }

TDvSkinObject* ListObject(TVxSkinFile& Theme, Byte Kind, const std::string& Name) {
  if (TDvSkinObject* Object = Theme.Named(Name)) return Object;
  return Kind == 0 ? Theme.DefaultObject(TVxSkinEntry::ListBox) : nullptr;
}
}  // namespace

bool TVxSkinFile::IsListBoxDefined(Byte Kind, const std::string& Name) { return ListObject(*this, Kind, Name); }

void TVxSkinFile::GetListBoxClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  TDvSkinObject* Object = ListObject(*this, Kind, Name);
  if (!Object) return TvxTheme::GetListBoxClientRect(Kind, R, Client, Name);
  Client = Unmargined(R, FindPart(Object, {"Frame"}));
}

void TVxSkinFile::DrawListBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  PlaceAndPaint(FindPart(ListObject(*this, Kind, Name), {"Frame"}), Canvas, R);
}

void TVxSkinFile::DrawListBoxItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  PlaceAndPaint(FindPart(ListObject(*this, Kind, Name), {"Item"}), Canvas, Info.Rect, ItemState(Info.State));
}

void TVxSkinFile::DrawListBoxCheck(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxCheckGlyphInfo& Glyph,
                                   const TvxStateInfo& State) {
  if (Glyph.CheckState == 3) {
    if (!Glyph.Bitmap || Glyph.Bitmap->Empty()) return;
    const TRect& R = Glyph.Rect;
    Glyph.Bitmap->Draw(Canvas.Handle(), R.Left + (R.Width() - Glyph.Bitmap->Width()) / 2,
                       R.Top + (R.Height() - Glyph.Bitmap->Height()) / 2);
    return;
  }
  if (Glyph.CheckState > 2) return;
  static const char* const Parts[] = {"Checked", "Unchecked", "Mixed"};
  TDvSkinObject* List = ListObject(*this, Kind, Name);
  TDvSkinObject* Boxes = DefaultObject(TVxSkinEntry::Checkbox);
  const char* Part = Parts[Glyph.CheckState];
  TDvSkinObject* Check = FindPart(List, {Part});
  if (!Check) Check = FindPart(Boxes, {Part});
  if (!Check && Glyph.CheckState == 2) Check = FindPart(List, {"Checked"});
  if (!Check && Glyph.CheckState == 2) Check = FindPart(Boxes, {"Checked"});
  PaintCentred(Check, Canvas, Glyph.Rect, ItemState(State.State));
}

bool TVxSkinFile::IsTreeDefined(Byte Kind) { return Kind == 0 && DefaultObject(TVxSkinEntry::ListBox); }

void TVxSkinFile::GetTreeClientRect(Byte Kind, const TRect& R, TRect& Client) {}

void TVxSkinFile::DrawTree(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  PlaceAndPaint(FindPart(DefaultObject(TVxSkinEntry::ListBox), {"Frame"}), Canvas, R);
}

void TVxSkinFile::DrawTreeItem(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  PlaceAndPaint(FindPart(DefaultObject(TVxSkinEntry::ListBox), {"Item"}), Canvas, Info.Rect, ItemState(Info.State));
}

bool TVxSkinFile::IsGridDefined(Byte Kind, const std::string& Name) {
  return Kind == 0 && DefaultObject(TVxSkinEntry::Grid);
}

void TVxSkinFile::GetGridClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {}

void TVxSkinFile::DrawGrid(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  PlaceAndPaint(FindPart(DefaultObject(TVxSkinEntry::Grid), {"Frame"}), Canvas, R);
}

// The second byte is 1 for a fixed cell.
void TVxSkinFile::DrawGridCell(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  PlaceAndPaint(FindPart(DefaultObject(TVxSkinEntry::Grid), {Info.Part == 1 ? "Fixed" : "Cell"}), Canvas, Info.Rect,
                MapState(Info.State, {osNormal, osHot, osFocused, osFocused, osDisabled}));
}
