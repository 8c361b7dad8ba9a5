#include "common/utf8_text.h"

#include <windows.h>

#include <memory>
#include <new>

#include "common/fixed_text.h"

void Utf8ToAnsi(const char* utf8, char* out, size_t capacity) {
  if (capacity == 0) return;
  out[0] = '\0';
  if (utf8 == nullptr || utf8[0] == '\0') return;
  int wide = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (wide <= 0) return;
  std::unique_ptr<wchar_t[]> text(new (std::nothrow) wchar_t[wide]);
  if (!text) return;
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.get(), wide);
  int ansi = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.get(), -1, nullptr, 0, "?", nullptr);
  if (ansi <= 0) return;
  std::unique_ptr<char[]> converted(new (std::nothrow) char[ansi]);
  if (!converted) return;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.get(), -1, converted.get(), ansi, "?", nullptr);
  CopyText(out, capacity, converted.get());  // cut at a character boundary
}
