// Painting skin objects onto a framework canvas, and the window regions of their shapes.
// Windows only: the portable document (theme_dv3objects.h) knows nothing of canvases.
//
// The caller sets the runtime fields (State, Active, TitleButtons, Text) and the bounds first.
// A paint changes no stored property; it swaps state colours, fonts and images in for its own
// duration only. Layout runs as part of painting bitmap objects, and the children's bounds stay.
#pragma once

#include <functional>

#include "framework/core/platform_handles.h"
#include "framework/graphics/canvas.h"
#include "vexel/skin/theme_dv3objects.h"

// While a probe is set, every image piece and colour fill that covers its Point (a device pixel of
// the canvas) calls Painted with the object and the link it painted (nil for a fill). Pixels
// left out (key colour, no alpha) and pixels outside the canvas's clipping do not count.
struct TDvDrawProbe {
  TPoint Point;
  std::function<void(const TDvSkinObject& Object, const TvxBitmapLink* Link)> Painted;
};
// For every paint (all on the user-interface thread) until it is set back to nil. The caller keeps
// Probe alive.
void SetDrawProbe(const TDvDrawProbe* Probe);
const TDvDrawProbe* DrawProbe();
// The probe's point in DC's logical coordinates, when a probe is set and DC's clipping lets the
// point be painted.
bool DrawProbePoint(HDC DC, TPoint& Logical);

// Another probe (nil: none) for the paints of a scope, such as those onto a temporary image whose
// pixels reach the canvas elsewhere; the one before comes back afterwards.
class TDrawProbeScope {
 public:
  explicit TDrawProbeScope(const TDvDrawProbe* Probe) : FSaved(DrawProbe()) { SetDrawProbe(Probe); }
  ~TDrawProbeScope() { SetDrawProbe(FSaved); }
  TDrawProbeScope(const TDrawProbeScope&) = delete;
  TDrawProbeScope& operator=(const TDrawProbeScope&) = delete;

 private:
  const TDvDrawProbe* FSaved;
};

// Paints Object (and, for most classes, its children) at its bounds. An empty Clip (no width or
// no height) clips nothing.
void DrawObject(TDvSkinObject& Object, TCanvas& Canvas, const TRect& Clip);
// Text (or the "-" separator) inside the text rectangle, in the object's Font.
void PaintText(TDvSkinObject& Object, TCanvas& Canvas);
// DrawObject for every visible child of positive size that meets Clip, in child order.
void PaintChildren(TDvSkinObject& Object, TCanvas& Canvas, const TRect& Clip);

// The region of the object alone: its painted shape for masked bitmap classes, else its
// rectangle. Owned by the caller; nil for none.
HRGN CreateObjectRegion(TDvSkinObject& Object);
// The shape with the children: the union of the visible children's shapes for a masked owner
// that does not paint itself. Owned by the caller; nil when the object has no area.
HRGN CreateShapeRegion(TDvSkinObject& Object);
