// MDI child skinning: the frame, hit tests, title buttons, system menu and client background of
// a form whose moving and sizing stay with the platform.
#include "vexel/forms/vx_mdichild.h"

#include <windows.h>

#include <algorithm>

#include "framework/core/sysutils.h"
#include "framework/graphics/gdi_handles.h"
#include "framework/ui/application.h"
#include "vexel/forms/vx_form_frame.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_winapi.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"
// Last: it takes back the platform's RegisterClass macro.
#include "framework/core/class_registry.h"

namespace {

TVxMDIItemsPresenter MDIItemsPresenter = nullptr;
TVxEntryMenuPresenter EntryMenuPresenter = nullptr;

constexpr TVxBorderIcons DefaultChildIcons{TVxBorderIcon::kbiClose, TVxBorderIcon::kbiSystemMenu,
                                           TVxBorderIcon::kbiMinimize, TVxBorderIcon::kbiMaximize};

TRect WindowBounds(HWND Wnd) {
  RECT R{};
  if (Wnd) GetWindowRect(Wnd, &R);
  return Rect(R.left, R.top, R.right, R.bottom);
}

}  // namespace

void SetMDIItemsPresenter(TVxMDIItemsPresenter Presenter) { MDIItemsPresenter = Presenter; }

void SetEntryMenuPresenter(TVxEntryMenuPresenter Presenter) { EntryMenuPresenter = Presenter; }

// [Creation] ------------------------------------------------------------------------------------

const TClassInfo& TVxCustomMDIChild::StaticClassInfo() {
  using C = TVxCustomMDIChild;
  static const TPropInfo Properties[] = {
      SetProperty<&C::BorderIcons, &C::SetBorderIcons>("BorderIcons", VxBorderIconNames(), DefaultChildIcons.Mask()),
      EnumProperty<&C::BorderStyle, &C::SetBorderStyle>("BorderStyle", VxBorderStyleNames(),
                                                        int64_t(TVxBorderStyle::kbsStandard)),
      EnumProperty<&C::Performance, &C::SetPerformance>("Performance", FormPerformanceNames(),
                                                        int64_t(TVxFormPerformance::zqfpNoBuffer)),
      BooleanProperty<&C::StretchBackground, &C::SetStretchBackground>("StretchBackground", false),
  };
  static const TClassInfo Info{
      "TVxCustomMDIChild", &TVxHook::StaticClassInfo(), Properties, {}, &CreateComponent<TVxCustomMDIChild>};
  return Info;
}

TVxCustomMDIChild::TVxCustomMDIChild(TComponent* Owner) : TVxCustomMDIChild(Owner, TDeferLoad{}) { LoadedInCode(); }

TVxCustomMDIChild::TVxCustomMDIChild(TComponent* Owner, TDeferLoad) : TVxHook(Owner) {
  if (auto* OwnerForm = dynamic_cast<TForm*>(Owner)) {
    // The platform keeps only a small caption, which the component paints over.
    if (!OwnerForm->HandleAllocated()) OwnerForm->SetBorderStyle(TFormBorderStyle::bsSizeToolWin);
  }
}

