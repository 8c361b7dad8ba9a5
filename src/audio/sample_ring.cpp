#include "audio/sample_ring.h"

#include <cstring>
#include <new>

bool SampleRing::Allocate(uint32_t capacityFrames) {
  frames_.reset(new (std::nothrow) uint32_t[capacityFrames]);
  capacity_ = frames_ ? capacityFrames : 0;
  Clear();
  return static_cast<bool>(frames_);
}

void SampleRing::Clear() {
  head_ = 0;
  size_ = 0;
}

uint32_t SampleRing::Write(const uint32_t* frames, uint32_t count) {
  if (count > Room()) count = Room();
  uint32_t tail = (head_ + size_) % (capacity_ ? capacity_ : 1);
  uint32_t first = count < capacity_ - tail ? count : capacity_ - tail;
  memcpy(&frames_[tail], frames, first * sizeof(uint32_t));
  memcpy(&frames_[0], frames + first, (count - first) * sizeof(uint32_t));
  size_ += count;
  return count;
}

uint32_t SampleRing::Read(uint32_t* frames, uint32_t count) {
  if (count > size_) count = size_;
  uint32_t first = count < capacity_ - head_ ? count : capacity_ - head_;
  memcpy(frames, &frames_[head_], first * sizeof(uint32_t));
  memcpy(frames + first, &frames_[0], (count - first) * sizeof(uint32_t));
  head_ = count ? (head_ + count) % capacity_ : head_;
  size_ -= count;
  return count;
}
