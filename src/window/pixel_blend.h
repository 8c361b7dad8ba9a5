// Per-pixel blends of a picture rectangle into a 24-bit work picture: the
// transparent time font (lighten) and the darkened button face (halve).
#ifndef ZANTO_WINDOW_PIXEL_BLEND_H
#define ZANTO_WINDOW_PIXEL_BLEND_H

#include <windows.h>

#include "skin/image_buffer.h"

enum class BlendMode {
  Lighten,  // per channel, the larger of source and target
  Halve,    // the source at half brightness (rounded down); the target is ignored
};

// Blends the source rectangle (left/top inclusive, right/bottom exclusive,
// rows counted from the top) into `target` with its top-left corner at
// (dstX, dstY). 8-bit sources are read through their palette. Pixels outside
// either picture are skipped; a target that is not 24- or 32-bit is left alone.
void BlendRect(const ImageBuffer& source, const RECT& sourceRect, ImageBuffer& target, int dstX,
               int dstY, BlendMode mode);

#endif
