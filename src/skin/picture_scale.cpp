#include "skin/picture_scale.h"

#include <algorithm>
#include <cstdint>

#include "skin/pixel_view.h"
#include "skin/skin_region.h"

namespace {

// The skin pixels one scaled pixel covers along an axis: at most two for
// scales of 100 % and more, with their shares of it.
struct AxisTaps {
  int first;
  int second;  // -1 when the pixel lies within `first`
  int firstShare;
  int secondShare;
};

// Scaled pixel `x` of a run of `length` skin pixels. Skin pixel s covers
// [s * percent, (s + 1) * percent) and scaled pixel x covers [x * 100,
// (x + 1) * 100), in hundredths of a scaled pixel times percent.
AxisTaps TapsOf(int x, int length, int percent) {
  const int64_t from = int64_t{x} * 100;
  const int64_t to = from + 100;
  AxisTaps taps{};
  taps.first = static_cast<int>(std::min<int64_t>(from / percent, length - 1));
  const int64_t firstEnd = std::min<int64_t>((int64_t{taps.first} + 1) * percent, to);
  taps.firstShare = static_cast<int>(firstEnd - from);
  taps.second = -1;
  if (firstEnd < to && taps.first + 1 < length) {
    taps.second = taps.first + 1;
    taps.secondShare = static_cast<int>(to - firstEnd);
  }
  return taps;
}

void Store(BYTE* out, COLORREF colour) {
  out[0] = GetBValue(colour);
  out[1] = GetGValue(colour);
  out[2] = GetRValue(colour);
}

// The average of the covered pixels that are not magenta, by their shares.
COLORREF Blend(const PixelView& from, int left, const AxisTaps& tx, const AxisTaps& ty) {
  uint64_t red = 0, green = 0, blue = 0, total = 0;
  const int xs[2] = {tx.first, tx.second};
  const int xw[2] = {tx.firstShare, tx.secondShare};
  const int ys[2] = {ty.first, ty.second};
  const int yw[2] = {ty.firstShare, ty.secondShare};
  for (int j = 0; j < 2 && ys[j] >= 0; ++j) {
    for (int i = 0; i < 2 && xs[i] >= 0; ++i) {
      const COLORREF colour = from.At(left + xs[i], ys[j]);
      if (colour == kTransparentColour) continue;
      const uint64_t share = uint64_t(xw[i]) * uint64_t(yw[j]);
      red += share * GetRValue(colour);
      green += share * GetGValue(colour);
      blue += share * GetBValue(colour);
      total += share;
    }
  }
  // The nearest pixel itself is not magenta, so total is never 0.
  return RGB((red + total / 2) / total, (green + total / 2) / total, (blue + total / 2) / total);
}

// Source columns [left, left + width) into scaled columns from `outLeft`, all rows.
void ScaleColumns(const PixelView& from, int left, int width, const PixelView& to, int outLeft,
                  SkinScale scale, bool smooth) {
  const int outWidth = scale.Scaled(width);
  const int height = from.Height();
  for (int y = 0; y < to.Height(); ++y) {
    const AxisTaps ty = TapsOf(y, height, scale.percent);
    BYTE* out = to.Address(outLeft, y);
    for (int x = 0; x < outWidth; ++x, out += 3) {
      const AxisTaps tx = TapsOf(x, width, scale.percent);
      const COLORREF nearest = from.At(left + tx.first, ty.first);
      const bool blend = smooth && nearest != kTransparentColour && (tx.second >= 0 || ty.second >= 0);
      Store(out, blend ? Blend(from, left, tx, ty) : nearest);
    }
  }
}

}  // namespace

bool ScalePicture(const ImageBuffer& source, SkinScale scale, PictureScaling how, int cellWidth,
                  ImageBuffer* out) {
  const PixelView from(source);
  const int width = from.Width();
  const int height = from.Height();
  if (width <= 0 || height <= 0 || from.BytesPerPixel() == 0 || scale.percent < 100) return false;
  const int cell = cellWidth > 0 && cellWidth < width ? cellWidth : width;
  const int cells = width / cell;
  const int rest = width % cell;
  const int64_t outWidth = int64_t{cells} * scale.Scaled(cell) + scale.Scaled(rest);
  if (outWidth > INT32_MAX) return false;

  ImageBuffer scaled;
  if (!scaled.CreateBlank(static_cast<int>(outWidth), scale.Scaled(height))) return false;
  const PixelView to(scaled);
  const bool smooth = how == PictureScaling::Smooth && !scale.IsWholeMultiple();
  for (int i = 0; i < cells; ++i) {
    ScaleColumns(from, i * cell, cell, to, i * scale.Scaled(cell), scale, smooth);
  }
  if (rest > 0) ScaleColumns(from, cells * cell, rest, to, cells * scale.Scaled(cell), scale, smooth);
  out->Release();
  out->Swap(scaled);
  return true;
}
