// Bounded writes into the program's fixed text arrays. Every write is cut at
// capacity - 1 bytes (one byte less when that would split a double-byte
// character) and always terminated; nothing is written past the array.
#ifndef ZANTO_COMMON_FIXED_TEXT_H
#define ZANTO_COMMON_FIXED_TEXT_H

#include <windows.h>

#include <cstdarg>
#include <cstddef>

// Copies src (null reads as empty) into dst of the given capacity.
void CopyText(char* dst, size_t capacity, const char* src);
// Appends src to the text already in dst.
void AppendText(char* dst, size_t capacity, const char* src);
// printf-style formatting into dst.
void FormatText(char* dst, size_t capacity, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
void FormatTextV(char* dst, size_t capacity, const char* format, va_list args);
// Loads string `id` of `instance` into dst; empty when the string is missing.
void LoadText(HINSTANCE instance, UINT id, char* dst, size_t capacity);

template <size_t N> void CopyText(char (&dst)[N], const char* src) { CopyText(dst, N, src); }
template <size_t N> void AppendText(char (&dst)[N], const char* src) { AppendText(dst, N, src); }
template <size_t N> void LoadText(HINSTANCE instance, UINT id, char (&dst)[N]) { LoadText(instance, id, dst, N); }

#endif
