#include "window/accessible_object.h"

namespace {

// As VariantInit does, without oleaut32 at start-up.
void Empty(VARIANT* variant) { variant->vt = VT_EMPTY; }

long RoleOf(AccessibleKind kind) {
  switch (kind) {
    case AccessibleKind::kPushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleKind::kCheckButton: return ROLE_SYSTEM_CHECKBUTTON;
    case AccessibleKind::kSlider: return ROLE_SYSTEM_SLIDER;
    case AccessibleKind::kStaticText: return ROLE_SYSTEM_STATICTEXT;
  }
  return ROLE_SYSTEM_CLIENT;
}

void SetChild(VARIANT* out, long childId) {
  Empty(out);
  out->vt = VT_I4;
  out->lVal = childId;
}

// The element a navigation, hit test or focus answer names: a control by
// its child id, or none.
HRESULT AnswerControl(VARIANT* out, int index) {
  if (index < 0) {
    Empty(out);
    return S_FALSE;
  }
  SetChild(out, index + 1);
  return S_OK;
}

}  // namespace

AccessibleObject::AccessibleObject(HWND hwnd, AccessibleSource* source,
                                   const AccessibilityLibrary& library)
    : hwnd_(hwnd), source_(source), library_(library) {}

void AccessibleObject::Disconnect() {
  if (!source_) return;
  source_ = nullptr;
  hwnd_ = nullptr;
  // Drops the stubs remote readers call through; their proxies then fail
  // with RPC_E_DISCONNECTED instead of reaching this object.
  CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

HRESULT AccessibleObject::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  // __uuidof, not IID_IAccessible: the 64-bit import library gives that
  // name to a thunk, not to the GUID.
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
      IsEqualIID(riid, __uuidof(IAccessible))) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG AccessibleObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG AccessibleObject::Release() {
  LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT AccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}
HRESULT AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT AccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                 UINT*) {
  return E_NOTIMPL;
}

AccessibleObject::Target AccessibleObject::Resolve(const VARIANT& child, int* index) const {
  if (child.vt != VT_I4) return Target::kInvalid;
  if (child.lVal == CHILDID_SELF) return Target::kSelf;
  if (child.lVal < 1 || child.lVal > source_->ControlCount()) return Target::kInvalid;
  *index = child.lVal - 1;
  return Target::kControl;
}

HRESULT AccessibleObject::Describe(const VARIANT& child, AccessibleControl* control) const {
  int index = -1;
  switch (Resolve(child, &index)) {
    case Target::kSelf: return S_FALSE;
    case Target::kControl: return source_->DescribeControl(index, control) ? S_OK : E_INVALIDARG;
    case Target::kInvalid: break;
  }
  return E_INVALIDARG;
}

HRESULT AccessibleObject::TextOf(const wchar_t* text, BSTR* out) const {
  *out = nullptr;
  if (!text[0]) return S_FALSE;
  *out = library_.sysAllocString(text);
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT AccessibleObject::get_accParent(IDispatch** parent) {
  if (!parent) return E_POINTER;
  *parent = nullptr;
  if (!source_) return RPC_E_DISCONNECTED;
  // The window's frame object, as the system gives it for any window.
  return library_.accessibleObjectFromWindow(hwnd_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                             reinterpret_cast<void**>(parent));
}

HRESULT AccessibleObject::get_accChildCount(long* count) {
  if (!count) return E_POINTER;
  *count = 0;
  if (!source_) return RPC_E_DISCONNECTED;
  *count = source_->ControlCount();
  return S_OK;
}

HRESULT AccessibleObject::get_accChild(VARIANT child, IDispatch** dispatch) {
  if (!dispatch) return E_POINTER;
  *dispatch = nullptr;
  if (!source_) return RPC_E_DISCONNECTED;
  int index = -1;
  // Simple elements: the caller asks this object about them by child id.
  return Resolve(child, &index) == Target::kControl ? S_FALSE : E_INVALIDARG;
}

HRESULT AccessibleObject::get_accName(VARIANT child, BSTR* name) {
  if (!name) return E_POINTER;
  *name = nullptr;
  if (!source_) return RPC_E_DISCONNECTED;
  AccessibleControl control = {};
  HRESULT described = Describe(child, &control);
  if (described == S_FALSE) {
    // The window itself is named by its title.
    GetWindowTextW(hwnd_, control.name, kAccessibleTextSize);
    return TextOf(control.name, name);
  }
  return FAILED(described) ? described : TextOf(control.name, name);
}

HRESULT AccessibleObject::get_accValue(VARIANT child, BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  if (!source_) return RPC_E_DISCONNECTED;
  AccessibleControl control = {};
  HRESULT described = Describe(child, &control);
  return described == S_OK ? TextOf(control.value, value) : described;
}

HRESULT AccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
  if (!description) return E_POINTER;
  *description = nullptr;
  if (!source_) return RPC_E_DISCONNECTED;
  int index = -1;
  return Resolve(child, &index) == Target::kInvalid ? E_INVALIDARG : S_FALSE;
}

