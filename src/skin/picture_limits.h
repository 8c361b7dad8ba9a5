// The size limits every skin picture is held to, whichever reader decodes it.
// They are judged from the size alone, so that a picture can be refused from
// its header before any pixel of it is decoded.
#ifndef ZANTO_SKIN_PICTURE_LIMITS_H
#define ZANTO_SKIN_PICTURE_LIMITS_H

#include <cstdint>

// Pictures whose rows take more than this (a 4096 x 4096 32-bit picture) are
// refused: no skin needs them, and GDI expands compressed ones to that size
// when it draws them.
constexpr uint64_t kMaxPictureBytes = 64u * 1024u * 1024u;
// Nor a side longer than this: a 70000 x 1 background would open a window
// wider than any screen.
constexpr int kMaxPictureSide = 16384;

enum PictureSizeVerdict : int {
  PictureWithinLimits = 0,
  PictureNoSize,        // a side of 0 or less: nothing to judge by
  PictureSideTooLong,   // wider or taller than kMaxPictureSide
  PictureTooManyBytes,  // its rows, at the depth it is held at, pass kMaxPictureBytes
};

// A picture's width and rows, kept for the message of one refused as too large.
struct PictureSize {
  int width = 0;
  int height = 0;
};

// The bits per pixel a picture decoded at `bitCount` is held at: 8- and
// 32-bit pictures stay as they come and every other depth is drawn into 24
// bits. A depth nobody gave (0 or less) counts as 8, the least a picture is
// held at, so that a missing field refuses nothing.
int HeldBitCount(int bitCount);

// The side limit first, then the byte limit at HeldBitCount(bitCount).
// 64-bit sizes, so no product can wrap.
PictureSizeVerdict JudgePictureSize(int64_t width, int64_t height, int bitCount);

inline bool IsBeyondLimits(PictureSizeVerdict verdict) {
  return verdict == PictureSideTooLong || verdict == PictureTooManyBytes;
}

#endif
