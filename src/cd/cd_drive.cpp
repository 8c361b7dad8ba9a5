#include "cd/cd_drive.h"

DriveReading ReadDrive(CdDrive& drive) {
  DriveReading reading;
  drive.ReadMode(&reading.mode);  // left kUnknown when refused
  if (reading.mode == DriveMode::kPlaying) reading.positionKnown = drive.ReadPosition(&reading.position);
  return reading;
}
