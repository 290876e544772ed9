// The message-box settings component and the global instance.
#include "vexel/forms/vx_message.h"

#include "framework/core/reflection.h"
#include "framework/graphics/font.h"
#include "framework/ui/stdctrls.h"
#include "vexel/controls/vx_buttons.h"
// Last: it takes back the platform's RegisterClass macro.
#include "framework/core/class_registry.h"

namespace {

TVxMessage* TheGlobal = nullptr;
// The instance the library made at start, while it exists.
TVxMessage* LibraryInstance = nullptr;

// Frees the library's instance at the end of the run when it is still the global one.
struct TLibraryInstanceEnd {
  ~TLibraryInstanceEnd() {
    if (LibraryInstance && LibraryInstance == TheGlobal) delete LibraryInstance;
  }
} LibraryInstanceEnd;

constexpr TVxBorderIcons MessageBorderIcons{TVxBorderIcon::kbiClose, TVxBorderIcon::kbiSystemMenu};

}  // namespace

const TClassInfo& TVxMessage::StaticClassInfo() {
  using C = TVxMessage;
  static const TPropInfo Properties[] = {
      ClassProperty<&C::Animation>("Animation"),
      ClassProperty<&C::Blending>("Blending"),
      ClassProperty<&C::Shadow>("Shadow"),
      ClassProperty<&C::Dragging>("Dragging"),
      SetProperty<&C::BorderIcons, &C::SetBorderIcons>("BorderIcons", VxBorderIconNames(), MessageBorderIcons.Mask()),
      ClassProperty<&C::ButtonFont>("ButtonFont"),
      ClassProperty<&C::MessageFont>("MessageFont"),
      EnumProperty<&C::Position, &C::SetPosition>("Position", PositionNames(), int64_t(TPosition::poScreenCenter)),
      BooleanProperty<&C::ShowButtonGlyph, &C::SetShowButtonGlyph>("ShowButtonGlyph", true),
      BooleanProperty<&C::ShowIconImage, &C::SetShowIconImage>("ShowIconImage", true),
      BooleanProperty<&C::ShowHints, &C::SetShowHints>("ShowHints", false),
      BooleanProperty<&C::StayOnTop, &C::SetStayOnTop>("StayOnTop", false),
      BooleanProperty<&C::Global, &C::SetGlobal>("Global", false),
  };
  static const TClassInfo Info{"TVxMessage", &TComponent::StaticClassInfo(), Properties, {},
                               &CreateComponent<TVxMessage>};
  return Info;
}

TVxMessage::TVxMessage(TComponent* Owner)
    : TComponent(Owner),
      FAnimation(std::make_unique<TVxAnimation>()),
      FBlending(std::make_unique<TVxBlending>()),
      FShadow(std::make_unique<TVxShadow>()),
      FDragging(std::make_unique<TVxDragging>()),
      FButtonFont(std::make_unique<TFont>()),
      FMessageFont(std::make_unique<TFont>()) {
  FDragging->SetSizeable(false);
}

TVxMessage::~TVxMessage() {
  if (TheGlobal == this) TheGlobal = nullptr;
  if (LibraryInstance == this) LibraryInstance = nullptr;
}

void TVxMessage::SetButtonFont(const TFont* Value) { FButtonFont->Assign(Value); }
void TVxMessage::SetMessageFont(const TFont* Value) { FMessageFont->Assign(Value); }

void TVxMessage::SetGlobal(bool Value) {
  if (Value == FGlobal && (!Value || TheGlobal == this)) return;
  FGlobal = Value;
  if (!Value) {
    if (TheGlobal == this) TheGlobal = nullptr;
    return;
  }
  TVxMessage* Old = TheGlobal;
  TheGlobal = this;
  if (!Old || Old == this) return;
  // The library's own instance goes; one that a form owns stays with its form, no longer global.
  if (Old == LibraryInstance)
    delete Old;
  else
    Old->FGlobal = false;
}

TVxButton* TVxMessage::CreateButton(TComponent* Owner) { return new TVxButton(Owner); }
// The skinned edit lives above the forms: a program that links it has it registered by name.
TWinControl* TVxMessage::CreateEdit(TComponent* Owner) {
  if (const TClassInfo* Skinned = FindClass("TVxEdit"); Skinned && Skinned->Create) {
    TComponent* Made = Skinned->Create(Owner);
    if (auto* Edit = dynamic_cast<TWinControl*>(Made)) return Edit;
    delete Made;
  }
  return new TEdit(Owner);
}
TVxDefaultForm* TVxMessage::CreateForm(TComponent* Owner) { return new TVxForm(Owner); }
TLabel* TVxMessage::CreateLabel(TComponent* Owner) { return new TLabel(Owner); }
TVxCheckBox* TVxMessage::CreateCheckBox(TComponent* Owner) { return new TVxCheckBox(Owner); }

TVxMessage* GlobalMessage() { return TheGlobal; }

void StartMessageSettings() {
  if (TheGlobal) return;
  LibraryInstance = new TVxMessage;
  LibraryInstance->SetGlobal(true);
}
