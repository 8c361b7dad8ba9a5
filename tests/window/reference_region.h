// The straightforward way to build a skin region: every run of opaque pixels
// made into a rectangle region and ORed into the result one at a time. Kept as
// the reference the fast builder is checked and timed against.
#ifndef ZANTO_TESTS_WINDOW_REFERENCE_REGION_H
#define ZANTO_TESTS_WINDOW_REFERENCE_REGION_H

#include <windows.h>

#include "common/handles.h"

// Null when a region operation failed.
template <typename IsOpaque>
unique_hrgn BuildRegionOneRunAtATime(int width, int height, IsOpaque isOpaque) {
  unique_hrgn region(CreateRectRgn(0, 0, 0, 0));
  if (!region) return region;
  auto add = [&region](int left, int top, int right, int bottom) {
    unique_hrgn part(CreateRectRgn(left, top, right, bottom));
    return part && CombineRgn(region.get(), region.get(), part.get(), RGN_OR) != ERROR;
  };
  for (int y = 0; y < height; ++y) {
    int run = 0;
    for (int x = 0; x < width; ++x) {
      if (isOpaque(x, y)) {
        ++run;
      } else if (run > 0) {
        if (!add(x - run, y, x, y + 1)) return unique_hrgn();
        run = 0;
      }
    }
    // Also when the run is 0: an empty rectangle, which adds nothing.
    if (!add(width - run, y, width, y + 1)) return unique_hrgn();
  }
  return region;
}

#endif
