// The system's shared-mode audio (WASAPI), event-driven: 16-bit stereo
// that the system converts, or else its mix format (32-bit float at
// 44.1 kHz) converted here. Its clock is the device's (IAudioClock), its
// volume the stream's (ISimpleAudioVolume).
#ifndef ZANTO_AUDIO_WASAPI_OUTPUT_H
#define ZANTO_AUDIO_WASAPI_OUTPUT_H

#include <audioclient.h>
#include <mmdeviceapi.h>

#include "audio/audio_output.h"
#include "audio/com_ptr.h"
#include "common/handles.h"

class WasapiOutput final : public AudioOutput {
 public:
  // E_NOTFOUND when the PC has no output device at all.
  HRESULT Open(IMMDeviceEnumerator* enumerator);

  HANDLE WakeEvent() const override { return event_.get(); }
  bool Audible() const override { return true; }
  HRESULT Room(uint32_t* frames) override;
  HRESULT Write(const uint32_t* frames, uint32_t count) override;
  HRESULT Start() override;
  HRESULT Pause() override;
  HRESULT Halt(uint64_t* played) override;
  HRESULT Played(uint64_t* frames) override;
  void SetVolume(float level, bool mute) override;
  DWORD TailMs() override;

 private:
  HRESULT InitializeClient(IMMDevice* device);
  HRESULT InitializeMixFormat();

  ComPtr<IAudioClient> client_;
  ComPtr<IAudioRenderClient> render_;
  ComPtr<IAudioClock> clock_;
  ComPtr<ISimpleAudioVolume> volume_;
  unique_handle event_;
  UINT32 bufferFrames_ = 0;
  // 0: the device takes the 16-bit frames as they are; else the mix
  // format's channel count, fed float.
  int floatChannels_ = 0;
  UINT64 frequency_ = 1;
  UINT64 base_ = 0;  // the clock's reading at the last halt
};

#endif
