// Started by the device tests as a second program: opens the CD-audio device
// the way the player does and exits with the MCI error it got.
#include <windows.h>

#include "cd/cd_audio_device.h"

int main() {
  CdAudioDevice device;
  return static_cast<int>(device.Open());
}
