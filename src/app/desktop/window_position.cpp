#include "app/desktop/window_position.h"

#include <climits>

namespace {

// Enough for any real desk; monitors beyond it are not considered.
constexpr int kMaxMonitors = 16;

struct WorkAreas {
  RECT areas[kMaxMonitors];
  int count;
};

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  WorkAreas* list = reinterpret_cast<WorkAreas*>(data);
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (list->count < kMaxMonitors && GetMonitorInfoA(monitor, &info)) {
    list->areas[list->count++] = info.rcWork;
  }
  return TRUE;
}

// Distance along one axis between the spans [a0, a1) and [b0, b1).
long long Gap(LONG a0, LONG a1, LONG b0, LONG b1) {
  if (a1 <= b0) return static_cast<long long>(b0) - a1;
  if (b1 <= a0) return static_cast<long long>(a0) - b1;
  return 0;
}

// The start of a span of `size` moved into [low, high); a span larger than
// the range keeps its start at `low`, so the window's top-left stays visible.
LONG ClampStart(LONG start, long long size, LONG low, LONG high) {
  if (start + size > high) start = static_cast<LONG>(high - size);
  if (start < low) start = low;
  return start;
}

}  // namespace

RECT WorkspaceToScreen(const RECT& rect, const RECT& workArea, const RECT& monitor) {
  RECT screen = rect;
  OffsetRect(&screen, workArea.left - monitor.left, workArea.top - monitor.top);
  return screen;
}

POINT ReachablePosition(const RECT& window, const RECT* workAreas, int count) {
  POINT topLeft = {window.left, window.top};
  const RECT* nearest = nullptr;
  long long nearestDistance = LLONG_MAX;
  for (int i = 0; i < count; ++i) {
    const RECT& area = workAreas[i];
    long long dx = Gap(window.left, window.right, area.left, area.right);
    long long dy = Gap(window.top, window.bottom, area.top, area.bottom);
    if (dx == 0 && dy == 0) return topLeft;  // it meets this one: leave it
    long long distance = dx * dx + dy * dy;
    if (distance < nearestDistance) {
      nearestDistance = distance;
      nearest = &area;
    }
  }
  if (!nearest) return topLeft;
  long long width = static_cast<long long>(window.right) - window.left;
  long long height = static_cast<long long>(window.bottom) - window.top;
  topLeft.x = ClampStart(window.left, width, nearest->left, nearest->right);
  topLeft.y = ClampStart(window.top, height, nearest->top, nearest->bottom);
  return topLeft;
}

bool GetNormalPosition(HWND window, POINT* topLeft) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(window, &placement)) return false;
  RECT normal = placement.rcNormalPosition;
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  HMONITOR monitor = MonitorFromRect(&normal, MONITOR_DEFAULTTONEAREST);
  if (monitor && GetMonitorInfoA(monitor, &info)) {
    normal = WorkspaceToScreen(normal, info.rcWork, info.rcMonitor);
  }
  // A place no monitor shows is not worth keeping: the next start would
  // only have to move the window back.
  WorkAreas list = {};
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&list));
  *topLeft = ReachablePosition(normal, list.areas, list.count);
  return true;
}

void KeepWithinReach(HWND window) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return;
  WorkAreas list = {};
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&list));
  POINT topLeft = ReachablePosition(rect, list.areas, list.count);
  if (topLeft.x != rect.left || topLeft.y != rect.top) {
    SetWindowPos(window, nullptr, topLeft.x, topLeft.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}
