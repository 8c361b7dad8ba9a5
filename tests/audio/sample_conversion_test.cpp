#include "audio/sample_conversion.h"

#include <gtest/gtest.h>

namespace {

uint32_t Frame(int16_t left, int16_t right) {
  return static_cast<uint16_t>(left) | static_cast<uint32_t>(static_cast<uint16_t>(right)) << 16;
}

// Catches swapped channels, a wrong scale or sign, and surround channels
// left holding garbage or the next frame's samples.
TEST(StereoToFloat, MapsLeftAndRightOntoTheDevicesChannels) {
  const uint32_t frames[] = {Frame(-32768, 16384), Frame(32767, -1)};
  float stereo[4];
  StereoToFloat(frames, 2, 2, stereo);
  EXPECT_FLOAT_EQ(stereo[0], -1.0f);
  EXPECT_FLOAT_EQ(stereo[1], 0.5f);
  EXPECT_FLOAT_EQ(stereo[2], 32767 / 32768.0f);
  EXPECT_FLOAT_EQ(stereo[3], -1 / 32768.0f);

  float surround[12];
  for (float& sample : surround) sample = 9.0f;
  StereoToFloat(frames, 2, 6, surround);
  EXPECT_FLOAT_EQ(surround[0], -1.0f);
  EXPECT_FLOAT_EQ(surround[1], 0.5f);
  for (int c = 2; c < 6; ++c) EXPECT_EQ(surround[c], 0.0f) << c;
  EXPECT_FLOAT_EQ(surround[6], 32767 / 32768.0f);

  float mono[2];
  StereoToFloat(frames, 2, 1, mono);
  EXPECT_FLOAT_EQ(mono[0], -0.25f);
}

}  // namespace
