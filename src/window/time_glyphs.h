// Which cells of the time font the time window shows: tens and units of the
// first number, the separator, tens and units of the second number.
#ifndef ZANTO_WINDOW_TIME_GLYPHS_H
#define ZANTO_WINDOW_TIME_GLYPHS_H

constexpr int kTimeGlyphPositions = 5;
constexpr int kNoGlyph = -1;  // a position that shows the background
constexpr int kSeparatorOnCell = 10;
constexpr int kSeparatorOffCell = 11;

// Fills cells[0..4] for a font of cellCount cells. Only the last two decimal
// digits of each number show (123 shows 23, -7 shows 07). The separator is
// cell 10 when on, else cell 11 when the font has one. A cell the font does
// not have (cellCount too small) is kNoGlyph.
void TimeGlyphCells(int first, int second, bool separatorOn, int cellCount,
                    int cells[kTimeGlyphPositions]);

#endif
