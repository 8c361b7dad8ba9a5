// A fixed ring of stereo frames (one 32-bit word each: left then right, 16
// bits each, as a raw sector holds them). Not locked: its owner locks.
#ifndef ZANTO_AUDIO_SAMPLE_RING_H
#define ZANTO_AUDIO_SAMPLE_RING_H

#include <cstdint>
#include <memory>

class SampleRing {
 public:
  // False when the memory could not be had.
  bool Allocate(uint32_t capacityFrames);
  uint32_t Capacity() const { return capacity_; }
  uint32_t Size() const { return size_; }
  uint32_t Room() const { return capacity_ - size_; }
  void Clear();
  // Each copies what fits and returns how many frames it moved.
  uint32_t Write(const uint32_t* frames, uint32_t count);
  uint32_t Read(uint32_t* frames, uint32_t count);

 private:
  std::unique_ptr<uint32_t[]> frames_;
  uint32_t capacity_ = 0;
  uint32_t head_ = 0;  // next to read
  uint32_t size_ = 0;
};

#endif
