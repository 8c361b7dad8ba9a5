#include "app/rules/play_end_watch.h"

void PlayEndWatch::Started(int endFrames, DWORD now) {
  end_ = endFrames;
  startedAt_ = now;
  confirmed_ = false;
  last_ = -1;
  framesPerMs_ = 0.0;
}

bool PlayEndWatch::Playing(int atFrames, DWORD now) {
  confirmed_ = true;
  if (end_ == kUnknownPlayEnd) return false;
  if (atFrames >= end_) return true;
  bool stoodStill = atFrames == last_ && end_ - atFrames <= kStallWindowFrames;
  // Unsigned difference: right across the wrap of the tick count.
  DWORD elapsed = now - lastTime_;
  if (last_ >= 0 && atFrames > last_ && elapsed > 0) {
    framesPerMs_ = static_cast<double>(atFrames - last_) / static_cast<double>(elapsed);
  }
  last_ = atFrames;
  lastTime_ = now;
  return stoodStill;
}

void PlayEndWatch::NoPosition() { last_ = -1; }

bool PlayEndWatch::WellBeforeEnd(int atFrames) const {
  return end_ != kUnknownPlayEnd && end_ - atFrames > kStallWindowFrames;
}

bool PlayEndWatch::StartingUp(DWORD now) const {
  return !confirmed_ && now - startedAt_ < kPlayStartupMs;
}

DWORD PlayEndWatch::MsUntilEnd() const {
  if (end_ == kUnknownPlayEnd || last_ < 0 || framesPerMs_ <= 0.0) return INFINITE;
  double ms = static_cast<double>(end_ - last_) / framesPerMs_;
  return ms >= 3600000.0 ? INFINITE : static_cast<DWORD>(ms);
}
