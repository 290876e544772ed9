// TVxSkinFile: window frames, title buttons, caption text, hit testing and hints.
#include "vexel/skin/theme_dv3_paint.h"

using namespace dv3;

namespace {

// Title button (TvxTitleButton 0..9) to the action of the system button that shows it.
constexpr TDvAction ButtonActions[] = {
    TDvAction::sbaSysMenu,  TDvAction::sbaClose,   TDvAction::sbaHelp,   TDvAction::sbaMinimize, TDvAction::sbaMinimize,
    TDvAction::sbaMaximize, TDvAction::sbaRestore, TDvAction::sbaRollUp, TDvAction::sbaRollDown, TDvAction::sbaTray,
};

// Maximized, minimized and rolled-up windows show other title buttons; the set has the last word.
void ApplyWindowState(TDvSkinObject& Object, TDvTitleButtons Buttons) {
  Object.SetState(TDvObjectState::osNormal);
  if (Buttons & (1 << 6)) Object.SetState(TDvObjectState::osMaximized);
  if (Buttons & (1 << 4)) Object.SetState(TDvObjectState::osMinimized);
  if (Buttons & (1 << 8)) Object.SetState(TDvObjectState::osRolledUp);
  Object.SetTitleButtons(Buttons);
}

void SetButtonState(TDvSkinObject& Button, Byte State) {
  if (auto* B = dynamic_cast<TDvSystemButton*>(&Button)) B->ButtonState = State;
  if (auto* B = dynamic_cast<TDvSysButtonSkinObject*>(&Button)) B->ButtonState = State;
}

}  // namespace

bool TVxSkinFile::IsFormDefined(TvxWindowKind Kind, const std::string& Name) {
  if (Named(Name)) return true;
  switch (Kind) {
    case 0:
    case 1: return DefaultObject(TVxSkinEntry::FormObject) != nullptr;
    case 6: return DefaultObject(TVxSkinEntry::ToolWindowObject) != nullptr;
    default: return false;
  }
}

HRGN TVxSkinFile::GetFormRegion(TvxWindowKind Kind, const TRect& R, const std::string& Name) {
  TDvSkinObject* Object = Named(Name);
  if (!Object) Object = WindowEntry(Kind, TVxSkinEntry::FormObject);
  if (!Object) return nullptr;
  Object->SetBounds(R);
  try {
    return CreateShapeRegion(*Object);
  } catch (...) {
    return nullptr;
  }
}

TvxHitCode TVxSkinFile::FormHitTest(TvxWindowKind Kind, const TvxWindowInfo& Info, const std::string& Name, Integer X,
                                    Integer Y) {
  TDvSkinObject* Object = Named(Name);
  if (!Object) Object = WindowEntry(Kind, TVxSkinEntry::FormMetrics);
  if (Object) {
    ApplyWindowState(*Object, Info.Buttons);
    Object->SetBounds(Info.Rect);
    if (TDvSkinObject* Hit = Object->ObjectAtPointAll({X, Y})) {
      if (Hit->Kind() == TDvKind::skCaption || Hit->Kind() == TDvKind::skTitle) return 1;
      if (Hit->Kind() == TDvKind::skTop) return 3;
    }
  }
  return TvxTheme::FormHitTest(Kind, Info, Name, X, Y);
}

void TVxSkinFile::GetFormClientRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name) {
  if (TDvSkinObject* Object = Named(Name)) {
    if (TDvSkinObject* Client = Object->FindByKind(TDvKind::skClient)) {
      Object->SetBounds(Info.Rect);
      Object->RealignAll();
      R = Client->BoundsRect();
      return;
    }
  }
  TDvSkinObject* Object = WindowEntry(Kind, TVxSkinEntry::FormObject);
  TDvSkinObject* Client = WindowEntry(Kind, TVxSkinEntry::FormClient);
  if (!Object || !Client) return TvxTheme::GetFormClientRect(Kind, Info, R, Name);
  Object->SetBounds(Info.Rect);
  R = Client->BoundsRect();
}

void TVxSkinFile::GetFormCaptionRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name) {
  TDvSkinObject* Object = Named(Name);
  if (!Object) Object = WindowEntry(Kind, TVxSkinEntry::FormObject);
  if (!Object) return TvxTheme::GetFormCaptionRect(Kind, Info, R, Name);
  Object->SetActive(Info.Active);
  Object->SetBounds(Info.Rect);
  Object->RealignAll();
  R = TRect{};
  TDvSkinObject* Title = Object->FindByKind(TDvKind::skTitle);
  if (!Title) return;
  // A title aligned to its text takes the caption's width.
  Title->SetText(Info.Caption);
  if (TDvSkinObject* Parent = Title->Parent()) Parent->Realign();
  R = Title->BoundsRect();
  Title->SetText(std::wstring());
}

void TVxSkinFile::GetFormButtonRect(TvxWindowKind Kind, const TvxWindowInfo& Info, TRect& R, const std::string& Name,
                                    TvxTitleButton Button) {
  R = TRect{};
  TDvSkinObject* Object = Named(Name);
  if (!Object) Object = WindowEntry(Kind, TVxSkinEntry::FormMetrics);
  if (!Object) return;
  ApplyWindowState(*Object, Info.Buttons);
  Object->SetBounds(Info.Rect);
  Object->RealignAll();
  if (Button >= std::size(ButtonActions) || !(Info.Buttons & (1u << Button))) return;
  if (TDvSkinObject* Found = Object->FindByAction(ButtonActions[Button])) R = Found->BoundsRect();
}

