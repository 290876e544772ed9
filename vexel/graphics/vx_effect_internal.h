// Seams between the files of the effect unit.
#pragma once

#include <memory>

#include "vexel/graphics/vx_effect.h"

// Fills List with the built-in effects in their order (vx_effect_masks.cpp).
void RegisterBuiltinEffects(TvxProcList& List);
// Appends to List, raising the duplicate error as RegisterEffect does.
void AddEffect(TvxProcList& List, const std::string& Name, Byte Kind, TvxEffectProc Proc);
// The animation record's mask bitmap: a framework bitmap on Windows, nil natively.
std::unique_ptr<TPersistent> CreateAnimationBitmap();
