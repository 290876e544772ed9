// TControlBar: a container of movable bands. Every child control is a band: a frame with a
// grabber at its left around the control. Bands sit in rows; the user rearranges them by pressing
// on a band (outside its control) and moving the pointer, within the row or into another row.
//
// The bar owns its band records; the controls belong to their owners as usual. A derived bar
// (a skinned one) paints differently and decides the insets by overriding the virtual operations.
#pragma once

#include <memory>
#include <vector>

#include "framework/ui/controls.h"

enum class TBandPaintOption { bpoGrabber, bpoFrame };
using TBandPaintOptions = TSet<TBandPaintOption>;

// Rows are RowCount times this tall when rows snap.
using TRowSize = Integer;

// Drag: True on entry; a handler sets it False to keep the band in the bar.
using TBandDragEvent = std::function<void(TObject* Sender, TControl* Control, bool& Drag)>;
// Insets: the band's frame around the control (Left is the grabber); PreferredSize: the width
// the control gets (its own on entry); RowCount: rows the band spans when rows snap.
using TBandInfoEvent =
    std::function<void(TObject* Sender, TControl* Control, TRect& Insets, Integer& PreferredSize, Integer& RowCount)>;
// ARect: the bounds the control is about to get; a handler may change them.
using TBandMoveEvent = std::function<void(TObject* Sender, TControl* Control, TRect& ARect)>;
// ARect: the band's rectangle; Options: what the default painting draws (both on entry).
using TBandPaintEvent =
    std::function<void(TObject* Sender, TControl* Control, TCanvas& Canvas, TRect& ARect, TBandPaintOptions& Options)>;

// One band: a child control and where it sits. X, Y and Width are the band's saved place (the
// frame's left and top, and its width with the insets); Break starts a new row. The Temp fields
// are where the last layout put the band (during a move, the arrangement of the move). Bands do
// not carry sub-bands.
struct TControlBand {
  TControl* Control = nullptr;
  TRect Insets;
  bool Visible = true;
  bool Break = false;
  bool TempBreak = false;
  Integer X = 0, Y = 0, Width = 0;
  Integer TempX = 0, TempY = 0, TempWidth = 0;
  Integer RowCount = 1;
  Integer PreferredSize = 0;
  Integer Row = -1;  // the row of the last layout; -1 while not laid out (hidden)
  bool Placed = false;
  TRect PlacedRect;  // the control's bounds as the bar left them, to see moves made by others

  // The frame around the control: its bounds grown by the insets.
  TRect BandRect() const;
};

class TControlBar : public TCustomControl {
 public:
  explicit TControlBar(TComponent* Owner = nullptr);
  ~TControlBar() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TRowSize RowSize() const { return FRowSize; }
  void SetRowSize(TRowSize Value);
  bool RowSnap() const { return FRowSnap; }
  void SetRowSnap(bool Value);
  // The bar's height follows its lowest band (its width its rightmost band when aligned left or
  // right); a bar without visible bands keeps its size.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // Stored for bars that can drag bands out and dock floating controls; the framework has no
  // drag-and-dock, so here they change nothing.
  bool AutoDrag() const { return FAutoDrag; }
  void SetAutoDrag(bool Value) { FAutoDrag = Value; }
  bool AutoDock() const { return FAutoDock; }
  void SetAutoDock(bool Value) { FAutoDock = Value; }

  // The bands in row order (hidden ones keep their place in the list).
  Integer BandCount() const;
  const TControlBand& Bands(Integer Index) const;
  // The band of Control, or nil; no layout.
  const TControlBand* FindBand(const TControl* Control) const;
  // The control being moved by the mouse, or nil.
  TControl* MovingControl() const;

  TBandDragEvent OnBandDrag;
  TBandInfoEvent OnBandInfo;
  TBandMoveEvent OnBandMove;
  TBandPaintEvent OnBandPaint;

  void Loaded() override;

 protected:
  void Dispatch(TMessage& Message) override;
  void CreateParams(TCreateParams& Params) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

  // The bar's own operations, for derived bars.
  virtual void BandMoved(TControl* Control, TRect& ARect);
  virtual void BandPainting(TControl* Control, TCanvas& Canvas, TRect& ARect, TBandPaintOptions& Options);
  // Whether Control may leave the bar; the framework has no drag-and-dock, so this only asks.
  virtual bool StartBandDrag(TControl* Control);
  virtual void QueryBandInfo(TControl* Control, TRect& Insets, Integer& PreferredSize, Integer& RowCount);
  virtual void PaintBand(TCanvas& Canvas, TControl* Control, TRect R);
  // Paints the bar's area (0, 0, Width, Height) on Canvas.
  virtual void PaintBackground(TCanvas& Canvas);
  virtual Integer GetGrabberWidth() const { return 11; }
  // Makes the last layout the bands' saved places: positions, widths, row breaks and order.
  virtual void SaveBandPositions();

  // The classic band: a raised frame around R and two raised grip lines at its left.
  static void PaintClassicBand(TCanvas& Canvas, const TRect& R, TBandPaintOptions Options);
  // Forgets every band and makes them again from the children, in order of their top, then left
  // edges (where the controls now are), with fresh insets; a move in progress ends first.
  void RebuildBands();

 private:
  struct TSlot {
    TControlBand* Band;
    Integer X;  // where the band asks to be
  };
  using TArrangement = std::vector<std::vector<TSlot>>;
  struct TRowSpan {
    Integer Top, Bottom;
  };

  void SyncBands();
  void UpdateBandInfo(TControlBand& Band);
  void InsertBand(std::unique_ptr<TControlBand> Band);
  static bool MovedByOthers(const TControlBand& Band);
  bool Leaving(const TControlBand& Band) const;
  std::unique_ptr<TControlBand> TakeBand(size_t Index);
  void RemoveBand(const TControl* Control);
  TControlBand* BandAt(Integer X, Integer Y) const;
  int64_t BandHeight(const TControlBand& Band) const;
  TArrangement SavedArrangement() const;
  TArrangement MoveArrangement() const;
  void Arrange(TArrangement Rows);
  void PlaceControls();
  void ApplyAutoSize();
  void EndMove(bool Save);

  bool FAligning = false;
  TControl* FLeaving = nullptr;  // a child on its way out, still in the child list
  bool FRelayout = false;        // the bands changed while the bar laid them out
  bool FAutoDrag = true;
  bool FAutoDock = true;
  bool FAutoSize = false;
  TControlBand* FMovingBand = nullptr;
  Integer FMoveOffsetX = 0, FMoveOffsetY = 0;
  // The move's view of the bar at the press: the other bands by row, and the rows' spans.
  TArrangement FMoveRows;
  std::vector<TRowSpan> FMoveSpans;
  Integer FMoveRow = 0;  // the row the moving band goes to: -1 a new first row, FMoveRows.size() a new last
  Integer FMoveX = 0;
  std::vector<std::unique_ptr<TControlBand>> FBands;
  std::vector<TRowSpan> FRows;  // of the last layout
  TRowSize FRowSize = 26;
  bool FRowSnap = false;
};
