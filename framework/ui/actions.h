// Actions: one command (caption, shortcut, enabled and checked state, handler) that several
// clients show and run: menu items now, buttons later. A client holds a TActionLink, which
// follows the action's properties and runs it on click.
//
// Ownership: an action belongs to its Owner (usually its TActionList, which then lists it); a
// list that goes first leaves the actions it does not own without a list. A link belongs to its
// client; an action that goes first leaves its links without an action.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/ui/controls.h"

// Key code in the low byte; Shift, Ctrl and Alt as the high bits.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;

TShortCut ShortCut(uint16_t Key, TShiftState Shift);
void ShortCutToKey(TShortCut Value, uint16_t& Key, TShiftState& Shift);
// "Ctrl+N", "Shift+Ctrl+F5", "Alt+Del"; empty for scNone or a key without a name.
std::string ShortCutToText(TShortCut Value);
// The opposite, letter case ignored; scNone for text that names no shortcut.
TShortCut TextToShortCut(const std::string& Text);

class TAction;
class TActionList;

using TActionEvent = std::function<void(TAction* Sender)>;

// The client side of an action: the action calls the setters when a property the client follows
// changes; a client class overrides those it shows. A client property follows the action while
// it still equals the action's value (Is...Linked): setting it on the client directly ends that.
class TActionLink {
 public:
  TActionLink() = default;
  virtual ~TActionLink();
  TActionLink(const TActionLink&) = delete;
  TActionLink& operator=(const TActionLink&) = delete;

  TAction* Action() const { return FAction; }
  // Links to Value (nil unlinks) and copies its properties to the client.
  void SetAction(TAction* Value);
  // Runs the action; false when there is none or it did not run (disabled, no handler).
  bool Execute();
  // Lets the action's OnUpdate bring its state up to date.
  bool Update();

  // Whether the client's property currently follows the action's.
  virtual bool IsCaptionLinked() const { return FAction != nullptr; }
  virtual bool IsCheckedLinked() const { return FAction != nullptr; }
  virtual bool IsEnabledLinked() const { return FAction != nullptr; }
  virtual bool IsVisibleLinked() const { return FAction != nullptr; }
  virtual bool IsHintLinked() const { return FAction != nullptr; }
  virtual bool IsShortCutLinked() const { return FAction != nullptr; }
  virtual bool IsImageIndexLinked() const { return FAction != nullptr; }
  virtual bool IsHelpContextLinked() const { return FAction != nullptr; }

  virtual void SetCaption(const std::string&) {}
  virtual void SetChecked(bool) {}
  virtual void SetEnabled(bool) {}
  virtual void SetVisible(bool) {}
  virtual void SetHint(const std::string&) {}
  virtual void SetShortCut(TShortCut) {}
  virtual void SetImageIndex(Integer) {}
  virtual void SetHelpContext(Integer) {}

 protected:
  // Copies every property of the action to the client (when linking).
  virtual void AssignClient(const TAction& Action);
  // The action is being freed; the link is already detached.
  virtual void ActionDestroyed() {}

 private:
  friend class TAction;
  TAction* FAction = nullptr;
};

// Follows the action's caption, enabled and visible state and hint into a control.
class TControlActionLink : public TActionLink {
 public:
  explicit TControlActionLink(TControl* Client) : FClient(Client) {}

  bool IsCaptionLinked() const override;
  bool IsEnabledLinked() const override;
  bool IsVisibleLinked() const override;
  bool IsHintLinked() const override;

  void SetCaption(const std::string& Value) override;
  void SetEnabled(bool Value) override;
  void SetVisible(bool Value) override;
  void SetHint(const std::string& Value) override;

 protected:
  TControl* Client() const { return FClient; }

 private:
  TControl* FClient;
};

class TAction : public TComponent {
 public:
  explicit TAction(TComponent* Owner = nullptr);
  ~TAction() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TActionList* ActionList() const { return FActionList; }
  void SetActionList(TActionList* Value);
  // Position in the action list; -1 without one.
  Integer Index() const;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  const std::string& Category() const { return FCategory; }
  void SetCategory(const std::string& Value) { FCategory = Value; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  // More keys that run the action; menus show only ShortCut.
  const std::vector<TShortCut>& SecondaryShortCuts() const { return FSecondaryShortCuts; }
  void SetSecondaryShortCuts(std::vector<TShortCut> Value) { FSecondaryShortCuts = std::move(Value); }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  Integer HelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer Value);
  // Executing toggles Checked first.
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }

  // Brings the state up to date (OnUpdate), then runs OnExecute if the action is enabled.
  // False when it did not run. A handler that runs the action again is not re-entered.
  bool Execute();
  // Runs OnUpdate; false when there is none.
  bool Update();

  TActionEvent OnExecute;
  TActionEvent OnUpdate;

  const std::vector<TActionLink*>& Clients() const { return FClients; }

 private:
  friend class TActionLink;
  friend class TActionList;
  template <typename T, typename LinkedFn, typename SetFn>
  void Change(T& Field, const T& Value, LinkedFn Linked, SetFn Set);

  TActionList* FActionList = nullptr;
  std::string FCaption;
  std::string FCategory;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  std::string FHint;
  TShortCut FShortCut = scNone;
  std::vector<TShortCut> FSecondaryShortCuts;
  Integer FImageIndex = -1;
  Integer FHelpContext = 0;
  bool FAutoCheck = false;
  bool FExecuting = false;
  std::vector<TActionLink*> FClients;
};

class TActionList : public TComponent {
 public:
  explicit TActionList(TComponent* Owner = nullptr);
  ~TActionList() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  Integer ActionCount() const { return Integer(FActions.size()); }
  TAction* Actions(Integer Index) const { return FActions.at(size_t(Index)); }
  const std::vector<TAction*>& ActionList() const { return FActions; }
  // The application calls this while idle: every action's OnUpdate.
  void UpdateActions();

 private:
  friend class TAction;
  std::vector<TAction*> FActions;
};

// Runs the first action of List with shortcut Value, if it is enabled after its update; false
// when none ran (so the key goes on to the focused control).
bool ExecuteShortCut(TActionList& List, TShortCut Value);
