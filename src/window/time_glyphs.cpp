#include "window/time_glyphs.h"

#include <cstdlib>

namespace {

// The remainder takes the sign of v, so both digits lie in -9..9.
int UnitsDigit(int v) { return std::abs(v % 10); }
int TensDigit(int v) { return std::abs((v % 100) / 10); }

int IfPresent(int cell, int cellCount) { return cell < cellCount ? cell : kNoGlyph; }

}  // namespace

void TimeGlyphCells(int first, int second, bool separatorOn, int cellCount,
                    int cells[kTimeGlyphPositions]) {
  cells[0] = IfPresent(TensDigit(first), cellCount);
  cells[1] = IfPresent(UnitsDigit(first), cellCount);
  cells[2] = IfPresent(separatorOn ? kSeparatorOnCell : kSeparatorOffCell, cellCount);
  cells[3] = IfPresent(TensDigit(second), cellCount);
  cells[4] = IfPresent(UnitsDigit(second), cellCount);
}
