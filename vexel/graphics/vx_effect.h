// Animated transitions: one image turns into another through a mask that changes with progress.
//
// Three parts: the registry of named effects (each a procedure that paints the mask for a
// progress in percent), the settings of one transition (TvxAnimationRec, a component forms can
// store), and on Windows the scheduler that plays up to 201 transitions at once onto canvases
// from one shared 20 ms timer. The registry holds the built-in effects before its first use.
//
// Ownership: a running transition keeps its own copies of the settings and of both images, so
// the caller may change or free them at once. The canvas it draws on is only borrowed: whoever
// frees that canvas stops the transition first (StopAnimation).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "framework/core/component.h"
#include "vexel/graphics/vx_bitmap.h"

class TBitmap;
class TCanvas;
class TvxAnimationRec;

// [Effects] -------------------------------------------------------------------------------------

// The kinds of effect procedure, as stored in TvxProcItem.Kind.
constexpr Byte ekFade = 0;
constexpr Byte ekSlide = 1;
constexpr Byte ekManual = 2;

// One cell of a slide-kind effect: the low byte of Alpha is the cell's opacity, (X, Y) the cell
// of the new image it shows, in the new image's cell grid.
struct TvxEffectCell {
  uint16_t Alpha;
  uint16_t X;
  uint16_t Y;
};

// Fade kind: paints a W x H byte mask (0 old image, 255 new image) that arrives zero-filled.
using TvxFadeProc = void (*)(Byte* Mask, Integer W, Integer H, Integer Percent);
// Slide kind: fills W x H cells that arrive zero-filled (opacity 0 everywhere).
using TvxSlideProc = void (*)(TvxEffectCell* Cells, Integer W, Integer H, Integer Percent);
// Manual kind: draws NewImage onto Work itself. NewImage's key pixels have alpha 0.
using TvxManualProc = void (*)(TvxBitmap& Work, TvxBitmap& NewImage, const TvxAnimationRec& Settings, Integer Percent);
// The alternative held is the procedure's kind: index 0 fade, 1 slide, 2 manual.
using TvxEffectProc = std::variant<TvxFadeProc, TvxSlideProc, TvxManualProc>;

class EProcItemError : public Exception {
  using Exception::Exception;
};

// Translatable.
extern const char* const SEffectExists;

// The two names Effect can hold besides a registered effect's display name.
extern const char* const SRandomEffect;
extern const char* const SBitmapEffect;

// One registered effect. DisplayName is the name behind a prefix by kind: "[ FADE ] - ",
// "[ SLIDE ] - " or "[ MANUAL ] - ".
struct TvxProcItem {
  Byte Kind = ekFade;
  TvxEffectProc Proc;
  std::string DisplayName;
};

// The registered effects in registration order; owns its items.
class TvxProcList {
 public:
  Integer Count() const { return Integer(FItems.size()); }
  TvxProcItem* Items(Integer Index) const { return FItems.at(size_t(Index)).get(); }
  void Add(std::unique_ptr<TvxProcItem> Item) { FItems.push_back(std::move(Item)); }
  void Clear() { FItems.clear(); }

 private:
  std::vector<std::unique_ptr<TvxProcItem>> FItems;
};

// The registry, holding the built-in effects from its first use on.
TvxProcList& EffectList();
// SRandomEffect, SBitmapEffect, then the display name of every built-in effect in registration
// order: the pick list of property editors.
const std::vector<std::string>& EffectNames();

// Appends an effect. Kind names the procedure's kind; the alternative Proc holds is what counts.
// EProcItemError SEffectExists (with Name) when an effect of that name (as FindEffect compares)
// or that procedure is registered already.
void RegisterEffect(const std::string& Name, Byte Kind, TvxEffectProc Proc);
// The first effect whose display name is Name, letter case ignored; failing that the first whose
// display name without its prefix is Name; else nil.
TvxProcItem* FindEffect(const std::string& Name);

// [Settings] ------------------------------------------------------------------------------------

enum class TvxRotation { krNone, krRotate90, krRotate180, krRotate270 };
const TEnumInfo& RotationNames();

// Which effect to play and how. Stored in forms; registered with the class registry on first use.
// Bitmap (Windows) is the mask of the bitmap animation; the record owns it.
class TvxAnimationRec : public TComponent {
 public:
  explicit TvxAnimationRec(TComponent* Owner = nullptr);
  ~TvxAnimationRec() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  // From another animation record all seven properties; anything else: cannot-assign error.
  void Assign(const TPersistent* Source) override;

  // Windows: the mask bitmap; setting it copies Value (nil empties it).
  TBitmap* Bitmap() const;
  void SetBitmap(const TBitmap* Value);
  // The bitmap as the property table holds it; nil in the native build.
  TPersistent* BitmapObject() const { return FBitmap.get(); }

  const std::string& Effect() const { return FEffect; }
  void SetEffect(const std::string& Value) { FEffect = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  // Size of one mask cell in pixels, 1..10.
  Integer Resolution() const { return FResolution; }
  void SetResolution(Integer Value);
  TvxRotation Rotation() const { return FRotation; }
  void SetRotation(TvxRotation Value) { FRotation = Value; }
  // The mask repeats TileCount x TileCount times over the image, 1..20.
  Integer TileCount() const { return FTileCount; }
  void SetTileCount(Integer Value);
  // Duration in milliseconds, 50..9000.
  Integer Time() const { return FTime; }
  void SetTime(Integer Value);

 private:
  std::unique_ptr<TPersistent> FBitmap;
  std::string FEffect;
  bool FEnabled = false;
  Integer FResolution = 1;
  TvxRotation FRotation = TvxRotation::krNone;
  Integer FTileCount = 1;
  Integer FTime = 400;
};

// [Scheduler] Windows ---------------------------------------------------------------------------

constexpr Integer vxAnimationSlots = 201;
// Milliseconds between ticks of the shared timer.
constexpr Integer vxAnimationTick = 20;

// Starts a transition in Slot (the first free slot for -1) that draws on Canvas at (X, Y).
// Returns the slot, or -1 when no slot is free or nothing can start: an empty image, an unknown
// effect, or the bitmap animation without a bitmap.
Integer AnimateAsync(TCanvas& Canvas, Integer X, Integer Y, Integer Slot, const TvxAnimationRec& Settings,
                     const TvxBitmap& NewImage, const TvxBitmap& OldImage);
// AnimateAsync, then the thread's messages are processed until the transition has ended. With
// LeaveInput, keys and clicks stay queued for whoever handles them after the transition (a menu
// opening with an animation gets the keys typed meanwhile).
void Animate(TCanvas& Canvas, Integer X, Integer Y, const TvxAnimationRec& Settings, const TvxBitmap& NewImage,
             const TvxBitmap& OldImage, bool LeaveInput = false);
bool IsAnimating(Integer Slot);
// True while any slot plays a transition.
bool AnyAnimating();
// Ends the transition in Slot; with DrawFinal the new image is drawn as the last frame.
void StopAnimation(Integer Slot, bool DrawFinal);
// One tick of the shared timer: every active slot advances by 20 ms. The timer calls it; tests
// call it to count ticks without waiting.
void AnimationTick();

// A stopwatch over the platform's high-resolution counter.
class TvxTimer {
 public:
  void Start();
  void Stop();
  // Milliseconds between Start and Stop, or up to now while running.
  double Elapsed() const;

 private:
  int64_t FStart = 0;
  int64_t FStop = 0;
  bool FRunning = false;
};
