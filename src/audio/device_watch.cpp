#include "audio/device_watch.h"

void DeviceWatch::Register(IMMDeviceEnumerator* enumerator) {
  Unregister();
  if (!enumerator || FAILED(enumerator->RegisterEndpointNotificationCallback(this))) return;
  enumerator->AddRef();
  enumerator_ = enumerator;
}

void DeviceWatch::Unregister() {
  if (!enumerator_) return;
  enumerator_->UnregisterEndpointNotificationCallback(this);
  enumerator_->Release();
  enumerator_ = nullptr;
}

HRESULT DeviceWatch::QueryInterface(REFIID iid, void** object) {
  if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IMMNotificationClient))) {
    *object = static_cast<IMMNotificationClient*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT DeviceWatch::OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) {
  if (flow == eRender && role == eConsole) SetEvent(changed_);
  return S_OK;
}
