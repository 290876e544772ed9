// The editor's history: every state the open skin has been in since it was opened, each one
// step apart, for undo and redo without a limit on their number.
//
// A state is a list of immutable pieces: the metadata with the three tables, one piece per
// image (its pixels as they are), one per top-level object (its class and binary component
// stream). A step shares every piece it did not change with the state before it, so a small
// edit costs the bytes of one object tree, not a copy of the skin. Memory, not a count, bounds
// the history: past the limit the oldest states go first.
//
// Undo and redo put only the pieces that differ back into the live source: objects and images
// that did not change stay where they are, which keeps both fast on a large skin.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/types.h"

class TDvSkinSource;
class TvxBitmap;

// The pages of the centre, one in front.
enum class TEditorPage { epWorkArea, epImages, epFonts, epColors, epSysColors };

// Where the user was: what undo and redo bring back with the content of a step. Objects are
// named by the path from their top-level object down, which survives a restore.
struct TEditorPlace {
  TEditorPage Page = TEditorPage::epWorkArea;
  std::string Root;                   // the top-level object on the work area; empty for none
  std::vector<std::string> Selected;  // empty for none
  std::optional<std::string> Image;   // the selected image
  friend bool operator==(const TEditorPlace&, const TEditorPlace&) = default;
};

class TSkinHistory {
 public:
  static constexpr int64_t DefaultMemoryLimit = int64_t(256) << 20;

  TSkinHistory();
  ~TSkinHistory();
  TSkinHistory(const TSkinHistory&) = delete;
  TSkinHistory& operator=(const TSkinHistory&) = delete;

  // The bytes the history may hold before it drops its oldest states; the state undo and redo
  // stand on is always kept.
  int64_t MemoryLimit() const { return FMemoryLimit; }
  void SetMemoryLimit(int64_t Bytes);

  // Forgets every step: Source as it is now is the one state, and the saved one.
  void Reset(const TDvSkinSource& Source);
  // Source as it is now becomes a step named Name after the current state (the redo steps are
  // dropped). False, and nothing recorded, when Source equals the current state.
  bool Record(const TDvSkinSource& Source, const std::string& Name, const TEditorPlace& Before,
              const TEditorPlace& After);

  bool CanUndo() const { return FCurrent > 0; }
  bool CanRedo() const { return FCurrent + 1 < Integer(FStates.size()); }
  // The names of the steps undo and redo would take back or do again; empty without one.
  std::string UndoName() const;
  std::string RedoName() const;
  // The current state becomes Source as it is, without a step: for changes that are no edit of
  // the user's (the editor's preview texts).
  void Absorb(const TDvSkinSource& Source);
  // Puts Source back into the state before the current step (after the next one) and answers
  // the place that was current when that step was done; nothing without a step. What Source
  // holds that was never recorded is absorbed first, so nothing is restored from a stale picture.
  std::optional<TEditorPlace> Undo(TDvSkinSource& Source);
  std::optional<TEditorPlace> Redo(TDvSkinSource& Source);

  // The current state is what the file holds.
  void MarkSaved() { FSaved = FCurrent; }
  // No state kept is what the file holds.
  void MarkUnsaved() { FSaved = -1; }
  // False once the saved state was dropped for memory, until the next save.
  bool AtSaved() const { return FSaved == FCurrent; }

  // States kept (the first is the oldest still reachable) and the index of the current one.
  Integer StateCount() const { return Integer(FStates.size()); }
  Integer Current() const { return FCurrent; }
  // The bytes of every piece held, each shared piece counted once, and of the states' lists.
  int64_t MemoryBytes() const;

  struct TState;
  struct TCounter;

 private:
  std::unique_ptr<TState> Capture(const TDvSkinSource& Source) const;
  // Current() becomes Target; Source is at the current state.
  void MoveTo(TDvSkinSource& Source, Integer Target);
  void RememberLiveImages(const TDvSkinSource& Source);
  void DropOldest();

  std::shared_ptr<TCounter> FCounter;
  std::vector<std::unique_ptr<TState>> FStates;
  // The live images the current state was taken from or restored into, by position: where a
  // piece is first looked for when the next state is taken.
  std::vector<const TvxBitmap*> FLiveImages;
  Integer FCurrent = -1;
  Integer FSaved = -1;
  int64_t FMemoryLimit = DefaultMemoryLimit;
};
