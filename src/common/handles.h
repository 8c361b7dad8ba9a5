// Small owning holders for Windows handles: one type per handle kind, released
// in the destructor, with get()/release()/reset().
#ifndef ZANTO_COMMON_HANDLES_H
#define ZANTO_COMMON_HANDLES_H

#include <windows.h>

template <typename T, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T h) : handle_(h) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  T release() {
    T h = handle_;
    handle_ = Traits::Invalid();
    return h;
  }
  void reset(T h = Traits::Invalid()) {
    if (handle_ != Traits::Invalid()) Traits::Close(handle_);
    handle_ = h;
  }

 private:
  T handle_ = Traits::Invalid();
};

template <typename T>
struct GdiObjectTraits {
  static T Invalid() { return nullptr; }
  static void Close(T h) { DeleteObject(h); }
};
struct MemoryDcTraits {
  static HDC Invalid() { return nullptr; }
  static void Close(HDC h) { DeleteDC(h); }
};
struct FileTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
// A kernel object whose failure value is null (a thread, an event).
struct KernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct MenuTraits {
  static HMENU Invalid() { return nullptr; }
  static void Close(HMENU h) { DestroyMenu(h); }
};
struct ModuleTraits {
  static HMODULE Invalid() { return nullptr; }
  static void Close(HMODULE h) { FreeLibrary(h); }
};
struct RegistryKeyTraits {
  static HKEY Invalid() { return nullptr; }
  static void Close(HKEY h) { RegCloseKey(h); }
};
struct WindowTraits {
  static HWND Invalid() { return nullptr; }
  static void Close(HWND h) { DestroyWindow(h); }
};

using unique_hbitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using unique_hrgn = UniqueHandle<HRGN, GdiObjectTraits<HRGN>>;
using unique_hfont = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using unique_hbrush = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using unique_hdc = UniqueHandle<HDC, MemoryDcTraits>;
using unique_hfile = UniqueHandle<HANDLE, FileTraits>;
using unique_handle = UniqueHandle<HANDLE, KernelHandleTraits>;
using unique_hmenu = UniqueHandle<HMENU, MenuTraits>;
using unique_hmodule = UniqueHandle<HMODULE, ModuleTraits>;
using unique_hkey = UniqueHandle<HKEY, RegistryKeyTraits>;
using unique_hwnd = UniqueHandle<HWND, WindowTraits>;

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// Selects an object into a device context for one scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

#endif
