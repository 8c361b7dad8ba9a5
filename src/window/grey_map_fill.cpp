#include "window/grey_map_fill.h"

#include <algorithm>

#include "skin/pixel_view.h"

void FillFromGreyMap(const ImageBuffer& map, const RECT& area, int position,
                     const ImageBuffer& empty, const ImageBuffer& filled, ImageBuffer& target) {
  PixelView grey(map);
  PixelView to(target);
  // Unreadable pixels read as black, which is grey: such a map would fill
  // everything from position 0 on, so it counts as having no grey at all.
  if (grey.BytesPerPixel() == 0 || to.BytesPerPixel() < 3) return;
  PixelView emptyPixels(empty);
  PixelView filledPixels(filled);
  const int left = std::max<int>({area.left, 0});
  const int top = std::max<int>({area.top, 0});
  const int right = std::min<int>({area.right, grey.Width(), to.Width()});
  const int bottom = std::min<int>({area.bottom, grey.Height(), to.Height()});
  const int targetBytes = to.BytesPerPixel();
  for (int y = top; y < bottom; ++y) {
    BYTE* out = to.Address(left, y);
    for (int x = left; x < right; ++x, out += targetBytes) {
      int level = GreyLevel(grey.At(x, y));
      if (level < 0) continue;
      const PixelView& source = level > position ? emptyPixels : filledPixels;
      if (!source.Contains(x, y)) continue;
      COLORREF colour = source.At(x, y);
      out[0] = GetBValue(colour);
      out[1] = GetGValue(colour);
      out[2] = GetRValue(colour);
    }
  }
}
