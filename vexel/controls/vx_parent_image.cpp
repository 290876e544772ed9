#include "vexel/controls/vx_parent_image.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "framework/graphics/gdi_handles.h"
#include "framework/ui/comctrls.h"
#include "vexel/controls/vx_controls.h"
#include "vexel/graphics/vx_utils_win32.h"

namespace {

struct TPainterEntry {
  const TClassInfo* Class;
  TVxParentPainter Painter;
};

// A skinned windowed parent paints its frame and client into the child's context on request.
void PaintSkinnedParent(TCanvas& Canvas, const TVxParentPaintInfo& Info) {
  Info.Parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(Canvas.Handle()), 1);
}

// A notebook page shows its notebook's colour.
void PaintNotebookPage(TCanvas& Canvas, const TVxParentPaintInfo& Info) {
  const auto* Page = static_cast<const TTabSheet*>(Info.Parent);
  const TControl* Notebook = Page->PageControl();
  FillRectColor(Canvas.Handle(), Info.ControlRect, Notebook ? Notebook->Color() : Page->Color());
}

std::vector<TPainterEntry>& Painters() {
  static std::vector<TPainterEntry> List = {
      {&TVxControl::StaticClassInfo(), PaintSkinnedParent},
      {&TTabSheet::StaticClassInfo(), PaintNotebookPage},
  };
  return List;
}

// The painter of the most derived registered class Parent is an instance of.
const TVxParentPainter* FindPainter(const TWinControl& Parent) {
  const TPainterEntry* Best = nullptr;
  for (const TPainterEntry& Entry : Painters()) {
    if (!Parent.ClassInfo().InheritsFrom(*Entry.Class)) continue;
    if (!Best || Entry.Class->InheritsFrom(*Best->Class)) Best = &Entry;
  }
  return Best ? &Best->Painter : nullptr;
}

// Paints Parent itself into DC, whose origin already maps the parent's client coordinates. A
// custom control paints its own picture only (not its windowless children); its background
// comes first, since many leave it to the erase (a form, a plain host).
void PaintParentInto(TWinControl& Parent, HDC DC) {
  Parent.Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
  if (auto* Custom = dynamic_cast<TCustomControl*>(&Parent)) return Custom->PaintTo(DC);
  Parent.Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
}

// Sets csPaintCopy on the control for a scope.
class TPaintCopyState {
 public:
  explicit TPaintCopyState(TControl& Control) : FControl(Control), FSaved(Control.ControlState()) {
    TControlState State = FSaved;
    State.Include(TControlStateFlag::csPaintCopy);
    FControl.SetControlState(State);
  }
  ~TPaintCopyState() { FControl.SetControlState(FSaved); }
  TPaintCopyState(const TPaintCopyState&) = delete;
  TPaintCopyState& operator=(const TPaintCopyState&) = delete;

 private:
  TControl& FControl;
  TControlState FSaved;
};

}  // namespace

void RegisterParentPainter(const TClassInfo& ParentClass, TVxParentPainter Painter) {
  for (TPainterEntry& Entry : Painters())
    if (Entry.Class == &ParentClass) {
      Entry.Painter = std::move(Painter);
      return;
    }
  Painters().push_back({&ParentClass, std::move(Painter)});
}

void UnregisterParentPainter(const TClassInfo& ParentClass) {
  std::erase_if(Painters(), [&](const TPainterEntry& Entry) { return Entry.Class == &ParentClass; });
}

void DrawParentImage(TControl* Control, HDC DC) {
  if (!Control || !DC) return;
  TWinControl* Parent = Control->Parent();
  if (!Parent || Control->Width() <= 0 || Control->Height() <= 0) return;
  if (Control->ControlState().Contains(TControlStateFlag::csPaintCopy)) return;

  const int Saved = SaveDC(DC);
  // The control's client origin in the parent's client coordinates.
  const bool Windowed = dynamic_cast<TWinControl*>(Control) != nullptr;
  const TPoint P =
      Windowed ? Parent->ScreenToClient(Control->ClientToScreen({0, 0})) : TPoint{Control->Left(), Control->Top()};
  POINT Origin;
  GetViewportOrgEx(DC, &Origin);
  SetViewportOrgEx(DC, Origin.x - P.X, Origin.y - P.Y, nullptr);
  {
    TPaintCopyState PaintCopy(*Control);
    if (const TVxParentPainter* Painter = FindPainter(*Parent)) {
      TCanvas Canvas(DC);
      const TVxParentPaintInfo Info{Control->BoundsRect(), Control->BoundsRect(), Control, Parent};
      (*Painter)(Canvas, Info);
    } else if (Windowed) {
      PaintParentInto(*Parent, DC);
    } else {
      // A windowless control's context also holds its siblings: the parent is painted apart
      // and only the control's own rectangle is copied back.
      const Integer W = Control->Width(), H = Control->Height();
      TMemoryDC Memory(DC);
      TBitmapHandle Bitmap(CreateCompatibleBitmap(DC, W, H));
      if (Memory.Get() && Bitmap) {
        TSelectGuard Select(Memory.Get(), Bitmap.Get());
        SetViewportOrgEx(Memory.Get(), -P.X, -P.Y, nullptr);
        PaintParentInto(*Parent, Memory.Get());
        SetViewportOrgEx(Memory.Get(), 0, 0, nullptr);
        BitBlt(DC, P.X, P.Y, W, H, Memory.Get(), 0, 0, SRCCOPY);
      }
    }
  }
  SetViewportOrgEx(DC, Origin.x, Origin.y, nullptr);
  RestoreDC(DC, Saved);
}
