#include "audio/deemphasis_filter.h"

#include <cmath>

namespace {

// H(s) = (1 + s t2) / (1 + s t1), t1 = 50 us, t2 = 15 us, by the bilinear
// transform at 44.1 kHz (k = 2 fs); unity at DC.
constexpr float kT1K = 50e-6f * 2 * 44100;
constexpr float kT2K = 15e-6f * 2 * 44100;
constexpr float kB0 = (1 + kT2K) / (1 + kT1K);
constexpr float kB1 = (1 - kT2K) / (1 + kT1K);
constexpr float kA1 = (1 - kT1K) / (1 + kT1K);

int16_t ToSample(float value) {
  long rounded = std::lround(value);
  return static_cast<int16_t>(rounded > 32767 ? 32767 : rounded < -32768 ? -32768 : rounded);
}

}  // namespace

void DeemphasisFilter::Reset() {
  for (int c = 0; c < 2; ++c) lastIn_[c] = lastOut_[c] = 0;
}

void DeemphasisFilter::Apply(uint32_t* frames, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t frame = 0;
    for (int c = 0; c < 2; ++c) {
      float in = static_cast<int16_t>(frames[i] >> (16 * c) & 0xFFFF);
      float out = kB0 * in + kB1 * lastIn_[c] - kA1 * lastOut_[c];
      lastIn_[c] = in;
      lastOut_[c] = out;
      frame |= static_cast<uint32_t>(static_cast<uint16_t>(ToSample(out))) << (16 * c);
    }
    frames[i] = frame;
  }
}
