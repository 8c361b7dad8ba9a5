// The owner-drawn colour buttons of the title-display page: a bevelled button
// face with a swatch of the colour it stands for.
#ifndef ZANTO_DIALOGS_COLOR_BUTTON_H
#define ZANTO_DIALOGS_COLOR_BUTTON_H

#include <windows.h>

// Draws the button into item (its rectangle in dc) for the owner-draw state
// bits ODS_SELECTED (pressed), ODS_FOCUS and ODS_DISABLED (no swatch).
void DrawColorButton(HDC dc, const RECT& item, UINT state, COLORREF color);

#endif
