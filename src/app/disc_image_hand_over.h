// A disc image named on the command line: its path, and the hand-over to a
// player already running from the same program file, which plays it.
#ifndef ZANTO_APP_DISC_IMAGE_HAND_OVER_H
#define ZANTO_APP_DISC_IMAGE_HAND_OVER_H

#include <windows.h>

#include <cstddef>

// The command line's file argument (after the program's name has been
// taken off, as WinMain's lpCmdLine): a quoted path, or else the whole
// trimmed rest, since a path with spaces may come unquoted. As a full path
// when it names a disc image; false (and "") for anything else.
bool DiscImageArgument(const char* arguments, char* out, size_t capacity);

// Hands `path` to the player of this same program file that already runs;
// false when none runs or it did not take it.
bool HandOverDiscImage(const char* modulePath, const char* path);

#endif
