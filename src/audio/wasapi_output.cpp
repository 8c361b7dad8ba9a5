#include "audio/wasapi_output.h"

#include <ksmedia.h>
#include <mmreg.h>

#include <cstring>

#include "audio/sample_conversion.h"

namespace {

// 100 ms in the device: enough under load, short enough to start at once.
constexpr REFERENCE_TIME kBufferDuration = 1000000;
constexpr DWORD kEventFlags = AUDCLNT_STREAMFLAGS_EVENTCALLBACK;
constexpr DWORD kConvertFlags = AUDCLNT_STREAMFLAGS_AUTOCONVERTPCM | AUDCLNT_STREAMFLAGS_SRC_DEFAULT_QUALITY;

bool IsFloat44k(const WAVEFORMATEX* format) {
  if (format->nSamplesPerSec != kOutputRate || format->wBitsPerSample != 32 || format->nChannels < 1) return false;
  if (format->wFormatTag == WAVE_FORMAT_IEEE_FLOAT) return true;
  if (format->wFormatTag != WAVE_FORMAT_EXTENSIBLE || format->cbSize < 22) return false;
  static const GUID kFloat = {0x00000003, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
  return IsEqualGUID(reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(format)->SubFormat, kFloat);
}

// The mix format from GetMixFormat, freed with CoTaskMemFree.
struct MixFormat {
  WAVEFORMATEX* format = nullptr;
  ~MixFormat() { CoTaskMemFree(format); }
};

}  // namespace

HRESULT WasapiOutput::Open(IMMDeviceEnumerator* enumerator) {
  if (!enumerator) return E_POINTER;
  ComPtr<IMMDevice> device;
  HRESULT hr = enumerator->GetDefaultAudioEndpoint(eRender, eConsole, device.put());
  if (FAILED(hr)) return hr;
  hr = InitializeClient(device.get());
  if (FAILED(hr)) return hr;
  event_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  if (!event_) return E_OUTOFMEMORY;
  if (FAILED(hr = client_->SetEventHandle(event_.get()))) return hr;
  if (FAILED(hr = client_->GetBufferSize(&bufferFrames_))) return hr;
  if (FAILED(hr = client_->GetService(__uuidof(IAudioRenderClient), render_.put_void()))) return hr;
  if (FAILED(hr = client_->GetService(__uuidof(IAudioClock), clock_.put_void()))) return hr;
  if (FAILED(hr = clock_->GetFrequency(&frequency_)) || frequency_ == 0) return FAILED(hr) ? hr : E_FAIL;
  // Without a volume of its own the stream still plays.
  client_->GetService(__uuidof(ISimpleAudioVolume), volume_.put_void());
  return clock_->GetPosition(&base_, nullptr);
}

HRESULT WasapiOutput::InitializeClient(IMMDevice* device) {
  HRESULT hr = device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr, client_.put_void());
  if (FAILED(hr)) return hr;
  WAVEFORMATEX pcm = CdPcmFormat();
  hr = client_->Initialize(AUDCLNT_SHAREMODE_SHARED, kEventFlags | kConvertFlags, kBufferDuration, 0, &pcm, nullptr);
  if (SUCCEEDED(hr)) return hr;
  // A system without the conversion (before Windows 10, some drivers).
  if (FAILED(hr = device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr, client_.put_void()))) return hr;
  return InitializeMixFormat();
}

HRESULT WasapiOutput::InitializeMixFormat() {
  MixFormat mix;
  HRESULT hr = client_->GetMixFormat(&mix.format);
  if (FAILED(hr)) return hr;
  // Another rate would need resampling: waveOut's mixer does that instead.
  if (!IsFloat44k(mix.format)) return AUDCLNT_E_UNSUPPORTED_FORMAT;
  hr = client_->Initialize(AUDCLNT_SHAREMODE_SHARED, kEventFlags, kBufferDuration, 0, mix.format, nullptr);
  if (SUCCEEDED(hr)) floatChannels_ = mix.format->nChannels;
  return hr;
}

HRESULT WasapiOutput::Room(uint32_t* frames) {
  UINT32 padding = 0;
  HRESULT hr = client_->GetCurrentPadding(&padding);
  if (FAILED(hr)) return hr;
  *frames = padding < bufferFrames_ ? bufferFrames_ - padding : 0;
  return S_OK;
}

HRESULT WasapiOutput::Write(const uint32_t* frames, uint32_t count) {
  BYTE* buffer = nullptr;
  HRESULT hr = render_->GetBuffer(count, &buffer);
  if (FAILED(hr)) return hr;
  if (floatChannels_) {
    StereoToFloat(frames, count, floatChannels_, reinterpret_cast<float*>(buffer));
  } else {
    memcpy(buffer, frames, count * sizeof(uint32_t));
  }
  return render_->ReleaseBuffer(count, 0);
}

HRESULT WasapiOutput::Start() { return client_->Start(); }

// Stop keeps the padding: nothing written is lost.
HRESULT WasapiOutput::Pause() { return client_->Stop(); }

HRESULT WasapiOutput::Halt(uint64_t* played) {
  HRESULT hr = client_->Stop();
  if (FAILED(hr)) return hr;
  if (FAILED(hr = Played(played))) return hr;
  if (FAILED(hr = client_->Reset())) return hr;
  return clock_->GetPosition(&base_, nullptr);
}

HRESULT WasapiOutput::Played(uint64_t* frames) {
  UINT64 position = 0;
  HRESULT hr = clock_->GetPosition(&position, nullptr);
  if (FAILED(hr)) return hr;
  UINT64 ticks = position > base_ ? position - base_ : 0;
  *frames = ticks / frequency_ * kOutputRate + ticks % frequency_ * kOutputRate / frequency_;
  return S_OK;
}

void WasapiOutput::SetVolume(float level, bool mute) {
  if (!volume_) return;
  volume_->SetMasterVolume(level, nullptr);
  volume_->SetMute(mute ? TRUE : FALSE, nullptr);
}

DWORD WasapiOutput::TailMs() {
  REFERENCE_TIME latency = 0;
  if (FAILED(client_->GetStreamLatency(&latency))) return 0;
  return static_cast<DWORD>(latency / 10000) + 10;  // and one of the clock's steps
}
