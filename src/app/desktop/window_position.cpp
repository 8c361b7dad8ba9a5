#include "app/desktop/window_position.h"

#include <algorithm>
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

WorkAreas CurrentWorkAreas() {
  WorkAreas list = {};
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&list));
  return list;
}

// Distance along one axis between the spans [a0, a1) and [b0, b1); 0 when
// they overlap, 1 when they only touch.
long long Gap(long long a0, long long a1, long long b0, long long b1) {
  if (a1 <= b0) return b0 - a1 + 1;
  if (b1 <= a0) return a0 - b1 + 1;
  return 0;
}

long long Distance(long long x0, long long y0, long long x1, long long y1) {
  return (x0 > x1 ? x0 - x1 : x1 - x0) + (y0 > y1 ? y0 - y1 : y1 - y0);
}

POINT PointOf(long long x, long long y) { return POINT{static_cast<LONG>(x), static_cast<LONG>(y)}; }

}  // namespace

long long StartWithin(long long start, long long size, long long low, long long high, long long need) {
  start = std::min(start, high - need);
  return std::max(start, low - size + need);
}

POINT ReachablePosition(POINT topLeft, SIZE size, const RECT* workAreas, int count) {
  const long long x = topLeft.x;
  const long long y = topLeft.y;
  // An empty window still has a place that must be on the screen.
  const long long width = std::max<long long>(size.cx, 1);
  const long long height = std::max<long long>(size.cy, 1);

  long long pulledMove = LLONG_MAX;  // the least pull-back onto an area the window meets
  POINT pulled = topLeft;
  long long nearestGap = LLONG_MAX;
  const RECT* nearest = nullptr;
  for (int i = 0; i < count; ++i) {
    const RECT& area = workAreas[i];
    const long long areaWidth = static_cast<long long>(area.right) - area.left;
    const long long areaHeight = static_cast<long long>(area.bottom) - area.top;
    if (areaWidth <= 0 || areaHeight <= 0) continue;
    long long gx = Gap(x, x + width, area.left, area.right);
    long long gy = Gap(y, y + height, area.top, area.bottom);
    if (gx == 0 && gy == 0) {
      long long nx = StartWithin(x, width, area.left, area.right, std::min({width, areaWidth, static_cast<long long>(kReachGrip)}));
      long long ny = StartWithin(y, height, area.top, area.bottom, std::min({height, areaHeight, static_cast<long long>(kReachGrip)}));
      long long move = Distance(x, y, nx, ny);
      if (move == 0) return topLeft;  // it has a grip here
      if (move < pulledMove) {
        pulledMove = move;
        pulled = PointOf(nx, ny);
      }
    } else if (gx + gy < nearestGap) {
      nearestGap = gx + gy;
      nearest = &area;
    }
  }
  if (pulledMove != LLONG_MAX) return pulled;
  if (!nearest) return topLeft;
  return PointOf(StartWithin(x, width, nearest->left, nearest->right, width),
                 StartWithin(y, height, nearest->top, nearest->bottom, height));
}

POINT PositionWithinReach(POINT topLeft, SIZE size) {
  WorkAreas list = CurrentWorkAreas();
  return ReachablePosition(topLeft, size, list.areas, list.count);
}

RECT WorkspaceToScreen(const RECT& rect, const RECT& workArea, const RECT& monitor) {
  RECT screen = rect;
  OffsetRect(&screen, workArea.left - monitor.left, workArea.top - monitor.top);
  return screen;
}

namespace {

// The restored rectangle of GetWindowPlacement in screen coordinates.
bool NormalRect(HWND window, WINDOWPLACEMENT* placement, RECT* screen) {
  placement->length = sizeof(*placement);
  if (!GetWindowPlacement(window, placement)) return false;
  *screen = placement->rcNormalPosition;
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  HMONITOR monitor = MonitorFromRect(screen, MONITOR_DEFAULTTONEAREST);
  if (monitor && GetMonitorInfoA(monitor, &info)) {
    *screen = WorkspaceToScreen(*screen, info.rcWork, info.rcMonitor);
  }
  return true;
}

SIZE SizeOf(const RECT& rect) { return SIZE{rect.right - rect.left, rect.bottom - rect.top}; }

}  // namespace

bool GetNormalPosition(HWND window, POINT* topLeft) {
  WINDOWPLACEMENT placement = {};
  RECT normal;
  if (!NormalRect(window, &placement, &normal)) return false;
  // A place no monitor shows is not worth keeping: the next start would
  // only have to move the window back.
  *topLeft = PositionWithinReach(POINT{normal.left, normal.top}, SizeOf(normal));
  return true;
}

void KeepWithinReach(HWND window) {
  if (!IsIconic(window)) {
    RECT rect;
    if (GetWindowRect(window, &rect)) PlaceWithinReach(window, POINT{rect.left, rect.top});
    return;
  }
  // The icon's place is the system's; the place it restores to must be reachable.
  WINDOWPLACEMENT placement = {};
  RECT normal;
  if (!NormalRect(window, &placement, &normal)) return;
  POINT at = PositionWithinReach(POINT{normal.left, normal.top}, SizeOf(normal));
  if (at.x == normal.left && at.y == normal.top) return;
  OffsetRect(&placement.rcNormalPosition, at.x - normal.left, at.y - normal.top);
  placement.showCmd = SW_SHOWMINNOACTIVE;
  SetWindowPlacement(window, &placement);
}

void PlaceWithinReach(HWND window, POINT wanted) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return;
  POINT at = PositionWithinReach(wanted, SizeOf(rect));
  if (at.x != rect.left || at.y != rect.top) {
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}
