#include "settings/color_text.h"

#include "common/fixed_text.h"

namespace {

bool IsSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Reads one decimal (optional sign, 32-bit wrap-around) at *cursor and moves
// past it; false, with *cursor unchanged, when no number starts there.
bool ReadNumber(const unsigned char** cursor, unsigned int* value) {
  const unsigned char* p = *cursor;
  while (IsSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  if (!IsDigit(*p)) return false;
  unsigned int n = 0;
  while (IsDigit(*p)) n = n * 10u + (*p++ - '0');
  *value = negative ? 0u - n : n;
  *cursor = p;
  return true;
}

}  // namespace

COLORREF ParseColorText(const char* text, COLORREF fallback) {
  unsigned int component[3] = {GetRValue(fallback), GetGValue(fallback), GetBValue(fallback)};
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text ? text : "");
  for (unsigned int& c : component) {
    if (!ReadNumber(&p, &c)) break;
  }
  return RGB(component[0] & 0xFF, component[1] & 0xFF, component[2] & 0xFF);
}

void FormatColorText(COLORREF color, char* out, size_t capacity) {
  FormatText(out, capacity, "%d %d %d", static_cast<int>(color & 0xFF),
             static_cast<int>(color >> 8 & 0xFF), static_cast<int>(color >> 16 & 0xFF));
}
