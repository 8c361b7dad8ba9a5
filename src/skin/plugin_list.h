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

#endif
