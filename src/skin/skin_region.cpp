#include "skin/skin_region.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

#include "skin/image_buffer.h"
#include "skin/pixel_view.h"

RegionMerger::RegionMerger() : batch_{}, levels_{}, count_(0), failed_(false) {
  batch_.header.dwSize = sizeof(RGNDATAHEADER);
  batch_.header.iType = RDH_RECTANGLES;
}

bool RegionMerger::Fail() {
  failed_ = true;
  return false;
}

bool RegionMerger::AddRect(int left, int top, int right, int bottom) {
  if (failed_) return false;
  if (left >= right || top >= bottom) return true;  // adds no area
  RGNDATAHEADER& header = batch_.header;
  if (header.nCount > 0) {
    // A batch holds rectangles in the banded order regions keep them in:
    // same row further right, or a later row.
    const RECT& last = batch_.rects[header.nCount - 1];
    bool sameRowFurtherRight = top == last.top && bottom == last.bottom && left >= last.right;
    bool ordered = sameRowFurtherRight || top >= last.bottom;
    if (!ordered || header.nCount == kBatchSize) {
      if (!FlushBatch()) return false;
    }
  }
  RECT& bounds = header.rcBound;
  if (header.nCount == 0) {
    bounds = {left, top, right, bottom};
  } else {
    if (left < bounds.left) bounds.left = left;
    if (right > bounds.right) bounds.right = right;
    if (bottom > bounds.bottom) bounds.bottom = bottom;
  }
  batch_.rects[header.nCount++] = {left, top, right, bottom};
  return true;
}

bool RegionMerger::FlushBatch() {
  RGNDATAHEADER& header = batch_.header;
  if (header.nCount == 0) return true;
  header.nRgnSize = header.nCount * sizeof(RECT);
  DWORD bytes = sizeof(RGNDATAHEADER) + header.nRgnSize;
  unique_hrgn leaf(ExtCreateRegion(nullptr, bytes, reinterpret_cast<const RGNDATA*>(&batch_)));
  header.nCount = 0;
  if (!leaf) return Fail();
  return Push(std::move(leaf), 0);
}

bool RegionMerger::Push(unique_hrgn region, int level) {
  // Join with the newest part while it has the same level: the parts stay in
  // strictly falling levels, so there are never more than log2(n) + 1 of them.
  while (count_ > 0 && levels_[count_ - 1] == level) {
    unique_hrgn& top = parts_[count_ - 1];
    if (CombineRgn(top.get(), top.get(), region.get(), RGN_OR) == ERROR) return Fail();
    region = std::move(top);
    --count_;
    ++level;
  }
  if (count_ == kMaxLevels) return Fail();
  parts_[count_] = std::move(region);
  levels_[count_] = level;
  ++count_;
  return true;
}

bool RegionMerger::MergeInto(HRGN target) {
  if (failed_ || !FlushBatch()) return false;
  // Smallest parts first, so every join is between neighbours in size.
  while (count_ > 1) {
    unique_hrgn& below = parts_[count_ - 2];
    if (CombineRgn(below.get(), below.get(), parts_[count_ - 1].get(), RGN_OR) == ERROR) {
      return Fail();
    }
    parts_[count_ - 1].reset();
    --count_;
  }
  if (count_ == 1) {
    if (CombineRgn(target, target, parts_[0].get(), RGN_OR) == ERROR) return Fail();
    parts_[0].reset();
    count_ = 0;
  }
  return true;
}

namespace {

// The opaque runs of a picture's rows, read straight from its rows: one
// colour compare per pixel and no call. The rule is that of GetPixel: a
// pixel not exactly magenta is opaque, and so is one the blocks do not hold
// (it reads black).
class RowScanner {
 public:
  explicit RowScanner(const ImageBuffer& picture)
      : pixels_(picture), width_(picture.Width()), height_(picture.Height()) {
    for (int i = 0; i < 256; ++i) {
      transparentIndex_[i] = pixels_.BytesPerPixel() == 1 &&
                             pixels_.PaletteColor(static_cast<BYTE>(i)) == kTransparentColour;
    }
  }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Writes the runs of row y as left, right pairs (right exclusive) into
  // `runs`, which holds (Width() + 1) / 2 pairs, the most a row can have;
  // returns how many.
  int Runs(int y, int* runs) const {
    const int bytes = pixels_.BytesPerPixel();
    if (!pixels_.Contains(0, y) || bytes == 0) {
      return Scan(runs, [](int) { return true; });
    }
    const BYTE* row = pixels_.Address(0, y);
    if (bytes == 1) return Scan(runs, [this, row](int x) { return !transparentIndex_[row[x]]; });
    const BYTE blue = GetBValue(kTransparentColour), green = GetGValue(kTransparentColour),
               red = GetRValue(kTransparentColour);
    return Scan(runs, [row, bytes, blue, green, red](int x) {
      const BYTE* p = row + static_cast<size_t>(x) * static_cast<size_t>(bytes);
      return p[0] != blue || p[1] != green || p[2] != red;
    });
  }

 private:
  template <typename IsOpaque>
  int Scan(int* runs, IsOpaque opaque) const {
    int count = 0;
    for (int x = 0; x < width_;) {
      while (x < width_ && !opaque(x)) ++x;
      if (x == width_) break;
      runs[2 * count] = x;
      while (x < width_ && opaque(x)) ++x;
      runs[2 * count + 1] = x;
      ++count;
    }
    return count;
  }

  PixelView pixels_;
  int width_;
  int height_;
  bool transparentIndex_[256];
};

size_t RunPairsPerRow(int width) { return (static_cast<size_t>(width) + 1) / 2; }

}  // namespace

bool HasOpaquePixel(const ImageBuffer& picture) {
  RowScanner scanner(picture);
  std::unique_ptr<int[]> runs(new (std::nothrow) int[2 * RunPairsPerRow(scanner.Width())]);
  if (!runs) return true;  // cannot tell: the region build decides
  for (int y = 0; y < scanner.Height(); ++y) {
    if (scanner.Runs(y, runs.get()) > 0) return true;
  }
  return false;
}

bool AddPictureShape(const ImageBuffer& picture, HRGN target) {
  // Rows with the same runs as the row above join its band: one rectangle
  // per run for the whole band instead of one per row. Skins repeat rows a
  // lot (straight edges, flat areas), and the region work grows with the
  // number of rectangles.
  RowScanner scanner(picture);
  const size_t pairs = RunPairsPerRow(scanner.Width());
  std::unique_ptr<int[]> buffers(new (std::nothrow) int[4 * pairs]);
  if (!buffers) return false;
  int* band = buffers.get();
  int* row = band + 2 * pairs;
  int bandRuns = 0;
  int bandTop = 0;
  RegionMerger merger;
  auto addBand = [&merger, &band, &bandRuns, &bandTop](int bottom) {
    for (int i = 0; i < bandRuns; ++i) {
      if (!merger.AddRect(band[2 * i], bandTop, band[2 * i + 1], bottom)) return false;
    }
    return true;
  };
  for (int y = 0; y < scanner.Height(); ++y) {
    int runs = scanner.Runs(y, row);
    if (runs == bandRuns && std::equal(row, row + 2 * runs, band)) continue;
    if (!addBand(y)) return false;
    std::swap(band, row);
    bandRuns = runs;
    bandTop = y;
  }
  return addBand(scanner.Height()) && merger.MergeInto(target);
}
