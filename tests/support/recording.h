// Recordings of the sound server's null sink (raw 16-bit stereo, one 32-bit
// word a frame, as a raw sector holds them), for the tests and benches that
// play the tone disc into it.
#ifndef ZANTO_TESTS_SUPPORT_RECORDING_H
#define ZANTO_TESTS_SUPPORT_RECORDING_H

#include <cstdint>
#include <string>
#include <vector>

// The frames of a recording file so far.
std::vector<uint32_t> RecordedFrames(const std::string& path);

struct HeardSound {
  std::vector<uint32_t> frames;  // every frame that is not all zero, in order
  int silentRuns = 0;            // runs of all-zero frames between them
  uint64_t silentFrames = 0;
};
// What was heard: Wine inserts runs of exact silence under load, and no
// frame of the tone disc is all zero, so they are dropped and counted.
HeardSound Heard(const std::vector<uint32_t>& recorded);

#endif
