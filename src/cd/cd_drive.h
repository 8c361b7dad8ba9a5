// The player's one view of a CD drive: what it asks and what it orders, in
// its own terms. What makes the sound stands behind it: today the system's
// CD-audio device; nothing of that device's types shows through. Positions
// are TMSF (cd/msf.h).
#ifndef ZANTO_CD_CD_DRIVE_H
#define ZANTO_CD_CD_DRIVE_H

#include <windows.h>

#include "cd/disc_info.h"
#include "cd/disc_toc.h"

enum class DriveMode { kUnknown, kNotReady, kOpen, kStopped, kPlaying, kSeeking, kPaused };

enum class DriveOpenResult {
  kOpened,
  kInUse,  // another program holds the drive
  kFailed,
};

// One reading of the drive, shared by the seek bar, the time and the title.
struct DriveReading {
  DriveMode mode = DriveMode::kUnknown;  // kUnknown: the drive did not say
  // Playing, and the drive said where: the track and the time within it.
  bool positionKnown = false;
  DWORD position = 0;
};

// How a drive tells that the play in force has reached its end, whatever
// told it so. It is called only from within CdDrive::Refresh and
// CdDrive::OnWindowMessage, so the player is never in the middle of another
// command when it comes.
class PlayEndListener {
 public:
  virtual void OnPlayEnded() = 0;

 protected:
  ~PlayEndListener() = default;
};

class CdDrive {
 public:
  virtual ~CdDrive() = default;

  // `letter` 0 is the system's default drive. The drive's own messages go
  // to `window`, which hands them to OnWindowMessage; ends of plays go to
  // `listener`. Both outlive the drive's being open.
  virtual DriveOpenResult Open(char letter, HWND window, PlayEndListener* listener) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // The letter of the drive played; 0 when it is not known.
  virtual char Letter() const = 0;

  // Each read answers false, leaving its out-value alone, when the drive
  // refused.
  // The disc in the drive, read once as it appears; false while its
  // contents cannot be read yet.
  virtual bool ReadDiscInfo(DiscInfo* disc) = 0;
  virtual bool ReadIdentity(int* identity) = 0;
  virtual bool ReadMode(DriveMode* mode) = 0;
  // Also false for a track the disc does not have.
  virtual bool ReadPosition(DWORD* tmsf) = 0;
  virtual bool ReadCurrentTrack(int* track) = 0;
  // The regular refresh's reading (ReadDrive), which the drive also watches
  // for the end of the play in force.
  virtual DriveReading Refresh() = 0;
  // When the play in force is due at its end by what the refreshes showed:
  // milliseconds from the last one, or INFINITE while unknown.
  virtual DWORD MsUntilPlayEnd() const = 0;

  // Plays from `fromTmsf` up to `toTmsf`; a `toTmsf` of 0 plays to the
  // disc's end. False when the drive refused.
  virtual bool Play(DWORD fromTmsf, DWORD toTmsf) = 0;
  virtual bool Stop() = 0;
  virtual bool OpenDoor() = 0;
  virtual bool CloseDoor() = 0;

  // A message for the drive's window: true when it was the drive's own.
  virtual bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // The table of contents of the disc last read by ReadDiscInfo, the lead-out
  // exact (for the disc ids). False when neither the drive nor the device
  // gave enough of it.
  virtual bool ReadToc(DiscToc* toc) = 0;
  // True when the program itself makes the drive's sound from its sectors.
  virtual bool IsDigital() const { return false; }
  // The player's volume 0..255 and mute for a drive whose sound is the
  // program's own stream: true when it took them. A drive that plays into
  // its own output returns false, and the player sets that output instead.
  virtual bool SetStreamVolume(int level, bool mute) {
    (void)level;
    (void)mute;
    return false;
  }
  // Sectors its plays gave as silence since it opened, because they could
  // not be read (a scratch, a file that shrank); 0 where the drive itself
  // makes the sound.
  virtual int UnreadableSectors() { return 0; }
};

// The mode and, while playing, the position: two queries at most.
DriveReading ReadDrive(CdDrive& drive);

#endif
