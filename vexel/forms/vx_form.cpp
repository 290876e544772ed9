// TVxDefaultForm and TVxForm: creation, reflection, the message switch, frame geometry, hit
// testing, position changes and the frame update.
#include "vexel/forms/vx_form.h"
#include "vexel/forms/vx_form_frame.h"

#include <windows.h>

#include <algorithm>

#include "framework/core/reflection.h"
#include "framework/graphics/gdi_handles.h"
#include "framework/ui/application.h"
#include "framework/ui/forms.h"
#include "framework/ui/menus.h"
#include "framework/ui/object_windows.h"
#include "vexel/controls/vx_statusbar.h"
#include "vexel/forms/vx_form_mdi.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

namespace {

TVxFrameMetrics TheMetrics;
bool MetricsRead = false;

uint32_t NextTrayId = 1;

}  // namespace

void ReadFrameMetrics() {
  TheMetrics.FrameWidth = GetSystemMetrics(SM_CXFRAME);
  TheMetrics.CaptionHeight = GetSystemMetrics(SM_CYCAPTION);
  TheMetrics.SmallCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION);
  TheMetrics.ButtonWidth = GetSystemMetrics(SM_CXSIZE);
  TheMetrics.ButtonHeight = GetSystemMetrics(SM_CYSIZE);
  MetricsRead = true;
}

const TVxFrameMetrics& FrameMetrics() {
  if (!MetricsRead) ReadFrameMetrics();
  return TheMetrics;
}

// [Names] ---------------------------------------------------------------------------------------

const TEnumInfo& VxBorderIconNames() {
  static const char* const Names[] = {"kbiClose",  "kbiSystemMenu", "kbiMinimize", "kbiMaximize", "kbiHelp",
                                      "kbiRollup", "kbiTray",       "kbiTop",      "kbiCustom"};
  static const TEnumInfo Info{Names};
  return Info;
}

const TEnumInfo& VxBorderStyleNames() {
  static const char* const Names[] = {"kbsNone", "kbsBorder", "kbsStandard", "kbsDialog", "kbsToolWindow"};
  static const TEnumInfo Info{Names};
  return Info;
}

const TEnumInfo& FormPerformanceNames() {
  static const char* const Names[] = {"zqfpNoBuffer", "zqfpSharedBuffer", "zqfpPersistentBuffer", "zqfpDoubleBuffer"};
  static const TEnumInfo Info{Names};
  return Info;
}

const TEnumInfo& VxWindowStateNames() {
  static const char* const Names[] = {"kwsNormal", "kwsMaximized", "kwsMinimized", "kwsRollup", "kwsTray"};
  static const TEnumInfo Info{Names};
  return Info;
}

// [TVxSizeConstraints] --------------------------------------------------------------------------

const TClassInfo& TVxSizeConstraints::StaticClassInfo() {
  using C = TVxSizeConstraints;
  static const TPropInfo Properties[] = {
      IntegerProperty<&C::MaxHeight, &C::SetMaxHeight>("MaxHeight", 0),
      IntegerProperty<&C::MaxWidth, &C::SetMaxWidth>("MaxWidth", 0),
      IntegerProperty<&C::MinHeight, &C::SetMinHeight>("MinHeight", 0),
      IntegerProperty<&C::MinWidth, &C::SetMinWidth>("MinWidth", 0),
  };
  static const TClassInfo Info{"TVxSizeConstraints", &TPersistent::StaticClassInfo(), Properties};
  return Info;
}

void TVxSizeConstraints::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TVxSizeConstraints*>(Source);
  if (!Other) return TPersistent::Assign(Source);
  FMaxHeight = Other->FMaxHeight;
  FMaxWidth = Other->FMaxWidth;
  FMinHeight = Other->FMinHeight;
  FMinWidth = Other->FMinWidth;
  Changed();
}

void TVxSizeConstraints::Set(Integer& Field, Integer Value) {
  Value = std::max<Integer>(Value, 0);
  if (Field == Value) return;
  Field = Value;
  Changed();
}

// [Reflection] ----------------------------------------------------------------------------------

namespace {

// The caption is the form's text; form files keep it in the system code page.
TPropInfo CaptionProperty() {
  TPropInfo Info{};
  Info.Name = "Caption";
  Info.Kind = TPropKind::pkString;
  Info.GetString = [](const TPersistent* O) -> std::string {
    const auto* F = static_cast<const TVxDefaultForm*>(O);
    return F->Form() ? F->Form()->Caption() : std::string();
  };
  Info.SetString = [](TPersistent* O, const std::string& Value) {
    static_cast<TVxDefaultForm*>(O)->SetCaption(AnsiToWideCP(CP_ACP, Value));
  };
  return Info;
}

}  // namespace

const TClassInfo& TVxDefaultForm::StaticClassInfo() {
  using C = TVxDefaultForm;
  static const TPropInfo Properties[] = {
      ClassProperty<&C::Animation>("Animation"),
      ClassProperty<&C::Blending>("Blending"),
      SetProperty<&C::BorderIcons, &C::SetBorderIcons>("BorderIcons", VxBorderIconNames(), DefaultBorderIcons.Mask()),
      EnumProperty<&C::BorderStyle, &C::SetBorderStyle>("BorderStyle", VxBorderStyleNames(),
                                                        int64_t(TVxBorderStyle::kbsStandard)),
      CaptionProperty(),
      ClassProperty<&C::Dragging>("Dragging"),
      ClassProperty<&C::Gravitation>("Gravitation"),
      ClassProperty<&C::Constraints>("Constraints"),
      ClassProperty<&C::SystemMenuOptions>("SystemMenuOptions"),
      ClassProperty<&C::TrayMenuOptions>("TrayMenuOptions"),
      ComponentProperty<&C::SystemMenuLink, &C::SetSystemMenuLink>("SystemMenuLink"),
      ComponentProperty<&C::TrayMenuLink, &C::SetTrayMenuLink>("TrayMenuLink"),
      ComponentProperty<&C::MenuBar, &C::SetMenuBar>("MenuBar"),
      ComponentProperty<&C::WindowMenu, &C::SetWindowMenu>("WindowMenu"),
      BooleanProperty<&C::MinimizeApplication, &C::SetMinimizeApplication>("MinimizeApplication", true),
      EnumProperty<&C::Performance, &C::SetPerformance>("Performance", FormPerformanceNames(),
                                                        int64_t(TVxFormPerformance::zqfpNoBuffer)),
      ClassProperty<&C::Shadow>("Shadow"),
      BooleanProperty<&C::StayOnTop, &C::SetStayOnTop>("StayOnTop", false),
      BooleanProperty<&C::StretchBackground, &C::SetStretchBackground>("StretchBackground", false),
      EnumProperty<&C::WindowState, &C::SetWindowState>("WindowState", VxWindowStateNames(),
                                                        int64_t(TVxWindowState::kwsNormal)),
  };
  static const TClassInfo Info{
      "TVxDefaultForm", &TVxHook::StaticClassInfo(), Properties, {}, &CreateComponent<TVxDefaultForm>};
  return Info;
}

