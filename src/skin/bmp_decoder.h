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
};

// Decodes a BMP file's bytes into the two blocks of a picture. Returns
// ImageOk, ImageBadData (not a BMP, or a header or colour format GDI cannot
// draw, or the file ends before its pixel data) or ImageOutOfMemory; `out`
// is filled only on ImageOk. Never reads outside file[0, fileSize).
ImageStatus DecodeBmp(const BYTE* file, size_t fileSize, DecodedBmp* out);

#endif
