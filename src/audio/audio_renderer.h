// The render thread: takes a play's frames from the reader and feeds them
// to the output as it asks (event-driven), keeps the position from the
// frames it actually played, and posts the end of each play to the window.
// It owns COM and the output; the player's thread only sends it commands,
// each done before the call returns.
#ifndef ZANTO_AUDIO_AUDIO_RENDERER_H
#define ZANTO_AUDIO_AUDIO_RENDERER_H

#include <windows.h>

#include <cstdint>
#include <memory>

#include "audio/audio_output.h"
#include "audio/critical_section.h"
#include "audio/sector_reader.h"
#include "audio/worker_thread.h"
#include "common/handles.h"

struct RenderStatus {
  bool playing = false;
  uint64_t position = 0;  // the frame being heard, or where the sound stopped
  DWORD endedPlay = 0;    // the last play that reached its end
  bool audible = false;   // false on the silent clock
};

class AudioRenderer {
 public:
  // Both outlive the renderer.
  AudioRenderer(SectorReader* reader, AudioOutputOpener* opener) : reader_(reader), opener_(opener) {}
  ~AudioRenderer() { Finish(); }
  AudioRenderer(const AudioRenderer&) = delete;
  AudioRenderer& operator=(const AudioRenderer&) = delete;

  // Starts the thread and waits until it has an output. The end of a play
  // goes to `window` as `endMessage`, its id in wParam.
  bool Start(HWND window, UINT endMessage);
  void Finish();

  // Plays frames [from, end); `playId` is not 0. A play from where the
  // last stop left the sound, to the same end, goes on with what the output
  // still holds: not a sample is lost or repeated.
  void Play(uint64_t from, uint64_t end, DWORD playId);
  // Stops the play in force, at the frame last heard.
  void Stop();
  void SetVolume(float level, bool mute);
  RenderStatus Status() const;

 private:
  enum class Command { kNone, kPlay, kStop, kVolume };

  static void Run(void* self);
  void Loop();
  void Send(Command command, uint64_t from, uint64_t end, DWORD playId);
  void TakeCommand();
  void StartPlay(uint64_t from, uint64_t end, DWORD playId);
  void StopPlay();
  // The frame heard when the output has played `played` since its halt.
  uint64_t HeardAt(uint64_t played) const;
  // How long until the end of the last play has been heard.
  DWORD TailLeftMs() const;
  void OpenOutput();
  void ApplyVolume();
  // The output went, or another became the default: play on from where the
  // sound got to.
  void Reopen();
  void Render();
  void EndPlay();
  // Halts the output and takes the position from what it played.
  void HaltOutput();
  void Publish();

  SectorReader* reader_;
  AudioOutputOpener* opener_;
  WorkerThread thread_;
  unique_handle command_, done_, deviceChanged_, ready_;
  HWND window_ = nullptr;
  UINT endMessage_ = 0;

  CriticalSection commandLock_;  // guards the command and the volume
  Command pending_ = Command::kNone;
  uint64_t commandFrom_ = 0, commandEnd_ = 0;
  DWORD commandPlay_ = 0;
  float level_ = 1.0f;
  bool mute_ = false;

  // The render thread's own.
  IMMDeviceEnumerator* enumerator_ = nullptr;
  std::unique_ptr<AudioOutput> output_;
  std::unique_ptr<uint32_t[]> scratch_;
  bool playing_ = false;
  bool started_ = false;
  bool paused_ = false;  // stopped with the output holding the rest of the play
  bool ended_ = false;   // the last play reached its end; the output runs on with its tail
  DWORD endTick_ = 0;
  bool allWritten_ = false;
  DWORD allWrittenTick_ = 0;
  uint64_t heardWhenAllWritten_ = 0;
  uint64_t from_ = 0, end_ = 0, written_ = 0, position_ = 0;
  uint64_t base_ = 0;  // the output's count of frames played when this play's first frame came
  DWORD playId_ = 0;

  mutable CriticalSection statusLock_;
  RenderStatus status_;
};

#endif
