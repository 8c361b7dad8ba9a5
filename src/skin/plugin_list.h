// Susie image plug-ins: where they live, the loaded list, and the two calls
// picture loading makes into them.
#ifndef ZANTO_SKIN_PLUGIN_LIST_H
#define ZANTO_SKIN_PLUGIN_LIST_H

#include <windows.h>

#include "skin/growable_array.h"

// The image viewer's own record of its plug-in folder, under HKEY_CURRENT_USER.
extern const char kSusiePluginKey[];

// Bytes of the file's start handed to IsSupported (zero-filled past the end
// of a shorter file).
constexpr int kPluginHeaderSize = 2048;

// The loaded plug-in libraries, in the order the folder search found them.
// Each element is an HMODULE the list loaded and frees exactly once.
class PluginList : public GrowableArray {
 public:
  PluginList();
  ~PluginList();

  // Unloads what is loaded, then loads every *.spi library in folder. A
  // library that does not load, or whose path would not fit in MAX_PATH
  // bytes, is skipped silently. Always true.
  bool Scan(const char* folder);
  void UnloadAll();

  HMODULE Module(int index) const { return *static_cast<HMODULE*>(At(index)); }

  // The plug-in's IsSupported for the file, given the first
  // kPluginHeaderSize bytes of it; -1 when the library lacks the export.
  int CallIsSupported(int index, const char* path, const BYTE* header) const;
  // The plug-in's GetPicture for the file, which on 0 stores the local-memory
  // handles of the header-and-palette block and of the pixel block; -1 when
  // the library lacks the export.
  int CallGetPicture(int index, const char* path, HLOCAL* infoHandle, HLOCAL* bitsHandle) const;
};

// Copies the REG_SZ value "path" of HKEY_CURRENT_USER\keyPath into buffer of
// `size` bytes, always terminated inside it (a value that fills the whole
// buffer is cut at size - 1). False, with buffer empty, when the key cannot be
// opened, the value is missing, too long or of another type. Tests pass their
// own key path.
bool ReadRegistryPluginFolder(char* buffer, DWORD size, const char* keyPath = kSusiePluginKey);

// Results of BrowseForFolder.
constexpr int kFolderChosen = 1;
constexpr int kFolderCancelled = 2;

// The system folder picker, rooted at the desktop, with initialFolder
// preselected (may be null or empty). kFolderChosen with the folder's path in
// outPath (MAX_PATH bytes; it may be the same buffer as initialFolder), or
// kFolderCancelled with outPath untouched.
int BrowseForFolder(HWND owner, const char* initialFolder, const char* title, char* outPath);

#endif
