#include "settings/ini_file_save.h"

#include <cstring>

#include "common/fixed_text.h"
#include "common/handles.h"

namespace {

const char kCopySuffix[] = ".new";
constexpr size_t kIntTextSize = 16;
constexpr DWORD kCopyChunk = 16384;
// A file another program holds open (a virus scanner, an indexer, an editor
// reading it) cannot be replaced until it lets go: try again for a second.
constexpr int kReplaceTries = 40;
constexpr DWORD kReplacePause = 25;  // ms

// The system's profile services keep files they have read in memory (Wine's
// by path and modification time, which a rename carries along): forget what
// they hold for `path`, so that the next read sees the file as it is now.
void ForgetCachedProfile(const char* path) { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path); }

DWORD LastErrorOr(DWORD fallback) {
  DWORD code = GetLastError();
  return code != 0 ? code : fallback;
}

// Copies what `from` holds into `to`, to its end; 0 or the error code.
DWORD CopyBytes(HANDLE from, HANDLE to) {
  char chunk[kCopyChunk];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(from, chunk, sizeof(chunk), &got, nullptr)) return LastErrorOr(ERROR_READ_FAULT);
    if (got == 0) return 0;
    DWORD put = 0;
    if (!WriteFile(to, chunk, got, &put, nullptr)) return LastErrorOr(ERROR_WRITE_FAULT);
    if (put != got) return ERROR_DISK_FULL;
  }
}

}  // namespace

IniFileSave::IniFileSave(const char* path) : path_{}, copyPath_{}, error_(0), copyMade_(false) {
  size_t length = strlen(path);
  // A path cut to fit, or a copy's name cut short, would name another file.
  if (length + sizeof(kCopySuffix) > sizeof(copyPath_)) {
    Fail(ERROR_FILENAME_EXCED_RANGE);
    return;
  }
  CopyText(path_, path);
  CopyText(copyPath_, path);
  AppendText(copyPath_, kCopySuffix);
  Begin();
}

IniFileSave::~IniFileSave() {
  if (copyMade_) DeleteFileA(copyPath_);
}

void IniFileSave::Fail(DWORD code) {
  if (error_ == 0) error_ = code;
}

void IniFileSave::Begin() {
  // A read-only file is the user's wish that it stay as it is; a rename over
  // it would ignore that (Wine lets it through where Windows refuses).
  DWORD attributes = GetFileAttributesA(path_);
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    Fail(ERROR_ACCESS_DENIED);
    return;
  }
  unique_hfile original(CreateFileA(path_, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!original && GetLastError() != ERROR_FILE_NOT_FOUND) {
    // Beginning from nothing would lose every line the program does not write.
    Fail(LastErrorOr(ERROR_READ_FAULT));
    return;
  }

  ForgetCachedProfile(copyPath_);  // a copy of an earlier save may be remembered
  unique_hfile copy(
      CreateFileA(copyPath_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!copy) {
    Fail(LastErrorOr(ERROR_WRITE_FAULT));
    return;
  }
  copyMade_ = true;
  if (original) Fail(CopyBytes(original.get(), copy.get()));
}

void IniFileSave::WriteText(const char* section, const char* key, const char* value) {
  if (error_ != 0) return;
  if (!WritePrivateProfileStringA(section, key, value, copyPath_)) Fail(LastErrorOr(ERROR_WRITE_FAULT));
}

void IniFileSave::WriteInt(const char* section, const char* key, int value) {
  char text[kIntTextSize];
  FormatText(text, sizeof(text), "%d", value);
  WriteText(section, key, text);
}

void IniFileSave::WriteSection(const char* section, const char* lines) {
  if (error_ != 0) return;
  if (!WritePrivateProfileSectionA(section, lines, copyPath_)) Fail(LastErrorOr(ERROR_WRITE_FAULT));
}

bool IniFileSave::Replace() const {
  for (int attempt = 1;; ++attempt) {
    // ReplaceFile would refuse a file that does not exist yet.
    if (MoveFileExA(copyPath_, path_, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DWORD code = GetLastError();
    if ((code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) || attempt == kReplaceTries) {
      return false;
    }
    Sleep(kReplacePause);
  }
}

bool IniFileSave::Commit() {
  if (error_ != 0) return false;
  {
    unique_hfile copy(CreateFileA(copyPath_, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    // On the disk before it takes the file's place, or a power cut could
    // leave the new name on data that never arrived.
    if (!copy || !FlushFileBuffers(copy.get())) {
      Fail(LastErrorOr(ERROR_WRITE_FAULT));
      return false;
    }
  }
  if (!Replace()) {
    Fail(LastErrorOr(ERROR_WRITE_FAULT));
    return false;
  }
  copyMade_ = false;
  ForgetCachedProfile(path_);
  return true;
}
