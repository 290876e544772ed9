// TPropertyInspector: the editor's property grid. It lists the stored properties of one object
// (from its class's reflection table, so every class is inspected the same way), sorted by name,
// in two columns split at 85 pixels: the name, and the value in navy. Sub-objects (a font, a
// bitmap link) and sets expand into sub-rows. Each kind of value has its editor: text for
// integers and strings, a drop-down list for enumerations and booleans, colour names with a
// dialog button, True/False lists for set members, the font dialog for fonts; a class may register a
// dialog editor of its own (the bitmap-link editor).
//
// A committed value goes through OnBeforeChange (which may refuse it), is applied, and
// OnAfterChange follows. Windows only.
//
// Components also show their Name (stored apart from the property table), so objects can be
// renamed here. Text that is no valid value is refused with a message box and changes nothing.
// The editors (an edit, two combo boxes and a "..." button) are children of the inspector and
// owned by it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editor/inspector/inspector_rows.h"
#include "framework/ui/controls.h"

class TButton;
class TComboBox;
class TInspectorEdit;
class TInspectorCombo;
class TInspectorButton;

class TPropertyInspector : public TCustomControl {
 public:
  explicit TPropertyInspector(TComponent* Owner = nullptr);
  ~TPropertyInspector() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // The object shown, or nil for none. Showing the object already shown does nothing. Whoever
  // frees the shown object sets nil first.
  TPersistent* Inspected() const { return FInspected; }
  void SetInspected(TPersistent* Value);
  // Reads every shown value again (after the object changed behind the inspector's back).
  void RefreshValues();

  // The text the row at Path ("Font.Height") shows; empty when there is no such row.
  std::string ValueText(const std::string& Path) const;
  // Commits Text to the row at Path as if it was typed into the row's editor and confirmed
  // (callbacks included); false when there is no such row, the text is no valid value, or
  // OnBeforeChange refused it.
  bool CommitText(const std::string& Path, const std::string& Text);

  // Names of properties never shown, letter case ignored ("MaskedAngles").
  void SetHiddenProperties(std::vector<std::string> Names);

  // A dialog editor for class-typed properties whose object's class is Class or descends from
  // it: the row shows Caption ("(Bitmap)") and a button that runs Edit on the property's object.
  // Edit answers whether it changed the object (then OnAfterChange runs).
  using TClassEditor = std::function<bool(TPersistent* Object)>;
  void RegisterClassEditor(const TClassInfo& Class, std::string Caption, TClassEditor Edit);

  // Allow starts true; a handler that clears it keeps the old value.
  std::function<void(TObject* Sender, bool& Allow)> OnBeforeChange;
  std::function<void(TObject* Sender)> OnAfterChange;
  // While OnBeforeChange and OnAfterChange run: the path of the row being changed.
  const std::string& ChangingPath() const { return FChangingPath; }

  // [Rows] The rows shown now, top to bottom (sub-rows of expanded rows included).
  Integer RowCount() const { return Integer(FRows.size()); }
  std::string RowPath(Integer Index) const;
  // The row's rectangle in client coordinates, and its value cell; empty when Path is not shown
  // or scrolled out of view.
  TRect RowRect(const std::string& Path);
  TRect ValueRect(const std::string& Path);
  Integer RowHeight() const;
  bool Expanded(const std::string& Path) const;
  void SetExpanded(const std::string& Path, bool Value);
  // The selected row's path, empty for none.
  const std::string& SelectedPath() const { return FSelectedPath; }
  void SelectPath(const std::string& Path);
  // The first row shown (the vertical scroll position).
  Integer TopRow() const { return FTopRow; }
  void SetTopRow(Integer Value);
  // Where the value column starts; the user drags it.
  Integer SplitPos() const { return FSplit; }
  void SetSplitPos(Integer Value);

  // [In-place editing] The open editor (an edit or a combo box) and its "..." button, or nil.
  TWinControl* Editor() const;
  TButton* EditorButton() const;
  // Opens the selected row's editor; false when the row has none.
  bool ShowEditor();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  void Resize() override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos) override;

 private:
  friend class TInspectorEdit;
  friend class TInspectorCombo;
  friend class TInspectorButton;

  struct TRegisteredEditor {
    const TClassInfo* Class;
    std::string Caption;
    TClassEditor Edit;
  };

  TRowOptions Options() const;
  const TRegisteredEditor* FindClassEditor(const TPersistent& Object) const;
  bool HasDialog(const TInspectorRow& Row) const;
  Integer IndexOf(const std::string& Path) const;
  Integer RowAt(Integer Y) const;
  Integer VisibleRows();
  // Reads the rows again, keeping expansion, selection and scroll where they still exist.
  void Rebuild();
  void UpdateScrollBar();
  void MakeVisible(Integer Index);
  void SelectIndex(Integer Index);
  void ToggleExpanded(Integer Index);
  void CycleValue(const std::string& Path);

  // The one way a value changes: OnBeforeChange, Apply on the row found at Path (answering
  // whether it changed anything), OnAfterChange.
  bool Change(const std::string& Path, const std::function<bool(const TInspectorRow& Row)>& Apply);
  bool Commit(const std::string& Path, const std::string& Text);
  void RunDialog(const std::string& Path);
  // Refusals go through the message box seam; a real box takes the focus, which must not commit.
  void ShowError(const std::string& Text);

  // The open editor's row, text and placing.
  bool EditorOpen() const { return !FEditorPath.empty(); }
  std::string EditorText() const;
  void SetEditorText(const std::string& Text);
  void PlaceEditor();
  // Commits the editor's text when it was changed; false when that was refused.
  bool CommitEditor();
  // Hides the editor (without committing); RestoreFocus gives the focus back to the grid.
  void HideEditor(bool RestoreFocus);
  bool IsEditorWindow(HWND Wnd) const;
  // Called by the editors.
  void EditorKey(uint16_t& Key);
  void EditorFocusLost(HWND NewFocus);
  void EditorListChanged(bool Dropped);
  bool EditorPressed();
  void EditorButtonClicked();

  TPersistent* FInspected = nullptr;
  std::vector<TInspectorRow> FRows;
  std::vector<std::string> FHidden;
  std::vector<TRegisteredEditor> FClassEditors;
  TPathSet FExpanded;
  std::string FSelectedPath;
  Integer FTopRow = 0;
  Integer FSplit = 85;
  bool FSplitDragging = false;
  bool FCommitting = false;
  std::string FChangingPath;
  bool FModal = false;  // a message box or dialog of ours is up

  TInspectorEdit* FEdit = nullptr;
  TInspectorCombo* FListCombo = nullptr;  // enumerations and booleans
  TInspectorCombo* FTextCombo = nullptr;  // colours and charsets: typed or picked
  TInspectorButton* FButton = nullptr;
  TWinControl* FEditor = nullptr;  // the one of the three above in use
  std::string FEditorPath;
  std::string FEditorOriginal;
  // The press that opened the editor: a second press soon after on the list is a double click.
  bool FOpenedByClick = false;
  long FOpenClickTime = 0;
  TPoint FOpenClickPos;
};
