// Where the skin's volume control takes effect. A CD plays either digitally,
// through this program's own audio session (Windows Vista and later), or
// through the drive's analogue output into the sound card, whose level is
// the CD-audio auxiliary device. MCI cdaudio itself has no volume.
#ifndef ZANTO_APP_VOLUME_OUTPUT_H
#define ZANTO_APP_VOLUME_OUTPUT_H

#include <windows.h>

struct ISimpleAudioVolume;

// Volume position 0..255 as the session's level 0.0..1.0.
float SessionLevel(int position);
// Volume position 0..255 as auxSetVolume's value: the same level, 0..0xFFFF,
// in both the left (low) and the right (high) word.
DWORD AuxVolumeValue(int position);

class VolumeOutput {
 public:
  // COM for this thread as long as the object lives. The audio session and
  // the CD-audio auxiliary device are looked for when first set, so that a
  // player whose volume nobody moves never loads the audio drivers.
  VolumeOutput();
  ~VolumeOutput();
  VolumeOutput(const VolumeOutput&) = delete;
  VolumeOutput& operator=(const VolumeOutput&) = delete;

  // The program's own session: at start and at every move of the control.
  void SetSessionVolume(int position);
  // The drive's analogue output is the whole system's: only when the user moves the control.
  void SetDriveVolume(int position);

  // Opens the session at the first call; false where the system has none.
  bool OpenSession();
  // The session's level as the system has it now; -1 without a session.
  float SessionVolume() const;
  // Finds the CD's analogue output at the first call; false where there is none.
  bool OpenDriveOutput();

 private:
  static constexpr UINT kNoAuxDevice = static_cast<UINT>(-1);
  bool comStarted_ = false;
  bool sessionAsked_ = false;
  bool auxAsked_ = false;
  ISimpleAudioVolume* session_ = nullptr;  // owned: released in the destructor
  UINT auxDevice_ = kNoAuxDevice;
};

// The first auxiliary device that is a CD's analogue output, or -1.
UINT FindCdAuxDevice();

#endif
