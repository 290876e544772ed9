// TSkinDocument: the editor's state and commands apart from its window. It owns the one open
// skin source and knows the selection, the zoom, the file name and the modified flag, runs the
// document commands (new, open, save, save as, close), the object commands of the tool bars,
// the mouse and the arrow keys on the work area in skin terms, the history with undo and redo,
// and copy and paste as byte strings. Every change to the skin is one step of the history, and
// the modified flag follows it: back at the saved state, the skin is unmodified.
// The window (TfrmMain) owns it, answers its questions through TEditorPrompts, and after every
// RefreshAll mirrors it: caption, tree, work-area size, inspector, page in front.
// Objects and images it points at belong to the source; every replacement of the source clears
// them (ResetEditor).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/core/editor_prompts.h"
#include "editor/core/object_tree.h"
#include "editor/core/selection_geometry.h"
#include "editor/core/skin_history.h"
#include "framework/core/reflection.h"

class TDvSkinSource;
class TDvSkinObject;
class TvxBitmap;

// How the mouse moves over the work area: no button and no Shift, Ctrl or Alt; exactly the left
// button; anything else.
enum class TWorkAreaButtons { wbNone, wbLeftOnly, wbOther };

struct TWorkAreaMove {
  std::optional<TWorkAreaCursor> Cursor;  // to set, when hovering
  bool Dragged = false;                   // the selection moved: paint, inspector re-reads it
};

// What painting the work area draws, in skin pixels, then stretched to TargetSize.
struct TWorkAreaPaint {
  bool Fill = true;        // no root: fill the area with the button face and stop
  bool Empty = false;      // a root of no area: paint nothing
  TSize BitmapSize;        // the root's size
  bool Selection = false;  // draw the objects, the selection outline and the handles
  TRect SelectionRect;
  TRect Handles[HandleCount];
  TSize TargetSize;
};

class TSkinDocument {
 public:
  static constexpr const char* NewSkinFileName = "theme.mskn";

  explicit TSkinDocument(TEditorPrompts& Prompts);
  ~TSkinDocument();
  TSkinDocument(const TSkinDocument&) = delete;
  TSkinDocument& operator=(const TSkinDocument&) = delete;

  // Runs at the end of every RefreshAll: the window brings its views in line.
  std::function<void()> OnRefresh;
  // Runs when a step was recorded, undone or redone.
  std::function<void()> OnHistoryChange;

  TDvSkinSource* Source() const { return FSource.get(); }
  TDvSkinObject* RootObject() const { return FRootObject; }
  TDvSkinObject* Selected() const { return FSelected; }
  TvxBitmap* SelectedImage() const { return FSelectedImage; }
  bool Modified() const { return FSource && !FHistory.AtSaved(); }
  const std::string& FileName() const { return FFileName; }
  float Zoom() const { return FZoom; }
  Integer ZoomIndex() const { return FZoomIndex; }
  Integer NewObjectCount() const { return FNewObjectCount; }
  TEditorPage Page() const { return FPage; }
  const std::string& ClipboardText() const { return FClipboardText; }
  const TSkinHistory& History() const { return FHistory; }
  TSkinHistory& History() { return FHistory; }

  // [Document] Each answers whether it went ahead. Errors of reading and writing skin files
  // pass as exceptions and leave the document as it was.
  bool NewSkin();
  bool OpenSkin();
  // Opens a named skin without asking (the command line): loaded into a new source, which
  // replaces the open one only when the load succeeded.
  void OpenSkinFile(const std::string& FileName);
  bool SaveSkin();
  bool SaveSkinAs();
  // May the open skin be replaced? Asks "Skin has modified. Save changes?" when it has changes.
  bool CanCloseSkin();
  // May the window close? Asks "Skin's was changed. Save?" when the skin has changes.
  bool CloseQuery();
  void ResetEditor();
  // The sample texts of the preview, then OnRefresh.
  void RefreshAll();
  std::string Caption() const;

  // [Selection]
  void ShowPage(TEditorPage Page);
  void SelectObject(TDvSkinObject* Object);
  // The object at Path (names from the top-level object down), else the deepest one of it that
  // exists; nil when not even the top-level one does.
  TDvSkinObject* FindObjectPath(const std::vector<std::string>& Path) const;
  void SelectImage(TvxBitmap* Image);
  // The square of handle Index around the selection; empty without one.
  TRect HandleRect(Integer Index) const;
  // A new object of a registered skin-object class below the selection (else the root), or a
  // new top-level object; it becomes the selection. Nil without a source.
  TDvSkinObject* AddObject(const TClassInfo& Class);
  // Frees the selection; its owner, else the main form object, takes its place.
  void DeleteSelected();
  // The selection becomes its owner's last child (drawn last, in front of its siblings) or its
  // first (drawn first, behind them).
  void BringToFront();
  void SendToBack();
  // The zoom box: 0..3 for 100% .. 800%; other indexes are ignored.
  void SetZoomIndex(Integer Index);
  // The root's size at the zoom; nothing without a root.
  std::optional<TSize> WorkAreaSize() const;
  TTreeModel BuildTree() const;

