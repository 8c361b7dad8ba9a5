#include "app/desktop/perch_geometry.h"

#include <climits>

#include "app/desktop/window_position.h"

namespace {

// Settings and skins are user text: extreme values must not overflow, they
// only put the player far away, at the edge of the coordinate range.
int Clamped(long long value) {
  if (value < INT_MIN) return INT_MIN;
  if (value > INT_MAX) return INT_MAX;
  return static_cast<int>(value);
}

}  // namespace

POINT PerchPosition(const RECT& target, SIZE player, int osuwariXPer, int osuwariBaseLine,
                    const RECT& workArea) {
  long long width = static_cast<long long>(target.right) - target.left;
  long long baseLine = osuwariBaseLine == kNoPerchBaseLine ? static_cast<long long>(player.cy) - kDefaultPerchOverlap
                                                      : osuwariBaseLine;
  long long x = target.left + width * osuwariXPer / 100 - player.cx / 2;
  long long y = target.top - baseLine;
  if (workArea.right > workArea.left && workArea.bottom > workArea.top) {
    // Wholly on the area: a perched player shows all of itself.
    x = StartWithin(x, player.cx, workArea.left, workArea.right, player.cx);
    y = StartWithin(y, player.cy, workArea.top, workArea.bottom, player.cy);
  }
  return POINT{Clamped(x), Clamped(y)};
}
