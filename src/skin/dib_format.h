// What a BITMAPINFOHEADER describes, and whether a picture's two blocks hold
// everything that header makes a reader (ours or StretchDIBits) touch.
#ifndef ZANTO_SKIN_DIB_FORMAT_H
#define ZANTO_SKIN_DIB_FORMAT_H

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "skin/picture_limits.h"

struct DibFormat {
  int width = 0;         // > 0
  int height = 0;        // number of rows, > 0
  bool topDown = false;  // negative height in the header
  int bitCount = 0;
  DWORD compression = BI_RGB;
  // Bytes per row and of all rows, uncompressed; compressed data is as long
  // as the header's image size says.
  bool compressed = false;
  uint64_t stride = 0;
  uint64_t imageBytes = 0;
  // Colour-table entries GDI reads after the header (and the masks), where
  // in the info block they start, and the bytes the whole block needs. The
  // masks of BI_BITFIELDS always lie at offset 40: after a 40-byte header,
  // inside a longer one.
  uint32_t colorEntries = 0;
  uint64_t tableOffset = 0;
  uint64_t infoBytes = 0;
};

// Fills `format` for a header GDI can draw: a size of 40 bytes or more
// (BITMAPV4HEADER and BITMAPV5HEADER begin as a 40-byte one), positive width, non-zero height,
// one of the bit count / compression pairs of a desktop DIB (1, 4, 8, 16, 24,
// 32 bits uncompressed; RLE8 with 8 and RLE4 with 4 bits, bottom-up only;
// BITFIELDS with 16 and 32), within the picture limits (JudgePictureSize).
// False for anything else.
bool DescribeDib(const BITMAPINFOHEADER& header, DibFormat* format);

// Whether a header DescribeDib refuses is refused for its size alone: a
// width and row count that are there but beyond the picture limits. Then
// `size` holds them.
bool DibBeyondLimits(const BITMAPINFOHEADER& header, PictureSize* size);

// True when the info block (infoSize bytes) and the pixel block (bitsSize
// bytes) hold everything the header asks to be read.
bool DibFitsBlocks(const DibFormat& format, const BITMAPINFOHEADER& header, size_t infoSize,
                   size_t bitsSize);

// Both of the above for a picture's blocks; false for a missing block, or a
// header size beyond the info block.
bool DescribeDibBlocks(const BITMAPINFO* info, size_t infoSize, const BYTE* bits,
                       size_t bitsSize, DibFormat* format);

// Turns a longer header (blocks DescribeDibBlocks accepted as `format`) into
// a 40-byte one in place, the colour table moved to follow it and its masks,
// so that every reader finds the table where a 40-byte header puts it. The
// fields past the first 40 bytes (colour space, alpha mask) are dropped.
void ShortenInfoHeader(BITMAPINFO* info, DibFormat* format);

#endif