  // [Images] A nil Image (the import window was cancelled) changes nothing; a new image becomes
  // the selected one, with the images page in front.
  // Appends Image to the skin's images. Nothing without a source.
  TvxBitmap* AddImage(std::unique_ptr<TvxBitmap> Image);
  // Image takes the selected image's name and place, every link re-binds to it, the old image is
  // freed. Nothing without a source and a selected image.
  TvxBitmap* ReplaceSelectedImage(std::unique_ptr<TvxBitmap> Image);
  // Frees the selected image; links that named it resolve to nothing.
  void DeleteSelectedImage();

  // [Batch tools] After a tool changed the skin outside the history: no step records it, and an
  // undo of an earlier step would bring back part of what the tool changed, so the history starts
  // over from the skin as it is, which counts as modified. The selected image stops being
  // selected when it is one of Removed (images the tool took out, still alive).
  void AfterBatchChange(const std::vector<std::unique_ptr<TvxBitmap>>& Removed);

  // [Work area] Points are work-area pixels.
  // Starts a drag on a handle of the selection, else selects the object under the point. The
  // cursor to show.
  TWorkAreaCursor WorkAreaMouseDown(TPoint Pixel, bool LeftButton);
  TWorkAreaMove WorkAreaMouseMove(TPoint Pixel, TWorkAreaButtons Buttons);
  // Ends a drag: the whole drag is one step.
  void WorkAreaMouseUp();
  // The arrow keys: the selection moves by DX, DY skin pixels; a run of keys up to EndNudge is
  // one step. False without a selection.
  bool NudgeSelection(Integer DX, Integer DY);
  void EndNudge();
  // Puts the root at (0, 0) in the normal state and says what to draw.
  TWorkAreaPaint PrepareWorkAreaPaint();

  // [Inspector] Around a value the inspector applies to Property (its row path): one step. The
  // links of the inspected object find their images again by name, so a link given another image
  // name shows that image (or none).
  void BeforePropertyChange();
  void AfterPropertyChange(const std::string& Property);

  // [History] A change made outside the document's own commands (the table pages, the bitmap-link
  // editor) is framed like the commands: BeginStep before it, RecordStep after, one step named
  // Name (nothing when the skin did not change). BeginStep takes what changed since the last step
  // without being a command (the preview's sample texts, the root put at the origin for painting)
  // into the current state, so that no step carries it.
  TEditorPlace BeginStep();
  void RecordStep(const std::string& Name);
  bool Undo();
  bool Redo();
  // "&Undo" or "&Undo <step>", "&Redo" or "&Redo <step>".
  std::string UndoCaption() const;
  std::string RedoCaption() const;
  // Where the user is now: the page, the object on the work area, the selection, the image.
  TEditorPlace Place() const;

  // [Clipboard] The clipboard block is the text returned and a zero byte; nothing without a
  // selection. Paste reads a block of the private format under the selection, else the root,
  // else as a new top-level object; a block with no readable object shows "Invalid clipboard
  // format" and changes nothing.
  std::optional<std::string> Copy();
  bool Paste(std::string_view Block);

 private:
  // Replaces the source; everything that pointed into the old one is cleared.
  void ReplaceSource(std::unique_ptr<TDvSkinSource> Source);
  bool AskToSave(const char* Question);
  // Takes Image out of the list (Replacement, when given, in its place under its name), re-binds
  // every link, and hands Image back with no link left pointing at it.
  std::unique_ptr<TvxBitmap> TakeImageOut(TvxBitmap* Image, std::unique_ptr<TvxBitmap> Replacement);
  void SetPreviewTexts();
  void Record(const std::string& Name, const TEditorPlace& Before);
  // A drag or a run of arrow keys under way ends as its step.
  void FinishPendingSteps();
  // Selects what Place names, as far as it still exists.
  void GoTo(const TEditorPlace& Place);
  void MoveInOwner(bool ToFront, const char* StepName);

  TEditorPrompts& FPrompts;
  std::unique_ptr<TDvSkinSource> FSource;
  TDvSkinObject* FRootObject = nullptr;
  TDvSkinObject* FSelected = nullptr;
  TvxBitmap* FSelectedImage = nullptr;
  std::string FFileName = NewSkinFileName;
  float FZoom = 1.0f;
  Integer FZoomIndex = 0;
  Integer FNewObjectCount = 0;
  TEditorPage FPage = TEditorPage::epWorkArea;
  std::string FClipboardText;
  bool FDragging = false;
  Integer FDragHandle = 0;
  TPoint FLastPoint;
  // The place when the step under way began: a drag, a run of arrow keys, an inspector change.
  std::optional<TEditorPlace> FDragBefore;
  std::optional<TEditorPlace> FNudgeBefore;
  std::optional<TEditorPlace> FPropertyBefore;
  // The skin changed by what is no command (sample texts, the root moved for painting) since
  // the last step began.
  bool FDrifted = false;
  TSkinHistory FHistory;
};
