// Colours as the INI files hold them: "%d %d %d" of red, green and blue.
#ifndef ZANTO_SETTINGS_COLOR_TEXT_H
#define ZANTO_SETTINGS_COLOR_TEXT_H

#include <windows.h>

#include <cstddef>

// Three white-space separated decimals red, green, blue; each keeps its low
// 8 bits. A component the text does not supply (missing, or after a word that
// is not a number) takes that component of `fallback`, so an empty or damaged
// value falls back to the default colour instead of turning black.
COLORREF ParseColorText(const char* text, COLORREF fallback);
// "%d %d %d" of the red, green and blue bytes of `color`.
void FormatColorText(COLORREF color, char* out, size_t capacity);

#endif
