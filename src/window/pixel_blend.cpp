#include "window/pixel_blend.h"

#include <algorithm>
#include <cstdint>

#include "skin/pixel_view.h"

namespace {

// The part [*first, *last) of the source range [from, to) that lies inside
// the source (size sourceSize) and, moved by `shift`, inside the target.
void ClipRange(int from, int to, int sourceSize, int64_t shift, int targetSize, int64_t* first,
               int64_t* last) {
  *first = std::max<int64_t>({from, 0, -shift});
  *last = std::min<int64_t>({to, sourceSize, targetSize - shift});
}

inline BYTE Lighter(BYTE a, BYTE b) { return a > b ? a : b; }

}  // namespace

void BlendRect(const ImageBuffer& source, const RECT& sourceRect, ImageBuffer& target, int dstX,
               int dstY, BlendMode mode) {
  PixelView to(target);
  PixelView from(source);
  const int targetBytes = to.BytesPerPixel();
  const int sourceBytes = from.BytesPerPixel();
  if (targetBytes < 3 || sourceBytes == 0) return;
  const int64_t dx = static_cast<int64_t>(dstX) - sourceRect.left;
  const int64_t dy = static_cast<int64_t>(dstY) - sourceRect.top;
  int64_t left, right, top, bottom;
  ClipRange(sourceRect.left, sourceRect.right, from.Width(), dx, to.Width(), &left, &right);
  ClipRange(sourceRect.top, sourceRect.bottom, from.Height(), dy, to.Height(), &top, &bottom);
  if (left >= right || top >= bottom) return;

  const int columns = static_cast<int>(right - left);
  for (int y = static_cast<int>(top); y < bottom; ++y) {
    const BYTE* in = from.Address(static_cast<int>(left), y);
    BYTE* out = to.Address(static_cast<int>(left + dx), static_cast<int>(y + dy));
    for (int i = 0; i < columns; ++i, in += sourceBytes, out += targetBytes) {
      BYTE blue, green, red;
      if (sourceBytes == 1) {
        COLORREF colour = from.PaletteColor(*in);
        blue = GetBValue(colour);
        green = GetGValue(colour);
        red = GetRValue(colour);
      } else {
        blue = in[0];
        green = in[1];
        red = in[2];
      }
      if (mode == BlendMode::Lighten) {
        out[0] = Lighter(blue, out[0]);
        out[1] = Lighter(green, out[1]);
        out[2] = Lighter(red, out[2]);
      } else {
        out[0] = blue >> 1;
        out[1] = green >> 1;
        out[2] = red >> 1;
      }
    }
  }
}
