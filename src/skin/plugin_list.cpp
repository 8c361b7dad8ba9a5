#include "skin/plugin_list.h"

#include <objbase.h>
#include <shlobj.h>

#include "common/fixed_text.h"
#include "common/handles.h"

const char kSusiePluginKey[] = "Software\\Ferrun\\Susie\\Plug-in";

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

// ---- Folder picker (the settings dialog's browse button) ----
namespace {

int CALLBACK PreselectFolder(HWND dialog, UINT message, LPARAM, LPARAM initialFolder) {
  if (message == BFFM_INITIALIZED && initialFolder != 0) {
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, initialFolder);
  }
  return 0;
}

// The shell's picker needs COM on the calling thread; undone only when this
// call was the one that set it up.
class ComForThread {
 public:
  ComForThread() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComForThread() {
    if (initialised_) CoUninitialize();
  }
  ComForThread(const ComForThread&) = delete;
  ComForThread& operator=(const ComForThread&) = delete;

 private:
  bool initialised_;
};

void FreeItemList(LPITEMIDLIST items) {
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator != nullptr) {
    allocator->Free(items);
    allocator->Release();
  }
}

}  // namespace

int BrowseForFolder(HWND owner, const char* initialFolder, const char* title, char* outPath) {
  ComForThread com;
  BROWSEINFOA request = {};
  request.hwndOwner = owner;
  request.pidlRoot = nullptr;
  request.pszDisplayName = nullptr;
  request.lpszTitle = title;
  request.ulFlags = 0;
  request.lpfn = PreselectFolder;
  request.lParam = reinterpret_cast<LPARAM>(initialFolder);
  LPITEMIDLIST chosen = SHBrowseForFolderA(&request);
  if (chosen == nullptr) return 2;
  // An item without a file-system path (a printer, the control panel) keeps
  // the old text rather than emptying it.
  char path[MAX_PATH] = "";
  BOOL isFolder = SHGetPathFromIDListA(chosen, path);
  FreeItemList(chosen);
  if (!isFolder) return 2;
  CopyText(outPath, MAX_PATH, path);
  return 1;
}
// ---- end of the folder picker ----
