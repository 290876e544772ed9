// TStringGrid: a grid of text cells drawn by the control itself, with fixed (heading) rows and
// columns, a current cell moved by mouse and keys, scroll bars, and an edit over the current
// cell for typing into it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/ui/stdctrls.h"

enum class TGridOption {
  goFixedVertLine,
  goFixedHorzLine,
  goVertLine,
  goHorzLine,
  goEditing,    // Enter, F2, a double click or typing opens the in-place editor
  goRowSelect,  // the whole row of the current cell is selected
  goTabs,       // Tab moves between cells instead of controls
  goAlwaysShowEditor,
};
using TGridOptions = TSet<TGridOption>;

enum class TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateFlag>;

using TSelectCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, std::string& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const std::string& Value)>;
using TDrawCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, const TRect& Rect, TGridDrawState State)>;

class TStringGrid;

// The edit shown over the current cell. Enter keeps the text, Escape drops it, Up and Down keep
// it and move; leaving the editor keeps it too.
class TInplaceEdit : public TEdit {
 public:
  explicit TInplaceEdit(TStringGrid* Grid);
  TStringGrid* Grid() const { return FGrid; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void Dispatch(TMessage& Message) override;

 private:
  TStringGrid* FGrid;
};

class TStringGrid : public TCustomControl {
 public:
  explicit TStringGrid(TComponent* Owner = nullptr);
  ~TStringGrid() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // [Size]  At least one column and row; fixed ones fewer than all (else EInvalidOperation).
  Integer ColCount() const { return Integer(FColWidths.size()); }
  void SetColCount(Integer Value);
  Integer RowCount() const { return Integer(FRowHeights.size()); }
  void SetRowCount(Integer Value);
  Integer FixedCols() const { return FFixedCols; }
  void SetFixedCols(Integer Value);
  Integer FixedRows() const { return FFixedRows; }
  void SetFixedRows(Integer Value);
  // Setting a default size gives it to every column (row).
  Integer DefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(Integer Value);
  Integer DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(Integer Value);
  Integer ColWidths(Integer Index) const;
  void SetColWidths(Integer Index, Integer Value);
  Integer RowHeights(Integer Index) const;
  void SetRowHeights(Integer Index, Integer Value);
  Integer GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(Integer Value);
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);

  // [Content]  Reading outside the grid gives ""; writing outside raises EListError.
  std::string Cells(Integer ACol, Integer ARow) const;
  void SetCells(Integer ACol, Integer ARow, const std::string& Value);

  // [Current cell]  Moving it asks OnSelectCell first; a refused move leaves it where it was.
  Integer Col() const { return FCol; }
  void SetCol(Integer Value) { FocusCell(Value, FRow); }
  Integer Row() const { return FRow; }
  void SetRow(Integer Value) { FocusCell(FCol, Value); }
  // Moves the current cell (clamped into the scrolling part) and scrolls it into view; false
  // when OnSelectCell refused.
  bool FocusCell(Integer ACol, Integer ARow);

  // [Scrolling]  The first scrolling column and row shown after the fixed ones.
  Integer LeftCol() const { return FLeftCol; }
  void SetLeftCol(Integer Value);
  Integer TopRow() const { return FTopRow; }
  void SetTopRow(Integer Value);
  // Scrolling rows (columns) that fit completely in the client area (at least one).
  Integer VisibleRowCount();
  Integer VisibleColCount();

  // [Geometry]  Client rectangle of a cell; empty when it is scrolled out of view.
  TRect CellRect(Integer ACol, Integer ARow);
  // The cell under a client point; false outside the cells.
  bool MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow);

  // [Editing]
  bool EditorMode() const { return FEditorMode; }
  void ShowEditor();
  // Closes the editor; Accept keeps its text in the cell (OnSetEditText when it changed).
  void HideEditor(bool Accept = true);
  TInplaceEdit* InplaceEditor() const { return FEditor; }

  TSelectCellEvent OnSelectCell;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;
  TDrawCellEvent OnDrawCell;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  virtual void DrawCell(Integer ACol, Integer ARow, const TRect& Rect, TGridDrawState State);
  void Dispatch(TMessage& Message) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DblClick() override;
  void Resize() override;
  bool WantsKey(uint16_t Key) const override;

 private:
  friend class TInplaceEdit;
  void SizeChanged();
  void ClampCurrent();
  void ScrollInView(Integer ACol, Integer ARow);
  void UpdateScrollBars();
  void Scroll(int Bar, int Code);
  Integer FixedWidth() const;
  Integer FixedHeight() const;
  Integer MaxTopRow();
  Integer MaxLeftCol();
  void MoveBy(Integer DCol, Integer DRow);
  void PlaceEditor();

  std::vector<Integer> FColWidths;
  std::vector<Integer> FRowHeights;
  std::vector<std::vector<std::string>> FCells;  // [row][col]
  Integer FFixedCols = 1, FFixedRows = 1;
  Integer FDefaultColWidth = 64, FDefaultRowHeight = 24;
  Integer FGridLineWidth = 1;
  TGridOptions FOptions{TGridOption::goFixedVertLine, TGridOption::goFixedHorzLine, TGridOption::goVertLine,
                        TGridOption::goHorzLine};
  Integer FCol = 1, FRow = 1;
  Integer FLeftCol = 1, FTopRow = 1;
  bool FEditorMode = false;
  TInplaceEdit* FEditor = nullptr;
};
