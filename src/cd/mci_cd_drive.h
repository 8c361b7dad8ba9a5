// The drive through the system's CD-audio device (MCI): the commands of
// CdAudioDevice, and the two ways that device lets a play's end be told.
// The older driver notifies the end of every play; today's (Windows Vista
// and later) sends nothing and holds "playing" at the end, which the end-of-
// play rule of the refreshes catches (PlayEndWatch).
#ifndef ZANTO_CD_MCI_CD_DRIVE_H
#define ZANTO_CD_MCI_CD_DRIVE_H

#include "cd/cd_audio_device.h"
#include "cd/cd_drive.h"
#include "cd/play_end_watch.h"

class MciCdDrive final : public CdDrive {
 public:
  MciCdDrive() = default;
  MciCdDrive(const MciCdDrive&) = delete;
  MciCdDrive& operator=(const MciCdDrive&) = delete;

  DriveOpenResult Open(char letter, HWND window, PlayEndListener* listener) override;
  void Close() override;
  bool IsOpen() const override;
  char Letter() const override;
  bool ReadDiscInfo(DiscInfo* disc) override;
  bool ReadIdentity(int* identity) override;
  bool ReadMode(DriveMode* mode) override;
  bool ReadPosition(DWORD* tmsf) override;
  bool ReadCurrentTrack(int* track) override;
  DriveReading Refresh() override;
  DWORD MsUntilPlayEnd() const override;
  bool Play(DWORD fromTmsf, DWORD toTmsf) override;
  bool Stop() override;
  bool OpenDoor() override;
  bool CloseDoor() override;
  bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool ReadToc(DiscToc* toc) override;

  // The device itself, for the tests that speak MCI to it.
  const CdAudioDevice& device() const { return device_; }

 private:
  // The play in force ended: told once, and a drive still holding at its
  // end is stopped when nothing follows at once.
  void EndPlay(bool heldAtEnd);

  CdAudioDevice device_;
  HWND window_ = nullptr;
  PlayEndListener* listener_ = nullptr;
  // The disc as last read, for the positions of the ends of plays.
  DiscInfo disc_;
  PlayEndWatch watch_;
  // A play of ours is under way: false once stopped, ended, or gone with its disc.
  bool playInForce_ = false;
};

#endif
