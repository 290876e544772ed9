// TVxEdit: a single-line text editor drawn by itself on TVxControl. It keeps its own wide text,
// caret, selection, horizontal scroll position and undo stack; paints through the theme's edit
// operations or the classic look; masks passwords with one of five glyphs; offers the clipboard
// (as Unicode text), a built-in skinned context menu and input-method composition.
//
// A surrogate pair counts as one character for caret steps, deletion and selection by keys and
// mouse: the caret never stands between its halves. Positions are UTF-16 indices. Windows only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/ui/panel.h"
#include "vexel/controls/vx_controls.h"

class TVxPopupMenu;
class TVxPopupMenuOptions;
class TVxItem;

// One recorded change of the text.
struct TEditAction {
  Byte Kind = 0;          // 0 text was deleted, 1 text was inserted
  bool Chained = false;   // undoing it also undoes the next action on the stack
  Integer Position = 0;   // 1-based position of the change
  std::wstring Text;      // the deleted characters (kind 0)
  Integer Count = 0;      // the number of inserted characters (kind 1)
};

// Last in, first out; owned by its edit.
class TEditActionStack {
 public:
  bool AtLeast(size_t N) const { return FItems.size() >= N; }
  bool Empty() const { return FItems.empty(); }
  size_t Count() const { return FItems.size(); }
  // Nil when empty.
  TEditAction* Peek() { return FItems.empty() ? nullptr : FItems.back().get(); }
  void Push(std::unique_ptr<TEditAction> Action) { FItems.push_back(std::move(Action)); }
  // Nil when empty.
  std::unique_ptr<TEditAction> Pop();
  void Clear() { FItems.clear(); }

 private:
  std::vector<std::unique_ptr<TEditAction>> FItems;
};

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum class TPasswordKind { pkNone, pkChar, pkRect, pkRoundRect, pkCircle, pkTriangle };
const TEnumInfo& EditCharCaseNames();
const TEnumInfo& PasswordKindNames();
const TEnumInfo& TextAlignmentNames();

class TVxEdit : public TVxControl {
 public:
  explicit TVxEdit(TComponent* Owner = nullptr);
  ~TVxEdit() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // [Text] The wide text; Text() / SetText() are its form in the system code page.
  const std::wstring& WideText() const { return FText; }
  void SetWideText(const std::wstring& Value);
  void SetText(const std::string& Value) override;

  // [Selection and caret]
  Integer Caret() const { return FCaret; }
  Integer SelStart() const;
  Integer SelLength() const { return FSelLength < 0 ? -FSelLength : FSelLength; }
  std::wstring SelText() const;
  Integer FirstVisible() const { return FFirstVisible; }

