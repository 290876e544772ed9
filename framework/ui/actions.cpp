// Actions, their lists and links, and shortcut text.
#include "framework/ui/actions.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "framework/core/sysutils.h"

// [Shortcut text] -------------------------------------------------------------------------------

namespace {

struct TKeyName {
  uint16_t Key;
  const char* Name;
};

constexpr TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"},      {VK_TAB, "Tab"},     {VK_RETURN, "Enter"},   {VK_ESCAPE, "Esc"},   {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"},     {VK_NEXT, "PgDn"},   {VK_END, "End"},        {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},          {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},      {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
    {VK_MULTIPLY, "Num *"}, {VK_ADD, "Num +"},   {VK_SUBTRACT, "Num -"}, {VK_DIVIDE, "Num /"},
};

struct TModifier {
  TShortCut Bit;
  const char* Prefix;
};
constexpr TModifier Modifiers[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

std::string KeyName(uint16_t Key) {
  if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')) return std::string(1, char(Key));
  if (Key >= VK_F1 && Key <= VK_F24) return "F" + std::to_string(Key - VK_F1 + 1);
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return "Num " + std::to_string(Key - VK_NUMPAD0);
  for (const TKeyName& K : KeyNames)
    if (K.Key == Key) return K.Name;
  return {};
}

// The key named Name, or 0.
uint16_t KeyFromName(const std::string& Name) {
  if (Name.size() == 1) {
    const char C = char(std::toupper(static_cast<unsigned char>(Name[0])));
    if ((C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9')) return uint16_t(C);
    return 0;
  }
  for (uint16_t Key = 1; Key < 256; ++Key) {
    const std::string Known = KeyName(Key);
    if (!Known.empty() && SameText(Known, Name)) return Key;
  }
  return 0;
}

}  // namespace

TShortCut ShortCut(uint16_t Key, TShiftState Shift) {
  if (Key & 0xFF00) return scNone;  // no key code of that size
  TShortCut Result = Key;
  if (Shift.Contains(TShiftStateFlag::ssShift)) Result |= scShift;
  if (Shift.Contains(TShiftStateFlag::ssCtrl)) Result |= scCtrl;
  if (Shift.Contains(TShiftStateFlag::ssAlt)) Result |= scAlt;
  return Result;
}

void ShortCutToKey(TShortCut Value, uint16_t& Key, TShiftState& Shift) {
  Key = Value & 0xFF;
  Shift = {};
  if (Value & scShift) Shift.Include(TShiftStateFlag::ssShift);
  if (Value & scCtrl) Shift.Include(TShiftStateFlag::ssCtrl);
  if (Value & scAlt) Shift.Include(TShiftStateFlag::ssAlt);
}

std::string ShortCutToText(TShortCut Value) {
  const std::string Name = KeyName(Value & 0xFF);
  if (Name.empty()) return {};
  std::string Text;
  for (const TModifier& M : Modifiers)
    if (Value & M.Bit) Text += M.Prefix;
  return Text + Name;
}

TShortCut TextToShortCut(const std::string& Text) {
  TShortCut Shift = 0;
  size_t Start = 0;
  for (bool Found = true; Found;) {
    Found = false;
    for (const TModifier& M : Modifiers) {
      const size_t Length = std::strlen(M.Prefix);
      // "Num +" and a lone "+" are key names, not modifiers.
      if (Text.size() - Start > Length && SameText(Text.substr(Start, Length), M.Prefix)) {
        if (Shift & M.Bit) return scNone;  // "Ctrl+Ctrl+N"
        Shift |= M.Bit;
        Start += Length;
        Found = true;
      }
    }
  }
  const uint16_t Key = KeyFromName(Text.substr(Start));
  return Key ? TShortCut(Key | Shift) : scNone;
}

// [TActionLink] ---------------------------------------------------------------------------------

TActionLink::~TActionLink() { SetAction(nullptr); }

void TActionLink::SetAction(TAction* Value) {
  if (Value == FAction) return;
  if (FAction) std::erase(FAction->FClients, this);
  FAction = Value;
  if (!FAction) return;
  FAction->FClients.push_back(this);
  AssignClient(*FAction);
}

void TActionLink::AssignClient(const TAction& Action) {
  SetCaption(Action.Caption());
  SetChecked(Action.Checked());
  SetEnabled(Action.Enabled());
  SetVisible(Action.Visible());
  SetHint(Action.Hint());
  SetShortCut(Action.ShortCut());
  SetImageIndex(Action.ImageIndex());
  SetHelpContext(Action.HelpContext());
}

bool TActionLink::Execute() { return FAction && FAction->Execute(); }

bool TActionLink::Update() { return FAction && FAction->Update(); }

// [TAction] -------------------------------------------------------------------------------------

const TClassInfo& TAction::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      StringProperty<&TAction::Caption, &TAction::SetCaption>("Caption"),
      StringProperty<&TAction::Category, &TAction::SetCategory>("Category"),
      BooleanProperty<&TAction::Checked, &TAction::SetChecked>("Checked", 0),
      BooleanProperty<&TAction::Enabled, &TAction::SetEnabled>("Enabled", 1),
      StringProperty<&TAction::Hint, &TAction::SetHint>("Hint"),
      IntegerProperty<&TAction::ImageIndex, &TAction::SetImageIndex>("ImageIndex", -1),
      IntegerProperty<&TAction::HelpContext, &TAction::SetHelpContext>("HelpContext", 0),
      IntegerProperty<&TAction::ShortCut, &TAction::SetShortCut>("ShortCut", 0),
      BooleanProperty<&TAction::Visible, &TAction::SetVisible>("Visible", 1),
      BooleanProperty<&TAction::AutoCheck, &TAction::SetAutoCheck>("AutoCheck", 0),
  };
  static const TClassInfo Info{"TAction", &TComponent::StaticClassInfo(), Properties, {}, &CreateComponent<TAction>};
  return Info;
}

