// Pictures in a form the pixel operations read: 8-, 24- or 32-bit
// uncompressed rows, bottom-up. Anything else GDI draws is drawn by GDI into
// a 24-bit picture when it is loaded, so every picture that loads looks and
// behaves as its 24-bit equivalent.
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

// Brings a picture (blocks DescribeDibBlocks accepted as `format`) into that
// form. A header longer than 40 bytes is first shortened in place. 8-, 24- and
// 32-bit uncompressed pictures stay in their blocks (top-down
// rows are reversed in place and the header made bottom-up) and `converted`
// stays empty; any other is drawn by GDI into a new 24-bit bottom-up picture
// in `converted`. ImageBadData when GDI cannot draw it, ImageTooLarge when
// its 24-bit form would pass the limits, ImageOutOfMemory when the picture or
// GDI's objects cannot be had.
ImageStatus MakeReadable(BITMAPINFO* info, BYTE* bits, const DibFormat& format,
                         DecodedBmp* converted);

#endif
