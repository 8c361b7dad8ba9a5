// Susie image plug-ins: where they live.
#ifndef ZANTO_SKIN_PLUGIN_LIST_H
#define ZANTO_SKIN_PLUGIN_LIST_H

#include <windows.h>

// The image viewer's own record of its plug-in folder, under HKEY_CURRENT_USER.
extern const char kSusiePluginKey[];

// Copies the REG_SZ value "path" of HKEY_CURRENT_USER\keyPath into buffer of
// `size` bytes, always terminated inside it (a value that fills the whole
// buffer is cut at size - 1). False, with buffer empty, when the key cannot be
// opened, the value is missing, too long or of another type. Tests pass their
// own key path.
bool ReadRegistryPluginFolder(char* buffer, DWORD size, const char* keyPath = kSusiePluginKey);

// ---- Folder picker (the settings dialog's browse button) ----
// Shows the shell's folder picker owned by owner, rooted at the desktop, with
// initialFolder preselected. 1 when the user chose a folder: its path is
// written to outPath (MAX_PATH bytes; it may be initialFolder's own buffer).
// 2 when the dialog was cancelled, or the chosen item is no file-system
// folder: outPath is then left as it is.
int BrowseForFolder(HWND owner, const char* initialFolder, const char* title, char* outPath);
// ---- end of the folder picker ----

#endif
