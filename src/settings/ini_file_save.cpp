#include "settings/ini_file_save.h"

#include <cstring>
#include <new>

#include "common/fixed_text.h"
#include "common/handles.h"

namespace {

constexpr size_t kIntTextSize = 16;
constexpr DWORD kWriteChunk = 1 << 20;
// A file another program holds open (a virus scanner, an indexer, an editor
// reading it) cannot be replaced until it lets go: try again for a second.
constexpr int kReplaceTries = 40;
constexpr DWORD kReplacePause = 25;  // ms

DWORD LastErrorOr(DWORD fallback) {
  DWORD code = GetLastError();
  return code != 0 ? code : fallback;
}

// Read-only, or a folder under the file's name: nothing may be put in its place.
bool IsReadOnly(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

}  // namespace

IniFileSave::IniFileSave(const char* path) : path_{}, copyPath_{}, error_(0) {
  size_t length = strlen(path);
  // A path cut to fit, or a copy's name cut short, would name another file.
  if (length + sizeof(kIniCopySuffix) > sizeof(copyPath_)) {
    Fail(ERROR_FILENAME_EXCED_RANGE);
    return;
  }
  CopyText(path_, path);
  CopyText(copyPath_, path);
  AppendText(copyPath_, kIniCopySuffix);
  Read();
}

void IniFileSave::Fail(DWORD code) {
  if (error_ == 0) error_ = code;
}

void IniFileSave::Read() {
  // A read-only file is the user's wish that it stay as it is; a rename over
  // it would ignore that (Wine lets it through where Windows refuses).
  if (IsReadOnly(path_)) {
    Fail(ERROR_ACCESS_DENIED);
    return;
  }
  unique_hfile file(CreateFileA(path_, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    // Beginning from nothing would lose every line the program does not write.
    DWORD code = GetLastError();
    if (code != ERROR_FILE_NOT_FOUND) Fail(code != 0 ? code : ERROR_READ_FAULT);
    return;
  }
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) {
    Fail(LastErrorOr(ERROR_READ_FAULT));
    return;
  }
  if (static_cast<unsigned long long>(size.QuadPart) > static_cast<size_t>(-1) / 2) {
    Fail(ERROR_NOT_ENOUGH_MEMORY);
    return;
  }
  size_t total = static_cast<size_t>(size.QuadPart);
  char* bytes = new (std::nothrow) char[total ? total : 1];
  if (!bytes) {
    Fail(ERROR_NOT_ENOUGH_MEMORY);
    return;
  }
  size_t got = 0;
  while (got < total) {
    DWORD chunk = total - got < kWriteChunk ? static_cast<DWORD>(total - got) : kWriteChunk;
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes + got, chunk, &read, nullptr) || read == 0) break;
    got += read;
  }
  if (got != total) {
    Fail(LastErrorOr(ERROR_READ_FAULT));
  } else if (!text_.Assign(bytes, total)) {
    Fail(ERROR_NOT_ENOUGH_MEMORY);
  }
  delete[] bytes;
}

void IniFileSave::WriteText(const char* section, const char* key, const char* value) {
  if (error_ == 0 && !text_.SetValue(section, key, value)) Fail(ERROR_NOT_ENOUGH_MEMORY);
}

void IniFileSave::WriteInt(const char* section, const char* key, int value) {
  char text[kIntTextSize];
  FormatText(text, sizeof(text), "%d", value);
  WriteText(section, key, text);
}

void IniFileSave::WriteSection(const char* section, const char* lines) {
  if (error_ == 0 && !text_.SetSection(section, lines)) Fail(ERROR_NOT_ENOUGH_MEMORY);
}

bool IniFileSave::RemoveLeftoverCopy() {
  DWORD attributes = GetFileAttributesA(copyPath_);
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  // Rewritten in place, a leftover would keep its attributes, and a
  // read-only one renamed over the file would fail every later save.
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    SetFileAttributesA(copyPath_, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  }
  if (DeleteFileA(copyPath_)) return true;
  Fail(LastErrorOr(ERROR_ACCESS_DENIED));
  return false;
}

bool IniFileSave::WriteCopy() {
  if (!RemoveLeftoverCopy()) return false;
  // A new file: nothing of an earlier one is carried into the file's place.
  unique_hfile copy(
      CreateFileA(copyPath_, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!copy) {
    Fail(LastErrorOr(ERROR_WRITE_FAULT));
    return false;
  }
  // Every byte counted: a full disk shows as a short write.
  for (size_t put = 0; put < text_.size();) {
    size_t left = text_.size() - put;
    DWORD chunk = left < kWriteChunk ? static_cast<DWORD>(left) : kWriteChunk;
    DWORD written = 0;
    if (!WriteFile(copy.get(), text_.data() + put, chunk, &written, nullptr) || written != chunk) {
      Fail(LastErrorOr(ERROR_DISK_FULL));
      return false;
    }
    put += written;
  }
  // On the disk before it takes the file's place, or a power cut could
  // leave the new name on data that never arrived.
  if (!FlushFileBuffers(copy.get())) {
    Fail(LastErrorOr(ERROR_WRITE_FAULT));
    return false;
  }
  return true;
}

bool IniFileSave::Replace() const {
  // Made read-only since it was read: the user's wish still holds.
  if (IsReadOnly(path_)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
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
  if (!WriteCopy()) {
    DeleteFileA(copyPath_);
    return false;
  }
  if (!Replace()) {
    Fail(LastErrorOr(ERROR_WRITE_FAULT));
    DeleteFileA(copyPath_);
    return false;
  }
  // The profile services may still hold the file as it was (Wine keeps it
  // by path and modification time, which the rename carries along): have
  // them read it afresh.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_);
  return true;
}
