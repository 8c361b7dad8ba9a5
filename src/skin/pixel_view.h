// Direct pixel addressing of an ImageBuffer for per-pixel loops: make one view
// per picture outside the loop, then At/Address cost a few instructions and
// allocate nothing. Rows are counted from the top whatever the row order in
// memory; only pixels the blocks hold are ever addressed.
#ifndef ZANTO_SKIN_PIXEL_VIEW_H
#define ZANTO_SKIN_PIXEL_VIEW_H

#include <windows.h>

#include <cstddef>

#include "skin/image_buffer.h"

// The colour read for a pixel outside a picture or of a format we do not read.
constexpr COLORREF kUnreadablePixel = RGB(0, 0, 0);

// The grey level 0..255 of a colour whose red, green and blue are equal, -1
// for any other colour: the rule by which the skin's grey maps mark places.
inline int GreyLevel(COLORREF colour) {
  BYTE red = GetRValue(colour);
  return red == GetGValue(colour) && red == GetBValue(colour) ? red : -1;
}

class PixelView {
 public:
  explicit PixelView(const ImageBuffer& image);

  // 0 x 0 when the blocks do not hold a picture GDI could draw.
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const {
    return static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
           static_cast<unsigned>(y) < static_cast<unsigned>(height_);
  }
  // 1 for 8-bit palette pictures, 3 or 4 for 24- and 32-bit ones (blue,
  // green, red, then an ignored fourth byte); 0 for every other format, whose
  // pixels read as kUnreadablePixel.
  int BytesPerPixel() const { return bytesPerPixel_; }

  // First byte of a pixel; only for Contains(x, y) and BytesPerPixel() > 0.
  BYTE* Address(int x, int y) const {
    size_t row = static_cast<size_t>(topDown_ ? y : height_ - 1 - y);
    return rows_ + row * stride_ + static_cast<size_t>(x) * static_cast<size_t>(bytesPerPixel_);
  }
  // Colour (0x00BBGGRR) of a pixel with Contains(x, y).
  COLORREF At(int x, int y) const {
    if (bytesPerPixel_ == 0) return kUnreadablePixel;
    const BYTE* p = Address(x, y);
    if (bytesPerPixel_ == 1) return PaletteColor(*p);
    return RGB(p[2], p[1], p[0]);
  }
  // Palette entry of an 8-bit picture; indices past the table read as black,
  // as GDI draws them.
  COLORREF PaletteColor(BYTE index) const {
    if (index >= paletteEntries_) return kUnreadablePixel;
    const RGBQUAD& q = palette_[index];
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }

 private:
  BYTE* rows_ = nullptr;
  const RGBQUAD* palette_ = nullptr;
  size_t stride_ = 0;
  unsigned paletteEntries_ = 0;
  int width_ = 0;
  int height_ = 0;
  int bytesPerPixel_ = 0;
  bool topDown_ = false;
};

#endif
