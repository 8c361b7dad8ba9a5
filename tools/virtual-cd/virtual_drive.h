// One open instance of the virtual CD-audio drive: answers the MCI commands,
// plays by letting the position run with real time (times the speed factor),
// ends a play as today's system driver does (held, without a word) or as the
// older one did (a notice to the caller's window), and settles after a disc
// goes in as slowly as the settings ask.
#ifndef ZANTO_VIRTUAL_CD_VIRTUAL_DRIVE_H
#define ZANTO_VIRTUAL_CD_VIRTUAL_DRIVE_H

#include <windows.h>
#include <mmsystem.h>

#include "command_log.h"
#include "disc_file.h"
#include "drive_lock.h"
#include "driver_settings.h"

class VirtualDrive {
 public:
  // Opened without an element name it is the default drive: the first
  // CD-ROM letter, or the only drive there is when no letter is one.
  explicit VirtualDrive(MCIDEVICEID deviceId);
  ~VirtualDrive();
  VirtualDrive(const VirtualDrive&) = delete;
  VirtualDrive& operator=(const VirtualDrive&) = delete;

  // Handles one MCI command and logs it; the result goes back to winmm.
  DWORD Command(UINT message, DWORD_PTR flags, DWORD_PTR parameters);

 private:
  struct Play {
    bool active = false;
    unsigned fromFrame = 0;
    unsigned toFrame = 0;
    // When the position starts to move: after the seek to fromFrame.
    LONGLONG startCounter = 0;
    HWND notifyWindow = nullptr;
    // What the play tells its window when it reaches toFrame.
    UINT endStatus = MCI_NOTIFY_SUCCESSFUL;
  };

  // How far a disc in the drive has come since it went in.
  enum class DiscState { kNone, kSpinningUp, kTocUnreadable, kReadable };

  DWORD Dispatch(UINT message, DWORD_PTR flags, DWORD_PTR parameters);
  DWORD OpenDriver(DWORD_PTR flags, const MCI_OPEN_PARMSW* parms);
  // Becomes the drive an element name ("E:") chose, as the system's driver
  // does: only its first letter counts, and it must be a CD-ROM letter.
  DWORD ChooseDrive(const wchar_t* element);
  // Takes up the disc of the drive the settings describe.
  void LoadDisc();
  DWORD CloseDriver();
  DWORD Status(DWORD_PTR flags, MCI_STATUS_PARMS* parms);
  DWORD Set(DWORD_PTR flags, MCI_SET_PARMS* parms);
  DWORD Info(DWORD_PTR flags, MCI_INFO_PARMSW* parms);
  DWORD StartPlay(DWORD_PTR flags, MCI_PLAY_PARMS* parms);
  DWORD Seek(DWORD_PTR flags, MCI_SEEK_PARMS* parms);
  DWORD StopPlay();
  DWORD Pause();
  DWORD Resume();
  DWORD GetDevCaps(DWORD_PTR flags, MCI_GETDEVCAPS_PARMS* parms);

  // Takes in a changed disc file and notices the end of a running play.
  void Update();
  // Ends a play whose position has reached its end.
  void EndFinishedPlay();
  // Ends the running play, telling its window `status`.
  void EndPlay(UINT status);

  DiscState State() const;
  // Spun up: the drive says it is ready, though its contents may be unreadable yet.
  bool DiscReady() const;
  // 0 when the disc's contents can be read, else the error a real drive gives.
  DWORD ContentsError() const;
  // The disc just went in (or the tray closed on it) at `when`, a FILETIME value.
  void StartSettling(ULONGLONG when);
  DWORD Mode() const;
  unsigned Position() const;
  unsigned TrackCount() const;
  unsigned TrackStart(unsigned track) const;
  unsigned DiscEnd() const;
  unsigned TrackAt(unsigned frame) const;
  // A position in the current time format to a frame on the disc and back.
  bool ToFrame(DWORD value, unsigned& frame) const;
  DWORD FromFrame(unsigned frame) const;
  DWORD LengthValue(unsigned frames) const;
  DWORD MillisecondsUntilEnd() const;
  bool IsDataTrack(unsigned track) const;
  // The counter value `milliseconds` from now.
  LONGLONG CounterAfter(unsigned milliseconds) const;
  // Starts a play of [from, to]; the range is checked by the caller.
  void BeginPlay(unsigned from, unsigned to, HWND notifyWindow);

  static DWORD WINAPI WorkerMain(void* self);
  void Work();

  MCIDEVICEID deviceId_;
  // The drive letter this device stands for (0: no CD-ROM letter is known).
  wchar_t letter_ = 0;
  DriverSettings settings_;
  CommandLog log_;
  DiscFile discFile_;
  DriveLock lock_;
  CRITICAL_SECTION guard_;
  DWORD timeFormat_ = MCI_FORMAT_MSF;
  unsigned stoppedFrame_ = 0;
  ULONGLONG settleStart_ = 0;  // FILETIME value: when the disc went in
  Play play_;
  // MCI_PAUSE holds a play at stoppedFrame_; MCI_RESUME goes on to pausedTo_.
  bool paused_ = false;
  unsigned pausedTo_ = 0;
  // Modern profile: a play reached its end and the drive still says
  // "playing", held at stoppedFrame_, until the next PLAY, SEEK or STOP.
  bool heldAtEnd_ = false;
  // A stopped drive seeking after MCI_SEEK, until this counter value.
  LONGLONG seekUntil_ = 0;
  // MCI_STATUS commands so far, for the injected failures.
  unsigned statusCount_ = 0;
  LONGLONG counterFrequency_ = 1;
  HANDLE wake_ = nullptr;
  HANDLE worker_ = nullptr;
  volatile LONG quitting_ = 0;
};

#endif
