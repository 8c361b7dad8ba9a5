// The de-emphasis a CD's pre-emphasised tracks need: the 50/15 us shelf
// (about -10 dB at the top), as a first-order filter at 44.1 kHz, over the
// engine's stereo frames in place.
#ifndef ZANTO_AUDIO_DEEMPHASIS_FILTER_H
#define ZANTO_AUDIO_DEEMPHASIS_FILTER_H

#include <cstdint>

class DeemphasisFilter {
 public:
  // Forgets the past: for a seek, whose first frame follows nothing.
  void Reset();
  void Apply(uint32_t* frames, uint32_t count);

 private:
  float lastIn_[2] = {};
  float lastOut_[2] = {};
};

#endif
