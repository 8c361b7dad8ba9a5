// Where the player sits when it perches on a window (osuwari): a plain
// function of the target's rectangle, the player's size and the work area of
// the target's monitor.
#ifndef ZANTO_APP_PERCH_GEOMETRY_H
#define ZANTO_APP_PERCH_GEOMETRY_H

#include <windows.h>

// The skin's base line when it names none, and the rows of the player that
// then overlap the target.
constexpr int kNoPerchBaseLine = -1;
constexpr int kDefaultPerchOverlap = 10;

// The player's top-left corner so that its horizontal centre lies
// `osuwariXPer` percent of the way across the target and its row
// `osuwariBaseLine` (counted from its top; -1: ten rows above its bottom)
// lies on the target's top edge. Divisions round toward zero.
//
// The place is then kept on `workArea`: a player that would stick out past
// an edge (a maximised target, one taller than the screen or far off it) is
// moved in, still perching; one larger than the area keeps its top-left
// corner on it. An empty work area (the system could not tell) moves nothing.
POINT PerchPosition(const RECT& target, SIZE player, int osuwariXPer, int osuwariBaseLine,
                    const RECT& workArea);

#endif
