// Where the drive finds its disc, its log and its speed: an environment
// variable of the program, else a value under HKEY_CURRENT_USER\Software\Zanto\VirtualCD.
#ifndef ZANTO_VIRTUAL_CD_DRIVER_SETTINGS_H
#define ZANTO_VIRTUAL_CD_DRIVER_SETTINGS_H

#include <string>

struct DriverSettings {
  std::wstring discFile;  // ZANTO_VIRTUAL_CD_DISC or DiscFile
  std::wstring logFile;   // ZANTO_VIRTUAL_CD_LOG or LogFile
  double speed = 1.0;     // ZANTO_VIRTUAL_CD_SPEED or Speed: disc seconds per real second
};

DriverSettings ReadDriverSettings();

#endif
