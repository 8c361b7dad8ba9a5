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

// The plug-in libraries' extension: 64-bit plug-ins are named *.sph, 32-bit
// ones *.spi, and a program loads only its own kind.
extern const char kPluginExtension[];

// What GetPictureInfo tells of a picture, laid out as the plug-ins' own
// headers declare it: packed to 1 byte, `long` fields (32-bit in both
// architectures), so 26 bytes in 32-bit plug-ins and 30 in 64-bit ones.
#pragma pack(push, 1)
struct PictureInfo {
  LONG left, top;      // where the picture lies on its canvas
  LONG width, height;  // its size in pixels
  WORD xDensity, yDensity;
  SHORT colorDepth;    // bits per pixel of the picture
  HLOCAL text;         // a text block of the plug-in's about the picture, or null
};
#pragma pack(pop)
static_assert(sizeof(PictureInfo) == 22 + sizeof(HLOCAL), "PictureInfo must be packed");

// One loaded plug-in library.
struct PluginEntry {
  HMODULE module;
  bool faulted;  // a call into it faulted: it is not called again
};

// The loaded plug-in libraries, in the order the folder search found them.
// Each module is one the list loaded and frees at most once. Every call into
// a plug-in (its DllMain through LoadLibrary and FreeLibrary included) is
// guarded: a plug-in that faults is marked and from then on refuses every
// file; the program goes on.
class PluginList : public GrowableArray {
 public:
  PluginList();
  ~PluginList();

  // Unloads what is loaded, then loads every library with kPluginExtension
  // in folder. A library that does not load or faults while loading, or
  // whose path would not fit in MAX_PATH bytes, is skipped silently. Always
  // true.
  bool Scan(const char* folder);
  // Frees every library but the faulted ones, which stay loaded until the
  // process ends: their code is not run again.
  void UnloadAll();

  HMODULE Module(int index) const { return Entry(index)->module; }
  bool Faulted(int index) const { return Entry(index)->faulted; }

  // The plug-in's IsSupported for the file, given the first
  // kPluginHeaderSize bytes of it; -1 when the library lacks the export; 0
  // (refused) when the plug-in has faulted, now or before.
  int CallIsSupported(int index, const char* path, const BYTE* header);
  // The plug-in's GetPicture for the file, which on 0 stores the local-memory
  // handles of the header-and-palette block and of the pixel block; -1 (not
  // this plug-in) when the library lacks the export or has faulted, now or
  // before.
  int CallGetPicture(int index, const char* path, HLOCAL* infoHandle, HLOCAL* bitsHandle);
  // The plug-in's GetPictureInfo for the file: 0 with `info` filled (its text
  // block, if the plug-in gave one, already freed and `text` null); -1 when
  // the library lacks the export or has faulted, now or before; else the
  // plug-in's failure code, with `info` zeroed.
  int CallGetPictureInfo(int index, const char* path, PictureInfo* info);

 private:
  PluginEntry* Entry(int index) const { return static_cast<PluginEntry*>(At(index)); }
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
