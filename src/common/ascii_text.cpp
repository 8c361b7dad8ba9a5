#include "common/ascii_text.h"

namespace {

bool IsSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

unsigned char Lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

}  // namespace

int ParseDecimal(const char* text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (IsSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  unsigned int value = 0;  // unsigned: overflow wraps instead of being undefined
  while (*p >= '0' && *p <= '9') value = value * 10u + (*p++ - '0');
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

char DriveLetterOf(char letter) {
  if (letter >= 'a' && letter <= 'z') return static_cast<char>(letter - 'a' + 'A');
  return letter >= 'A' && letter <= 'Z' ? letter : 0;
}

bool EqualsIgnoreCase(const char* a, const char* b) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* q = reinterpret_cast<const unsigned char*>(b);
  while (*p && Lower(*p) == Lower(*q)) ++p, ++q;
  return Lower(*p) == Lower(*q);
}
