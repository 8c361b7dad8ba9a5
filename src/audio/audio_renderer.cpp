#include "audio/audio_renderer.h"

#include <mmdeviceapi.h>

#include <new>

#include "audio/com_ptr.h"
#include "audio/device_watch.h"
#include "audio/silent_output.h"

namespace {

constexpr uint32_t kScratchFrames = 16384;
// Sound starts once this much is read, or the whole play if it is shorter.
constexpr uint64_t kStartFrames = kOutputRate / 10;
// A wake-up at least this often while playing, for outputs without an
// event, for the end of a play, and until the output runs (it signals
// nothing before).
constexpr DWORD kPollMs = 10;
// A running output with an event wakes the thread at every period itself:
// a poll as often would about double the wake-ups.
constexpr DWORD kEventPollMs = 100;
// A clock that never reaches the last frame written (a device that keeps
// some back) still ends the play this long after it should have.
constexpr DWORD kEndGraceMs = 500;
constexpr DWORD kCommandTimeoutMs = 5000;
constexpr DWORD kMaxTailMs = 300;

uint64_t Smallest(uint64_t a, uint64_t b) { return a < b ? a : b; }

}  // namespace

bool AudioRenderer::Start(HWND window, UINT endMessage) {
  Finish();
  window_ = window;
  endMessage_ = endMessage;
  command_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  done_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  deviceChanged_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  ready_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!command_ || !done_ || !deviceChanged_ || !ready_) return false;
  if (!thread_.Start(Run, this)) return false;
  HANDLE waits[] = {ready_.get(), thread_.FinishEvent()};
  return WaitForMultipleObjects(2, waits, FALSE, kCommandTimeoutMs) == WAIT_OBJECT_0;
}

void AudioRenderer::Finish() { thread_.Join(); }

void AudioRenderer::Play(uint64_t from, uint64_t end, DWORD playId) { Send(Command::kPlay, from, end, playId); }

void AudioRenderer::Stop() { Send(Command::kStop, 0, 0, 0); }

void AudioRenderer::SetVolume(float level, bool mute) {
  {
    ScopedLock hold(commandLock_);
    level_ = level;
    mute_ = mute;
  }
  Send(Command::kVolume, 0, 0, 0);
}

RenderStatus AudioRenderer::Status() const {
  ScopedLock hold(statusLock_);
  return status_;
}

void AudioRenderer::Send(Command what, uint64_t from, uint64_t end, DWORD playId) {
  if (!thread_.Running()) return;
  {
    ScopedLock hold(commandLock_);
    pending_ = what;
    commandFrom_ = from;
    commandEnd_ = end;
    commandPlay_ = playId;
  }
  ResetEvent(done_.get());
  SetEvent(command_.get());
  WaitForSingleObject(done_.get(), kCommandTimeoutMs);
}

void AudioRenderer::Run(void* self) { static_cast<AudioRenderer*>(self)->Loop(); }

void AudioRenderer::Loop() {
  ComApartment com;
  ComPtr<IMMDeviceEnumerator> enumerator;
  if (com.ok()) {
    CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                     enumerator.put_void());
  }
  enumerator_ = enumerator.get();
  DeviceWatch watch(deviceChanged_.get());
  watch.Register(enumerator_);
  scratch_.reset(new (std::nothrow) uint32_t[kScratchFrames]);
  OpenOutput();
  SetEvent(ready_.get());
  for (;;) {
    HANDLE waits[4] = {thread_.FinishEvent(), command_.get(), deviceChanged_.get(), nullptr};
    DWORD count = 3;
    if (output_ && output_->WakeEvent()) waits[count++] = output_->WakeEvent();
    DWORD poll = started_ && output_ && output_->WakeEvent() ? kEventPollMs : kPollMs;
    DWORD timeout = playing_ ? poll : ended_ ? TailLeftMs() + 1 : INFINITE;
    DWORD woke = WaitForMultipleObjects(count, waits, FALSE, timeout);
    if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) break;
    if (woke == WAIT_OBJECT_0 + 1) TakeCommand();
    if (woke == WAIT_OBJECT_0 + 2) Reopen();
    if (playing_) Render();
    // The last play's end has been heard: nothing more for the output to do.
    if (ended_ && TailLeftMs() == 0) {
      HaltOutput();
      ended_ = false;
    }
  }
  if (output_) HaltOutput();
  output_.reset();
  watch.Unregister();
  enumerator_ = nullptr;
}

void AudioRenderer::TakeCommand() {
  Command what;
  uint64_t from, end;
  DWORD playId;
  {
    ScopedLock hold(commandLock_);
    what = pending_;
    from = commandFrom_;
    end = commandEnd_;
    playId = commandPlay_;
    pending_ = Command::kNone;
  }
  switch (what) {
    case Command::kPlay: StartPlay(from, end, playId); break;
    case Command::kStop: StopPlay(); break;
    case Command::kVolume: ApplyVolume(); break;
    case Command::kNone: break;
  }
  Publish();
  SetEvent(done_.get());
}

