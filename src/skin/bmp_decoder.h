// The program's BMP reader, over the bytes of a whole file in memory.
#ifndef ZANTO_SKIN_BMP_DECODER_H
#define ZANTO_SKIN_BMP_DECODER_H

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "skin/image_buffer.h"

struct DecodedBmp {
  std::unique_ptr<BYTE[]> info;  // kInfoBlockSize bytes: 40-byte header, colour table
  std::unique_ptr<BYTE[]> bits;  // bitsSize bytes of pixel rows as the file stores them
  size_t bitsSize = 0;
  PictureSize refusedSize;  // set when the picture is refused as ImageTooLarge
};

// What a BMP file's headers say: its info block and where its pixel block
// comes from.
struct BmpLayout {
  std::unique_ptr<BYTE[]> info;  // as in DecodedBmp
  size_t pixelOffset = 0;        // where the pixel rows start in the file
  size_t pixelBytesInFile = 0;   // file bytes from there to the end
  size_t bitsSize = 0;           // the pixel block: those bytes, zero-padded
  PictureSize refusedSize;       // set when the picture is refused as ImageTooLarge
};

// Reads the headers and colour table of a BMP file of `fileSize` bytes from
// its first `available` bytes (all of them, or at least the headers, the
// colour table and the pixel offset). Statuses as DecodeBmp's.
ImageStatus DecodeBmpLayout(const BYTE* head, size_t available, size_t fileSize, BmpLayout* out);

// Decodes a BMP file's bytes into the two blocks of a picture. Returns
// ImageOk, ImageBadData (not a BMP, or a header or colour format GDI cannot
// draw, or the file ends before its pixel data), ImageTooLarge (a header
// beyond the picture limits, read before any pixel) or ImageOutOfMemory;
// `out` is filled only on ImageOk, but for refusedSize. Never reads outside
// file[0, fileSize).
ImageStatus DecodeBmp(const BYTE* file, size_t fileSize, DecodedBmp* out);

#endif
