// Skins made by the tests: BMP pictures drawn from a colour function, and
// resource files in a scratch folder.
#ifndef ZANTO_TESTS_WINDOW_SKIN_FILES_H
#define ZANTO_TESTS_WINDOW_SKIN_FILES_H

#include <windows.h>

#include <functional>
#include <string>

using PixelColour = std::function<COLORREF(int x, int y)>;

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A 24-bit bottom-up BMP file whose pixel (x, y), y from the top, is colour(x, y).
std::string BmpBytes(int width, int height, const PixelColour& colour);
bool WriteBmp(const std::string& path, int width, int height, const PixelColour& colour);
inline bool WriteBmp(const std::string& path, int width, int height, COLORREF colour) {
  return WriteBmp(path, width, height, [colour](int, int) { return colour; });
}

// Colour of a test background: opaque pixels vary with their place, so a
// picture drawn at the wrong offset shows.
COLORREF TestPattern(int x, int y);

#endif
