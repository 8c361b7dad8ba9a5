// The oldest output, for a system whose shared-mode audio refused us:
// waveOut, in blocks it hands back through an event. Its clock is
// waveOutGetPosition's, in frames played.
#ifndef ZANTO_AUDIO_WAVE_OUT_OUTPUT_H
#define ZANTO_AUDIO_WAVE_OUT_OUTPUT_H

#include <windows.h>
#include <mmsystem.h>

#include <memory>

#include "audio/audio_output.h"
#include "common/handles.h"

class WaveOutOutput final : public AudioOutput {
 public:
  WaveOutOutput() = default;
  ~WaveOutOutput() override;
  WaveOutOutput(const WaveOutOutput&) = delete;
  WaveOutOutput& operator=(const WaveOutOutput&) = delete;

  // False when the system has no wave device that takes 16-bit stereo.
  bool Open();

  HANDLE WakeEvent() const override { return event_.get(); }
  bool Audible() const override { return true; }
  HRESULT Room(uint32_t* frames) override;
  HRESULT Write(const uint32_t* frames, uint32_t count) override;
  HRESULT Start() override;
  HRESULT Pause() override;
  HRESULT Halt(uint64_t* played) override;
  HRESULT Played(uint64_t* frames) override;
  void SetVolume(float level, bool mute) override;
  DWORD TailMs() override { return 0; }

 private:
  static constexpr int kBlocks = 8;
  static constexpr uint32_t kBlockFrames = kOutputRate / 20;  // 50 ms

  bool Free(int block) const;

  HWAVEOUT wave_ = nullptr;
  unique_handle event_;
  std::unique_ptr<uint32_t[]> samples_;
  WAVEHDR headers_[kBlocks] = {};
  bool queued_[kBlocks] = {};
};

#endif
