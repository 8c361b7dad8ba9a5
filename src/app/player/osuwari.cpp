// Osuwari: the player perched on the foreground window's title bar.
#include "app/player/osuwari.h"

#include "app/desktop/perch_geometry.h"
#include "app/player/player_window.h"
#include "app/desktop/window_position.h"
#include "settings/settings.h"

HWND(WINAPI* perchForegroundWindow)() = GetForegroundWindow;

namespace {

// Where the system parks a minimised window.
constexpr LONG kMinimisedPosition = -32000;

// The desktop and the shell's window cover the whole screen, and a minimised
// window sits at -32000: perching on any of them would carry the player off
// the screen, so the player stays where it is.
bool CanPerchOn(HWND target, const RECT& rect) {
  if (target == GetDesktopWindow() || target == GetShellWindow()) return false;
  return !IsIconic(target) && rect.left > kMinimisedPosition && rect.top > kMinimisedPosition;
}

// The work area of the monitor the target is on (or nearest to); empty when
// the system cannot tell.
RECT TargetWorkArea(HWND target) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  HMONITOR monitor = MonitorFromWindow(target, MONITOR_DEFAULTTONEAREST);
  if (!monitor || !GetMonitorInfoA(monitor, &info)) return RECT{};
  return info.rcWork;
}

}  // namespace

// A player where no monitor shows it was left there by a target that went
// off the screen and closed, or by a monitor since removed.
void PlayerWindow::StayWithinReach() {
  if (perchTarget && !IsWindow(perchTarget)) {
    perchTarget = nullptr;
    SetRectEmpty(&perchTargetRect);
  }
  KeepWithinReach(hwnd);
}

void PlayerWindow::Perch() {
  HWND target = perchForegroundWindow();
  RECT rect;
  if (!target || target == hwnd || !GetWindowRect(target, &rect)) {
    StayWithinReach();
    return;
  }
  // Neither changed nor moved since the last perch: the player may have been
  // dragged elsewhere on purpose, and moving it at every tick would cost.
  if (target == perchTarget && EqualRect(&rect, &perchTargetRect)) return;
  if (!CanPerchOn(target, rect)) {
    StayWithinReach();
    return;
  }

  RECT own;
  if (!GetWindowRect(hwnd, &own)) return;
  SIZE size{own.right - own.left, own.bottom - own.top};
  int baseLine = model.osuwariBaseLine;
  // The overlap without a base line is in skin rows too (a given one is scaled with the skin).
  if (baseLine == kNoPerchBaseLine && !scale.IsUnit()) baseLine = size.cy - scale.Scaled(kDefaultPerchOverlap);
  POINT at = PerchPosition(rect, size, settings_.osuwariXPer, baseLine, TargetWorkArea(target));
  // The target's monitor may not be told (the work area comes back empty).
  at = PositionWithinReach(at, size);
  MoveWindow(hwnd, at.x, at.y, size.cx, size.cy, TRUE);
  // Above the target, but the target keeps the activation.
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  perchTarget = target;
  perchTargetRect = rect;
}
