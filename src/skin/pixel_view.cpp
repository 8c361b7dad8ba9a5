#include "skin/pixel_view.h"

#include <cstring>

#include "skin/dib_format.h"

namespace {

// 32-bit bitfields laid out exactly like BI_RGB (as modern editors save them).
bool HasPlainRgbMasks(const BITMAPINFO& info) {
  DWORD masks[3];
  std::memcpy(masks, info.bmiColors, sizeof(masks));
  return masks[0] == 0x00FF0000 && masks[1] == 0x0000FF00 && masks[2] == 0x000000FF;
}

}  // namespace

PixelView::PixelView(const ImageBuffer& image) {
  DibFormat format;
  if (!DescribeDibBlocks(image.info, image.infoSize, image.bits, image.bitsSize, &format)) return;
  width_ = format.width;
  height_ = format.height;
  topDown_ = format.topDown;
  rows_ = image.bits;
  stride_ = static_cast<size_t>(format.stride);
  if (format.compression == BI_RGB) {
    if (format.bitCount == 8) {
      bytesPerPixel_ = 1;
      palette_ = image.info->bmiColors;
      paletteEntries_ = format.colorEntries < 256 ? format.colorEntries : 256;
    } else if (format.bitCount == 24) {
      bytesPerPixel_ = 3;
    } else if (format.bitCount == 32) {
      bytesPerPixel_ = 4;
    }
  } else if (format.compression == BI_BITFIELDS && format.bitCount == 32 &&
             HasPlainRgbMasks(*image.info)) {
    bytesPerPixel_ = 4;
  }
}
