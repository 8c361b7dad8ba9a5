#include "audio/silent_output.h"

namespace {

// As much as a sound device would hold.
constexpr uint32_t kSilentBufferFrames = kOutputRate / 5;

}  // namespace

SilentOutput::SilentOutput() { QueryPerformanceFrequency(&frequency_); }

uint64_t SilentOutput::Now() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<uint64_t>(now.QuadPart);
}

HRESULT SilentOutput::Room(uint32_t* frames) {
  uint64_t played = 0;
  Played(&played);
  uint64_t held = written_ - played;
  *frames = held >= kSilentBufferFrames ? 0 : static_cast<uint32_t>(kSilentBufferFrames - held);
  return S_OK;
}

HRESULT SilentOutput::Write(const uint32_t*, uint32_t count) {
  written_ += count;
  return S_OK;
}

HRESULT SilentOutput::Start() {
  if (!running_) since_ = Now();
  running_ = true;
  return S_OK;
}

HRESULT SilentOutput::Pause() {
  uint64_t played = 0;
  Played(&played);
  running_ = false;
  return S_OK;
}

HRESULT SilentOutput::Halt(uint64_t* played) {
  Played(played);
  running_ = false;
  written_ = 0;
  played_ = 0;
  return S_OK;
}

HRESULT SilentOutput::Played(uint64_t* frames) {
  if (running_) {
    uint64_t now = Now();
    uint64_t ticks = now - since_;
    uint64_t elapsed = ticks / frequency_.QuadPart * kOutputRate +
                       ticks % frequency_.QuadPart * kOutputRate / frequency_.QuadPart;
    // Like a device's clock, it stalls when it runs out of frames.
    if (played_ + elapsed >= written_) {
      played_ = written_;
      since_ = now;
    } else if (elapsed > 0) {
      played_ += elapsed;
      since_ += elapsed * frequency_.QuadPart / kOutputRate;
    }
  }
  *frames = played_;
  return S_OK;
}
