// The system's accessibility libraries, loaded at the first screen reader's
// request: oleacc and the oleaut32 it needs cost a start-up a tenth of a
// second or more under Wine, and most sessions have no reader at all.
#ifndef ZANTO_WINDOW_ACCESSIBILITY_LIBRARY_H
#define ZANTO_WINDOW_ACCESSIBILITY_LIBRARY_H

#include <windows.h>
#include <oleacc.h>

struct AccessibilityLibrary {
  LRESULT(WINAPI* lresultFromObject)(REFIID riid, WPARAM wParam, LPUNKNOWN object);
  HRESULT(WINAPI* accessibleObjectFromWindow)(HWND hwnd, DWORD objectId, REFIID riid, void** object);
  BSTR(WINAPI* sysAllocString)(const OLECHAR* text);
};

// Loaded once, from the system folder, and kept to the process's end; null
// when either library or function is missing.
const AccessibilityLibrary* LoadAccessibilityLibrary();

#endif
