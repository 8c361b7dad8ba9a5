// The output of a PC without a sound device: nothing is heard, and a clock
// of its own takes the frames at the pace they would play, so the time and
// the titles run as with sound.
#ifndef ZANTO_AUDIO_SILENT_OUTPUT_H
#define ZANTO_AUDIO_SILENT_OUTPUT_H

#include "audio/audio_output.h"

class SilentOutput final : public AudioOutput {
 public:
  SilentOutput();
  HANDLE WakeEvent() const override { return nullptr; }
  bool Audible() const override { return false; }
  HRESULT Room(uint32_t* frames) override;
  HRESULT Write(const uint32_t* frames, uint32_t count) override;
  HRESULT Start() override;
  HRESULT Pause() override;
  HRESULT Halt(uint64_t* played) override;
  HRESULT Played(uint64_t* frames) override;
  void SetVolume(float, bool) override {}
  DWORD TailMs() override { return 0; }

 private:
  uint64_t Now() const;

  LARGE_INTEGER frequency_;
  bool running_ = false;
  uint64_t written_ = 0;
  // The clock: `played_` frames when it last started (or caught up).
  uint64_t played_ = 0;
  uint64_t since_ = 0;
};

#endif
