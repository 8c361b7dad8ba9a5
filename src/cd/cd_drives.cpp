#include "cd/cd_drives.h"

#include "cd/cd_audio_device.h"
#include "common/ascii_text.h"

bool IsCdDrive(char letter) {
  letter = DriveLetterOf(letter);
  if (letter == 0) return false;
  const char root[] = {letter, ':', '\\', '\0'};
  return GetDriveTypeA(root) == DRIVE_CDROM;
}

char FirstCdDrive() {
  char letters[kMaxDriveLetters + 1];
  return ListCdDrives(letters, sizeof(letters)) > 0 ? letters[0] : 0;
}

int ListCdDrives(char* letters, int capacity) {
  if (capacity <= 0) return 0;
  int count = 0;
  DWORD drives = GetLogicalDrives();
  for (int i = 0; i < kMaxDriveLetters && count < capacity - 1; ++i) {
    char letter = static_cast<char>('A' + i);
    if ((drives & (1u << i)) != 0 && IsCdDrive(letter)) letters[count++] = letter;
  }
  letters[count] = '\0';
  return count;
}

char CdDriveInUse(const CdAudioDevice& device) {
  if (device.isOpen && device.openedLetter) return device.openedLetter;
  return FirstCdDrive();
}
