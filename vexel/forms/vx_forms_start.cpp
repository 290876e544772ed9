// Linked into every program that links form skinning, as an object file so that the linker keeps
// it: hooks, form-skinning components, the option objects, the message-box settings and the
// animation record can be read from form files (and the forms paint under their children), and
// the global message-box settings exist, before the program's own code runs.
#include "vexel/controls/vx_statusbar.h"
#include "vexel/forms/vx_form.h"
#include "vexel/forms/vx_form_options.h"
#include "vexel/forms/vx_hook.h"
#include "vexel/forms/vx_mdichild.h"
#include "vexel/forms/vx_message.h"
#include "vexel/graphics/vx_effect.h"
// Last: it takes back the platform's RegisterClass macro.
#include "framework/core/class_registry.h"

namespace {

const bool FormsStarted = [] {
  for (const TClassInfo* Info :
       {&TVxHook::StaticClassInfo(), &TVxBlending::StaticClassInfo(), &TVxShadow::StaticClassInfo(),
        &TVxGravitation::StaticClassInfo(), &TVxDragging::StaticClassInfo(), &TVxFormOptions::StaticClassInfo(),
        &TVxPopupMenuOptions::StaticClassInfo(), &TvxAnimationRec::StaticClassInfo(), &TVxMessage::StaticClassInfo()})
    RegisterClass(*Info);
  RegisterFormClasses();
  RegisterMDIChildClasses();
  // A status bar's size grip hands its press to a skinned form, which sizes itself.
  SetSkinnedFormQuery(&SkinnedFormSizeable);
  StartMessageSettings();
  return true;
}();

}  // namespace
