// The seek bar's fill: a grey map orders the bar's pixels, and a position
// fills the pixels of grey level 0..position from one picture and the rest
// from another.
#ifndef ZANTO_WINDOW_GREY_MAP_FILL_H
#define ZANTO_WINDOW_GREY_MAP_FILL_H

#include <windows.h>

#include "skin/image_buffer.h"

// For each pixel (x, y) of `area` (window coordinates, read at the same place
// in every picture) where `map` is grey with level g: writes `filled`'s pixel
// into `target` when g <= position, else `empty`'s. Pixels where the map is
// not grey, and pixels outside any picture involved, are left as they are.
// A map in a format we cannot read has no grey pixels.
void FillFromGreyMap(const ImageBuffer& map, const RECT& area, int position,
                     const ImageBuffer& empty, const ImageBuffer& filled, ImageBuffer& target);

#endif