HRESULT AccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
  if (!role) return E_POINTER;
  Empty(role);
  if (!source_) return RPC_E_DISCONNECTED;
  AccessibleControl control = {};
  HRESULT described = Describe(child, &control);
  if (FAILED(described)) return described;
  SetChild(role, described == S_FALSE ? ROLE_SYSTEM_CLIENT : RoleOf(control.kind));
  return S_OK;
}

HRESULT AccessibleObject::get_accState(VARIANT child, VARIANT* state) {
  if (!state) return E_POINTER;
  Empty(state);
  if (!source_) return RPC_E_DISCONNECTED;
  AccessibleControl control = {};
  HRESULT described = Describe(child, &control);
  if (FAILED(described)) return described;
  bool windowFocused = GetFocus() == hwnd_;
  long bits = 0;
  if (described == S_FALSE) {
    bits = STATE_SYSTEM_FOCUSABLE | (windowFocused && source_->FocusedControl() < 0 ? STATE_SYSTEM_FOCUSED : 0);
  } else {
    if (control.unavailable) bits |= STATE_SYSTEM_UNAVAILABLE;
    if (control.checked) {
      bits |= control.kind == AccessibleKind::kPushButton ? STATE_SYSTEM_PRESSED : STATE_SYSTEM_CHECKED;
    }
    if (control.kind == AccessibleKind::kStaticText) bits |= STATE_SYSTEM_READONLY;
    if (IsFocusableKind(control.kind)) {
      bits |= STATE_SYSTEM_FOCUSABLE;
      if (windowFocused && source_->FocusedControl() == child.lVal - 1) bits |= STATE_SYSTEM_FOCUSED;
    }
  }
  if (!IsWindowVisible(hwnd_)) bits |= STATE_SYSTEM_INVISIBLE;
  SetChild(state, bits);
  return S_OK;
}

