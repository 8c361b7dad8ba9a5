#include "skin/picture_conversion.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "common/handles.h"

namespace {

bool IsReadableDepth(const DibFormat& format) {
  return format.compression == BI_RGB &&
         (format.bitCount == 8 || format.bitCount == 24 || format.bitCount == 32);
}

void FlipToBottomUp(BITMAPINFO* info, BYTE* bits, const DibFormat& format) {
  const size_t stride = static_cast<size_t>(format.stride);
  for (int top = 0, bottom = format.height - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(bits + static_cast<size_t>(top) * stride,
                     bits + static_cast<size_t>(top + 1) * stride,
                     bits + static_cast<size_t>(bottom) * stride);
  }
  info->bmiHeader.biHeight = format.height;
}

ImageStatus ConvertToRgb24(const BITMAPINFO* info, const BYTE* bits, const DibFormat& format,
                           DecodedBmp* out) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(header);
  header.biWidth = format.width;
  header.biHeight = format.height;  // bottom-up
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  // The same limits as for pictures read as stored (a 1-bit one grows 24-fold).
  if (JudgePictureSize(format.width, format.height, 24) != PictureWithinLimits) {
    return ImageTooLarge;
  }
  const uint64_t stride = (3 * static_cast<uint64_t>(format.width) + 3) / 4 * 4;
  const size_t size = static_cast<size_t>(stride * static_cast<uint64_t>(format.height));

  std::unique_ptr<BYTE[]> newInfo(new (std::nothrow) BYTE[kInfoBlockSize]());
  std::unique_ptr<BYTE[]> newBits(new (std::nothrow) BYTE[size]);
  if (!newInfo || !newBits) return ImageOutOfMemory;
  std::memcpy(newInfo.get(), &header, sizeof(header));

  void* surface = nullptr;
  unique_hbitmap section(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(newInfo.get()),
                                          DIB_RGB_COLORS, &surface, nullptr, 0));
  unique_hdc dc(CreateCompatibleDC(nullptr));
  if (!section || !dc || surface == nullptr) return ImageOutOfMemory;
  int drawn;
  {
    SelectedObject selected(dc.get(), section.get());
    // Only compressed pictures leave pixels undrawn.
    if (format.compressed) {
      unique_hbrush skipped(CreateSolidBrush(kSkippedPixelColour));
      RECT all = {0, 0, format.width, format.height};
      if (!skipped || !FillRect(dc.get(), &all, skipped.get())) return ImageOutOfMemory;
    }
    drawn = StretchDIBits(dc.get(), 0, 0, format.width, format.height, 0, 0, format.width,
                          format.height, bits, info, DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
  }
  if (drawn <= 0) return ImageBadData;  // GDI_ERROR reads as -1
  std::memcpy(newBits.get(), surface, size);

  out->info = std::move(newInfo);
  out->bits = std::move(newBits);
  out->bitsSize = size;
  return ImageOk;
}

}  // namespace

ImageStatus MakeReadable(BITMAPINFO* info, BYTE* bits, const DibFormat& given,
                         DecodedBmp* converted) {
  DibFormat format = given;
  ShortenInfoHeader(info, &format);
  if (!IsReadableDepth(format)) return ConvertToRgb24(info, bits, format, converted);
  if (format.topDown) FlipToBottomUp(info, bits, format);
  return ImageOk;
}
