// The best output this PC has: shared-mode audio, else waveOut, else, with
// no output device at all, the silent clock.
#ifndef ZANTO_AUDIO_SYSTEM_OUTPUT_H
#define ZANTO_AUDIO_SYSTEM_OUTPUT_H

#include "audio/audio_output.h"

class SystemOutputOpener final : public AudioOutputOpener {
 public:
  std::unique_ptr<AudioOutput> OpenOutput(IMMDeviceEnumerator* enumerator) override;
};

#endif
