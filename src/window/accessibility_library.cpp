#include "window/accessibility_library.h"

#include "common/fixed_text.h"

namespace {

// Only the system's own copy, never one beside the program.
HMODULE LoadSystemLibrary(const char* name) {
  char path[MAX_PATH] = "";
  UINT length = GetSystemDirectoryA(path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) return nullptr;
  char full[MAX_PATH] = "";
  FormatText(full, sizeof(full), "%s\\%s", path, name);
  return LoadLibraryA(full);
}

template <typename Function> bool Resolve(HMODULE module, const char* name, Function* function) {
  FARPROC address = module ? GetProcAddress(module, name) : nullptr;
  *function = reinterpret_cast<Function>(reinterpret_cast<void*>(address));
  return address != nullptr;
}

}  // namespace

const AccessibilityLibrary* LoadAccessibilityLibrary() {
  // Never freed: COM may call into them until the process ends.
  static HMODULE oleacc = nullptr;
  static HMODULE oleaut32 = nullptr;
  static AccessibilityLibrary library = {};
  static bool tried = false;
  static bool loaded = false;
  if (tried) return loaded ? &library : nullptr;
  tried = true;
  oleacc = LoadSystemLibrary("oleacc.dll");
  oleaut32 = LoadSystemLibrary("oleaut32.dll");
  loaded = Resolve(oleacc, "LresultFromObject", &library.lresultFromObject) &&
           Resolve(oleacc, "AccessibleObjectFromWindow", &library.accessibleObjectFromWindow) &&
           Resolve(oleaut32, "SysAllocString", &library.sysAllocString);
  return loaded ? &library : nullptr;
}