const TClassInfo& TVxForm::StaticClassInfo() {
  using C = TVxForm;
  static const TPropInfo Properties[] = {
      ComponentProperty<&C::ThemeLink, &C::SetThemeLink>("ThemeLink"),
      StringProperty<&C::ThemeObject, &C::SetThemeObject>("ThemeObject"),
  };
  static const TClassInfo Info{
      "TVxForm", &TVxDefaultForm::StaticClassInfo(), Properties, {}, &CreateComponent<TVxForm>};
  return Info;
}

// [Creation] ------------------------------------------------------------------------------------

TVxDefaultForm::TVxDefaultForm(TComponent* Owner) : TVxDefaultForm(Owner, TDeferLoad{}) { LoadedInCode(); }

TVxDefaultForm::TVxDefaultForm(TComponent* Owner, TDeferLoad)
    : TVxHook(Owner),
      FAnimation(std::make_unique<TVxAnimation>()),
      FBlending(std::make_unique<TVxBlending>()),
      FDragging(std::make_unique<TVxDragging>()),
      FGravitation(std::make_unique<TVxGravitation>()),
      FConstraints(std::make_unique<TVxSizeConstraints>()),
      FSystemMenuOptions(std::make_unique<TVxPopupMenuOptions>()),
      FTrayMenuOptions(std::make_unique<TVxPopupMenuOptions>()),
      FShadow(std::make_unique<TVxShadow>()),
      FFormCanvas(std::make_unique<TCanvas>()),
      FBackground(std::make_unique<TvxBitmap>()) {
  FBlending->SetOnChange([this](TObject* Sender) { OptionsChanged(Sender); });
  FShadow->SetOnChange([this](TObject* Sender) { OptionsChanged(Sender); });
  FConstraints->SetOnChange([this](TObject* Sender) { ConstraintsChanged(Sender); });
  if (auto* OwnerForm = dynamic_cast<TForm*>(Owner)) {
    FSavedCaption = AnsiToWideCP(CP_ACP, OwnerForm->Caption());
    // The platform draws no part of the frame: its own icons and caption only get in the way.
    if (!OwnerForm->HandleAllocated()) {
      OwnerForm->SetBorderIcons({TBorderIcon::biMinimize, TBorderIcon::biMaximize});
      OwnerForm->SetBorderStyle(TFormBorderStyle::bsSizeable);
    }
  }
  FTrayId = NextTrayId++;
  FPaintEnabled = true;
}

// Made on first use: most skinned windows (every popup menu among them) never need it, and a
// window costs milliseconds to make.
HWND TVxDefaultForm::UtilityWindow() {
  if (!FUtilityWindow)
    FUtilityWindow = AllocateHWnd([this](HWND Wnd, TMessage& Message) { UtilityMessage(Wnd, Message); });
  return FUtilityWindow;
}

