// Where the drive finds its disc and its log, how fast it plays and how much
// like a real drive it settles: an environment variable of the program, else
// a value under HKEY_CURRENT_USER\Software\Zanto\VirtualCD. Each drive
// letter may have its own: the variable with "_X" or the value with "X"
// appended wins for drive X.
#ifndef ZANTO_VIRTUAL_CD_DRIVER_SETTINGS_H
#define ZANTO_VIRTUAL_CD_DRIVER_SETTINGS_H

#include <string>

// Which system CD-audio driver the drive acts like.
enum class DriverProfile {
  // Windows Vista and later: a play that reaches its end sends no notice and
  // keeps saying "playing", held at its end; MCI_RESUME is not supported.
  kModern,
  // The older driver: a notice at the end of every play, then "stopped".
  kClassic,
};

struct DriverSettings {
  std::wstring discFile;  // ZANTO_VIRTUAL_CD_DISC or DiscFile
  std::wstring logFile;   // ZANTO_VIRTUAL_CD_LOG or LogFile
  double speed = 1.0;     // ZANTO_VIRTUAL_CD_SPEED or Speed: disc seconds per real second
  // A real drive after a disc goes in or the tray closes: first not ready at
  // all, then stopped while its table of contents cannot be read yet. Both 0
  // (instant) by default, so tests that do not ask for them stay fast.
  unsigned notReadyMs = 0;   // ZANTO_VIRTUAL_CD_NOT_READY_MS or NotReadyMs
  unsigned tocSettleMs = 0;  // ZANTO_VIRTUAL_CD_TOC_SETTLE_MS or TocSettleMs
  // Frames added to the position a stopped play reports (negative: earlier).
  int stopDriftFrames = 0;   // ZANTO_VIRTUAL_CD_STOP_DRIFT_FRAMES or StopDriftFrames
  // A real drive seeks before it plays: for this long after a PLAY or SEEK
  // the mode is MCI_MODE_SEEK and the position stays where it is going.
  unsigned seekMs = 0;       // ZANTO_VIRTUAL_CD_SEEK_MS or SeekMs
  // Every command takes this long to answer (a real drive: 1-30 ms).
  unsigned latencyMs = 0;    // ZANTO_VIRTUAL_CD_LATENCY_MS or LatencyMs
  // A PLAY or SEEK takes this much longer (spinning up: seconds).
  unsigned playLatencyMs = 0;  // ZANTO_VIRTUAL_CD_PLAY_LATENCY_MS or PlayLatencyMs
  // Every Nth MCI_STATUS fails with MCIERR_HARDWARE (0: none), counted per
  // open device, so a test sees the same failures every run.
  unsigned failEveryNthStatus = 0;  // ZANTO_VIRTUAL_CD_FAIL_EVERY_NTH_STATUS or FailEveryNthStatus
  // Plays that reach their end notify MCI_NOTIFY_FAILURE, as some drivers do.
  bool endPlaysWithFailure = false;  // ZANTO_VIRTUAL_CD_END_WITH_FAILURE or EndWithFailure
  // ZANTO_VIRTUAL_CD_PROFILE or Profile: "classic", anything else modern,
  // which is what users have.
  DriverProfile profile = DriverProfile::kModern;
  // The command log stops growing at this size, with one last line saying so.
  unsigned logLimitKb = 4096;  // ZANTO_VIRTUAL_CD_LOG_LIMIT_KB or LogLimitKb
};

// The settings of drive `letter` (0: no CD-ROM letter is known). Only the
// default drive, the first CD-ROM letter, takes the disc file without a
// letter: another drive without one of its own is an empty drive.
DriverSettings ReadDriverSettings(wchar_t letter, bool defaultDrive);

#endif
