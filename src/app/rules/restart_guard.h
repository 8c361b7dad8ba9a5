// The one guard every automatic restart of the player goes through (repeat,
// playback going on after a run of audio tracks). A play that ends at once —
// a track of no length, a driver that reports success immediately — must not
// become a loop of PLAY commands: an automatic restart comes at most once a
// second after the play before it began. (Ends told for a play that was
// stopped or has ended already count for nothing: see PlayerStateMachine.)
// Times are GetTickCount milliseconds, passed in, so the rule is plain
// arithmetic.
#ifndef ZANTO_APP_RESTART_GUARD_H
#define ZANTO_APP_RESTART_GUARD_H

#include <windows.h>

constexpr DWORD kRestartSpacingMs = 1000;

class RestartGuard {
 public:
  // The drive accepted a play (any play, the user's or an automatic one).
  void PlayStarted(DWORD now);
  // How long an automatic restart asked for at `now` must wait: 0 for at
  // once, else the rest of the second since the last play began.
  DWORD RestartDelay(DWORD now) const;

 private:
  bool started_ = false;
  DWORD lastStart_ = 0;
};

#endif