void TVxDefaultForm::LoadedInCode() {
  // Read from a form file, the reader calls Loaded.
  if (FHooked || !Owner() || Owner()->ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  if (dynamic_cast<TWinControl*>(Owner()) && !Designing()) Loaded();
}

TVxDefaultForm::~TVxDefaultForm() {
  GiveBackApplication();
  if (!Designing()) RemoveTrayIcon();
  if (FTracking && HookedControl() && HookedControl()->HandleAllocated() && GetCapture() == HookedControl()->Handle())
    ReleaseCapture();
  SetWindowMenu(nullptr);
  DetachMDIClient();
  SetActive(false);
  if (FUtilityWindow) DeallocateHWnd(FUtilityWindow);
  FUtilityWindow = nullptr;
  if (FSmallIcon) DestroyIcon(FSmallIcon);
}

void TVxDefaultForm::Loaded() {
  TVxHook::Loaded();
  auto* Control = dynamic_cast<TWinControl*>(Owner());
  if (!Control || Designing()) return;
  SetHookedControl(Control);
  FHooked = true;
  AttachMDIClient();
  if (Control->HandleAllocated()) {
    RECT R;
    GetWindowRect(Control->Handle(), &R);
    FFullWidth = R.right - R.left;
    FFullHeight = R.bottom - R.top;
    const Integer S = ShadowVisible() ? FShadow->Size() : 0;
    FWindowWidth = FFullWidth - S;
    FWindowHeight = FFullHeight - S;
  }
  if (FBlending->Enabled() || ShadowVisible()) FBackground->SetSize(std::max(FFullWidth, 1), std::max(FFullHeight, 1));
  UpdateTrayIcon();
  // A state read from the form file is applied once the window shows (WM_WINDOWPOSCHANGING);
  // until then the bounds read are the normal ones.
  if (FPendingState != TVxWindowState::kwsNormal) FRestoreBounds = Control->BoundsRect();
  if (FPendingState == TVxWindowState::kwsNormal) {
    TNotifyEvent SavedResize = std::move(Control->OnResize);
    Control->OnResize = nullptr;
    try {
      UpdateFrame();
    } catch (...) {
      Control->OnResize = std::move(SavedResize);
      throw;
    }
    Control->OnResize = std::move(SavedResize);
  }
  if (OnCreate) OnCreate(this);
  if (FStayOnTop)
    SetWindowPos(Control->Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  if (FWindowMenu) {
    TComponent* Menu = FWindowMenu;
    FWindowMenu = nullptr;
    SetWindowMenu(Menu);
  }
}

void TVxDefaultForm::Unhooked() {
  DetachMDIClient();
  FFormCanvas->SetHandle(nullptr);
  FHooked = false;
}

bool TVxDefaultForm::Designing() const { return ComponentState().Contains(TComponentStateFlag::csDesigning); }

bool TVxDefaultForm::Loading() const { return ComponentState().Contains(TComponentStateFlag::csLoading); }

void TVxDefaultForm::Notification(TComponent* Component, TOperation Operation) {
  TVxHook::Notification(Component, Operation);
  if (Operation != TOperation::opRemove) return;
  if (Component == FSystemMenuLink) FSystemMenuLink = nullptr;
  if (Component == FTrayMenuLink) FTrayMenuLink = nullptr;
  if (Component == FMenuBar) FMenuBar = nullptr;
  if (Component == FSystemMenu) FSystemMenu = nullptr;
  if (Component == FWindowMenu) FWindowMenu = nullptr;
  if (Component == FMDIVertBar) FMDIVertBar = nullptr;
  if (Component == FMDIHorzBar) FMDIHorzBar = nullptr;
}

// [Properties] ----------------------------------------------------------------------------------

void TVxDefaultForm::SetBorderIcons(TVxBorderIcons Value) {
  if (Value == FBorderIcons) return;
  FBorderIcons = Value;
  if (!Loading()) UpdateFrame();
}

void TVxDefaultForm::SetBorderStyle(TVxBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  if (!Loading()) UpdateFrame();
}

std::wstring TVxDefaultForm::Caption() const {
  const TForm* F = Form();
  if (!F) F = dynamic_cast<const TForm*>(Owner());
  return F ? AnsiToWideCP(CP_ACP, F->Caption()) : std::wstring();
}

void TVxDefaultForm::SetCaption(const std::wstring& Value) {
  TForm* F = Form();
  if (!F) F = dynamic_cast<TForm*>(Owner());
  if (!F) return;
  const int Size = WideCharToMultiByte(CP_ACP, 0, Value.data(), int(Value.size()), nullptr, 0, nullptr, nullptr);
  std::string Text(size_t(std::max(Size, 0)), '\0');
  if (Size > 0) WideCharToMultiByte(CP_ACP, 0, Value.data(), int(Value.size()), Text.data(), Size, nullptr, nullptr);
  F->SetCaption(Text);
  if (!Designing()) PaintNonClient();
}

void TVxDefaultForm::SetSystemMenuLink(TPopupMenu* Value) {
  if (FSystemMenuLink) FSystemMenuLink->RemoveFreeNotification(this);
  FSystemMenuLink = Value;
  if (Value) Value->FreeNotification(this);
}

void TVxDefaultForm::SetTrayMenuLink(TPopupMenu* Value) {
  if (FTrayMenuLink) FTrayMenuLink->RemoveFreeNotification(this);
  FTrayMenuLink = Value;
  if (Value) Value->FreeNotification(this);
}

void TVxDefaultForm::SetMenuBar(TWinControl* Value) {
  if (FMenuBar) FMenuBar->RemoveFreeNotification(this);
  FMenuBar = Value;
  if (Value) Value->FreeNotification(this);
}

void TVxDefaultForm::SetStayOnTop(bool Value) {
  if (FStayOnTop == Value) return;
  FStayOnTop = Value;
  if (Designing() || !Form() || !Form()->HandleAllocated()) return;
  SetWindowPos(Form()->Handle(), Value ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

void TVxDefaultForm::SetWindowState(TVxWindowState Value) {
  if (Value == FWindowState) return;
  if (Designing()) {
    FWindowState = Value;
    return;
  }
  if (Loading()) {
    FPendingState = Value;
    return;
  }
  switch (Value) {
    case TVxWindowState::kwsNormal: Restore(); break;
    case TVxWindowState::kwsMaximized: Maximize(); break;
    case TVxWindowState::kwsMinimized: Minimize(); break;
    case TVxWindowState::kwsRollup: Rollup(); break;
    case TVxWindowState::kwsTray: MinimizeToTray(); break;
  }
}

void TVxDefaultForm::OptionsChanged(TObject*) {
  if (Loading()) return;
  if ((FBlending->Enabled() || ShadowVisible()) && FFullWidth > 0 && FFullHeight > 0 && FBackground->Empty())
    FBackground->SetSize(FFullWidth, FFullHeight);
  // A new shadow size changes the real size of the window: the frame update re-reads it.
  FLastCaptureRect = TRect{};
  UpdateFrame();
}

void TVxDefaultForm::ConstraintsChanged(TObject*) {
  if (Loading()) return;
  if (TForm* F = Form()) {
    if (FConstraints->MinWidth() && F->Width() < FConstraints->MinWidth()) F->SetWidth(FConstraints->MinWidth());
    if (FConstraints->MinHeight() && F->Height() < FConstraints->MinHeight()) F->SetHeight(FConstraints->MinHeight());
  }
  UpdateFrame();
}

bool TVxDefaultForm::ShadowVisible() const {
  return FShadow->Enabled() && FShadow->Size() > 0 && FWindowState != TVxWindowState::kwsMaximized;
}

// [Geometry] ------------------------------------------------------------------------------------

Integer TVxDefaultForm::StyleCaptionHeight() const { return BorderCaptionHeight(FBorderStyle); }

TvxWindowKind TVxDefaultForm::WindowKind() const { return BorderWindowKind(FBorderStyle); }

uint16_t TVxDefaultForm::TitleButtons() const { return TitleButtonBits(FBorderStyle, FBorderIcons, FWindowState); }

TRect TVxDefaultForm::GetClientBounds() { return DefaultClientBounds(FBorderStyle, FWindowWidth, FWindowHeight); }

TRect TVxDefaultForm::ClientBoundsAtOrigin() {
  const TRect C = GetClientBounds();
  return C.Offset(-C.Left, -C.Top);
}

TRect TVxDefaultForm::FormBounds() const {
  const TForm* F = Form();
  return F ? F->BoundsRect() : TRect{};
}

TRect TVxDefaultForm::GetRollupBounds() {
  const TRect C = GetClientBounds();
  const TRect B = FormBounds();
  return Bounds(B.Left, B.Top, FWindowWidth, FWindowHeight - C.Height());
}

TRect TVxDefaultForm::GetMinimizedBounds() {
  const TRect C = GetClientBounds();
  const TRect A = GetWorkArea();
  const Integer H = FWindowHeight - C.Height();
  return Rect(0, A.Bottom - H, GetSystemMetrics(SM_CXMINIMIZED), A.Bottom);
}

TRect TVxDefaultForm::GetMaximizedBounds() {
  HWND Wnd = Form() && Form()->HandleAllocated() ? Form()->Handle() : nullptr;
  const TRect A = GetMonitorAreaFromWindow(Wnd, !FStayOnTop);
  const Integer D = GetClientBounds().Left;
  return {A.Left - D, A.Top - D, A.Right + D, A.Bottom + D};
}

TSize TVxDefaultForm::GetMaxTrackSize() {
  const TRect M = GetMaximizedBounds();
  TSize S{M.Width(), M.Height()};
  if (FConstraints->MaxWidth()) S.cx = FConstraints->MaxWidth();
  if (FConstraints->MaxHeight()) S.cy = FConstraints->MaxHeight();
  return S;
}

TSize TVxDefaultForm::GetMinTrackSize() {
  TSize S{150, 40};
  if (FConstraints->MinWidth()) S.cx = FConstraints->MinWidth();
  if (FConstraints->MinHeight()) S.cy = FConstraints->MinHeight();
  return S;
}

TvxHitCode TVxDefaultForm::HitTest(Integer X, Integer Y) {
  const bool Final = FWindowState == TVxWindowState::kwsMaximized || FWindowState == TVxWindowState::kwsMinimized ||
                     FWindowState == TVxWindowState::kwsRollup;
  TvxHitCode Result = FrameHitTest(FrameView(), X, Y, StyleCaptionHeight(), Final);
  if (!Final && Result == vxhtNone && OnSizeGrip(X, Y)) Result = vxhtBottomRight;
  return Result;
}

// The MDI size box, or the size grip of a status bar on the form, under (X, Y) in window
// coordinates: either sizes the form from its bottom-right corner.
bool TVxDefaultForm::OnSizeGrip(Integer X, Integer Y) {
  if (!FDragging->Sizeable()) return false;
  TForm* F = Form();
  if (!F || !F->HandleAllocated()) return false;
  RECT Window{};
  GetWindowRect(F->Handle(), &Window);
  // The size box is in the MDI client's coordinates; the client lies below the aligned controls.
  if (const TRect Box = GetGripperRect(); !Box.IsEmpty() && MDIClient()) {
    RECT Client{};
    GetWindowRect(MDIClient(), &Client);
    if (Box.Offset(Client.left - Window.left, Client.top - Window.top).Contains(X, Y)) return true;
  }
  for (Integer I = 0; I < F->ControlCount(); ++I) {
    auto* Bar = dynamic_cast<TVxStatusBar*>(F->Controls(I));
    if (!Bar || !Bar->GripApplies()) continue;
    TRect Grip;
    Bar->GetGripRect(Grip);
    const TPoint At = Bar->ClientToScreen({Grip.Left, Grip.Top});
    if (Bounds(At.X - Window.left, At.Y - Window.top, Grip.Width(), Grip.Height()).Contains(X, Y)) return true;
  }
  return false;
}

bool SkinnedFormSizeable(TWinControl* Form, bool& SizeableNow) {
  const TVxDefaultForm* Skinned = FindSkinnedForm(Form);
  if (!Skinned) return false;
  SizeableNow = Skinned->Dragging()->Sizeable() && Skinned->WindowState() == TVxWindowState::kwsNormal;
  return true;
}

TPoint TVxDefaultForm::ScreenToWindow(intptr_t LParam) {
  const TPoint P{Integer(int16_t(LOWORD(LParam))), Integer(int16_t(HIWORD(LParam)))};
  RECT W{};
  if (Form() && Form()->HandleAllocated()) GetWindowRect(Form()->Handle(), &W);
  return {P.X - W.left, P.Y - W.top};
}

// [Messages] ------------------------------------------------------------------------------------

namespace {

// The platform answer of a frame part.
intptr_t PlatformHitCode(TvxHitCode Code, bool Moveable, bool Sizeable) {
  switch (Code) {
    case vxhtCaption: return Moveable ? HTCAPTION : HTCLIENT;
    case vxhtLeft: return Sizeable ? HTLEFT : HTCLIENT;
    case vxhtTop: return Sizeable ? HTTOP : HTCLIENT;
    case vxhtRight: return Sizeable ? HTRIGHT : HTCLIENT;
    case vxhtBottom: return Sizeable ? HTBOTTOM : HTCLIENT;
    case vxhtTopLeft: return Sizeable ? HTTOPLEFT : HTCLIENT;
    case vxhtTopRight: return Sizeable ? HTTOPRIGHT : HTCLIENT;
    case vxhtBottomLeft: return Sizeable ? HTBOTTOMLEFT : HTCLIENT;
    case vxhtBottomRight: return Sizeable ? HTBOTTOMRIGHT : HTCLIENT;
    case 6:
    case vxhtRollup:
    case vxhtTray:
    case vxhtNoPart: return HTBORDER;
    case vxhtClose: return HTCLOSE;
    case vxhtHelp: return HTHELP;
    case vxhtMinimize: return HTMINBUTTON;
    case vxhtMaximize: return HTMAXBUTTON;
    case vxhtSysMenu: return HTSYSMENU;
    default: return HTCLIENT;
  }
}

TShiftState KeysToShift(uintptr_t Keys) {
  TShiftState S;
  if (Keys & MK_SHIFT) S.Include(TShiftStateFlag::ssShift);
  if (Keys & MK_CONTROL) S.Include(TShiftStateFlag::ssCtrl);
  if (Keys & MK_LBUTTON) S.Include(TShiftStateFlag::ssLeft);
  if (Keys & MK_RBUTTON) S.Include(TShiftStateFlag::ssRight);
  return S;
}

TShiftState NCButtonsToShift(Byte Buttons) {
  TShiftState S;
  if (Buttons & 8) S.Include(TShiftStateFlag::ssLeft);
  if (Buttons & 16) S.Include(TShiftStateFlag::ssRight);
  return S;
}

}  // namespace

void TVxDefaultForm::MessageBefore(TMessage& Message, bool& Handled) {
  TForm* F = Form();
  if (F && F->ClientHandle() != (FMDIClientHook ? FMDIClientHook->Client() : nullptr)) AttachMDIClient();
  switch (Message.Msg) {
    case WM_ACTIVATE:
      // The platform minimized the window behind our back: follow it. In the tray the window is
      // put away already (the application may minimize it on the way).
      if (!FCaptionActive && HIWORD(Message.WParam) && FWindowState != TVxWindowState::kwsMinimized &&
          FWindowState != TVxWindowState::kwsTray && F && IsIconic(F->Handle()))
        FWindowState = TVxWindowState::kwsMinimized;
      break;
    case WM_SETTEXT: SetTextBefore(); break;
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(Message.WParam), reinterpret_cast<const TRect*>(Message.LParam));
      Message.Result = 1;
      Handled = true;
      break;
    case WM_WINDOWPOSCHANGING:
      WindowPosChanging(Message);
      Message.Result = 0;
      Handled = true;
      break;
    case WM_NCCALCSIZE:
      NCCalcSize(Message);
      Handled = true;
      break;
    case WM_NCHITTEST: {
      const TPoint P = ScreenToWindow(Message.LParam);
      const bool Sizeable = FDragging->Sizeable() && FWindowState != TVxWindowState::kwsMaximized;
      Message.Result = PlatformHitCode(HitTest(P.X, P.Y), FDragging->Moveable(), Sizeable);
      Handled = true;
      break;
    }
    case WM_NCPAINT:
      PaintNonClient();
      Message.Result = 0;
      Handled = true;
      break;
    case WM_NCACTIVATE:
      NCActivate(Message);
      Handled = true;
      break;
    case WM_NCMOUSEMOVE: {
      const TPoint P = ScreenToWindow(Message.LParam);
      MouseMove(NCButtonsToShift(FNCButtons), P.X, P.Y);
      Handled = true;
      break;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      NCButtonDown(Message.Msg == WM_NCLBUTTONDOWN ? TMouseButton::mbLeft : TMouseButton::mbRight,
                   ScreenToWindow(Message.LParam));
      Message.Result = 0;
      Handled = true;
      break;
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP: {
      FNCButtons = 0;
      const TPoint P = ScreenToWindow(Message.LParam);
      MouseUp(Message.Msg == WM_NCLBUTTONUP ? TMouseButton::mbLeft : TMouseButton::mbRight, {}, P.X, P.Y);
      Handled = true;
      break;
    }
    case WM_NCLBUTTONDBLCLK: {
      const TPoint P = ScreenToWindow(Message.LParam);
      const TShiftState S{TShiftStateFlag::ssLeft, TShiftStateFlag::ssDouble};
      MouseDown(TMouseButton::mbLeft, S, P.X, P.Y);
      MouseUp(TMouseButton::mbLeft, S, P.X, P.Y);
      FNCButtons = 0;
      Message.Result = 1;
      Handled = true;
      break;
    }
    case WM_SYSCOMMAND: SysCommand(Message, Handled); break;
    case WM_MOUSEMOVE:
      if (FHotPart != vxhtNone && !(FNCButtons & 8)) {
        FHotPart = vxhtNone;
        PaintNonClient();
      }
      if (FNCButtons) {
        const TRect C = GetClientBounds();
        MouseMove(TShiftState::FromMask(KeysToShift(Message.WParam).Mask() | NCButtonsToShift(FNCButtons).Mask()),
                  Integer(int16_t(LOWORD(Message.LParam))) + C.Left, Integer(int16_t(HIWORD(Message.LParam))) + C.Top);
      }
      break;
    case WM_LBUTTONUP:
      if (FNCButtons) {
        FNCButtons = 0;
        const TRect C = GetClientBounds();
        MouseUp(TMouseButton::mbLeft, {}, Integer(int16_t(LOWORD(Message.LParam))) + C.Left,
                Integer(int16_t(HIWORD(Message.LParam))) + C.Top);
      }
      break;
    case WM_CAPTURECHANGED:
      // Another window took the mouse in the middle of a drag: end it instead of leaving the
      // outline on the screen and painting switched off.
      if (FTracking && !FEndingDrag && F && reinterpret_cast<HWND>(Message.LParam) != F->Handle()) ReleaseDrag();
      break;
    case WM_THEMECHANGED:
      ReadFrameMetrics();
      Message.Result = 0;
      Handled = true;
      break;
    case FM_RESTORECAPTION:
    case FM_MAXIMIZE:
    case FM_ACTION:
    case FM_PAINTTO:
      PrivateMessage(Message);
      Handled = true;
      break;
    default: break;
  }
}

void TVxDefaultForm::MessageAfter(TMessage& Message, bool&) {
  switch (Message.Msg) {
    case WM_SETTEXT: SetTextAfter(Message); break;
    case WM_NCACTIVATE:
      if (Form() && !GetWindow(Form()->Handle(), GW_OWNER)) PaintNonClient();
      break;
    case WM_SYSCOMMAND:
      if ((Message.WParam & 0xFFF0) == SC_CONTEXTHELP) PaintNonClient();
      break;
    default: break;
  }
}

void TVxDefaultForm::NCCalcSize(TMessage& Message) {
  Message.Result = 0;
  if (!Message.WParam) return;
  auto* Params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
  const TRect C = GetClientBounds();
  RECT& R = Params->rgrc[0];
  RECT Client{R.left + C.Left, R.top + C.Top, R.right - (FFullWidth - C.Right), R.bottom - (FFullHeight - C.Bottom)};
  // Sizes not yet known (the window before its first position change) keep the platform's rectangle.
  if (FFullWidth <= 0 || FFullHeight <= 0) return;
  Client.right = std::max(Client.right, Client.left);
  Client.bottom = std::max(Client.bottom, Client.top);
  Params->rgrc[0] = Client;
  Params->rgrc[1] = Client;
}

void TVxDefaultForm::NCActivate(TMessage& Message) {
  FCaptionActive = Message.WParam != 0;
  if (!FApplicationLink && Form() && FMinimizeApplication) TakeOverApplication();
  HWND Wnd = Form() ? Form()->Handle() : nullptr;
  Message.Result = (!FCaptionActive || !Wnd || !GetWindow(Wnd, GW_OWNER)) ? 1 : 0;
  PaintNonClient();
}

namespace {
TVxMenuBarTracker MenuBarTracker = nullptr;
}

void SetMenuBarTracker(TVxMenuBarTracker Tracker) { MenuBarTracker = Tracker; }

void TVxDefaultForm::SysCommand(TMessage& Message, bool& Handled) {
  switch (Message.WParam & 0xFFF0) {
    case SC_KEYMENU:
      if (Message.LParam == ' ') {
        ShowSystemMenu();
      } else if (Message.LParam != '-' && !GetCapture() && FMenuBar && MenuBarTracker && Form()) {
        // The loop reads the character (0 for Alt alone) and opens the item it belongs to. The
        // platform's own menu mode must not follow once the bar's menu has closed.
        HWND Wnd = Form()->Handle();
        const WPARAM Char = WPARAM(Message.LParam);
        if (MenuBarTracker(*FMenuBar, [Wnd, Char] { PostMessageA(Wnd, WM_CHAR, Char, 0); })) {
          Message.Result = 1;
          Handled = true;
        }
      }
      break;
    case SC_MOUSEMENU: ShowSystemMenu(); break;
    case SC_RESTORE:
      // Our own restore of an iconic window asks the platform for SC_RESTORE: the state is normal
      // already then.
      if (FWindowState != TVxWindowState::kwsNormal) Restore();
      break;
    case SC_MINIMIZE:
      // Minimize posts this to let the platform iconify the window; it must not undo itself.
      if (FWindowState != TVxWindowState::kwsMinimized) Minimize();
      break;
    default: break;
  }
}

// The platform paints its own caption for a new text while the window has the caption style:
// the style goes before the platform sees the text and comes back through the posted message,
// which repaints the skinned frame. Also for an unchanged text, which the platform repaints too.
void TVxDefaultForm::SetTextBefore() {
  TForm* F = Form();
  if (F && F->HandleAllocated()) HideCaptionForText(F->Handle());
}

void HideCaptionForText(HWND Wnd) {
  const LONG_PTR Style = GetWindowLongPtrA(Wnd, GWL_STYLE);
  if (!(Style & WS_CAPTION)) return;
  SetWindowLongPtrA(Wnd, GWL_STYLE, Style & ~LONG_PTR(WS_CAPTION));
  PostMessageA(Wnd, FM_RESTORECAPTION, 13, 0);
}

void RestoreCaptionStyle(HWND Wnd, uintptr_t WParam) {
  if (WParam == 13) SetWindowLongPtrA(Wnd, GWL_STYLE, GetWindowLongPtrA(Wnd, GWL_STYLE) | WS_CAPTION);
}

void TVxDefaultForm::SetTextAfter(TMessage& Message) {
  if (!Form() || !Message.LParam) return;
  FSavedCaption = AnsiToWideCP(CP_ACP, reinterpret_cast<const char*>(Message.LParam));
}

void TVxDefaultForm::PrivateMessage(TMessage& Message) {
  switch (Message.Msg) {
    case FM_RESTORECAPTION:
      if (Form()) RestoreCaptionStyle(Form()->Handle(), Message.WParam);
      PaintNonClient();
      break;
    case FM_MAXIMIZE: Maximize(); break;
    case FM_ACTION:
      if (FActionBusy) break;
      FActionBusy = true;
      try {
        Action(int(Message.WParam));
      } catch (...) {
        FActionBusy = false;
        throw;
      }
      FActionBusy = false;
      break;
    case FM_PAINTTO:
      if (!Message.LParam) break;
      {
        // Painted with the caption active, as a picture of the window shows it.
        const bool SavedActive = FCaptionActive;
        FCaptionActive = true;
        HDC DC = reinterpret_cast<HDC>(Message.LParam);
        const Integer DX = Integer(int16_t(LOWORD(Message.WParam))), DY = Integer(int16_t(HIWORD(Message.WParam)));
        const TRect C = GetClientBounds();
        TCanvas Canvas(DC);
        POINT Old;
        OffsetWindowOrgEx(DC, -DX, -DY, &Old);
        try {
          PaintFrame(Canvas);
          SetWindowOrgEx(DC, Old.x, Old.y, nullptr);
          OffsetWindowOrgEx(DC, -(DX + C.Left), -(DY + C.Top), &Old);
          HDC SavedDC = FFormCanvas->HandleAllocated() ? FFormCanvas->Handle() : nullptr;
          FFormCanvas->SetHandle(DC);
          DoPaint();
          FFormCanvas->SetHandle(SavedDC);
        } catch (...) {
          SetWindowOrgEx(DC, Old.x, Old.y, nullptr);
          FCaptionActive = SavedActive;
          throw;
        }
        SetWindowOrgEx(DC, Old.x, Old.y, nullptr);
        FCaptionActive = SavedActive;
      }
      Message.Result = 1;
      break;
    default: break;
  }
}

void TVxDefaultForm::Action(int Code) {
  switch (Code) {
    case 1: Maximize(); break;
    case 2: Minimize(); break;
    case 3: Rollup(); break;
    case 4: MinimizeToTray(); break;
    default: break;
  }
}

void TVxDefaultForm::UtilityMessage(HWND Wnd, TMessage& Message) {
  try {
    switch (Message.Msg) {
      case WM_QUERYENDSESSION: Message.Result = 1; return;
      case WM_ENDSESSION: RemoveTrayIcon(); break;
      case FM_TRAYICON:
        if (Message.LParam == WM_LBUTTONDBLCLK) Restore();
        if (Message.LParam == WM_RBUTTONUP) ShowSystemMenu();
        return;
      case FM_RESTORECAPTION:
      case FM_MAXIMIZE:
      case FM_ACTION:
      case FM_PAINTTO: PrivateMessage(Message); return;
      default: break;
    }
  } catch (...) {
    if (Application) Application->HandleException(this);
    return;
  }
  DefaultUtilityMessage(Wnd, Message);
}

// [Position changes] ----------------------------------------------------------------------------

void TVxDefaultForm::WindowPosChanging(TMessage& Message) {
  auto* Pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
  TForm* F = Form();
  if (!Pos || !F) return;
  if ((Pos->flags & (SWP_NOSIZE | SWP_NOMOVE)) != (SWP_NOSIZE | SWP_NOMOVE)) {
    bool SizeChanged = false;
    if (!(Pos->flags & SWP_NOSIZE)) {
      const TSize Max = GetMaxTrackSize();
      Pos->cx = std::min<int>(Pos->cx, Max.cx);
      Pos->cy = std::min<int>(Pos->cy, Max.cy);
      if (FWindowState != TVxWindowState::kwsRollup && FWindowState != TVxWindowState::kwsMinimized) {
        const TSize Min = GetMinTrackSize();
        Pos->cx = std::max<int>(Pos->cx, Min.cx);
        Pos->cy = std::max<int>(Pos->cy, Min.cy);
      }
      // Never a negative size, whatever the caller asked for.
      Pos->cx = std::max(Pos->cx, 0);
      Pos->cy = std::max(Pos->cy, 0);
      if (!(Pos->flags & SWP_FRAMECHANGED) && (Pos->cx != FFullWidth || Pos->cy != FFullHeight)) {
        FFullWidth = Pos->cx;
        FFullHeight = Pos->cy;
        const Integer S = ShadowVisible() ? FShadow->Size() : 0;
        FWindowWidth = std::max<Integer>(FFullWidth - S, 0);
        FWindowHeight = std::max<Integer>(FFullHeight - S, 0);
        SizeChanged = true;
      }
    }
    if (Pos->flags & SWP_FRAMECHANGED) PaintNonClient();
    if (FBlending->Enabled() || ShadowVisible()) {
      RECT W{};
      GetWindowRect(F->Handle(), &W);
      const Integer X = (Pos->flags & SWP_NOMOVE) ? W.left : Pos->x;
      const Integer Y = (Pos->flags & SWP_NOMOVE) ? W.top : Pos->y;
      const Integer CX = (Pos->flags & SWP_NOSIZE) ? W.right - W.left : Pos->cx;
      const Integer CY = (Pos->flags & SWP_NOSIZE) ? W.bottom - W.top : Pos->cy;
      UpdateBackground(Bounds(X, Y, CX, CY));
    }
    if (SizeChanged) UpdateRegion();
  }
  if ((Pos->flags & SWP_SHOWWINDOW) && FPendingState != TVxWindowState::kwsNormal) {
    static constexpr int Codes[] = {0, 1, 2, 3, 4};
    PostMessageA(F->Handle(), FM_ACTION, WPARAM(Codes[int(FPendingState)]), 0);
  }
  if ((Pos->flags & SWP_SHOWWINDOW) && FPendingState == TVxWindowState::kwsNormal) {
    if (FBlending->Enabled() || ShadowVisible()) {
      FLastCaptureRect = TRect{};
      RECT W{};
      GetWindowRect(F->Handle(), &W);
      UpdateBackground(Rect(W.left, W.top, W.right, W.bottom));
    }
    PlayShowAnimation();
  }
  if (FBlending->Enabled() || ShadowVisible()) Pos->flags |= SWP_NOCOPYBITS;
}

// [Frame update] --------------------------------------------------------------------------------

void TVxDefaultForm::NudgeHeight(Integer Delta) {
  TForm* F = Form();
  const bool Fixed = (FConstraints->MinWidth() && FConstraints->MinWidth() == FConstraints->MaxWidth()) ||
                     (FConstraints->MinHeight() && FConstraints->MinHeight() == FConstraints->MaxHeight());
  const Integer MinW = FConstraints->MinWidth(), MinH = FConstraints->MinHeight();
  auto Saved = FConstraints->OnChange();
  FConstraints->SetOnChange(nullptr);
  if (Fixed) {
    FConstraints->SetMinWidth(10);
    FConstraints->SetMinHeight(10);
  }
  F->SetHeight(F->Height() + Delta);
  if (Fixed) {
    FConstraints->SetMinWidth(MinW);
    FConstraints->SetMinHeight(MinH);
  }
  FConstraints->SetOnChange(Saved);
}

void TVxDefaultForm::UpdateFrame() {
  TForm* F = Form();
  if (!F || !FHooked || !F->HandleAllocated()) return;
  FCaptureSuspended = true;
  try {
    const TRect Before = F->ClientRect();
    NudgeHeight(1);
    NudgeHeight(-1);
    const TRect After = F->ClientRect();
    if (Before.Width() != 0 && (Before.Width() != After.Width() || Before.Height() != After.Height())) {
      const Integer DW = Before.Width() - After.Width(), DH = Before.Height() - After.Height();
      auto Saved = FConstraints->OnChange();
      FConstraints->SetOnChange(nullptr);
      F->SetBounds(F->Left(), F->Top(), F->Width() + DW, F->Height() + DH);
      FConstraints->SetOnChange(Saved);
    }
  } catch (...) {
    FCaptureSuspended = false;
    throw;
  }
  FCaptureSuspended = false;
  const RECT R{0, 0, FWindowWidth, FWindowHeight};
  RedrawWindow(F->Handle(), &R, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TVxDefaultForm::RepaintRect(const TRect& R) {
  TForm* F = Form();
  if (!F || !F->HandleAllocated()) return;
  struct {
    int32_t Whole;
    TRect R;
  } Record{0, Intersect(R, Rect(0, 0, FFullWidth, FFullHeight))};
  if (Record.R.IsEmpty()) return;
  // The handler reads the whole record: the flag, then the rectangle.
  EraseBackground(nullptr, reinterpret_cast<const TRect*>(&Record));
}

void TVxDefaultForm::RepaintNow() {
  TForm* F = Form();
  if (!F || !F->HandleAllocated()) return;
  RedrawWindow(F->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  MSG Msg;
  while (PeekMessageA(&Msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&Msg);
}

// [FindSkinnedForm] -----------------------------------------------------------------------------

TVxDefaultForm* FindSkinnedForm(TControl* Control) {
  if (!Control) return nullptr;
  TControl* Top = Control;
  while (Top->Parent()) Top = Top->Parent();
  auto* F = dynamic_cast<TForm*>(Top);
  if (!F) return nullptr;
  for (TComponent* C : F->ComponentList())
    if (auto* S = dynamic_cast<TVxDefaultForm*>(C); S && S->Active()) return S;
  return nullptr;
}

// [TVxForm] -------------------------------------------------------------------------------------

TVxForm::TVxForm(TComponent* Owner) : TVxForm(Owner, TDeferLoad{}) { LoadedInCode(); }

TVxForm::TVxForm(TComponent* Owner, TDeferLoad) : TVxDefaultForm(Owner, TDeferLoad{}) {
  ThemeManager().RegisterThemeClient(this);
}

TVxForm::~TVxForm() { ThemeManager().UnregisterThemeClient(this); }

void TVxForm::SetThemeLink(TvxCustomThemeLink* Value) {
  if (FThemeLink == Value) return;
  if (FThemeLink) FThemeLink->RemoveFreeNotification(this);
  FThemeLink = Value;
  if (Value) Value->FreeNotification(this);
  if (!Designing()) UpdateFrame();
}

void TVxForm::SetThemeObject(const std::string& Value) {
  if (FThemeObject == Value) return;
  FThemeObject = Value;
  if (!Designing()) UpdateFrame();
}

void TVxForm::Notification(TComponent* Component, TOperation Operation) {
  TVxDefaultForm::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FThemeLink) FThemeLink = nullptr;
}

bool TVxForm::Themed() const { return IsFormThemed(WindowKind(), FThemeObject, FThemeLink); }

TvxTheme* TVxForm::Theme() const { return GetLinkTheme(FThemeLink); }

TvxWindowInfo TVxForm::WindowInfo() const {
  TvxWindowInfo Info;
  Info.Rect = Rect(0, 0, WindowWidth(), WindowHeight());
  Info.Active = CaptionActive();
  Info.Buttons = TitleButtons();
  Info.Caption = Caption();
  return Info;
}

void TVxForm::Dispatch(TMessage& Message) {
  if (Message.Msg == TM_THEMECHANGE) {
    switch (Message.WParam) {
      case TMC_THEMECHANGED:
      case TMC_THEMESET:
      case TMC_THEMEREMOVED:
        UpdateFrame();
        if (HWND Client = MDIClient()) InvalidateRect(Client, nullptr, TRUE);
        break;
      case TMC_COLORSCHANGED:
        PaintNonClient();
        RepaintNow();
        break;
      default: break;
    }
    return;
  }
  TVxDefaultForm::Dispatch(Message);
}

HRGN TVxForm::GetRegion() {
  if (!Themed()) return TVxDefaultForm::GetRegion();
  HRGN Rgn = Theme()->GetFormRegion(WindowKind(), Rect(0, 0, WindowWidth(), WindowHeight()), FThemeObject);
  return Rgn ? Rgn : CreateRectRgn(0, 0, WindowWidth(), WindowHeight());
}

TRect TVxForm::GetClientBounds() {
  if (!Themed()) return TVxDefaultForm::GetClientBounds();
  TRect R{0, 0, WindowWidth(), WindowHeight()};
  Theme()->GetFormClientRect(WindowKind(), WindowInfo(), R, FThemeObject);
  R.Right = std::max(R.Right, R.Left);
  R.Bottom = std::max(R.Bottom, R.Top);
  return R;
}

TRect TVxForm::GetMaximizedBounds() {
  if (!Themed()) return TVxDefaultForm::GetMaximizedBounds();
  HWND Wnd = Form() && Form()->HandleAllocated() ? Form()->Handle() : nullptr;
  return GetMonitorAreaFromWindow(Wnd, !StayOnTop());
}

TSize TVxForm::GetMinTrackSize() {
  if (!Themed()) return TVxDefaultForm::GetMinTrackSize();
  const TRect C = GetClientBounds();
  TSize S{100, FullHeight() - C.Height()};
  if (Constraints()->MinWidth()) S.cx = Constraints()->MinWidth();
  if (Constraints()->MinHeight() && Constraints()->MinHeight() > S.cy) S.cy = Constraints()->MinHeight();
  return S;
}

TvxHitCode TVxForm::HitTest(Integer X, Integer Y) {
  if (!Themed()) return TVxDefaultForm::HitTest(X, Y);
  TvxHitCode Code = Theme()->FormHitTest(WindowKind(), WindowInfo(), FThemeObject, X, Y);
  if (Code == vxhtNone && OnSizeGrip(X, Y)) Code = vxhtBottomRight;
  return Code;
}
