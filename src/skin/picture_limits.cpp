#include "skin/picture_limits.h"

int HeldBitCount(int bitCount) {
  if (bitCount <= 0 || bitCount == 8) return 8;
  return bitCount > 24 ? 32 : 24;
}

PictureSizeVerdict JudgePictureSize(int64_t width, int64_t height, int bitCount) {
  if (width <= 0 || height <= 0) return PictureNoSize;
  if (width > kMaxPictureSide || height > kMaxPictureSide) return PictureSideTooLong;
  const uint64_t stride =
      (static_cast<uint64_t>(width) * static_cast<uint64_t>(HeldBitCount(bitCount)) + 31) / 32 * 4;
  if (stride * static_cast<uint64_t>(height) > kMaxPictureBytes) return PictureTooManyBytes;
  return PictureWithinLimits;
}
