// Skin pictures at another scale: a pure pixel operation over ImageBuffers.
#ifndef ZANTO_SKIN_PICTURE_SCALE_H
#define ZANTO_SKIN_PICTURE_SCALE_H

#include "skin/image_buffer.h"
#include "skin/skin_scale.h"

enum class PictureScaling {
  // Each scaled pixel is its nearest skin pixel: for the grey maps, whose
  // levels must stay exact.
  Nearest,
  // Nearest at whole multiples; otherwise each scaled pixel is the average
  // of the skin pixels it covers. Magenta is never averaged in, and a pixel
  // whose nearest skin pixel is magenta stays magenta, so the shape cut from
  // the picture is the nearest-neighbour shape, without pink fringes.
  Smooth,
};

// Makes `out` (24-bit) the picture `source` at `scale`. With cellWidth > 0
// the picture is a strip of cells, scaled one by one to Scaled(cellWidth)
// columns each, so that cell i starts at column i * Scaled(cellWidth) as it
// does unscaled and no cell blends into the next; a part cell at the right
// end is scaled alike. False, `out` untouched, when the scaled picture cannot
// be had (beyond the picture limits, out of memory) or `source` is empty.
bool ScalePicture(const ImageBuffer& source, SkinScale scale, PictureScaling how, int cellWidth,
                  ImageBuffer* out);

#endif
