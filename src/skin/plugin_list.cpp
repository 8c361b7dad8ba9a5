#include "skin/plugin_list.h"

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
