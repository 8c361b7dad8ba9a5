// The program's own conversion for a device that takes only its mix format:
// 16-bit stereo frames to 32-bit float, left and right on the first two
// channels, the others silent; a mono device gets their mean.
#ifndef ZANTO_AUDIO_SAMPLE_CONVERSION_H
#define ZANTO_AUDIO_SAMPLE_CONVERSION_H

#include <cstdint>

void StereoToFloat(const uint32_t* frames, uint32_t count, int channels, float* out);

#endif
