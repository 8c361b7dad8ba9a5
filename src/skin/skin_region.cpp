#include "skin/skin_region.h"

#include <utility>

#include "skin/image_buffer.h"


RegionMerger::RegionMerger() : levels_{}, count_(0), failed_(false) {}

bool RegionMerger::AddRect(int left, int top, int right, int bottom) {
  if (failed_) return false;
  if (left >= right || top >= bottom) return true;  // adds no area
  unique_hrgn leaf(CreateRectRgn(left, top, right, bottom));
  if (!leaf) {
    failed_ = true;
    return false;
  }
  return Push(std::move(leaf), 0);
}

bool RegionMerger::Push(unique_hrgn region, int level) {
  // Join with the newest part while it has the same level: the parts stay in
  // strictly falling levels, so there are never more than log2(n) + 1 of them.
  while (count_ > 0 && levels_[count_ - 1] == level) {
    unique_hrgn& top = parts_[count_ - 1];
    if (CombineRgn(top.get(), top.get(), region.get(), RGN_OR) == ERROR) {
      failed_ = true;
      return false;
    }
    region = std::move(top);
    --count_;
    ++level;
  }
  if (count_ == kMaxLevels) {
    failed_ = true;
    return false;
  }
  parts_[count_] = std::move(region);
  levels_[count_] = level;
  ++count_;
  return true;
}

bool RegionMerger::MergeInto(HRGN target) {
  if (failed_) return false;
  // Smallest parts first, so every join is between neighbours in size.
  while (count_ > 1) {
    unique_hrgn& below = parts_[count_ - 2];
    if (CombineRgn(below.get(), below.get(), parts_[count_ - 1].get(), RGN_OR) == ERROR) {
      failed_ = true;
      return false;
    }
    parts_[count_ - 1].reset();
    --count_;
  }
  if (count_ == 1) {
    if (CombineRgn(target, target, parts_[0].get(), RGN_OR) == ERROR) {
      failed_ = true;
      return false;
    }
    parts_[0].reset();
    count_ = 0;
  }
  return true;
}

bool AddPictureShape(const ImageBuffer& picture, HRGN target) {
  RegionMerger merger;
  bool added = ForEachOpaqueRun(
      picture.Width(), picture.Height(),
      [&picture](int x, int y) { return picture.GetPixel(x, y) != kTransparentColour; },
      [&merger](int y, int left, int right) { return merger.AddRect(left, y, right, y + 1); });
  return added && merger.MergeInto(target);
}
