// Linked into every program that links the edits, as an object file so that the linker keeps
// it: the edits' classes can be read from form files.
#include "vexel/controls/vx_combobox.h"
#include "vexel/controls/vx_edit.h"
#include "vexel/controls/vx_edit_buttons.h"
// Last: it takes back the platform's RegisterClass macro.
#include "framework/core/class_registry.h"

namespace {

bool StartEdits() {
  for (const TClassInfo* Info : {&TVxEdit::StaticClassInfo(), &TVxInplaceControlEdit::StaticClassInfo(),
                                 &TVxEditButton::StaticClassInfo(), &TVxSpinEdit::StaticClassInfo(),
                                 &TVxComboBox::StaticClassInfo()}) RegisterClass(*Info);
  return true;
}

const bool EditsStarted = StartEdits();

}  // namespace
