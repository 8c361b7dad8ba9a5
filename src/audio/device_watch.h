// Tells the render thread, through an event, that the default output
// device changed, so it moves the play over to the new one.
#ifndef ZANTO_AUDIO_DEVICE_WATCH_H
#define ZANTO_AUDIO_DEVICE_WATCH_H

#include <mmdeviceapi.h>

class DeviceWatch final : public IMMNotificationClient {
 public:
  // `changed` outlives the watch.
  explicit DeviceWatch(HANDLE changed) : changed_(changed) {}
  ~DeviceWatch() { Unregister(); }
  DeviceWatch(const DeviceWatch&) = delete;
  DeviceWatch& operator=(const DeviceWatch&) = delete;

  void Register(IMMDeviceEnumerator* enumerator);
  void Unregister();

  // The object lives on its owner's stack: references are not counted.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR, DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) override;
  HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) override { return S_OK; }

 private:
  HANDLE changed_;
  IMMDeviceEnumerator* enumerator_ = nullptr;  // held while registered
};

#endif
