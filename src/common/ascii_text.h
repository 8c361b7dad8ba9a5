// Byte-string helpers that look only at ASCII, so Japanese double-byte text
// passes through them untouched.
#ifndef ZANTO_COMMON_ASCII_TEXT_H
#define ZANTO_COMMON_ASCII_TEXT_H

// Leading spaces and tabs (and other C white space) skipped, an optional sign,
// then decimal digits up to the first non-digit, accumulated in 32 bits with
// wrap-around. Text without digits gives 0.
int ParseDecimal(const char* text);

// ASCII letters compared without regard to case; every other byte exactly.
bool EqualsIgnoreCase(const char* a, const char* b);

// The drive an ASCII letter names, in upper case ('e' and 'E' are 'E'); 0 for
// any other byte.
char DriveLetterOf(char letter);

#endif