  // [Properties]
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  Integer MaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value) { FMaxLength = Value < 0 ? 0 : Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // What form files keep: a descendant that makes itself read-only stores the flag it was given.
  virtual bool StoredReadOnly() const { return FReadOnly; }
  wchar_t PasswordWideChar() const { return FPasswordWideChar; }
  // A non-zero character also makes the kind pkChar.
  void SetPasswordWideChar(wchar_t Value);
  // The form-file view of PasswordWideChar: its code.
  Integer PasswordCharCode() const { return Integer(FPasswordWideChar); }
  void SetPasswordCharCode(Integer Value) { SetPasswordWideChar(wchar_t(Value)); }
  TPasswordKind PasswordKind() const { return FPasswordKind; }
  void SetPasswordKind(TPasswordKind Value);
  TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TAlignment Value);
  TVxPopupMenuOptions* ContextMenuOptions() const { return FContextMenuOptions.get(); }
  // Created on first use.
  TVxPopupMenu* ContextMenu() const { return FContextMenu; }
  const TEditActionStack& UndoStack() const { return FUndoStack; }

  // The I-beam stands in for the default cursor.
  void SetCursor(TCursor Value);

  TNotifyEvent OnChange;

  // [Editing operations]
  void SetCaret(Integer I);
  void SetSelStart(Integer I);
  void SetSelLength(Integer N);
  void SelectAll();
  void SelectWord();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void InsertText(const std::wstring& S);
  void InsertChar(wchar_t Ch);
  bool Undo();
  Integer CaretToX(Integer I);
  Integer XToCaret(Integer X);
  Integer NextWordStart(Integer I) const;
  Integer PrevWordStart(Integer I) const;

  // [Overridden]
  void Loaded() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

  // [Virtuals added by the edit, in order]
  virtual void GetTextRect(TRect& R);
  virtual Integer GetPasswordCharWidth();
  virtual void GetSelectionRect(TRect& R);

 protected:
  virtual void PaintText();
  virtual void PaintBackground(const TRect& R, TCanvas& Canvas);
  virtual void PaintSelectedText();
  virtual void PaintPasswordChar(const TRect& R, bool Selected);
  virtual bool CanChangeText(const std::wstring& NewText);
  virtual TVxPopupMenu* CreateContextMenu(TComponent* Owner);
  virtual TVxItem* CreateMenuItem(TComponent* Owner);
  virtual void UpdateContextMenu();
  virtual void ShowEditCaret();
  virtual void HideEditCaret();
  // The framework's changed notification, the caret re-placed, then OnChange.
  virtual void Change();
  // Whether the context menu and the editing keys treat the edit as read-only.
  virtual bool EditingLocked() const { return FReadOnly; }
  // The state the theme draws the frame in.
  virtual Byte ThemeFrameState() const { return EditState(); }
  // False: painting stops after the background (a descendant draws its own content there).
  virtual bool PaintsText() const { return true; }
  // Whether a typed character the code page cannot carry is inserted (the others pass KeyPress).
  virtual bool TakesWideChar(wchar_t Char);

  void BorderChanged() override;
  void PaintClient() override;
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* Component, TOperation Operation) override;
  void FocusEnter() override;
  void FocusExit() override;
  void ThemeChanged(uintptr_t Code) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DblClick() override;
  bool WantsKey(uint16_t Key) const override;

  // The height auto size asks for.
  virtual Integer CanAutoSize();
  void AdjustSize();
  // Theme state of the edit: disabled 4, read-only 5, hot 1, focused 2, else 0.
  Byte EditState() const;
  void TypeWideChar(wchar_t Char);
  bool ThemeDefinesEdit() const;
  bool IsPassword() const { return FPasswordKind != TPasswordKind::pkNone; }
  // Selects the text font of the state (or the selection font) into the canvas.
  void SelectTextFont(bool Selected);
  // Width of Count characters from the 0-based index From, in the selected font.
  Integer TextWidth(Integer From, Integer Count);
  void StoreText(const std::wstring& Value);
  void RecordDeletion(const std::wstring& T, Integer P);
  void RecordInsertion(Integer N, Integer P, bool Chained);
  // One character left or right of I, a surrogate pair counting as one.
  Integer CharBefore(Integer I) const;
  Integer CharAfter(Integer I) const;
  // I moved off the inside of a surrogate pair (toward Forward).
  Integer Snap(Integer I, bool Forward) const;
  void ScrollCaretIntoView();
  bool ShowsSelection() const { return HasFocus() || !FHideSelection; }

 private:
  void DeleteKey(bool Back, TShiftState Shift);
  void MoveKey(Integer NewCaret, bool Extend);
  void ShowContextMenu(Integer X, Integer Y);
  void Composition(TMessage& Message);

  std::wstring FText;
  // The font text is measured and drawn in: the state's theme font or Font.
  TFont FTextFont;
  bool FSelecting = false;
  Integer FCaret = 0;
  Integer FSelCaret = 0;
  Integer FSelLength = 0;
  Integer FFirstVisible = 1;
  TVxPopupMenu* FContextMenu = nullptr;
  bool FAutoSelect = true;
  TEditCharCase FCharCase = TEditCharCase::ecNormal;
  bool FHideSelection = true;
  Integer FMaxLength = 0;
  bool FReadOnly = false;
  wchar_t FPasswordWideChar = 0;
  TPasswordKind FPasswordKind = TPasswordKind::pkNone;
  TAlignment FTextAlignment = TAlignment::taLeftJustify;
  TEditActionStack FUndoStack;
  std::unique_ptr<TVxPopupMenuOptions> FContextMenuOptions;
  bool FAutoSize = true;
  bool FStoring = false;
  bool FCaretMade = false;
  bool FRegistered = false;
  // The first half of a typed surrogate pair, waiting for the second.
  wchar_t FTypedHighSurrogate = 0;
};
