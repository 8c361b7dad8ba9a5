// Where the renderer sends a disc's audio: 44.1 kHz stereo frames of 16
// bits (one 32-bit word each, left in the low half). Its clock counts the
// frames actually played, so the position follows what is heard.
#ifndef ZANTO_AUDIO_AUDIO_OUTPUT_H
#define ZANTO_AUDIO_AUDIO_OUTPUT_H

#include <windows.h>
#include <mmreg.h>

#include <cstdint>
#include <memory>

struct IMMDeviceEnumerator;

constexpr DWORD kOutputRate = 44100;

// The disc's own format, as the outputs are asked for it first.
inline WAVEFORMATEX CdPcmFormat() {
  WAVEFORMATEX pcm = {};
  pcm.wFormatTag = WAVE_FORMAT_PCM;
  pcm.nChannels = 2;
  pcm.nSamplesPerSec = kOutputRate;
  pcm.wBitsPerSample = 16;
  pcm.nBlockAlign = 4;
  pcm.nAvgBytesPerSec = kOutputRate * 4;
  return pcm;
}

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // Signalled when it can take more; null when its user polls it instead.
  virtual HANDLE WakeEvent() const = 0;
  // False for the silent clock: the play runs, nothing is heard.
  virtual bool Audible() const = 0;
  // How many frames it can take now.
  virtual HRESULT Room(uint32_t* frames) = 0;
  // `count` is at most what Room said.
  virtual HRESULT Write(const uint32_t* frames, uint32_t count) = 0;
  // Starts, or goes on after a pause with what it still holds.
  virtual HRESULT Start() = 0;
  // Stops at once and keeps what it holds, so a start goes on at the very
  // next sample: the clock stops with it.
  virtual HRESULT Pause() = 0;
  // Stops at once, tells how many frames were played since the last halt,
  // and drops the rest: the next write starts afresh.
  virtual HRESULT Halt(uint64_t* played) = 0;
  // Frames played since the last halt.
  virtual HRESULT Played(uint64_t* frames) = 0;
  virtual void SetVolume(float level, bool mute) = 0;
  // How long the last frame written is still to be heard once the clock
  // has counted it.
  virtual DWORD TailMs() = 0;
};

// Makes the output a render thread plays to. Called on that thread, with
// COM initialised there; `enumerator` is null when COM could not be had.
class AudioOutputOpener {
 public:
  virtual std::unique_ptr<AudioOutput> OpenOutput(IMMDeviceEnumerator* enumerator) = 0;

 protected:
  ~AudioOutputOpener() = default;
};

#endif
