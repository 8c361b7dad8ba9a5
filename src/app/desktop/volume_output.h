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

// What the drive's analogue output, a level of the whole system, is put back
// to. The system's own level is read just before the player first changes
// it. Unmute gives back what played before the mute: the level the user chose
// with the player in this run, or the system's when they chose none (the
// saved volume is never applied at start-up). The exit gives back the
// system's own level, as if the player had never touched it.
class DriveLevelMemory {
 public:
  // True until the system's level has been asked for: ask before a change.
  bool NeedsSystemLevel() const { return !asked_; }
  // The level the system had; `known` false when the drive would not say.
  void RememberSystemLevel(bool known, DWORD level);
  // auxSetVolume's value for the user's volume, and for mute.
  DWORD ForVolume(int position);
  DWORD ForMute();
  // The value for unmute, the player's volume being `position`; false when
  // the output is still the system's and nothing is to be written.
  bool ForUnmute(int position, DWORD* level) const;
  // The value for the exit; false when there is nothing to put back.
  bool ForExit(DWORD* level) const;

 private:
  bool asked_ = false;
  bool systemKnown_ = false;
  DWORD systemLevel_ = 0;
  bool changed_ = false;  // the player has set the output
  bool chosen_ = false;   // ... to a volume the user chose
};

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
  // The drive's analogue output is the whole system's: only when the user
  // changes the volume or mutes, never at start-up, and put back at the end.
  void SetDriveVolume(int position);
  void MuteDrive();
  void UnmuteDrive(int position);
  // The system's own level again, when the player changed it (also at the end).
  void RestoreDriveVolume();

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
  DriveLevelMemory driveLevel_;

  // OpenDriveOutput, and the system's level read before the first change.
  bool OpenDriveForChange();
};

// The first auxiliary device that is a CD's analogue output, or -1.
UINT FindCdAuxDevice();

#endif
