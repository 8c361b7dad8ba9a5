// Osuwari: the player perched on the foreground window's title bar.
#include "app/osuwari.h"

#include "app/application.h"
#include "app/perch_geometry.h"
#include "app/player_window.h"
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

}  // namespace

void PlayerWindow::Perch() {
  HWND target = perchForegroundWindow();
  if (!target || target == hwnd) return;
  RECT rect;
  if (!GetWindowRect(target, &rect)) return;  // the window went away meanwhile
  // Neither changed nor moved since the last perch: the player may have been
  // dragged elsewhere on purpose, and moving it at every tick would cost.
  if (target == perchTarget && EqualRect(&rect, &perchTargetRect)) return;
  if (!CanPerchOn(target, rect)) return;

  RECT own;
  if (!GetWindowRect(hwnd, &own)) return;
  SIZE size{own.right - own.left, own.bottom - own.top};
  POINT at = PerchPosition(rect, size, appSettings->osuwariXPer, model.osuwariBaseLine);
  MoveWindow(hwnd, at.x, at.y, size.cx, size.cy, TRUE);
  // Above the target, but the target keeps the activation.
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  perchTarget = target;
  perchTargetRect = rect;
}
