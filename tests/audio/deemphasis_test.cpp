#include "audio/deemphasis_filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// The peak a sine of `hz` keeps through the filter, once it has settled.
double Gain(double hz) {
  const double kPi = 3.14159265358979323846;
  std::vector<uint32_t> frames(8820);
  for (size_t i = 0; i < frames.size(); ++i) {
    int16_t v = static_cast<int16_t>(hz == 0 ? 10000 : std::lround(10000 * std::sin(2 * kPi * hz * i / 44100)));
    frames[i] = static_cast<uint16_t>(v) | static_cast<uint32_t>(static_cast<uint16_t>(v)) << 16;
  }
  DeemphasisFilter filter;
  filter.Apply(frames.data(), static_cast<uint32_t>(frames.size()));
  int peak = 0;
  for (size_t i = frames.size() / 2; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i] & 0xFFFF, frames[i] >> 16) << "channels filtered alike";
    peak = std::max(peak, std::abs(static_cast<int16_t>(frames[i] & 0xFFFF)));
  }
  return peak / 10000.0;
}

// The 50/15 us curve: |1 + jw 15us| / |1 + jw 50us|.
double Curve(double hz) {
  double w = 2 * 3.14159265358979323846 * hz;
  return std::hypot(1, w * 15e-6) / std::hypot(1, w * 50e-6);
}

// Catches a filter with the time constants swapped (a boost), the wrong
// corner, a DC offset or gain, and channels mixed into each other.
TEST(DeemphasisFilter, FollowsThe50By15MicrosecondCurve) {
  EXPECT_NEAR(Gain(0), 1.0, 0.001);
  for (double hz : {1000.0, 5000.0}) {
    EXPECT_NEAR(20 * std::log10(Gain(hz) / Curve(hz)), 0.0, 0.3) << hz;
  }
  EXPECT_LT(Gain(16000), 0.4);
}

}  // namespace
