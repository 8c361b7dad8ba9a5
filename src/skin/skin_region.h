// The window shape of a skin: every pixel of the background that is not
// exactly magenta belongs to the window, one rectangle per horizontal run.
#ifndef ZANTO_SKIN_SKIN_REGION_H
#define ZANTO_SKIN_SKIN_REGION_H

#include <windows.h>

#include "common/handles.h"

class ImageBuffer;

// The one transparent colour of a skin background, matched exactly.
constexpr COLORREF kTransparentColour = RGB(255, 0, 255);

// Calls onRun(y, left, right) for every horizontal run of opaque pixels
// (isOpaque(x, y) true), rows top to bottom, runs left to right; `right` is
// exclusive. Stops early and returns false as soon as onRun returns false.
template <typename IsOpaque, typename OnRun>
bool ForEachOpaqueRun(int width, int height, IsOpaque isOpaque, OnRun onRun) {
  for (int y = 0; y < height; ++y) {
    int run = 0;
    for (int x = 0; x < width; ++x) {
      if (isOpaque(x, y)) {
        ++run;
      } else if (run > 0) {
        if (!onRun(y, x - run, x)) return false;
        run = 0;
      }
    }
    if (run > 0 && !onRun(y, width - run, width)) return false;
  }
  return true;
}

// Joins many rectangles into one region in O(n log n) region work. Adding the
// rectangles one by one to a growing region costs time proportional to its
// size every time (quadratic in the number of runs); here small regions of a
// few consecutive rectangles are joined pairwise, like a binary counter, so
// each rectangle takes part in about log2(n) joins and at most that many
// regions are alive at once.
class RegionMerger {
 public:
  RegionMerger();
  RegionMerger(const RegionMerger&) = delete;
  RegionMerger& operator=(const RegionMerger&) = delete;

  // False when a region could not be made or joined; the merger then stays
  // failed and adds nothing more. Any order works; rectangles that come row
  // by row, left to right, are batched into fewer regions.
  bool AddRect(int left, int top, int right, int bottom);
  // ORs everything added into `target`; false on any failure so far.
  bool MergeInto(HRGN target);

 private:
  // Makes the batched rectangles one small region and pushes it.
  bool FlushBatch();
  bool Push(unique_hrgn region, int level);
  bool Fail();

  // Rectangles per small region: enough to save most region handles, few
  // enough that building one (which may also go one rectangle at a time)
  // stays cheap.
  static constexpr int kBatchSize = 16;
  struct Batch {
    RGNDATAHEADER header;
    RECT rects[kBatchSize];
  };
  Batch batch_;
  // Enough levels for more rectangles than a 32-bit count can hold.
  static constexpr int kMaxLevels = 40;
  unique_hrgn parts_[kMaxLevels];
  int levels_[kMaxLevels];
  int count_;
  bool failed_;
};

// True when the shape of `picture` holds at least one pixel: a skin without
// one would be a window nobody can see, click or close.
bool HasOpaquePixel(const ImageBuffer& picture);

// ORs the shape of `picture` into `target`: every pixel whose colour is not
// kTransparentColour, one rectangle per run, rows with the same runs as the
// row above sharing that row's rectangles. False when a region or its
// working memory could not be had.
bool AddPictureShape(const ImageBuffer& picture, HRGN target);

#endif
