#include "skin/plugin_list.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstring>

#include "common/fixed_text.h"
#include "common/handles.h"
#include "common/path_text.h"
#include "skin/plugin_guard.h"

const char kSusiePluginKey[] = "Software\\Ferrun\\Susie\\Plug-in";
#if defined(_WIN64)
#define ZANTO_PLUGIN_EXTENSION ".sph"
#else
#define ZANTO_PLUGIN_EXTENSION ".spi"
#endif
const char kPluginExtension[] = ZANTO_PLUGIN_EXTENSION;

namespace {

constexpr int kPluginGrowBy = 32;
constexpr char kPluginPattern[] = "*" ZANTO_PLUGIN_EXTENSION;

// The plug-in interface: __stdcall, undecorated names. The second argument of
// IsSupported is a DWORD in 32-bit plug-ins and pointer-sized in 64-bit ones;
// we always pass the header's address, never a file handle.
using IsSupportedProc = int(WINAPI*)(LPCSTR path, ULONG_PTR header);
using GetPictureProc = int(WINAPI*)(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* info,
                                    HLOCAL* bits, FARPROC progress, LONG_PTR data);
using GetPictureInfoProc = int(WINAPI*)(LPCSTR buf, LONG_PTR len, unsigned int flag,
                                        PictureInfo* info);

// Source is a file named by the first argument; no progress callback.
constexpr unsigned int kSourceIsFile = 0;

// An export of the given type, or null. FARPROC stands for any function
// type; the detour through void* says so to the compiler.
template <typename Proc>
Proc FindExport(HMODULE module, const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Whether head + tail fits a MAX_PATH buffer with its terminator.
bool FitsPath(const char* head, const char* tail) {
  return std::strlen(head) + std::strlen(tail) < MAX_PATH;
}

// Preselects the initial folder once the picker is up.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data != 0) {
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
  }
  return 0;
}

// COM for the picker, for the current thread and one call.
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

// The guarded calls' arguments and results.
struct LoadCall {
  const char* path;
  HMODULE module;
};
struct IsSupportedCall {
  IsSupportedProc proc;
  const char* path;
  const BYTE* header;
  int result;
};
struct GetPictureCall {
  GetPictureProc proc;
  const char* path;
  HLOCAL* info;
  HLOCAL* bits;
  int result;
};

// A plug-in built with the fields aligned rather than packed writes a few
// bytes past the packed record: they land in this room, not on the stack.
union PictureInfoRoom {
  PictureInfo info;
  BYTE room[64];
};
struct GetPictureInfoCall {
  GetPictureInfoProc proc;
  const char* path;
  PictureInfoRoom* answer;
  int result;
};

// Its DllMain runs inside: a library that faults there is not kept.
HMODULE LoadGuarded(const char* path) {
  LoadCall call = {path, nullptr};
  bool clean = CallLoaderGuarded(
      [](void* c) {
        auto* load = static_cast<LoadCall*>(c);
        load->module = LoadLibraryA(load->path);
      },
      &call);
  if (clean || call.module == nullptr) return call.module;
  // Loaded although its start-up faulted: its state cannot be trusted, and
  // it is not entered again, not even to unload it.
  return nullptr;
}

void FreeGuarded(HMODULE module) {
  CallLoaderGuarded([](void* m) { FreeLibrary(static_cast<HMODULE>(m)); }, module);
}

}  // namespace

PluginList::PluginList() : GrowableArray(sizeof(PluginEntry), kPluginGrowBy) {}

PluginList::~PluginList() { UnloadAll(); }

void PluginList::UnloadAll() {
  for (int i = 0; i < count; ++i) {
    if (!Faulted(i)) FreeGuarded(Module(i));
  }
  RemoveAll();
}

bool PluginList::Scan(const char* folder) {
  UnloadAll();
  char prefix[MAX_PATH];
  char pattern[MAX_PATH];
  // A folder that would be cut is not scanned at all: a cut one names another folder.
  if (folder == nullptr || !FitsPath(folder, "\\")) return true;
  CopyText(prefix, folder);
  AppendBackslash(prefix, sizeof(prefix));
  if (!FitsPath(prefix, kPluginPattern)) return true;
  CopyText(pattern, prefix);
  AppendText(pattern, kPluginPattern);

  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return true;
  // A broken library must not stop start-up with a system error box.
  UINT oldErrorMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (!FitsPath(prefix, found.cFileName)) continue;
    char libraryPath[MAX_PATH];
    CopyText(libraryPath, prefix);
    AppendText(libraryPath, found.cFileName);
    PluginEntry entry = {LoadGuarded(libraryPath), false};
    if (entry.module != nullptr && Add(&entry) < 0) FreeGuarded(entry.module);
  } while (FindNextFileA(search, &found));
  SetErrorMode(oldErrorMode);
  FindClose(search);
  return true;
}

