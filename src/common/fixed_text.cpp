#include "common/fixed_text.h"

#include <cstdio>
#include <cstring>

namespace {

// A cut text may end between the two bytes of a double-byte character: drop
// the orphaned lead byte so the text still holds whole characters.
void DropCutLeadByte(char* text, size_t length) {
  size_t i = 0;
  while (i < length) {
    bool lead = IsDBCSLeadByte(static_cast<BYTE>(text[i])) != 0;
    if (lead && i + 1 == length) {
      text[i] = '\0';
      return;
    }
    i += lead ? 2 : 1;
  }
}

}  // namespace

void CopyText(char* dst, size_t capacity, const char* src) {
  if (capacity == 0) return;
  if (src == nullptr) src = "";
  size_t n = strnlen(src, capacity - 1);
  // src may overlap dst only when it is dst itself.
  if (src != dst) memmove(dst, src, n);
  dst[n] = '\0';
  if (src[n] != '\0') DropCutLeadByte(dst, n);
}

void AppendText(char* dst, size_t capacity, const char* src) {
  if (capacity == 0) return;
  size_t used = strnlen(dst, capacity - 1);
  CopyText(dst + used, capacity - used, src);
}

void FormatTextV(char* dst, size_t capacity, const char* format, va_list args) {
  if (capacity == 0) return;
  int n = vsnprintf(dst, capacity, format, args);
  if (n < 0) dst[0] = '\0';
  dst[capacity - 1] = '\0';
  if (n >= 0 && static_cast<size_t>(n) >= capacity) DropCutLeadByte(dst, capacity - 1);
}

void FormatText(char* dst, size_t capacity, const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatTextV(dst, capacity, format, args);
  va_end(args);
}

void LoadText(HINSTANCE instance, UINT id, char* dst, size_t capacity) {
  if (capacity == 0) return;
  dst[0] = '\0';
  int limit = capacity > 0x7fffffff ? 0x7fffffff : static_cast<int>(capacity);
  if (LoadStringA(instance, id, dst, limit) <= 0) dst[0] = '\0';
  dst[capacity - 1] = '\0';
}
