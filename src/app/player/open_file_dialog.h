// The system's open-file dialog, for the files the user gives the player:
// resource files and disc images.
#ifndef ZANTO_APP_PLAYER_OPEN_FILE_DIALOG_H
#define ZANTO_APP_PLAYER_OPEN_FILE_DIALOG_H

#include <windows.h>

#include <cstddef>

struct OpenFileChoice {
  UINT filterId;          // string id: "name|pattern|..." pairs, '|'-separated
  UINT titleId;           // string id of the dialog's caption
  const char* extension;  // appended to a name typed without one ("rc", not "*.rc")
};

// True with the chosen path in `file`. False when the user cancelled, or
// when the dialog could not be shown (said in a message).
bool AskForFile(HWND owner, HINSTANCE instance, const OpenFileChoice& choice, char* file, size_t capacity);

#endif