// Built in code (not read from a form file), the component hooks its form at once.
void TVxCustomMDIChild::LoadedInCode() {
  if (FHooked || !Owner() || Owner()->ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  if (dynamic_cast<TForm*>(Owner()) && !Designing()) Loaded();
}

TVxCustomMDIChild::~TVxCustomMDIChild() {
  TForm* F = IsMDIChildForm() ? Form() : nullptr;
  SetActive(false);
  if (FSmallIcon) DestroyIcon(FSmallIcon);
  // The menu bar must not keep showing the buttons of a child that has lost its skin.
  TForm* Parent = F ? TForm::MDIParentForm() : nullptr;
  if (Parent && Parent->ActiveMDIChild() == F && MDIItemsPresenter)
    if (TVxDefaultForm* Skinned = FindSkinnedForm(Parent); Skinned && Skinned->MenuBar())
      MDIItemsPresenter(*Skinned->MenuBar(), nullptr);
}

bool TVxCustomMDIChild::Designing() const { return ComponentState().Contains(TComponentStateFlag::csDesigning); }

void TVxCustomMDIChild::Loaded() {
  TVxHook::Loaded();
  auto* F = dynamic_cast<TForm*>(Owner());
  if (!F || Designing()) return;
  SetHookedControl(F);
  FHooked = true;
  FHasCreatedState = true;
  if (F->WindowState() == TWindowState::wsNormal) UpdateFrame();
}

void TVxCustomMDIChild::Unhooked() { FHooked = false; }

void TVxCustomMDIChild::SetBorderIcons(TVxBorderIcons Value) {
  if (Value == FBorderIcons) return;
  FBorderIcons = Value;
  if (!ComponentState().Contains(TComponentStateFlag::csLoading)) UpdateFrame();
}

void TVxCustomMDIChild::SetBorderStyle(TVxBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  if (!ComponentState().Contains(TComponentStateFlag::csLoading)) UpdateFrame();
}

// [State and geometry] --------------------------------------------------------------------------

TWindowState TVxCustomMDIChild::NativeState() const {
  const TForm* F = Form();
  return F ? F->WindowState() : TWindowState::wsNormal;
}

bool TVxCustomMDIChild::IsMDIChildForm() const {
  const TForm* F = Form();
  return F && F->FormStyle() == TFormStyle::fsMDIChild;
}

TVxWindowState TVxCustomMDIChild::FrameState() const {
  switch (NativeState()) {
    case TWindowState::wsMaximized: return TVxWindowState::kwsMaximized;
    case TWindowState::wsMinimized: return TVxWindowState::kwsMinimized;
    default: return TVxWindowState::kwsNormal;
  }
}

Integer TVxCustomMDIChild::WindowWidth() const {
  TForm* F = Form();
  return F && F->HandleAllocated() ? WindowBounds(F->Handle()).Width() : 0;
}

Integer TVxCustomMDIChild::WindowHeight() const {
  TForm* F = Form();
  return F && F->HandleAllocated() ? WindowBounds(F->Handle()).Height() : 0;
}

TvxWindowKind TVxCustomMDIChild::WindowKind() const { return BorderWindowKind(FBorderStyle); }

Integer TVxCustomMDIChild::StyleCaptionHeight() const { return BorderCaptionHeight(FBorderStyle); }

// No roll-up and no tray for a child.
uint16_t TVxCustomMDIChild::TitleButtons() const {
  TVxBorderIcons Icons = FBorderIcons;
  Icons.Exclude(TVxBorderIcon::kbiRollup);
  Icons.Exclude(TVxBorderIcon::kbiTray);
  return TitleButtonBits(FBorderStyle, Icons, FrameState());
}

TRect TVxCustomMDIChild::GetClientBounds() {
  const Integer W = WindowWidth(), H = WindowHeight();
  if (IsMDIChildForm() && NativeState() == TWindowState::wsMaximized) return Rect(0, 0, W, H);
  return DefaultClientBounds(FBorderStyle, W, H);
}

TRect TVxCustomMDIChild::GetButtonRect(TVxBorderIcon Icon) {
  // A place is kept for roll-up, but no roll-up or tray button is drawn or acted upon.
  if (Icon == TVxBorderIcon::kbiRollup || Icon == TVxBorderIcon::kbiTray) return TRect{};
  return DefaultFrameButtonRect(GetClientBounds(), FBorderStyle, FBorderIcons, FrameState(), Icon);
}

TRect TVxCustomMDIChild::GetMaximizedBounds() {
  TForm* F = Form();
  if (IsMDIChildForm()) {
    TForm* Parent = TForm::MDIParentForm();
    if (Parent && Parent->ClientHandle()) {
      RECT R{};
      GetClientRect(Parent->ClientHandle(), &R);
      return Rect(R.left, R.top, R.right, R.bottom);
    }
    return Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  }
  const TRect A = GetMonitorAreaFromWindow(F && F->HandleAllocated() ? F->Handle() : nullptr, true);
  const Integer D = GetClientBounds().Left;
  return {A.Left - D, A.Top - D, A.Right + D, A.Bottom + D};
}

TSize TVxCustomMDIChild::GetMaxTrackSize() {
  const TRect M = GetMaximizedBounds();
  return {M.Width(), M.Height()};
}

TSize TVxCustomMDIChild::GetMinTrackSize() { return {150, 40}; }

HRGN TVxCustomMDIChild::GetRegion() { return CreateRectRgn(0, 0, WindowWidth(), WindowHeight()); }

HICON TVxCustomMDIChild::SmallIconHandle() {
  if (!FSmallIcon) FSmallIcon = CopySmallIcon(Form());
  return FSmallIcon;
}

TVxFrameView TVxCustomMDIChild::FrameView() {
  TVxFrameView View;
  View.Width = WindowWidth();
  View.Height = WindowHeight();
  View.Client = GetClientBounds();
  View.BorderStyle = FBorderStyle;
  View.BorderIcons = FBorderIcons;
  View.BorderIcons.Exclude(TVxBorderIcon::kbiTray);
  View.State = FrameState();
  View.Active = FCaptionActive;
  View.Caption = Form() ? AnsiToWideCP(CP_ACP, Form()->Caption()) : std::wstring();
  View.Wnd = Form() && Form()->HandleAllocated() ? Form()->Handle() : nullptr;
  View.ButtonRect = [this](TVxBorderIcon Icon) { return GetButtonRect(Icon); };
  // There is no tracking state: a button is hot when the pointer is over it.
  View.ButtonLook = [this](TvxHitCode Code) -> Byte {
    return (FNCButtons & 8) && FPressedPart == Code && FHotPart == Code ? 2 : FHotPart == Code ? 1 : 0;
  };
  View.SmallIcon = [this] { return SmallIconHandle(); };
  return View;
}

TvxHitCode TVxCustomMDIChild::HitTest(Integer X, Integer Y) {
  const bool Final = NativeState() != TWindowState::wsNormal;
  return FrameHitTest(FrameView(), X, Y, StyleCaptionHeight(), Final);
}

// [Painting] ------------------------------------------------------------------------------------

void TVxCustomMDIChild::PaintFrame(TCanvas& Canvas) { PaintDefaultFrame(Canvas, FrameView()); }

void TVxCustomMDIChild::PaintBackground(TCanvas& Canvas, const TRect& R) {
  TForm* F = Form();
  TBrushHandle Brush(CreateSolidBrush(COLORREF(ColorToRGB(F ? F->Color() : clBtnFace))));
  const RECT Area{R.Left, R.Top, R.Right, R.Bottom};
  FillRect(Canvas.Handle(), &Area, Brush.Get());
}

// The frame is painted into a bitmap kept between paints and copied to the window; as long as
// nothing it shows has changed, a paint is only the copy. Children overlap: every arrangement
// exposes their frames many times over, and the theme's frame costs a millisecond to draw.
void TVxCustomMDIChild::PaintNonClient() {
  TForm* F = Form();
  if (!F || !F->HandleAllocated() || !FHooked || !FPaintEnabled) return;
  if (IsMDIChildForm() && NativeState() == TWindowState::wsMaximized) return;
  const Integer W = WindowWidth(), H = WindowHeight();
  if (W <= 0 || H <= 0) return;
  const TRect C = GetClientBounds();
  TNonClientDC WindowDC(F->Handle());
  if (!WindowDC.Get()) return;
  const TFrameLook Look{W,         H,        FCaptionActive, NativeState(), FHotPart,
                        FPressedPart, FNCButtons, AnsiToWideCP(CP_ACP, F->Caption())};
  if (!FFrameBuffer) FFrameBuffer = std::make_unique<TvxBitmap>();
  if (!FFrameValid || !(Look == FFrameLook)) {
    if (FFrameBuffer->Width() != W || FFrameBuffer->Height() != H) FFrameBuffer->SetSize(W, H);
    TCanvas Canvas(FFrameBuffer->DC());
    PaintFrame(Canvas);
    Canvas.SetHandle(nullptr);
    FFrameLook = Look;
    FFrameValid = true;
  }
  const bool Minimized = Look.State == TWindowState::wsMinimized;
  const TRect Pieces[] = {Rect(0, 0, W, C.Top), Rect(0, C.Bottom, W, H), Rect(0, C.Top, C.Left, C.Bottom),
                          Rect(C.Right, C.Top, W, C.Bottom)};
  for (const TRect& R : Minimized ? std::vector<TRect>{Rect(0, 0, W, H)} : std::vector<TRect>(Pieces, Pieces + 4))
    if (!R.IsEmpty())
      BitBlt(WindowDC.Get(), R.Left, R.Top, R.Width(), R.Height(), FFrameBuffer->DC(), R.Left, R.Top, SRCCOPY);
}

void TVxCustomMDIChild::InvalidateFrame() { FFrameValid = false; }

void TVxCustomMDIChild::EraseBackground(HDC MessageDC) {
  TForm* F = Form();
  if (!F || !F->HandleAllocated()) return;
  TWindowDC OwnDC(FChildPaint || MessageDC ? nullptr : F->Handle());
  HDC D = MessageDC ? MessageDC : OwnDC.Get();
  if (!D) return;
  RECT Client{};
  GetClientRect(F->Handle(), &Client);
  const TRect R = Rect(0, 0, Client.right, Client.bottom);
  if (R.IsEmpty()) return;
  if (FPerformance == TVxFormPerformance::zqfpNoBuffer) {
    TCanvas Canvas(D);
    PaintBackground(Canvas, R);
    Canvas.SetHandle(nullptr);
    return;
  }
  TvxBitmap Buffer;
  Buffer.SetSize(R.Width(), R.Height());
  {
    TCanvas Canvas(Buffer.DC());
    PaintBackground(Canvas, R);
    Canvas.SetHandle(nullptr);
  }
  Buffer.Draw(D, 0, 0);
}

void TVxCustomMDIChild::PaintForChild(HDC DC, const TRect& ChildBounds) {
  FChildPaint = true;
  FChildBounds = ChildBounds;
  try {
    EraseBackground(DC);
  } catch (...) {
    FChildPaint = false;
    throw;
  }
  FChildPaint = false;
}

// [Frame and region] ----------------------------------------------------------------------------

void TVxCustomMDIChild::UpdateRegion() {
  TForm* F = Form();
  if (FHasCreatedState || !F || !F->HandleAllocated() || !FHooked) return;
  if (IsMDIChildForm() && NativeState() == TWindowState::wsMaximized) {
    SetWindowRgn(F->Handle(), nullptr, TRUE);
    FRegionSize = {0, 0};
    return;
  }
  // Both the position change and the size message ask for it: one region per size is enough.
  const TSize Size{WindowWidth(), WindowHeight()};
  if (Size.cx == FRegionSize.cx && Size.cy == FRegionSize.cy) return;
  FPaintEnabled = false;
  struct TResume {
    bool& Flag;
    ~TResume() { Flag = true; }
  } Resume{FPaintEnabled};
  TRegionHandle Region(GetRegion());
  // What the new region cuts off shows the parent again: it is invalidated there. The window
  // itself is invalidated and painted with the next paint rather than at once: a region set
  // while the client arranges twenty children would otherwise paint each of them twice.
  TRegionHandle CutOff(CreateRectRgn(0, 0, Size.cx, Size.cy));
  if (Region && CutOff) CombineRgn(CutOff.Get(), CutOff.Get(), Region.Get(), RGN_DIFF);
  if (SetWindowRgn(F->Handle(), Region.Get(), FALSE)) Region.Release();
  FRegionSize = Size;
  RedrawWindow(F->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  if (HWND Parent = GetParent(F->Handle()); Parent && CutOff) {
    POINT Origin{0, 0};
    const TRect W = WindowBounds(F->Handle());
    Origin = {W.Left, W.Top};
    ScreenToClient(Parent, &Origin);
    OffsetRgn(CutOff.Get(), Origin.x, Origin.y);
    InvalidateRgn(Parent, CutOff.Get(), TRUE);
  }
}

void TVxCustomMDIChild::UpdateFrame() {
  // The frame may have changed at the same size.
  FRegionSize = {0, 0};
  InvalidateFrame();
  TForm* F = Form();
  if (!F || !FHooked || !F->HandleAllocated()) return;
  const TRect Before = F->ClientRect();
  F->SetHeight(F->Height() + 1);
  F->SetHeight(F->Height() - 1);
  const TRect After = F->ClientRect();
  if (Before.Width() != 0 && (Before.Width() != After.Width() || Before.Height() != After.Height()))
    F->SetBounds(F->Left(), F->Top(), F->Width() + Before.Width() - After.Width(),
                 F->Height() + Before.Height() - After.Height());
  const RECT R{0, 0, WindowWidth(), WindowHeight()};
  RedrawWindow(F->Handle(), &R, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TVxCustomMDIChild::UpdateMenuBarButtons() {
  if (!IsMDIChildForm() || !MDIItemsPresenter) return;
  TForm* Parent = TForm::MDIParentForm();
  TVxDefaultForm* Skinned = Parent ? FindSkinnedForm(Parent) : nullptr;
  if (!Skinned || !Skinned->MenuBar()) return;
  TForm* Active = Parent->ActiveMDIChild();
  const bool Shows = Active && !Active->ComponentState().Contains(TComponentStateFlag::csDestroying) &&
                     FindSkinnedMDIChild(Active) && Active->WindowState() == TWindowState::wsMaximized;
  MDIItemsPresenter(*Skinned->MenuBar(), Shows ? Active : nullptr);
}

// [System menu] ---------------------------------------------------------------------------------

std::vector<TVxDefaultForm::TSystemMenuEntry> TVxCustomMDIChild::SystemMenuEntries() const {
  const TWindowState State = NativeState();
  auto* Self = const_cast<TVxCustomMDIChild*>(this);
  auto SetState = [Self](TWindowState To) {
    return [Self, To] {
      if (TForm* F = Self->Form()) F->SetWindowState(To);
    };
  };
  std::vector<TVxDefaultForm::TSystemMenuEntry> Entries;
  Entries.push_back({"&Restore", "", 3, SetState(TWindowState::wsNormal), State != TWindowState::wsNormal});
  Entries.push_back({"Mi&nimize", "", 1, SetState(TWindowState::wsMinimized), State != TWindowState::wsMinimized});
  Entries.push_back({"Ma&ximize", "", 2, SetState(TWindowState::wsMaximized), State != TWindowState::wsMaximized});
  Entries.push_back({"-", "", -1, nullptr});
  Entries.push_back({"&Close", "Ctrl+F4", 0, [Self] {
                       if (TForm* F = Self->Form()) F->Close();
                     }});
  Entries.push_back({"-", "", -1, nullptr});
  Entries.push_back({"&Next", "Ctrl+F6", -1, [] {
                       if (TForm* Parent = TForm::MDIParentForm()) Parent->Next();
                     }});
  return Entries;
}

void TVxCustomMDIChild::ShowSystemMenu() {
  TForm* F = Form();
  if (!F || !F->HandleAllocated() || !EntryMenuPresenter) return;
  TPoint At = FPopupPoint;
  if (At.X == 0 && At.Y == 0) {
    const TRect Button = GetButtonRect(TVxBorderIcon::kbiSystemMenu);
    const TRect W = WindowBounds(F->Handle());
    At = Button.IsEmpty() ? TPoint{W.Left, W.Top + GetClientBounds().Top}
                          : TPoint{W.Left + Button.Left, W.Top + Button.Bottom};
  }
  FPopupPoint = {0, 0};
  TComponent* Old = FSystemMenu;
  FSystemMenu = nullptr;
  delete Old;
  FSystemMenu = EntryMenuPresenter(*this, SystemMenuEntries(), At);
}

// [Mouse] ---------------------------------------------------------------------------------------

TPoint TVxCustomMDIChild::ScreenToWindow(intptr_t LParam) const {
  const TPoint P{Integer(int16_t(LOWORD(LParam))), Integer(int16_t(HIWORD(LParam)))};
  TForm* F = Form();
  const TRect W = WindowBounds(F && F->HandleAllocated() ? F->Handle() : nullptr);
  return {P.X - W.Left, P.Y - W.Top};
}

void TVxCustomMDIChild::MouseDown(TMouseButton Button, TPoint P) {
  if (Button != TMouseButton::mbLeft) return;
  FPressedPart = FHotPart = HitTest(P.X, P.Y);
  PaintNonClient();
}

void TVxCustomMDIChild::MouseMove(TPoint P) {
  const TvxHitCode Part = HitTest(P.X, P.Y);
  if (Part == FHotPart) return;
  FHotPart = Part;
  PaintNonClient();
}

// True when the release acted on a title button.
bool TVxCustomMDIChild::MouseUp(TMouseButton Button, TPoint P) {
  TForm* F = Form();
  if (!F) return false;
  const TvxHitCode Part = HitTest(P.X, P.Y);
  bool Acted = false;
  if (Button == TMouseButton::mbLeft) {
    if (GetCapture() == F->Handle()) ReleaseCapture();
    if (Part == FPressedPart && FPressedPart >= vxhtClose && FPressedPart <= vxhtSysMenu) {
      const TvxHitCode Code = FPressedPart;
      FHotPart = FPressedPart = vxhtNone;
      PaintNonClient();
      Act(Code);
      Acted = true;
    }
  } else if (Part == vxhtCaption) {
    POINT Cursor{};
    GetCursorPos(&Cursor);
    FPopupPoint = {Cursor.x, Cursor.y};
    ShowSystemMenu();
  }
  FPressedPart = vxhtNone;
  if (!Acted) PaintNonClient();
  return Acted;
}

void TVxCustomMDIChild::Act(TvxHitCode Code) {
  TForm* F = Form();
  if (!F) return;
  const TWindowState State = NativeState();
  switch (Code) {
    case vxhtClose: F->Close(); break;
    case vxhtMinimize:
      F->SetWindowState(State == TWindowState::wsMinimized ? TWindowState::wsNormal : TWindowState::wsMinimized);
      break;
    case vxhtMaximize:
      F->SetWindowState(State == TWindowState::wsMaximized ? TWindowState::wsNormal : TWindowState::wsMaximized);
      break;
    case vxhtSysMenu: ShowSystemMenu(); break;
    default: break;
  }
}

void TVxCustomMDIChild::NCButtonDown(TMessage& Message, bool& Handled) {
  TForm* F = Form();
  if (!F) return;
  const TPoint P = ScreenToWindow(Message.LParam);
  const TvxHitCode Part = HitTest(P.X, P.Y);
  CloseDroppedDownCombo();
  if (Message.Msg == WM_NCRBUTTONDOWN) {
    if (TForm* Parent = TForm::MDIParentForm(); Parent && Parent->ActiveMDIChild() != F) F->Show();
    FNCButtons = 16;
    return;
  }
  FNCButtons = 8;
  MouseDown(TMouseButton::mbLeft, P);
  // Presses on the caption, edges and corners go on to the platform, which moves and sizes.
  if (Part >= vxhtClose && Part <= vxhtSysMenu) {
    SetCapture(F->Handle());
    Message.Result = 0;
    Handled = true;
  } else {
    FNCButtons = 0;
  }
}

// [Messages] ------------------------------------------------------------------------------------

void TVxCustomMDIChild::NCCalcSize(TMessage& Message) {
  Message.Result = 0;
  if (!Message.WParam) return;
  auto* Params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
  const TRect C = GetClientBounds();
  const Integer W = WindowWidth(), H = WindowHeight();
  if (W <= 0 || H <= 0) return;
  RECT& R = Params->rgrc[0];
  RECT Client{R.left + C.Left, R.top + C.Top, R.right - (W - C.Right), R.bottom - (H - C.Bottom)};
  Client.right = std::max(Client.right, Client.left);
  Client.bottom = std::max(Client.bottom, Client.top);
  Params->rgrc[0] = Client;
  Params->rgrc[1] = Client;
}

namespace {

intptr_t ChildHitCode(TvxHitCode Code, bool Sizeable) {
  switch (Code) {
    case vxhtCaption: return HTCAPTION;
    case vxhtLeft: return Sizeable ? HTLEFT : HTBORDER;
    case vxhtTop: return Sizeable ? HTTOP : HTBORDER;
    case vxhtRight: return Sizeable ? HTRIGHT : HTBORDER;
    case vxhtBottom: return Sizeable ? HTBOTTOM : HTBORDER;
    case vxhtTopLeft: return Sizeable ? HTTOPLEFT : HTBORDER;
    case vxhtTopRight: return Sizeable ? HTTOPRIGHT : HTBORDER;
    case vxhtBottomLeft: return Sizeable ? HTBOTTOMLEFT : HTBORDER;
    case vxhtBottomRight: return Sizeable ? HTBOTTOMRIGHT : HTBORDER;
    case vxhtClose: return HTCLOSE;
    case vxhtHelp: return HTHELP;
    case vxhtMinimize: return HTMINBUTTON;
    case vxhtMaximize: return HTMAXBUTTON;
    case vxhtSysMenu: return HTSYSMENU;
    default: return HTCLIENT;
  }
}

}  // namespace

void TVxCustomMDIChild::MessageBefore(TMessage& Message, bool& Handled) {
  TForm* F = Form();
  if (!F) return;
  switch (Message.Msg) {
    case WM_SETTEXT: HideCaptionForText(F->Handle()); break;
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      Handled = true;
      break;
    case WM_WINDOWPOSCHANGING: {
      // A frame change in place shows at once; one that moves or sizes is painted where it lands.
      const UINT Flags = reinterpret_cast<const WINDOWPOS*>(Message.LParam)->flags;
      if ((Flags & SWP_FRAMECHANGED) && (Flags & SWP_NOMOVE) && (Flags & SWP_NOSIZE)) PaintNonClient();
      break;
    }
    case WM_WINDOWPOSCHANGED:
      if (!(reinterpret_cast<const WINDOWPOS*>(Message.LParam)->flags & SWP_NOSIZE)) UpdateRegion();
      break;
    case WM_NCCALCSIZE:
      if (IsMDIChildForm() && NativeState() == TWindowState::wsMaximized) break;
      NCCalcSize(Message);
      Handled = true;
      break;
    case WM_NCHITTEST: {
      const TPoint P = ScreenToWindow(Message.LParam);
      Message.Result = ChildHitCode(HitTest(P.X, P.Y), NativeState() == TWindowState::wsNormal);
      Handled = true;
      break;
    }
    case WM_NCPAINT:
      PaintNonClient();
      Message.Result = 0;
      Handled = true;
      break;
    case WM_NCACTIVATE:
      // The platform would paint its caption over ours; activation itself goes through the MDI
      // client, which does not need this message.
      FCaptionActive = Message.WParam != 0;
      Message.Result = 1;
      Handled = true;
      PaintNonClient();
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: NCButtonDown(Message, Handled); break;
    case WM_NCLBUTTONDBLCLK: {
      // A double click on a title button is two clicks on it, not the platform's maximize.
      const TPoint P = ScreenToWindow(Message.LParam);
      const TvxHitCode Part = HitTest(P.X, P.Y);
      if (Part >= vxhtClose && Part <= vxhtSysMenu) {
        Message.Result = 0;
        Handled = true;
      }
      break;
    }
    case WM_NCMOUSEMOVE: MouseMove(ScreenToWindow(Message.LParam)); break;
    case WM_NCLBUTTONUP:
      FNCButtons = 0;
      if (MouseUp(TMouseButton::mbLeft, ScreenToWindow(Message.LParam))) {
        Message.Result = 0;
        Handled = true;
      }
      break;
    case WM_NCRBUTTONUP:
      FNCButtons = 0;
      MouseUp(TMouseButton::mbRight, ScreenToWindow(Message.LParam));
      break;
    case WM_MOUSEMOVE:
      if (FNCButtons) {
        POINT P{Integer(int16_t(LOWORD(Message.LParam))), Integer(int16_t(HIWORD(Message.LParam)))};
        ClientToScreen(F->Handle(), &P);
        MouseMove(ScreenToWindow(MAKELPARAM(P.x, P.y)));
      } else if (FHotPart != vxhtNone) {
        FHotPart = vxhtNone;
        PaintNonClient();
      }
      break;
    case WM_LBUTTONUP:
      if (FNCButtons) {
        FNCButtons = 0;
        POINT P{Integer(int16_t(LOWORD(Message.LParam))), Integer(int16_t(HIWORD(Message.LParam)))};
        ClientToScreen(F->Handle(), &P);
        if (MouseUp(TMouseButton::mbLeft, ScreenToWindow(MAKELPARAM(P.x, P.y)))) Handled = true;
      }
      break;
    case WM_SYSCOMMAND:
      // Alt+Space, and Alt+- (a child's own system-menu key), open the skinned menu.
      if (((Message.WParam & 0xFFF0) == SC_KEYMENU && (Message.LParam == ' ' || Message.LParam == '-')) ||
          (Message.WParam & 0xFFF0) == SC_MOUSEMENU) {
        ShowSystemMenu();
        Message.Result = 0;
        Handled = true;
      }
      break;
    case WM_SETICON:
      if (FSmallIcon) DestroyIcon(FSmallIcon);
      FSmallIcon = nullptr;
      InvalidateFrame();
      break;
    case WM_SYSCOLORCHANGE: InvalidateFrame(); break;
    case WM_THEMECHANGED:
      ReadFrameMetrics();
      InvalidateFrame();
      Message.Result = 0;
      Handled = true;
      break;
    case FM_RESTORECAPTION:
      RestoreCaptionStyle(F->Handle(), Message.WParam);
      PaintNonClient();
      Handled = true;
      break;
    case FM_FRAMECHANGED:
      SetWindowPos(F->Handle(), nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      Handled = true;
      break;
    case FM_PAINTTO:
      if (Message.LParam) {
        HDC DC = reinterpret_cast<HDC>(Message.LParam);
        TDCState State(DC);
        OffsetWindowOrgEx(DC, -Integer(int16_t(LOWORD(Message.WParam))), -Integer(int16_t(HIWORD(Message.WParam))),
                          nullptr);
        TCanvas Canvas(DC);
        PaintFrame(Canvas);
        Canvas.SetHandle(nullptr);
      }
      Handled = true;
      break;
    default: break;
  }
}

void TVxCustomMDIChild::MessageAfter(TMessage& Message, bool&) {
  switch (Message.Msg) {
    case WM_SIZE: Resized(Message.WParam); break;
    case WM_MDIACTIVATE:
      // The maximized child that becomes active takes the menu bar's buttons.
      UpdateMenuBarButtons();
      break;
    case WM_SYSCOMMAND:
      if ((Message.WParam & 0xFFF0) == SC_CONTEXTHELP) PaintNonClient();
      break;
    default: break;
  }
}

void TVxCustomMDIChild::Resized(uintptr_t Kind) {
  TForm* F = Form();
  if (!F) return;
  switch (Kind) {
    case SIZE_RESTORED:
      FHasCreatedState = false;
      UpdateRegion();
      PaintNonClient();
      UpdateMenuBarButtons();
      F->Realign();
      break;
    case SIZE_MAXIMIZED:
      UpdateMenuBarButtons();
      // The platform's frame now lies outside the client: recalculate it once the platform has
      // finished placing the window.
      if (FHasCreatedState)
        SetWindowPos(F->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      else
        PostMessageA(F->Handle(), FM_FRAMECHANGED, 0, 0);
      FHasCreatedState = false;
      UpdateRegion();
      F->Realign();
      break;
    case SIZE_MINIMIZED:
      PaintNonClient();
      UpdateMenuBarButtons();
      break;
    default: break;
  }
}

// [TVxMDIChild] ---------------------------------------------------------------------------------

const TClassInfo& TVxMDIChild::StaticClassInfo() {
  using C = TVxMDIChild;
  static const TPropInfo Properties[] = {
      ComponentProperty<&C::ThemeLink, &C::SetThemeLink>("ThemeLink"),
      StringProperty<&C::ThemeObject, &C::SetThemeObject>("ThemeObject"),
  };
  static const TClassInfo Info{
      "TVxMDIChild", &TVxCustomMDIChild::StaticClassInfo(), Properties, {}, &CreateComponent<TVxMDIChild>};
  return Info;
}

TVxMDIChild::TVxMDIChild(TComponent* Owner) : TVxCustomMDIChild(Owner, TDeferLoad{}) {
  ThemeManager().RegisterThemeClient(this);
  LoadedInCode();
}

TVxMDIChild::~TVxMDIChild() { ThemeManager().UnregisterThemeClient(this); }

void TVxMDIChild::SetThemeLink(TvxCustomThemeLink* Value) {
  if (Value == FThemeLink) return;
  if (FThemeLink) FThemeLink->RemoveFreeNotification(this);
  FThemeLink = Value;
  if (FThemeLink) FThemeLink->FreeNotification(this);
  if (!Designing()) UpdateFrame();
}

void TVxMDIChild::SetThemeObject(const std::string& Value) {
  if (Value == FThemeObject) return;
  FThemeObject = Value;
  if (!Designing()) UpdateFrame();
}

void TVxMDIChild::Notification(TComponent* Component, TOperation Operation) {
  TVxCustomMDIChild::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FThemeLink) FThemeLink = nullptr;
}

bool TVxMDIChild::Themed() const { return IsFormThemed(WindowKind(), FThemeObject, FThemeLink); }

TvxTheme* TVxMDIChild::Theme() const { return GetLinkTheme(FThemeLink); }

TvxWindowInfo TVxMDIChild::WindowInfo() const {
  TvxWindowInfo Info;
  Info.Rect = Rect(0, 0, WindowWidth(), WindowHeight());
  Info.Active = CaptionActive();
  Info.Buttons = TitleButtons();
  Info.Caption = Form() ? AnsiToWideCP(CP_ACP, Form()->Caption()) : std::wstring();
  return Info;
}

HRGN TVxMDIChild::GetRegion() {
  if (!Themed()) return TVxCustomMDIChild::GetRegion();
  HRGN Region = Theme()->GetFormRegion(WindowKind(), Rect(0, 0, WindowWidth(), WindowHeight()), ThemeObject());
  return Region ? Region : TVxCustomMDIChild::GetRegion();
}

TRect TVxMDIChild::GetButtonRect(TVxBorderIcon Icon) {
  if (!Themed()) return TVxCustomMDIChild::GetButtonRect(Icon);
  if (!BorderIcons().Contains(Icon) || Icon == TVxBorderIcon::kbiRollup || Icon == TVxBorderIcon::kbiTray)
    return TRect{};
  bool Known = false;
  TVxWindowState State = TVxWindowState::kwsNormal;
  if (NativeState() == TWindowState::wsMaximized) State = TVxWindowState::kwsMaximized;
  if (NativeState() == TWindowState::wsMinimized) State = TVxWindowState::kwsMinimized;
  const TvxTitleButton Button = ThemedTitleButton(Icon, State, Known);
  if (!Known) return TRect{};
  TRect R;
  Theme()->GetFormButtonRect(WindowKind(), WindowInfo(), R, ThemeObject(), Button);
  return R;
}

TRect TVxMDIChild::GetClientBounds() {
  if (!Themed() || (IsMDIChildForm() && NativeState() == TWindowState::wsMaximized))
    return TVxCustomMDIChild::GetClientBounds();
  TRect R{0, 0, WindowWidth(), WindowHeight()};
  Theme()->GetFormClientRect(WindowKind(), WindowInfo(), R, ThemeObject());
  R.Right = std::max(R.Right, R.Left);
  R.Bottom = std::max(R.Bottom, R.Top);
  return R;
}

TRect TVxMDIChild::GetMaximizedBounds() {
  if (!Themed()) return TVxCustomMDIChild::GetMaximizedBounds();
  if (IsMDIChildForm()) return TVxCustomMDIChild::GetMaximizedBounds();
  return GetMonitorAreaFromWindow(Form() && Form()->HandleAllocated() ? Form()->Handle() : nullptr, true);
}

TSize TVxMDIChild::GetMinTrackSize() {
  if (!Themed()) return TVxCustomMDIChild::GetMinTrackSize();
  return {100, WindowHeight() - GetClientBounds().Height()};
}

void TVxMDIChild::PaintFrame(TCanvas& Canvas) {
  if (!Themed()) return TVxCustomMDIChild::PaintFrame(Canvas);
  // Painted into the kept frame bitmap, never straight onto the screen: nothing to compose.
  PaintThemedFrame(*Theme(), WindowKind(), Canvas, ThemeObject(), WindowInfo(), FrameView(), false);
}

void TVxMDIChild::PaintBackground(TCanvas& Canvas, const TRect& R) {
  if (!Themed()) return TVxCustomMDIChild::PaintBackground(Canvas, R);
  Theme()->DrawFormBackground(WindowKind(), Canvas, ThemeObject(), R);
}

TvxHitCode TVxMDIChild::HitTest(Integer X, Integer Y) {
  if (!Themed()) return TVxCustomMDIChild::HitTest(X, Y);
  return Theme()->FormHitTest(WindowKind(), WindowInfo(), ThemeObject(), X, Y);
}

void TVxMDIChild::Dispatch(TMessage& Message) {
  if (Message.Msg == TM_THEMECHANGE) {
    TForm* F = Form();
    switch (Message.WParam) {
      case TMC_THEMECHANGED:
      case TMC_THEMESET:
      case TMC_THEMEREMOVED: UpdateFrame(); break;
      case TMC_COLORSCHANGED:
        InvalidateFrame();
        PaintNonClient();
        if (F && F->HandleAllocated())
          RedrawWindow(F->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        break;
      default: break;
    }
    return;
  }
  TVxCustomMDIChild::Dispatch(Message);
}

// [Finding and registering] ---------------------------------------------------------------------

TVxCustomMDIChild* FindSkinnedMDIChild(TControl* Control) {
  if (!Control) return nullptr;
  TControl* Top = Control;
  while (Top->Parent()) Top = Top->Parent();
  auto* F = dynamic_cast<TForm*>(Top);
  if (!F) return nullptr;
  for (TComponent* C : F->ComponentList())
    if (auto* S = dynamic_cast<TVxCustomMDIChild*>(C); S && S->Active()) return S;
  return nullptr;
}

void RegisterMDIChildClasses() {
  RegisterClass(TVxCustomMDIChild::StaticClassInfo());
  RegisterClass(TVxMDIChild::StaticClassInfo());
}
