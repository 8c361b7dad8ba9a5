#include "skin/skin_region.h"

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

// The one rule of what belongs to the shape. The picture is validated once,
// not per pixel; a pixel the blocks do not hold reads as GetPixel reads it.
class Opacity {
 public:
  explicit Opacity(const ImageBuffer& picture) : pixels_(picture) {}
  bool operator()(int x, int y) const {
    COLORREF colour = pixels_.Contains(x, y) ? pixels_.At(x, y) : kUnreadablePixel;
    return colour != kTransparentColour;
  }

 private:
  PixelView pixels_;
};

}  // namespace

bool HasOpaquePixel(const ImageBuffer& picture) {
  // The walk stops at the first run: then the shape is not empty.
  return !ForEachOpaqueRun(picture.Width(), picture.Height(), Opacity(picture),
                           [](int, int, int) { return false; });
}

bool AddPictureShape(const ImageBuffer& picture, HRGN target) {
  RegionMerger merger;
  bool added = ForEachOpaqueRun(
      picture.Width(), picture.Height(), Opacity(picture),
      [&merger](int y, int left, int right) { return merger.AddRect(left, y, right, y + 1); });
  return added && merger.MergeInto(target);
}
