// How a play's end is told from the system's CD-audio device. The older system CD-audio
// driver sends a notice at the end of every play; today's (Windows Vista and
// later) sends none, goes on saying "playing" and holds the position at, or
// near, where the play ended. So a play also counts as ended when a refresh
// reading of a playing drive shows it at the play's end, or standing still
// within a second of it on two readings in a row. Positions are frames from
// the start of the disc's first track; times are GetTickCount milliseconds,
// passed in, so the rule is plain arithmetic.
#ifndef ZANTO_CD_PLAY_END_WATCH_H
#define ZANTO_CD_PLAY_END_WATCH_H

#include <windows.h>

// A play whose end the player cannot tell (the disc gave no lengths).
constexpr int kUnknownPlayEnd = 0x7FFFFFFF;
// How close to its end a play may stand still before it counts as ended.
constexpr int kStallWindowFrames = 75;

class PlayEndWatch {
 public:
  // A play to `endFrames` was sent.
  void Started(int endFrames);
  // One refresh reading of a drive that says "playing" at `atFrames`: true
  // when it shows that the play has ended.
  bool Playing(int atFrames, DWORD now);
  // A reading without a position (seeking, or refused): nothing stood still.
  void NoPosition();
  // Whether a drive "playing" at `atFrames` is still well before the end: an
  // end notice then belongs to an older play.
  bool WellBeforeEnd(int atFrames) const;
  // When the play is due at its end, by the pace of the last two readings:
  // milliseconds from the last one, or INFINITE while that is unknown.
  DWORD MsUntilEnd() const;

 private:
  int end_ = kUnknownPlayEnd;
  // The last reading's position (-1: none since the start or a gap) and time.
  int last_ = -1;
  DWORD lastTime_ = 0;
  double framesPerMs_ = 0.0;  // 0: the pace is not known yet
};

#endif
