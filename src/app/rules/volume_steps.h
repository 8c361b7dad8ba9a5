// The volume by hand: steps of a sixteenth of the range, and the mouse
// wheel's small deltas gathered into whole steps.
#ifndef ZANTO_APP_VOLUME_STEPS_H
#define ZANTO_APP_VOLUME_STEPS_H

// Steps from the bottom of the range to the top.
constexpr int kVolumeSteps = 16;
// One notch of a classic wheel (WHEEL_DELTA); finer wheels send less.
constexpr int kWheelNotch = 120;

// `volume` (0..255) moved `steps` sixteenths up (positive) or down, onto the
// levels k * 255 / 16 rounded, held at 0 and 255. A volume between two
// levels (set with the skin's control) moves to the next one in the step's
// direction, so every step is audible and 16 steps always span the range.
int SteppedVolume(int volume, int steps);

// Adds a wheel delta to `*remainder` and takes out the whole notches: the
// steps to make now (positive: away from the user). A turn the other way
// forgets what was gathered, so a slight back-and-forth never steps.
int TakeWheelSteps(int* remainder, int delta);

#endif