HRESULT AccessibleObject::get_accHelp(VARIANT, BSTR* help) {
  if (!help) return E_POINTER;
  *help = nullptr;
  return source_ ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT AccessibleObject::get_accHelpTopic(BSTR* helpFile, VARIANT, long* topic) {
  if (helpFile) *helpFile = nullptr;
  if (topic) *topic = 0;
  return source_ ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
  if (!shortcut) return E_POINTER;
  *shortcut = nullptr;
  return source_ ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT AccessibleObject::get_accFocus(VARIANT* child) {
  if (!child) return E_POINTER;
  Empty(child);
  if (!source_) return RPC_E_DISCONNECTED;
  if (GetFocus() != hwnd_) return S_FALSE;
  int focused = source_->FocusedControl();
  if (focused < 0) {
    SetChild(child, CHILDID_SELF);
    return S_OK;
  }
  return AnswerControl(child, focused);
}

HRESULT AccessibleObject::get_accSelection(VARIANT* children) {
  if (!children) return E_POINTER;
  Empty(children);
  return source_ ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT AccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (!action) return E_POINTER;
  *action = nullptr;
  if (!source_) return RPC_E_DISCONNECTED;
  AccessibleControl control = {};
  HRESULT described = Describe(child, &control);
  return described == S_OK ? TextOf(control.defaultAction, action) : described;
}

HRESULT AccessibleObject::accSelect(long flags, VARIANT child) {
  if (!source_) return RPC_E_DISCONNECTED;
  int index = -1;
  Target target = Resolve(child, &index);
  if (target == Target::kInvalid) return E_INVALIDARG;
  // Only the focus can be chosen: nothing here is selectable.
  if (flags != SELFLAG_TAKEFOCUS) return DISP_E_MEMBERNOTFOUND;
  if (target == Target::kSelf) {
    SetFocus(hwnd_);
    return GetFocus() == hwnd_ ? S_OK : S_FALSE;
  }
  if (!source_->FocusControl(index)) return DISP_E_MEMBERNOTFOUND;
  SetFocus(hwnd_);
  return S_OK;
}

HRESULT AccessibleObject::accLocation(long* left, long* top, long* width, long* height,
                                      VARIANT child) {
  if (!left || !top || !width || !height) return E_POINTER;
  *left = *top = *width = *height = 0;
  if (!source_) return RPC_E_DISCONNECTED;
  AccessibleControl control = {};
  HRESULT described = Describe(child, &control);
  if (FAILED(described)) return described;
  if (described == S_FALSE) GetClientRect(hwnd_, &control.rect);
  POINT corner = {control.rect.left, control.rect.top};
  if (!ClientToScreen(hwnd_, &corner)) return E_FAIL;
  *left = corner.x;
  *top = corner.y;
  *width = control.rect.right - control.rect.left;
  *height = control.rect.bottom - control.rect.top;
  return S_OK;
}

HRESULT AccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (!end) return E_POINTER;
  Empty(end);
  if (!source_) return RPC_E_DISCONNECTED;
  int index = -1;
  Target target = Resolve(start, &index);
  if (target == Target::kInvalid) return E_INVALIDARG;
  int count = source_->ControlCount();
  if (target == Target::kSelf) {
    // From the window only into its children; its siblings are the frame's.
    if (direction == NAVDIR_FIRSTCHILD) return AnswerControl(end, count > 0 ? 0 : -1);
    if (direction == NAVDIR_LASTCHILD) return AnswerControl(end, count - 1);
    return S_FALSE;
  }
  switch (direction) {
    case NAVDIR_NEXT:
    case NAVDIR_RIGHT:
    case NAVDIR_DOWN:
      return AnswerControl(end, index + 1 < count ? index + 1 : -1);
    case NAVDIR_PREVIOUS:
    case NAVDIR_LEFT:
    case NAVDIR_UP:
      return AnswerControl(end, index - 1);
    default:
      return S_FALSE;  // a simple element has no children of its own
  }
}

HRESULT AccessibleObject::accHitTest(long x, long y, VARIANT* child) {
  if (!child) return E_POINTER;
  Empty(child);
  if (!source_) return RPC_E_DISCONNECTED;
  POINT point = {x, y};
  RECT client = {};
  if (!ScreenToClient(hwnd_, &point) || !GetClientRect(hwnd_, &client) || !PtInRect(&client, point)) {
    return S_FALSE;
  }
  int count = source_->ControlCount();
  for (int i = 0; i < count; ++i) {
    AccessibleControl control = {};
    if (source_->DescribeControl(i, &control) && PtInRect(&control.rect, point)) {
      return AnswerControl(child, i);
    }
  }
  SetChild(child, CHILDID_SELF);
  return S_OK;
}

HRESULT AccessibleObject::accDoDefaultAction(VARIANT child) {
  if (!source_) return RPC_E_DISCONNECTED;
  int index = -1;
  Target target = Resolve(child, &index);
  if (target == Target::kInvalid) return E_INVALIDARG;
  if (target == Target::kSelf || !source_->PressControl(index)) return DISP_E_MEMBERNOTFOUND;
  return S_OK;
}

HRESULT AccessibleObject::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT AccessibleObject::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }
