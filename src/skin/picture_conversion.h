// Pictures in a form the pixel operations read: what GDI draws of any other
// picture, kept as a 24-bit bottom-up one.
#ifndef ZANTO_SKIN_PICTURE_CONVERSION_H
#define ZANTO_SKIN_PICTURE_CONVERSION_H

#include <windows.h>

#include "skin/bmp_decoder.h"
#include "skin/dib_format.h"
#include "skin/image_buffer.h"

// The colour a compressed picture's skipped pixels take: the skin's
// transparent colour, as GDI leaves them undrawn and whatever lies beneath
// shows through.
constexpr COLORREF kSkippedPixelColour = RGB(255, 0, 255);

// True for the formats GetPixel and CopyRect read as stored: 8-, 24- and
// 32-bit uncompressed pictures with bottom-up rows.
bool IsReadableAsStored(const DibFormat& format);

// Lets GDI draw the picture (blocks that DescribeDibBlocks accepted as
// `format`) into a new 24-bit bottom-up picture of the same size, in program
// blocks. ImageBadData when GDI cannot draw it, ImageOutOfMemory when the
// picture or GDI's objects cannot be had.
ImageStatus ConvertToRgb24(const BITMAPINFO* info, const BYTE* bits, const DibFormat& format,
                           DecodedBmp* out);

#endif
