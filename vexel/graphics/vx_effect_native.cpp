// The native build has no framework bitmap, so no bitmap animation, and no scheduler.
#include <chrono>

#include "vexel/graphics/vx_effect_internal.h"
#include "vexel/graphics/vx_effect_transition.h"

std::unique_ptr<TPersistent> CreateAnimationBitmap() { return nullptr; }

TBitmap* TvxAnimationRec::Bitmap() const { return nullptr; }

void TvxAnimationRec::SetBitmap(const TBitmap*) {}

bool MakeBitmapMask(const TvxAnimationRec&, Integer, Integer, std::vector<Byte>&) { return false; }

namespace {
int64_t Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
}  // namespace

void TvxTimer::Start() {
  FStart = Now();
  FRunning = true;
}

void TvxTimer::Stop() {
  FStop = Now();
  FRunning = false;
}

double TvxTimer::Elapsed() const { return double((FRunning ? Now() : FStop) - FStart) / 1e6; }
