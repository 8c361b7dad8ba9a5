// Who holds the drive, across programs: an open lock file whose sharing mode
// says whether the holder shares the drive. A program that ends without
// closing the device lets go of it with its handles.
#ifndef ZANTO_VIRTUAL_CD_DRIVE_LOCK_H
#define ZANTO_VIRTUAL_CD_DRIVE_LOCK_H

#include <windows.h>

#include <string>

class DriveLock {
 public:
  DriveLock() = default;
  ~DriveLock() { Release(); }
  DriveLock(const DriveLock&) = delete;
  DriveLock& operator=(const DriveLock&) = delete;

  // False when the drive is held in a way that excludes this open: a
  // non-shareable open while anyone holds it, or any open while someone holds
  // it without sharing. A lock file that cannot be made at all does not stop
  // the drive from opening.
  bool Acquire(const std::wstring& path, bool shareable);
  void Release();

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

#endif
