// Path text in the ANSI code page. Scans step over the second byte of every
// double-byte character, so a trail byte equal to '\' is never taken for a
// folder separator.
#ifndef ZANTO_COMMON_PATH_TEXT_H
#define ZANTO_COMMON_PATH_TEXT_H

#include <cstddef>

// The file-name part: what follows the last '\', '/' or ':'.
const char* FileNamePart(const char* path);
// The extension of the file-name part, from its last '.'; "" when it has none.
const char* ExtensionPart(const char* path);
// Drive and folder of path, ending with the separator; "" for a bare name.
void FolderOf(const char* path, char* out, size_t capacity);
// Makes path end with a single-byte backslash ("" becomes "\").
void AppendBackslash(char* path, size_t capacity);
// Two paths of the ANSI code page compared the way the file system compares
// names: ordinal, letters without regard to case, double-byte characters
// whole (their trail bytes are never folded as if they were letters).
bool SamePathIgnoringCase(const char* a, const char* b);
// The running program's folder followed by fileName.
void BuildPathBesideExecutable(const char* fileName, char* out, size_t capacity);

#endif
