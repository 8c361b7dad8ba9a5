// The IAccessible a window hands to screen readers for its client area: its
// controls as simple elements (child ids 1..n), answered from an
// AccessibleSource. Once disconnected, late callers get RPC_E_DISCONNECTED
// and the window is never touched again.
#ifndef ZANTO_WINDOW_ACCESSIBLE_OBJECT_H
#define ZANTO_WINDOW_ACCESSIBLE_OBJECT_H

#include <windows.h>
#include <oleacc.h>

#include "window/accessibility_library.h"
#include "window/accessible_control.h"

class AccessibleObject final : public IAccessible {
 public:
  // Starts with one reference, the creator's. `library` is loaded.
  AccessibleObject(HWND hwnd, AccessibleSource* source, const AccessibilityLibrary& library);
  AccessibleObject(const AccessibleObject&) = delete;
  AccessibleObject& operator=(const AccessibleObject&) = delete;

  // The window is going: forget it and cut off every remote caller.
  void Disconnect();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: screen readers call IAccessible directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argError) override;
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

 private:
  ~AccessibleObject() = default;  // through Release only

  // How a call names its element: the window itself, a control, or neither.
  enum class Target { kInvalid, kSelf, kControl };
  Target Resolve(const VARIANT& child, int* index) const;
  // The control behind `child`, described; E_INVALIDARG for anything else
  // and S_FALSE for the window itself.
  HRESULT Describe(const VARIANT& child, AccessibleControl* control) const;
  // One of the control's texts as a BSTR; S_FALSE when it is empty.
  HRESULT TextOf(const wchar_t* text, BSTR* out) const;

  LONG references_ = 1;
  HWND hwnd_;
  AccessibleSource* source_;  // null once disconnected
  const AccessibilityLibrary& library_;
};

#endif
