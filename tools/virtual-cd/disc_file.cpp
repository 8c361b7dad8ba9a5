#include "disc_file.h"

#include "image_tracks.h"

namespace {

ULONGLONG FileTimeValue(const FILETIME& time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// File times are coarse (a few milliseconds on some file systems), so two
// writes in quick succession can leave the same time and size behind. A file
// written this recently is read again whatever its time says.
constexpr ULONGLONG kRecentWrite = 2ULL * 10000000ULL;  // 2 s in 100 ns units

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// The whole file from its start; false when it cannot be read or is far too
// big for a disc description.
bool ReadAll(HANDLE file, std::string& text) {
  text.clear();
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) {
    text.append(chunk, read);
    if (text.size() > (1u << 20)) return false;
  }
  return true;
}

// The image reader takes ANSI paths, as the player's own does.
std::string AnsiPath(const std::wstring& path) {
  int bytes = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return std::string();
  std::string ansi(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, &ansi[0], bytes, nullptr, nullptr);
  ansi.pop_back();
  return ansi;
}

}  // namespace

DiscFile::DiscFile(std::wstring path) : path_(std::move(path)) {}

bool DiscFile::ReadText(std::string& text) const {
  FileHandle file(CreateFileW(path_.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  return ReadAll(file.get(), text);
}

bool DiscFile::WriteText(const std::string& text) const {
  // Write beside the file and move it over, so a reader never sees half a file.
  std::wstring temporary = path_ + L".new";
  {
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    DWORD written = 0;
    if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size()) {
      return false;
    }
  }
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (MoveFileExW(temporary.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    Sleep(10);
  }
  DeleteFileW(temporary.c_str());
  return false;
}

bool DiscFile::Refresh() {
  if (path_.empty()) return false;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  DiscDescription next;
  FileHandle file(CreateFileW(path_.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  ULONGLONG previousWrite = seen_ ? FileTimeValue(lastWrite_) : 0;
  if (!file.valid()) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_PATH_NOT_FOUND) return false;
    seen_ = false;  // a missing file is an empty drive
  } else {
    if (!GetFileInformationByHandle(file.get(), &info)) return false;
    ULONGLONG size = (static_cast<ULONGLONG>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    ULONGLONG index = (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    bool recent = FileTimeValue(now) < FileTimeValue(info.ftLastWriteTime) + kRecentWrite;
    if (seen_ && !recent && size == lastSize_ && index == lastIndex_ &&
        info.dwVolumeSerialNumber == lastVolume_ &&
        CompareFileTime(&info.ftLastWriteTime, &lastWrite_) == 0) {
      return false;
    }
    std::string text;
    if (!ReadAll(file.get(), text)) return false;
    next = ParseDiscDescription(text);
    if (!next.image.empty()) TakeTracksFromImage(ImagePathFor(AnsiPath(path_), next.image), &next);
    seen_ = true;
    lastWrite_ = info.ftLastWriteTime;
    lastSize_ = size;
    lastIndex_ = index;
    lastVolume_ = info.dwVolumeSerialNumber;
  }
  if (next == disc_) return false;
  disc_ = next;
  ULONGLONG written = seen_ ? FileTimeValue(lastWrite_) : 0;
  // A write time older than the last one seen says nothing about when this
  // disc went in: the drive noticed it just now.
  inserted_ = previousWrite != 0 && written <= previousWrite ? FileTimeValue(now) : written;
  return true;
}

void DiscFile::SetTrayOpen(bool open) {
  disc_.trayOpen = open;
  if (path_.empty()) return;
  std::string text;
  if (!ReadText(text)) text.clear();
  WriteText(WithTrayState(text, open));
}
