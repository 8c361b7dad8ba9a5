#include "app/rules/restart_guard.h"

void RestartGuard::PlayStarted(DWORD now) {
  started_ = true;
  inForce_ = true;
  lastStart_ = now;
}

void RestartGuard::Stopped() { inForce_ = false; }

void RestartGuard::PlayEnded() { inForce_ = false; }

bool RestartGuard::PlayInForce() const { return inForce_; }

DWORD RestartGuard::RestartDelay(DWORD now) const {
  if (!started_) return 0;
  // Unsigned difference: right across the 49.7-day wrap of the tick count.
  DWORD ran = now - lastStart_;
  return ran >= kRestartSpacingMs ? 0 : kRestartSpacingMs - ran;
}
