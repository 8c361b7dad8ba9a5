// Where the drive finds its disc and its log, how fast it plays and how much
// like a real drive it settles: an environment variable of the program, else
// a value under HKEY_CURRENT_USER\Software\Zanto\VirtualCD.
#ifndef ZANTO_VIRTUAL_CD_DRIVER_SETTINGS_H
#define ZANTO_VIRTUAL_CD_DRIVER_SETTINGS_H

#include <string>

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
};

DriverSettings ReadDriverSettings();

#endif
