#include "audio/wave_out_output.h"

#include <cstring>
#include <new>

WaveOutOutput::~WaveOutOutput() {
  if (!wave_) return;
  waveOutReset(wave_);
  for (WAVEHDR& header : headers_) {
    if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(wave_, &header, sizeof(header));
  }
  waveOutClose(wave_);
}

bool WaveOutOutput::Open() {
  samples_.reset(new (std::nothrow) uint32_t[kBlocks * kBlockFrames]);
  event_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  if (!samples_ || !event_) return false;
  WAVEFORMATEX pcm = CdPcmFormat();
  if (waveOutOpen(&wave_, WAVE_MAPPER, &pcm, reinterpret_cast<DWORD_PTR>(event_.get()), 0, CALLBACK_EVENT) !=
      MMSYSERR_NOERROR) {
    wave_ = nullptr;
    return false;
  }
  // Paused until the first Start, like a stream not yet started.
  waveOutPause(wave_);
  for (int i = 0; i < kBlocks; ++i) {
    headers_[i].lpData = reinterpret_cast<LPSTR>(&samples_[i * kBlockFrames]);
    headers_[i].dwBufferLength = kBlockFrames * sizeof(uint32_t);
    if (waveOutPrepareHeader(wave_, &headers_[i], sizeof(WAVEHDR)) != MMSYSERR_NOERROR) return false;
  }
  return true;
}

bool WaveOutOutput::Free(int block) const { return !queued_[block] || (headers_[block].dwFlags & WHDR_DONE); }

HRESULT WaveOutOutput::Room(uint32_t* frames) {
  uint32_t room = 0;
  for (int i = 0; i < kBlocks; ++i) {
    if (Free(i)) room += kBlockFrames;
  }
  *frames = room;
  return S_OK;
}

HRESULT WaveOutOutput::Write(const uint32_t* frames, uint32_t count) {
  // Blocks go out in order; the free ones are taken as they come.
  for (int i = 0; i < kBlocks && count > 0; ++i) {
    if (!Free(i)) continue;
    uint32_t n = count < kBlockFrames ? count : kBlockFrames;
    memcpy(headers_[i].lpData, frames, n * sizeof(uint32_t));
    headers_[i].dwBufferLength = n * sizeof(uint32_t);
    headers_[i].dwFlags &= ~WHDR_DONE;
    if (waveOutWrite(wave_, &headers_[i], sizeof(WAVEHDR)) != MMSYSERR_NOERROR) return E_FAIL;
    queued_[i] = true;
    frames += n;
    count -= n;
  }
  return count == 0 ? S_OK : E_FAIL;
}

HRESULT WaveOutOutput::Start() { return waveOutRestart(wave_) == MMSYSERR_NOERROR ? S_OK : E_FAIL; }

HRESULT WaveOutOutput::Pause() { return waveOutPause(wave_) == MMSYSERR_NOERROR ? S_OK : E_FAIL; }

HRESULT WaveOutOutput::Halt(uint64_t* played) {
  if (waveOutPause(wave_) != MMSYSERR_NOERROR) return E_FAIL;
  HRESULT hr = Played(played);
  // Reset hands every block back and sets the position to 0; stay paused.
  if (waveOutReset(wave_) != MMSYSERR_NOERROR) return E_FAIL;
  waveOutPause(wave_);
  for (bool& queued : queued_) queued = false;
  return hr;
}

HRESULT WaveOutOutput::Played(uint64_t* frames) {
  MMTIME time = {};
  time.wType = TIME_SAMPLES;
  if (waveOutGetPosition(wave_, &time, sizeof(time)) != MMSYSERR_NOERROR) return E_FAIL;
  if (time.wType == TIME_SAMPLES) {
    *frames = time.u.sample;
  } else if (time.wType == TIME_BYTES) {
    *frames = time.u.cb / sizeof(uint32_t);
  } else {
    return E_FAIL;
  }
  return S_OK;
}

void WaveOutOutput::SetVolume(float level, bool mute) {
  DWORD one = mute ? 0 : static_cast<DWORD>(level * 0xFFFF);
  waveOutSetVolume(wave_, one | (one << 16));
}
