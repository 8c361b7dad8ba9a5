#include "cd/play_end_watch.h"

void PlayEndWatch::Started(int endFrames) {
  end_ = endFrames;
  last_ = -1;
  framesPerMs_ = 0.0;
}

bool PlayEndWatch::Playing(int atFrames, DWORD now) {
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

DWORD PlayEndWatch::MsUntilEnd() const {
  if (end_ == kUnknownPlayEnd || last_ < 0 || framesPerMs_ <= 0.0) return INFINITE;
  double ms = static_cast<double>(end_ - last_) / framesPerMs_;
  return ms >= 3600000.0 ? INFINITE : static_cast<DWORD>(ms);
}
