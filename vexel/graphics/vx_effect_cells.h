// Runs of slide-kind cells: cells side by side that show one opacity of cells side by side in
// one source row. Effect procedures write them; a frame reads them back, a run at a time.
#pragma once

#include <vector>

#include "vexel/graphics/vx_effect.h"

// Count cells showing consecutive cells of one source row: {Alpha, X + k, Y} for k = 0..Count-1
// (source columns taken modulo 65536, as a cell stores them).
void FillCellRun(TvxEffectCell* Cells, Integer Count, uint16_t Alpha, Integer X, Integer Y);

struct TvxCellRun {
  Integer Start, Count;
  Integer SourceX, SourceY;
  Byte Alpha;  // never 0
};

// The runs of a row of cells that show something, in order. Every cell that is not all zero is
// read and cleared, so the row comes back empty.
void TakeCellRuns(TvxEffectCell* Row, Integer Count, std::vector<TvxCellRun>& Runs);
