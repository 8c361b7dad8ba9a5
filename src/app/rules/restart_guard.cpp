#include "app/rules/restart_guard.h"

void RestartGuard::PlayStarted(DWORD now) {
  started_ = true;
  lastStart_ = now;
}

DWORD RestartGuard::RestartDelay(DWORD now) const {
  if (!started_) return 0;
  // Unsigned difference: right across the 49.7-day wrap of the tick count.
  DWORD ran = now - lastStart_;
  return ran >= kRestartSpacingMs ? 0 : kRestartSpacingMs - ran;
}
