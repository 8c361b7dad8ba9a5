// The baseline the engine's cost is held against: about the least a program
// can do to play CD audio through the system's shared-mode audio. The whole
// PCM is read into memory first; the play is 44.1 kHz 16-bit stereo with the
// system's conversion, event-driven, with the engine's 100 ms buffer. It
// ends when the device's clock has counted every frame, as the engine's
// play does. Prints one "cost" line (bench/play_cost.h) over Start to end.
// Usage: minimal_wasapi_player.exe PCM_FILE FRAMES
#include <windows.h>
#include <audioclient.h>
#include <mmdeviceapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "audio/com_ptr.h"
#include "common/handles.h"
#include "play_cost.h"

namespace {

constexpr REFERENCE_TIME kBufferDuration = 1000000;
constexpr DWORD kFlags =
    AUDCLNT_STREAMFLAGS_EVENTCALLBACK | AUDCLNT_STREAMFLAGS_AUTOCONVERTPCM | AUDCLNT_STREAMFLAGS_SRC_DEFAULT_QUALITY;

int Fail(const char* what, HRESULT hr) {
  fprintf(stderr, "minimal_wasapi_player: %s failed (0x%08lx)\n", what, static_cast<unsigned long>(hr));
  return 1;
}

bool ReadPcm(const char* path, UINT32 frames, std::vector<BYTE>* pcm) {
  unique_hfile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return false;
  pcm->resize(static_cast<size_t>(frames) * 4);
  DWORD got = 0;
  return ReadFile(file.get(), pcm->data(), static_cast<DWORD>(pcm->size()), &got, nullptr) && got == pcm->size();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: minimal_wasapi_player.exe PCM_FILE FRAMES\n");
    return 2;
  }
  const UINT32 total = static_cast<UINT32>(strtoul(argv[2], nullptr, 10));
  std::vector<BYTE> pcm;
  if (total == 0 || !ReadPcm(argv[1], total, &pcm)) {
    fprintf(stderr, "minimal_wasapi_player: cannot read %u frames of %s\n", total, argv[1]);
    return 1;
  }
  ComApartment com;
  if (!com.ok()) return Fail("CoInitializeEx", E_FAIL);
  ComPtr<IMMDeviceEnumerator> enumerator;
  ComPtr<IMMDevice> device;
  ComPtr<IAudioClient> client;
  ComPtr<IAudioRenderClient> render;
  ComPtr<IAudioClock> clock;
  HRESULT hr = CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                                enumerator.put_void());
  if (FAILED(hr)) return Fail("CoCreateInstance", hr);
  if (FAILED(hr = enumerator->GetDefaultAudioEndpoint(eRender, eConsole, device.put())))
    return Fail("GetDefaultAudioEndpoint", hr);
  if (FAILED(hr = device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr, client.put_void())))
    return Fail("Activate", hr);
  WAVEFORMATEX format = {};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 2;
  format.nSamplesPerSec = 44100;
  format.wBitsPerSample = 16;
  format.nBlockAlign = 4;
  format.nAvgBytesPerSec = 44100 * 4;
  if (FAILED(hr = client->Initialize(AUDCLNT_SHAREMODE_SHARED, kFlags, kBufferDuration, 0, &format, nullptr)))
    return Fail("Initialize", hr);
  unique_handle event(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  UINT32 bufferFrames = 0;
  UINT64 frequency = 0;
  if (!event || FAILED(hr = client->SetEventHandle(event.get())) || FAILED(hr = client->GetBufferSize(&bufferFrames)) ||
      FAILED(hr = client->GetService(__uuidof(IAudioRenderClient), render.put_void())) ||
      FAILED(hr = client->GetService(__uuidof(IAudioClock), clock.put_void())) ||
      FAILED(hr = clock->GetFrequency(&frequency)) || frequency == 0)
    return Fail("setting up the stream", hr);

  const play_cost::Reading from = play_cost::Now();
  UINT32 written = 0;
  bool started = false;
  for (;;) {
    UINT32 padding = 0;
    if (FAILED(hr = client->GetCurrentPadding(&padding))) return Fail("GetCurrentPadding", hr);
    UINT32 room = bufferFrames - padding;
    if (room > total - written) room = total - written;
    if (room > 0) {
      BYTE* buffer = nullptr;
      if (FAILED(hr = render->GetBuffer(room, &buffer))) return Fail("GetBuffer", hr);
      memcpy(buffer, &pcm[static_cast<size_t>(written) * 4], static_cast<size_t>(room) * 4);
      if (FAILED(hr = render->ReleaseBuffer(room, 0))) return Fail("ReleaseBuffer", hr);
      written += room;
    }
    if (!started) {
      if (FAILED(hr = client->Start())) return Fail("Start", hr);
      started = true;
    }
    UINT64 position = 0;
    if (FAILED(hr = clock->GetPosition(&position, nullptr))) return Fail("GetPosition", hr);
    if (position * 44100 / frequency >= total) break;
    if (WaitForSingleObject(event.get(), 2000) != WAIT_OBJECT_0) return Fail("waiting for the device", E_FAIL);
  }
  const play_cost::Reading to = play_cost::Now();
  client->Stop();
  play_cost::Print(from, to, total);
  return 0;
}
