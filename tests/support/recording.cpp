#include "support/recording.h"

#include <cstring>

#include "support/test_support.h"

std::vector<uint32_t> RecordedFrames(const std::string& path) {
  std::string bytes = ReadFileBytes(path);
  std::vector<uint32_t> frames(bytes.size() / 4);
  if (!frames.empty()) memcpy(frames.data(), bytes.data(), frames.size() * 4);
  return frames;
}

HeardSound Heard(const std::vector<uint32_t>& recorded) {
  HeardSound heard;
  uint64_t pending = 0;
  for (uint32_t frame : recorded) {
    if (frame == 0) {
      ++pending;
      continue;
    }
    if (pending && !heard.frames.empty()) {
      ++heard.silentRuns;
      heard.silentFrames += pending;
    }
    pending = 0;
    heard.frames.push_back(frame);
  }
  return heard;
}
