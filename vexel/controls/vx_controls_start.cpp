// Linked into every program that links the skinned controls, as an object file so that the
// linker keeps it: the controls' classes can be read from form files, and the parent painters
// of classes defined here are known, before the program's own code runs.
#include "vexel/controls/vx_buttons.h"
#include "vexel/controls/vx_controlbar.h"
#include "vexel/controls/vx_header.h"
#include "vexel/controls/vx_headerpanel.h"
#include "vexel/controls/vx_listbox.h"
#include "vexel/controls/vx_panels.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/controls/vx_progress.h"
#include "vexel/controls/vx_scrollbar.h"
#include "vexel/controls/vx_scrollbox.h"
#include "vexel/controls/vx_speedbutton.h"
#include "vexel/controls/vx_spinbutton.h"
#include "vexel/controls/vx_statusbar.h"
#include "vexel/controls/vx_stringgrid.h"
#include "vexel/controls/vx_tabs.h"
#include "vexel/controls/vx_toolbar.h"
#include "vexel/controls/vx_trackbar.h"
// Last: it takes back the platform's RegisterClass macro.
#include "framework/core/class_registry.h"

namespace {

bool StartControls() {
  for (const TClassInfo* Info :
       {&TVxButton::StaticClassInfo(), &TVxCheckBox::StaticClassInfo(), &TVxRadioButton::StaticClassInfo(),
        &TVxProgressBar::StaticClassInfo(), &TVxScrollBar::StaticClassInfo(), &TVxScrollBox::StaticClassInfo(),
        &TVxTrackBar::StaticClassInfo(), &TVxListBox::StaticClassInfo(),
        &TVxSpeedButton::StaticClassInfo(), &TVxSpeedDivider::StaticClassInfo(), &TVxSpeedSpace::StaticClassInfo(),
        &TVxSpeedContainer::StaticClassInfo(), &TVxSpinButton::StaticClassInfo(), &TVxToolBar::StaticClassInfo(),
        &TVxControlBar::StaticClassInfo(), &TVxTabControl::StaticClassInfo(), &TVxTabSheet::StaticClassInfo(),
        &TVxHeaderControl::StaticClassInfo(), &TVxStatusBar::StaticClassInfo(), &TVxGroupBox::StaticClassInfo(),
        &TVxPanel::StaticClassInfo(), &TVxLabel::StaticClassInfo(), &TVxStringGrid::StaticClassInfo(),
        &TVxHeaderPanel::StaticClassInfo()})
    RegisterClass(*Info);
  // An in-place bar's window is all bar: nothing shows through it.
  RegisterParentPainter(TVxInplaceScrollBar::StaticClassInfo(), [](TCanvas&, const TVxParentPaintInfo&) {});
  RegisterParentPainter(TVxControlBar::StaticClassInfo(), [](TCanvas& Canvas, const TVxParentPaintInfo& Info) {
    static_cast<TVxControlBar*>(Info.Parent)->PaintBackground(Canvas);
  });
  RegisterParentPainter(TVxToolBar::StaticClassInfo(), [](TCanvas& Canvas, const TVxParentPaintInfo& Info) {
    static_cast<TVxToolBar*>(Info.Parent)->PaintForChild(Canvas, Info.Control);
  });
  RegisterParentPainter(TVxTabSheet::StaticClassInfo(), [](TCanvas& Canvas, const TVxParentPaintInfo& Info) {
    static_cast<TVxTabSheet*>(Info.Parent)->PaintBackground(Canvas.Handle());
  });
  return true;
}

const bool ControlsStarted = StartControls();

}  // namespace
