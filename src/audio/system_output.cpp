#include "audio/system_output.h"

#include <new>

#include "audio/silent_output.h"
#include "audio/wasapi_output.h"
#include "audio/wave_out_output.h"

std::unique_ptr<AudioOutput> SystemOutputOpener::OpenOutput(IMMDeviceEnumerator* enumerator) {
  std::unique_ptr<WasapiOutput> wasapi(new (std::nothrow) WasapiOutput);
  HRESULT hr = wasapi ? wasapi->Open(enumerator) : E_OUTOFMEMORY;
  if (SUCCEEDED(hr)) return wasapi;
  // No device at all: waveOut has none either.
  if (hr != E_NOTFOUND) {
    std::unique_ptr<WaveOutOutput> wave(new (std::nothrow) WaveOutOutput);
    if (wave && wave->Open()) return wave;
  }
  return std::unique_ptr<AudioOutput>(new (std::nothrow) SilentOutput);
}
