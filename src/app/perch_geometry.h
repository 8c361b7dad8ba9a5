// Where the player sits when it perches on a window (osuwari): a plain
// function of the target's rectangle and the player's size.
#ifndef ZANTO_APP_PERCH_GEOMETRY_H
#define ZANTO_APP_PERCH_GEOMETRY_H

#include <windows.h>

// The player's top-left corner so that its horizontal centre lies
// `osuwariXPer` percent of the way across the target and its row
// `osuwariBaseLine` (counted from its top; -1: ten rows above its bottom)
// lies on the target's top edge. Divisions round toward zero.
POINT PerchPosition(const RECT& target, SIZE player, int osuwariXPer, int osuwariBaseLine);

#endif
