// The sample style's ini sections (the object sections and [SysMetrics]).
#pragma once

#include <vector>

#include "tools/msstylegen/msstylegen_style.h"

namespace msstylegen {

std::vector<TIniSection> SampleIni();

}  // namespace msstylegen