TAction::TAction(TComponent* Owner) : TComponent(Owner) {
  if (auto* List = dynamic_cast<TActionList*>(Owner)) SetActionList(List);
}

TAction::~TAction() {
  SetActionList(nullptr);
  for (TActionLink* Link : std::vector<TActionLink*>(FClients)) {
    Link->FAction = nullptr;
    Link->ActionDestroyed();
  }
  FClients.clear();
}

void TAction::SetActionList(TActionList* Value) {
  if (Value == FActionList) return;
  if (FActionList) std::erase(FActionList->FActions, this);
  FActionList = Value;
  if (FActionList) FActionList->FActions.push_back(this);
}

Integer TAction::Index() const {
  if (!FActionList) return -1;
  const auto& List = FActionList->FActions;
  return Integer(std::find(List.begin(), List.end(), this) - List.begin());
}

// A client follows a property while its value still equals the action's old one, so the
// clients are told before the field changes.
template <typename T, typename LinkedFn, typename SetFn>
void TAction::Change(T& Field, const T& Value, LinkedFn Linked, SetFn Set) {
  if (Field == Value) return;
  for (TActionLink* Link : std::vector<TActionLink*>(FClients))
    if ((Link->*Linked)()) (Link->*Set)(Value);
  Field = Value;
}

void TAction::SetCaption(const std::string& Value) {
  Change(FCaption, Value, &TActionLink::IsCaptionLinked, &TActionLink::SetCaption);
}
void TAction::SetChecked(bool Value) {
  Change(FChecked, Value, &TActionLink::IsCheckedLinked, &TActionLink::SetChecked);
}
void TAction::SetEnabled(bool Value) {
  Change(FEnabled, Value, &TActionLink::IsEnabledLinked, &TActionLink::SetEnabled);
}
void TAction::SetVisible(bool Value) {
  Change(FVisible, Value, &TActionLink::IsVisibleLinked, &TActionLink::SetVisible);
}
void TAction::SetHint(const std::string& Value) {
  Change(FHint, Value, &TActionLink::IsHintLinked, &TActionLink::SetHint);
}
void TAction::SetShortCut(TShortCut Value) {
  Change(FShortCut, Value, &TActionLink::IsShortCutLinked, &TActionLink::SetShortCut);
}
void TAction::SetImageIndex(Integer Value) {
  Change(FImageIndex, Value, &TActionLink::IsImageIndexLinked, &TActionLink::SetImageIndex);
}
void TAction::SetHelpContext(Integer Value) {
  Change(FHelpContext, Value, &TActionLink::IsHelpContextLinked, &TActionLink::SetHelpContext);
}

bool TAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

bool TAction::Execute() {
  if (FExecuting) return false;
  Update();
  if (!FEnabled || !OnExecute) return false;
  FExecuting = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } Reset{FExecuting};
  if (FAutoCheck) SetChecked(!FChecked);
  OnExecute(this);
  return true;
}

// [TActionList] ---------------------------------------------------------------------------------

const TClassInfo& TActionList::StaticClassInfo() {
  static const TClassInfo Info{"TActionList",
                               &TComponent::StaticClassInfo(),
                               {},
                               {},
                               &CreateComponent<TActionList>,
                               [](const TComponent& List, const TComponent&, std::vector<TComponent*>& Children) {
                                 for (TComponent* C : List.ComponentList()) Children.push_back(C);
                               }};
  return Info;
}

TActionList::TActionList(TComponent* Owner) : TComponent(Owner) {}

TActionList::~TActionList() {
  // Owned actions go while the list can still take them off; the others stay, listless.
  DestroyComponents();
  for (TAction* A : std::vector<TAction*>(FActions)) A->SetActionList(nullptr);
}

void TActionList::UpdateActions() {
  // A handler may free actions or add some; the copy keeps the walk valid for those it knew.
  for (TAction* A : std::vector<TAction*>(FActions))
    if (std::find(FActions.begin(), FActions.end(), A) != FActions.end()) A->Update();
}

bool ExecuteShortCut(TActionList& List, TShortCut Value) {
  if (Value == scNone) return false;
  for (TAction* A : List.ActionList()) {
    const std::vector<TShortCut>& More = A->SecondaryShortCuts();
    if (A->ShortCut() == Value || std::find(More.begin(), More.end(), Value) != More.end()) return A->Execute();
  }
  return false;
}
