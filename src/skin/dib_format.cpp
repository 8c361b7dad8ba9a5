#include "skin/dib_format.h"

#include <climits>
#include <cstring>

namespace {

constexpr uint64_t kShortHeaderBytes = sizeof(BITMAPINFOHEADER);
constexpr uint64_t kMaskBytes = 3 * sizeof(DWORD);

bool IsUncompressedBitCount(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Pairs GDI draws on a desktop; the rest (CE-only 2-bit and alpha bitfields,
// 64-bit, embedded JPEG/PNG, OS/2 Huffman and RLE24) it refuses or misreads.
bool IsDrawableFormat(int bits, DWORD compression, bool topDown) {
  switch (compression) {
    case BI_RGB:
      return IsUncompressedBitCount(bits);
    case BI_RLE8:
      return bits == 8 && !topDown;
    case BI_RLE4:
      return bits == 4 && !topDown;
    case BI_BITFIELDS:
      return bits == 16 || bits == 32;
    default:
      return false;
  }
}

}  // namespace

bool DescribeDib(const BITMAPINFOHEADER& header, DibFormat* format) {
  if (header.biSize < kShortHeaderBytes) return false;
  if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT_MIN) return false;
  DibFormat f;
  f.width = header.biWidth;
  f.topDown = header.biHeight < 0;
  f.height = f.topDown ? -header.biHeight : header.biHeight;
  f.bitCount = header.biBitCount;
  if (JudgePictureSize(f.width, f.height, f.bitCount) != PictureWithinLimits) return false;
  f.compression = header.biCompression;
  if (!IsDrawableFormat(f.bitCount, f.compression, f.topDown)) return false;

  f.compressed = f.compression == BI_RLE8 || f.compression == BI_RLE4;
  // Within the limits no side passes 16384, so neither product can overflow.
  f.stride = (static_cast<uint64_t>(f.width) * static_cast<uint64_t>(f.bitCount) + 31) / 32 * 4;
  f.imageBytes = f.stride * static_cast<uint64_t>(f.height);
  f.colorEntries = header.biClrUsed;
  if (f.colorEntries == 0 && f.bitCount <= 8) f.colorEntries = 1u << f.bitCount;
  f.tableOffset = header.biSize;
  if (f.compression == BI_BITFIELDS && f.tableOffset < kShortHeaderBytes + kMaskBytes) {
    f.tableOffset = kShortHeaderBytes + kMaskBytes;
  }
  f.infoBytes = f.tableOffset + static_cast<uint64_t>(f.colorEntries) * sizeof(RGBQUAD);
  *format = f;
  return true;
}

bool DibBeyondLimits(const BITMAPINFOHEADER& header, PictureSize* size) {
  // A most negative height has no absolute value: broken, not large.
  if (header.biHeight == INT_MIN) return false;
  const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  if (!IsBeyondLimits(JudgePictureSize(header.biWidth, height, header.biBitCount))) return false;
  size->width = header.biWidth;
  size->height = height;
  return true;
}

bool DibFitsBlocks(const DibFormat& format, const BITMAPINFOHEADER& header, size_t infoSize,
                   size_t bitsSize) {
  if (format.infoBytes > infoSize) return false;
  if (header.biSizeImage > bitsSize) return false;
  if (format.compressed) return header.biSizeImage > 0;
  return format.imageBytes <= bitsSize;
}

bool DescribeDibBlocks(const BITMAPINFO* info, size_t infoSize, const BYTE* bits,
                       size_t bitsSize, DibFormat* format) {
  if (info == nullptr || bits == nullptr || infoSize < sizeof(BITMAPINFOHEADER)) return false;
  // The header's size is checked with the table that follows it: infoBytes
  // counts from the block's start.
  return DescribeDib(info->bmiHeader, format) &&
         DibFitsBlocks(*format, info->bmiHeader, infoSize, bitsSize);
}

void ShortenInfoHeader(BITMAPINFO* info, DibFormat* format) {
  if (info->bmiHeader.biSize == kShortHeaderBytes) return;
  uint64_t shortOffset = kShortHeaderBytes + (format->compression == BI_BITFIELDS ? kMaskBytes : 0);
  size_t tableBytes = static_cast<size_t>(format->colorEntries) * sizeof(RGBQUAD);
  BYTE* block = reinterpret_cast<BYTE*>(info);
  std::memmove(block + shortOffset, block + format->tableOffset, tableBytes);
  info->bmiHeader.biSize = kShortHeaderBytes;
  format->tableOffset = shortOffset;
  format->infoBytes = shortOffset + tableBytes;
}
