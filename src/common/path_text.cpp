#include "common/path_text.h"

#include <windows.h>

#include "common/fixed_text.h"

namespace {

// Advances past one character: two bytes for a lead byte followed by a
// non-zero byte, else one.
const char* NextChar(const char* p) {
  if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != '\0') return p + 2;
  return p + 1;
}

bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

}  // namespace

const char* FileNamePart(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; p = NextChar(p)) {
    if (IsSeparator(*p)) name = p + 1;
  }
  return name;
}

const char* ExtensionPart(const char* path) {
  const char* name = FileNamePart(path);
  const char* dot = nullptr;
  const char* p = name;
  for (; *p; p = NextChar(p)) {
    if (*p == '.') dot = p;
  }
  return dot ? dot : p;
}

void FolderOf(const char* path, char* out, size_t capacity) {
  size_t folderLength = static_cast<size_t>(FileNamePart(path) - path);
  if (capacity == 0) return;
  if (folderLength >= capacity) folderLength = 0;  // never keep a cut-off folder
  CopyText(out, folderLength + 1, path);
}

void AppendBackslash(char* path, size_t capacity) {
  bool endsWithBackslash = false;
  // NextChar never stops on a trail byte, so only a single-byte '\' counts.
  for (const char* p = path; *p; p = NextChar(p)) endsWithBackslash = (*p == '\\');
  if (!endsWithBackslash) AppendText(path, capacity, "\\");
}

bool SamePathIgnoringCase(const char* a, const char* b) {
  // Paths of this program are at most a few hundred bytes; anything that does
  // not convert whole counts as different.
  constexpr int kWideSize = 2 * MAX_PATH;
  wchar_t wideA[kWideSize];
  wchar_t wideB[kWideSize];
  int lengthA = MultiByteToWideChar(CP_ACP, 0, a, -1, wideA, kWideSize);
  int lengthB = MultiByteToWideChar(CP_ACP, 0, b, -1, wideB, kWideSize);
  if (lengthA == 0 || lengthB == 0) return false;
  return CompareStringOrdinal(wideA, lengthA - 1, wideB, lengthB - 1, TRUE) == CSTR_EQUAL;
}

void BuildPathBesideExecutable(const char* fileName, char* out, size_t capacity) {
  char modulePath[MAX_PATH] = "";
  DWORD n = GetModuleFileNameA(nullptr, modulePath, sizeof(modulePath));
  if (n == 0 || n >= sizeof(modulePath)) modulePath[0] = '\0';
  FolderOf(modulePath, out, capacity);
  AppendText(out, capacity, fileName);
}
