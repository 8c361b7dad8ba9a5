#include "drive_lock.h"

bool DriveLock::Acquire(const std::wstring& path, bool shareable) {
  Release();
  // Shareable holders read and let others read; an exclusive holder lets no one in.
  DWORD access = shareable ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  DWORD share = shareable ? FILE_SHARE_READ : 0;
  file_ = CreateFileW(path.c_str(), access, share, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file_ != INVALID_HANDLE_VALUE) return true;
  return GetLastError() != ERROR_SHARING_VIOLATION;
}

void DriveLock::Release() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
}