int PluginList::CallIsSupported(int index, const char* path, const BYTE* header) {
  if (Faulted(index)) return 0;
  IsSupportedCall call = {FindExport<IsSupportedProc>(Module(index), "IsSupported"), path, header,
                          -1};
  if (call.proc == nullptr) return -1;
  bool returned = CallGuarded(
      [](void* c) {
        auto* is = static_cast<IsSupportedCall*>(c);
        is->result = is->proc(is->path, reinterpret_cast<ULONG_PTR>(is->header));
      },
      &call);
  if (returned) return call.result;
  Entry(index)->faulted = true;
  return 0;
}

int PluginList::CallGetPicture(int index, const char* path, HLOCAL* infoHandle,
                               HLOCAL* bitsHandle) {
  if (Faulted(index)) return -1;
  GetPictureCall call = {FindExport<GetPictureProc>(Module(index), "GetPicture"), path,
                         infoHandle, bitsHandle, -1};
  if (call.proc == nullptr) return -1;
  bool returned = CallGuarded(
      [](void* c) {
        auto* get = static_cast<GetPictureCall*>(c);
        get->result = get->proc(get->path, 0, kSourceIsFile, get->info, get->bits, nullptr, 0);
      },
      &call);
  if (returned) return call.result;
  Entry(index)->faulted = true;
  return -1;
}

int PluginList::CallGetPictureInfo(int index, const char* path, PictureInfo* info) {
  *info = PictureInfo{};
  if (Faulted(index)) return -1;
  PictureInfoRoom answer = {};
  GetPictureInfoCall call = {FindExport<GetPictureInfoProc>(Module(index), "GetPictureInfo"), path,
                             &answer, -1};
  if (call.proc == nullptr) return -1;
  bool returned = CallGuarded(
      [](void* c) {
        auto* get = static_cast<GetPictureInfoCall*>(c);
        get->result = get->proc(get->path, 0, kSourceIsFile, &get->answer->info);
      },
      &call);
  if (!returned) {
    Entry(index)->faulted = true;
    return -1;
  }
  // As with GetPicture, what a failing plug-in wrote is not trusted, not freed.
  if (call.result != 0) return call.result;
  *info = answer.info;
  if (info->text != nullptr) LocalFree(info->text);
  info->text = nullptr;
  return 0;
}

bool ReadRegistryPluginFolder(char* buffer, DWORD size, const char* keyPath) {
  if (buffer == nullptr || size == 0) return false;
  buffer[0] = '\0';
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return false;
  }
  unique_hkey key(opened);
  DWORD type = 0;
  DWORD dataSize = size;
  LONG result =
      RegQueryValueExA(key.get(), "path", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &dataSize);
  if (result != ERROR_SUCCESS || type != REG_SZ) {
    buffer[0] = '\0';
    return false;
  }
  // A REG_SZ value need not carry its terminator.
  buffer[dataSize < size ? dataSize : size - 1] = '\0';
  return true;
}

int BrowseForFolder(HWND owner, const char* initialFolder, const char* title, char* outPath) {
  ComScope com;
  // The picker keeps reading the initial folder until it closes, and outPath
  // may be that same buffer: the answer goes through a buffer of its own.
  char initial[MAX_PATH];
  CopyText(initial, initialFolder);
  BROWSEINFOA request = {};
  request.hwndOwner = owner;
  request.pidlRoot = nullptr;
  request.pszDisplayName = nullptr;
  request.lpszTitle = title;
  request.ulFlags = 0;
  request.lpfn = BrowseCallback;
  request.lParam = initial[0] != '\0' ? reinterpret_cast<LPARAM>(initial) : 0;
  LPITEMIDLIST chosen = SHBrowseForFolderA(&request);
  if (chosen == nullptr) return kFolderCancelled;

  char path[MAX_PATH] = "";
  // An item with no file-system path (the desktop's virtual folders) leaves
  // the caller's text as it was, like a cancel.
  bool isFolder = SHGetPathFromIDListA(chosen, path) != FALSE;
  IMalloc* shellAllocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&shellAllocator)) && shellAllocator != nullptr) {
    shellAllocator->Free(chosen);
    shellAllocator->Release();
  }
  if (!isFolder) return kFolderCancelled;
  CopyText(outPath, MAX_PATH, path);
  return kFolderChosen;
}
