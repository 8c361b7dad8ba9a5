// UTF-8 text (what the disc databases answer in) turned into the ANSI code
// page the program and its INI files use.
#ifndef ZANTO_COMMON_UTF8_TEXT_H
#define ZANTO_COMMON_UTF8_TEXT_H

#include <cstddef>

// A character the code page lacks becomes a visible '?' (no look-alike
// substitutes); text longer than `capacity` - 1 bytes is cut at a character
// boundary. Malformed UTF-8 gives '?' for what cannot be read.
void Utf8ToAnsi(const char* utf8, char* out, size_t capacity);

#endif
