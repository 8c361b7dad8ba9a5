#include "audio/sample_conversion.h"

namespace {

constexpr float kFullScale = 32768.0f;

float Left(uint32_t frame) { return static_cast<int16_t>(frame & 0xFFFF) / kFullScale; }
float Right(uint32_t frame) { return static_cast<int16_t>(frame >> 16) / kFullScale; }

}  // namespace

void StereoToFloat(const uint32_t* frames, uint32_t count, int channels, float* out) {
  for (uint32_t i = 0; i < count; ++i) {
    if (channels == 1) {
      *out++ = (Left(frames[i]) + Right(frames[i])) / 2;
      continue;
    }
    *out++ = Left(frames[i]);
    *out++ = Right(frames[i]);
    for (int c = 2; c < channels; ++c) *out++ = 0.0f;
  }
}
