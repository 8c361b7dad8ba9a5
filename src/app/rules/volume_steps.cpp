#include "app/rules/volume_steps.h"

namespace {

constexpr int kTopVolume = 255;

int Level(int step) { return (step * kTopVolume + kVolumeSteps / 2) / kVolumeSteps; }

}  // namespace

int SteppedVolume(int volume, int steps) {
  int v = volume < 0 ? 0 : volume > kTopVolume ? kTopVolume : volume;
  for (; steps > 0 && v < kTopVolume; --steps) {
    int k = 0;
    while (Level(k) <= v) ++k;  // the first level above
    v = Level(k);
  }
  for (; steps < 0 && v > 0; ++steps) {
    int k = kVolumeSteps;
    while (Level(k) >= v) --k;  // the first level below
    v = Level(k);
  }
  return v;
}

int TakeWheelSteps(int* remainder, int delta) {
  if ((delta > 0 && *remainder < 0) || (delta < 0 && *remainder > 0)) *remainder = 0;
  int total = *remainder + delta;
  int steps = total / kWheelNotch;  // toward zero: the rest keeps its sign
  *remainder = total - steps * kWheelNotch;
  return steps;
}
