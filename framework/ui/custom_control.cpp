// TControlCanvas, TCustomControl and TGraphicControl: the controls that paint themselves.
#include <windows.h>

#include <vector>

#include "framework/ui/controls.h"

// [TControlCanvas]

namespace {
std::vector<TControlCanvas*>& CanvasesWithDC() {
  static std::vector<TControlCanvas*> List;
  return List;
}
}  // namespace

void FreeDeviceContexts() {
  auto List = std::move(CanvasesWithDC());
  CanvasesWithDC().clear();
  for (TControlCanvas* Canvas : List) Canvas->FreeHandle();
}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::FreeHandle() {
  if (!FOwnDC) return;
  std::erase(CanvasesWithDC(), this);
  HDC DC = FOwnDC;
  FOwnDC = nullptr;
  SetHandle(nullptr);
  ReleaseDC(FWindow, DC);
  FWindow = nullptr;
}

void TControlCanvas::CreateHandle() {
  auto* Win = dynamic_cast<TWinControl*>(FControl);
  TWinControl* Host = Win ? Win : FControl->Parent();
  if (!Host) return;
  FWindow = Host->Handle();
  FOwnDC = GetDCEx(FWindow, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!FOwnDC) return;
  if (!Win) {
    // A windowless control draws in its own coordinates, inside its bounds.
    SetViewportOrgEx(FOwnDC, FControl->Left(), FControl->Top(), nullptr);
    IntersectClipRect(FOwnDC, 0, 0, FControl->Width(), FControl->Height());
  }
  SetHandle(FOwnDC);
  CanvasesWithDC().push_back(this);
}

// [TCustomControl]

const TClassInfo& TCustomControl::StaticClassInfo() {
  static const TClassInfo Info{"TCustomControl", &TWinControl::StaticClassInfo(), {}};
  return Info;
}

TCustomControl::TCustomControl(TComponent* Owner)
    : TWinControl(Owner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() { FCanvas->FreeHandle(); }

void TCustomControl::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomControl::PaintWindow(HDC DC) {
  FCanvas->FreeHandle();
  FCanvas->SetHandle(DC);
  FCanvas->Font().Assign(Font());
  FCanvas->Brush().SetColor(Color());
  TControlWatch Watch(this);
  try {
    Paint();
  } catch (...) {
    if (!Watch.Freed()) FCanvas->SetHandle(nullptr);
    throw;
  }
  if (!Watch.Freed()) FCanvas->SetHandle(nullptr);
}

// [TGraphicControl]

const TClassInfo& TGraphicControl::StaticClassInfo() {
  static const TClassInfo Info{"TGraphicControl", &TControl::StaticClassInfo(), {}};
  return Info;
}

TGraphicControl::TGraphicControl(TComponent* Owner)
    : TControl(Owner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() { FCanvas->FreeHandle(); }

void TGraphicControl::Paint() {
  if (OnPaint) OnPaint(this);
}

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT && Message.WParam) {
    FCanvas->FreeHandle();
    FCanvas->SetHandle(reinterpret_cast<HDC>(Message.WParam));
    FCanvas->Font().Assign(Font());
    FCanvas->Brush().SetColor(Color());
    TControlWatch Watch(this);
    try {
      Paint();
    } catch (...) {
      if (!Watch.Freed()) FCanvas->SetHandle(nullptr);
      throw;
    }
    if (!Watch.Freed()) FCanvas->SetHandle(nullptr);
    return;
  }
  TControl::Dispatch(Message);
}
