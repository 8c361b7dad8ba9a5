// The computer's CD-ROM drive letters, and which one the player's device
// stands for.
#ifndef ZANTO_CD_CD_DRIVES_H
#define ZANTO_CD_CD_DRIVES_H

#include <windows.h>

class CdAudioDevice;

constexpr int kMaxDriveLetters = 26;

// True when `letter` ('D' or 'd') names a drive whose type is DRIVE_CDROM.
bool IsCdDrive(char letter);
// The system's default drive: the first letter that is a CD-ROM drive, or 0.
char FirstCdDrive();
// The CD-ROM letters in order, upper case, into letters[0..capacity-2],
// terminated; returns how many.
int ListCdDrives(char* letters, int capacity);
// The letter of the drive `device` plays: the one it was opened with, else
// (the system's default device) the first CD-ROM letter; 0 when none is known.
char CdDriveInUse(const CdAudioDevice& device);

#endif
