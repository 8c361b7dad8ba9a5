#include "window/background_fit.h"

#include <cstdint>

namespace {

struct AreaList {
  SIZE* out;
  int capacity;
  int count;
};

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto* list = reinterpret_cast<AreaList*>(data);
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (list->count < list->capacity && GetMonitorInfoA(monitor, &info)) {
    list->out[list->count++] =
        SIZE{info.rcWork.right - info.rcWork.left, info.rcWork.bottom - info.rcWork.top};
  }
  return list->count < list->capacity;
}

int64_t Surface(const SIZE& size) { return static_cast<int64_t>(size.cx) * size.cy; }

}  // namespace

BackgroundFit JudgeBackgroundFit(int width, int height, const SIZE* workAreas, int count,
                                 SIZE* largest) {
  bool fitsOne = count <= 0;
  SIZE biggest = {0, 0};
  for (int i = 0; i < count; ++i) {
    if (width <= workAreas[i].cx && height <= workAreas[i].cy) fitsOne = true;
    if (Surface(workAreas[i]) > Surface(biggest)) biggest = workAreas[i];
  }
  if (largest != nullptr) *largest = biggest;
  if (width < kMinUsableSide || height < kMinUsableSide) return BackgroundTooSmall;
  return fitsOne ? BackgroundFits : BackgroundBeyondScreens;
}

int MonitorWorkAreas(SIZE* out, int capacity) {
  AreaList list = {out, capacity, 0};
  if (capacity > 0) EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&list));
  return list.count;
}