void AudioRenderer::StartPlay(uint64_t from, uint64_t end, DWORD playId) {
  playId_ = playId;
  if (paused_ && from == position_ && end == end_ && SUCCEEDED(output_->Start())) {
    paused_ = false;
    playing_ = true;
    allWritten_ = false;  // its wait for the end starts again
    return;
  }
  if (ended_ && from == end_) {
    // Straight on from the end of the last play: the stream goes on, as
    // one play over several tracks would.
    base_ += written_;
  } else {
    if (ended_) Sleep(TailLeftMs());
    if (output_ && (playing_ || paused_ || ended_)) HaltOutput();
  }
  paused_ = false;
  ended_ = false;
  from_ = from;
  end_ = end > from ? end : from;
  position_ = from;
  written_ = 0;
  allWritten_ = false;
  playing_ = true;
  reader_->Seek(from_, end_);
}

void AudioRenderer::StopPlay() {
  if (ended_) HaltOutput();
  ended_ = false;
  if (!playing_) return;
  playing_ = false;
  uint64_t played = 0;
  // Paused, the output keeps the rest and the reader goes on filling the
  // ring for the resume; a play not yet sounding has nothing to keep.
  if (started_ && SUCCEEDED(output_->Pause()) && SUCCEEDED(output_->Played(&played))) {
    position_ = HeardAt(played);
    paused_ = true;
    return;
  }
  if (output_) HaltOutput();
  reader_->Seek(position_, position_);
}

uint64_t AudioRenderer::HeardAt(uint64_t played) const {
  return from_ + Smallest(played > base_ ? played - base_ : 0, written_);
}

DWORD AudioRenderer::TailLeftMs() const {
  // The device's clock counts the last frames before they are heard: a
  // reset before then would cut them off.
  DWORD tail = output_ ? output_->TailMs() : 0;
  if (tail > kMaxTailMs) tail = kMaxTailMs;
  DWORD since = GetTickCount() - endTick_;
  return since < tail ? tail - since : 0;
}

void AudioRenderer::OpenOutput() {
  output_ = opener_->OpenOutput(enumerator_);
  if (!output_) output_.reset(new (std::nothrow) SilentOutput);
  ApplyVolume();
  Publish();
}

void AudioRenderer::ApplyVolume() {
  float level;
  bool mute;
  {
    ScopedLock hold(commandLock_);
    level = level_;
    mute = mute_;
  }
  if (output_) output_->SetVolume(level, mute);
}

void AudioRenderer::Reopen() {
  if (output_) HaltOutput();
  ended_ = false;
  if (paused_) reader_->Seek(position_, position_);
  paused_ = false;
  output_.reset();
  OpenOutput();
  if (!playing_) return;
  from_ = position_;
  written_ = 0;
  started_ = false;
  allWritten_ = false;
  reader_->Seek(from_, end_);
}

void AudioRenderer::HaltOutput() {
  uint64_t played = 0;
  // A device already gone cannot say: the last position read stands.
  if (SUCCEEDED(output_->Halt(&played)) && started_ && !ended_) position_ = HeardAt(played);
  started_ = false;
  base_ = 0;
}

void AudioRenderer::Render() {
  if (!output_ || !scratch_) return;
  const uint64_t total = end_ - from_;
  if (!started_ && reader_->Buffered() < Smallest(total - written_, kStartFrames)) return;
  uint32_t room = 0;
  if (FAILED(output_->Room(&room))) return Reopen();
  uint64_t want = Smallest(Smallest(room, total - written_), kScratchFrames);
  if (want > 0) {
    uint32_t got = reader_->Take(scratch_.get(), static_cast<uint32_t>(want));
    if (got > 0 && FAILED(output_->Write(scratch_.get(), got))) return Reopen();
    written_ += got;
  }
  if (!started_ && written_ > 0) {
    if (FAILED(output_->Start())) return Reopen();
    started_ = true;
  }
  uint64_t played = 0;
  if (started_ && FAILED(output_->Played(&played))) return Reopen();
  played = HeardAt(played) - from_;
  position_ = from_ + played;
  if (written_ == total) {
    if (!allWritten_) {
      allWritten_ = true;
      allWrittenTick_ = GetTickCount();
      heardWhenAllWritten_ = played;
    }
    DWORD due = static_cast<DWORD>((total - heardWhenAllWritten_) * 1000 / kOutputRate) + kEndGraceMs;
    if (played >= total || GetTickCount() - allWrittenTick_ > due) return EndPlay();
  }
  Publish();
}

void AudioRenderer::EndPlay() {
  // The output runs on, empty, so the last frames are heard too.
  playing_ = false;
  ended_ = true;
  endTick_ = GetTickCount();
  position_ = end_;
  reader_->Seek(end_, end_);
  {
    ScopedLock hold(statusLock_);
    status_.endedPlay = playId_;
  }
  Publish();
  if (window_) PostMessageA(window_, endMessage_, playId_, 0);
}

void AudioRenderer::Publish() {
  ScopedLock hold(statusLock_);
  status_.playing = playing_;
  status_.position = position_;
  status_.audible = output_ && output_->Audible();
}
