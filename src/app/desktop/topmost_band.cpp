#include "app/desktop/topmost_band.h"

namespace {

// Enough for the tooltip and whatever popups a skin window may own.
constexpr int kMaxOwnedWindows = 8;

struct OwnedWindows {
  HWND owner;
  HWND windows[kMaxOwnedWindows];
  int count;
};

BOOL CALLBACK CollectOwned(HWND hwnd, LPARAM data) {
  OwnedWindows* owned = reinterpret_cast<OwnedWindows*>(data);
  if (GetWindow(hwnd, GW_OWNER) == owned->owner && owned->count < kMaxOwnedWindows) {
    owned->windows[owned->count++] = hwnd;
  }
  return TRUE;
}

void SetOwner(const OwnedWindows& owned, HWND owner) {
  for (int i = 0; i < owned.count; ++i) {
    SetWindowLongPtrA(owned.windows[i], GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  }
}

bool IsTopmost(HWND hwnd) { return (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

}  // namespace

void PlaceInTopmostBand(HWND hwnd, bool topmost) {
  SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (!topmost || IsTopmost(hwnd)) return;
  // Wine moves the windows the player owns (its tooltip, itself topmost)
  // into the band first and then puts the player just below them without
  // the topmost flag, so the player stays out of the band. Let go of them
  // for this one move and take them back after.
  OwnedWindows owned = {hwnd, {}, 0};
  EnumThreadWindows(GetCurrentThreadId(), CollectOwned, reinterpret_cast<LPARAM>(&owned));
  SetOwner(owned, nullptr);
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetOwner(owned, hwnd);
}

