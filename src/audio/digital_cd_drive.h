// The drive seam over the program's own playback: a disc's audio read from
// a SectorSource (a drive's raw sectors or a disc image) and played through
// the system's audio. Pausing is a stop and a play from where it stopped,
// and goes on at the very sample; plays over several tracks have no gap.
#ifndef ZANTO_AUDIO_DIGITAL_CD_DRIVE_H
#define ZANTO_AUDIO_DIGITAL_CD_DRIVE_H

#include <memory>

#include "audio/audio_renderer.h"
#include "audio/sector_reader.h"
#include "audio/system_output.h"
#include "cd/cd_drive.h"
#include "cd/disc_toc.h"
#include "cd/sector_source.h"

// Posted to the drive's window when a play reaches its end; wParam is the
// play's id, so a play stopped or replaced meanwhile reports nothing.
constexpr UINT kDigitalPlayEndMessage = WM_APP + 0x123;

class DigitalCdDrive final : public CdDrive {
 public:
  // `identity` is the disc's, by the rule of the system's CD-audio device,
  // or 0 to compute it by that rule from each disc's table; `letter` the
  // drive's, 0 for a disc image or a device without one. A drive's disc may
  // be swapped or taken out, and its tray moves; an image's "tray" is only
  // a state. A null `opener` plays to the
  // system's output; else `opener` outlives the drive.
  DigitalCdDrive(std::unique_ptr<SectorSource> source, int identity, char letter,
                 AudioOutputOpener* opener = nullptr);
  ~DigitalCdDrive() override;
  DigitalCdDrive(const DigitalCdDrive&) = delete;
  DigitalCdDrive& operator=(const DigitalCdDrive&) = delete;

  DriveOpenResult Open(char letter, HWND window, PlayEndListener* listener) override;
  void Close() override;
  bool IsOpen() const override;
  char Letter() const override;
  bool ReadDiscInfo(DiscInfo* disc) override;
  bool ReadToc(DiscToc* toc) override;
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
  bool IsDigital() const override { return true; }
  bool SetStreamVolume(int level, bool mute) override;
  int UnreadableSectors() override;

  // False while playing on the silent clock: the PC has no output device.
  bool HasOutput();
  // 0..255, as the player's volume control.
  void SetVolume(int level);
  void SetMute(bool mute);
  // Whether tracks recorded with pre-emphasis are de-emphasised (they are
  // unless told otherwise); from the next play on.
  void SetDeemphasis(bool on);

 private:
  bool ReadTable();
  // The stereo frame at a TMSF position; false for a track not on the disc.
  bool FrameAt(DWORD tmsf, uint64_t* frame) const;
  DWORD TmsfAt(uint64_t frame) const;
  // Where a play from `track` to the disc's end stops: before the first
  // data track after it.
  int AudioEndAfter(int track) const;
  // Tells the listener once when the play in force has ended.
  void ReportPlayEnd();
  void ApplyVolume();
  bool MoveTray(bool open);

  std::unique_ptr<SectorSource> source_;
  SystemOutputOpener systemOutput_;
  CriticalSection sourceLock_;
  SectorReader reader_;
  AudioRenderer renderer_;
  const int givenIdentity_;
  int identity_;
  char letter_;
  HWND window_ = nullptr;
  PlayEndListener* listener_ = nullptr;
  bool open_ = false;
  bool doorOpen_ = false;
  DiscToc toc_;
  bool tocRead_ = false;
  DWORD playId_ = 0;  // the play in force; 0 for none
  DWORD lastPlayId_ = 0;
  uint64_t playEnd_ = 0;
  // Where the last stop left the sound, for a play that resumes there.
  bool stopped_ = false;
  uint64_t stoppedAt_ = 0;
  bool deemphasis_ = true;
  int volume_ = 255;
  bool mute_ = false;
};

#endif