void TVxSkinFile::DrawFormBorder(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                                 const TvxWindowInfo& Info) {
  TDvSkinObject* Object = Named(Name);
  if (!Object) Object = WindowEntry(Kind, TVxSkinEntry::FormObject);
  if (!Object) return TvxTheme::DrawFormBorder(Kind, Canvas, Name, Info);
  Object->SetActive(Info.Active);
  Object->SetBounds(Info.Rect);
  Paint(*Object, Canvas, Info.ClipRect);
}

void TVxSkinFile::DrawFormBackground(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  TDvSkinObject* Client = nullptr;
  if (TDvSkinObject* Object = Named(Name)) Client = Object->FindByKind(TDvKind::skClient);
  if (!Client && (Kind == 0 || Kind == 1)) Client = DefaultObject(TVxSkinEntry::FormClientCopy);
  if (!Client && Kind == 6) Client = DefaultObject(TVxSkinEntry::ToolWindowClientCopy);
  if (!Client) return TvxTheme::DrawFormBackground(Kind, Canvas, Name, R);
  PlaceAndPaint(Client, Canvas, R);
}

void TVxSkinFile::DrawFormCaptionText(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name, const TRect& R,
                                      const TvxWindowInfo& Info) {
  TDvSkinObject* NamedObject = Named(Name);
  TDvSkinObject* Object = NamedObject ? NamedObject : WindowEntry(Kind, TVxSkinEntry::FormObject);
  if (!Object) return TvxTheme::DrawFormCaptionText(Kind, Canvas, Name, R, Info);
  TDvSkinObject* Title = Object->FindByKind(TDvKind::skTitle);
  if (!Title) return;
  if (NamedObject) {
    Title->SetState(Info.Active ? TDvObjectState::osFocused : TDvObjectState::osNormal);
  } else {
    Title->Font()->Assign(&Fonts().Font(Info.Active ? vxfCaptionTextNormal : vxfCaptionTextInactive));
  }
  if (Title->TextMarginRightStretch()) {
    // The text ends before the leftmost title button to the right of the title's start.
    Integer Limit = R.Right;
    for (TvxTitleButton Button = 0; Button <= 12; ++Button) {
      TRect B;
      GetFormButtonRect(Kind, Info, B, "default", Button);
      if (!B.IsEmpty() && B.Left > Title->Left() && B.Left < Limit) Limit = B.Left;
    }
    Title->SetTextMarginRight(R.Right - Limit);
  }
  // The frame's copy of the skin hides the title buttons, so a title may reach under a button at
  // its left end (the system-menu icon): the text starts after every shown button there.
  TRect TextBounds = R;
  for (TvxTitleButton Button = 0; Button <= 12; ++Button) {
    TRect B;
    GetFormButtonRect(Kind, Info, B, "default", Button);
    if (!B.IsEmpty() && B.Left <= TextBounds.Left && B.Right > TextBounds.Left && B.Right < TextBounds.Right &&
        B.Top < R.Bottom && B.Bottom > R.Top)
      TextBounds.Left = B.Right;
  }
  Title->SetText(Info.Caption);
  Title->SetBounds(TextBounds);
  Paint(*Title, Canvas, TRect{});
  Title->SetText(std::wstring());
}

void TVxSkinFile::DrawFormButton(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                                 const TvxTitleButtonInfo& Info) {
  if (Info.Rect.IsEmpty()) return;
  TDvSkinObject* Object = Named(Name);
  if (!Object) Object = WindowEntry(Kind, TVxSkinEntry::FormButtons);
  if (!Object) return TvxTheme::DrawFormButton(Kind, Canvas, Name, Info);
  // Restore-from-minimized has no button of its own in a skin.
  if (Info.Button == 4 || Info.Button >= std::size(ButtonActions)) return;
  if (TDvSkinObject* Button = Object->FindByAction(ButtonActions[Info.Button])) {
    Button->SetActive(Info.State != 3);
    SetButtonState(*Button, Info.State == 2 ? 2 : Info.State == 1 ? 1 : 0);
    Button->SetBounds(Info.Rect);
    // Asked for by the caller, so painted even where the last layout hid it.
    const bool WasVisible = Button->Visible();
    Button->SetVisible(true);
    Paint(*Button, Canvas, TRect{});
    Button->SetVisible(WasVisible);
  }
  // The system-menu button paints nothing itself; the window icon is the base theme's.
  if (Info.Button == 0) TvxTheme::DrawFormButton(Kind, Canvas, Name, Info);
}

void TVxSkinFile::DrawFormGripper(TvxWindowKind Kind, TCanvas& Canvas, const std::string& Name,
                                  const TvxGripperInfo& Info) {
  DrawFormBackground(Kind, Canvas, Name, Info.Rect);
  if (TDvSkinObject* StatusBar = DefaultObject(TVxSkinEntry::StatusBar))
    PlaceAndPaint(StatusBar->FindByName("Gripper"), Canvas, Info.Rect);
}

// [Hints] ----------------------------------------------------------------------------------------

bool TVxSkinFile::IsHintDefined() { return true; }

void TVxSkinFile::GetHintClientRect(const TRect& R, TRect& Client) { Client = Narrow(R, 4, 3, 4, 3); }

void TVxSkinFile::DrawHint(Byte Kind, TCanvas& Canvas, const std::string& Name, const TRect& R) {
  if (TDvSkinObject* Hint = DefaultObject(TVxSkinEntry::Hint)) return PlaceAndPaint(Hint, Canvas, R);
  FillRectColor(Canvas.Handle(), R, clInfoBk);
  FrameRectColor(Canvas.Handle(), R, clGray);
}
