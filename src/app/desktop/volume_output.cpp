#include "app/desktop/volume_output.h"

#include <audiopolicy.h>
#include <mmdeviceapi.h>
#include <mmsystem.h>
#include <objbase.h>

namespace {

// One COM interface pointer, released when it goes.
template <typename T>
class ComPointer {
 public:
  ComPointer() = default;
  ~ComPointer() {
    if (p_) p_->Release();
  }
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;
  T** out() { return &p_; }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T* release() {
    T* p = p_;
    p_ = nullptr;
    return p;
  }

 private:
  T* p_ = nullptr;
};

// The simple volume of this program's session on the default output device.
ISimpleAudioVolume* OpenSessionVolume() {
  ComPointer<IMMDeviceEnumerator> enumerator;
  if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                              __uuidof(IMMDeviceEnumerator),
                              reinterpret_cast<void**>(enumerator.out())))) {
    return nullptr;
  }
  ComPointer<IMMDevice> device;
  if (FAILED(enumerator->GetDefaultAudioEndpoint(eRender, eConsole, device.out()))) return nullptr;
  ComPointer<IAudioSessionManager> manager;
  if (FAILED(device->Activate(__uuidof(IAudioSessionManager), CLSCTX_ALL, nullptr,
                              reinterpret_cast<void**>(manager.out())))) {
    return nullptr;
  }
  // GUID_NULL, not cross-process: the default session every stream of this
  // process joins, digital CD playback included.
  ComPointer<ISimpleAudioVolume> volume;
  if (FAILED(manager->GetSimpleAudioVolume(&GUID_NULL, FALSE, volume.out()))) return nullptr;
  return volume.release();
}

int ClampPosition(int position) { return position < 0 ? 0 : position > 255 ? 255 : position; }

}  // namespace

float SessionLevel(int position) { return static_cast<float>(ClampPosition(position)) / 255.0f; }

DWORD AuxVolumeValue(int position) {
  DWORD level = static_cast<DWORD>(ClampPosition(position)) * 0x101u;  // 255 -> 0xFFFF
  return level | (level << 16);
}

UINT FindCdAuxDevice() {
  UINT count = auxGetNumDevs();
  for (UINT id = 0; id < count; ++id) {
    AUXCAPSA caps = {};
    if (auxGetDevCapsA(id, &caps, sizeof(caps)) != MMSYSERR_NOERROR) continue;
    if (caps.wTechnology == AUXCAPS_CDAUDIO && (caps.dwSupport & AUXCAPS_VOLUME)) return id;
  }
  return static_cast<UINT>(-1);
}

VolumeOutput::VolumeOutput() {
  // S_FALSE (already initialised on this thread) also needs its uninitialise.
  comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

bool VolumeOutput::OpenSession() {
  // Asked once: the audio stack loads only when the volume is first set.
  if (!sessionAsked_ && comStarted_) session_ = OpenSessionVolume();
  sessionAsked_ = true;
  return session_ != nullptr;
}

VolumeOutput::~VolumeOutput() {
  RestoreDriveVolume();
  if (session_) session_->Release();
  if (comStarted_) CoUninitialize();
}

void VolumeOutput::SetSessionVolume(int position) {
  if (OpenSession()) session_->SetMasterVolume(SessionLevel(position), nullptr);
}

bool VolumeOutput::OpenDriveOutput() {
  if (!auxAsked_) auxDevice_ = FindCdAuxDevice();
  auxAsked_ = true;
  return auxDevice_ != kNoAuxDevice;
}

bool VolumeOutput::OpenDriveForChange() {
  if (!OpenDriveOutput()) return false;
  if (driveLevel_.NeedsSystemLevel()) {
    DWORD level = 0;
    bool known = auxGetVolume(auxDevice_, &level) == MMSYSERR_NOERROR;
    driveLevel_.RememberSystemLevel(known, level);
  }
  return true;
}

void VolumeOutput::SetDriveVolume(int position) {
  if (OpenDriveForChange()) auxSetVolume(auxDevice_, driveLevel_.ForVolume(position));
}

void VolumeOutput::MuteDrive() {
  if (OpenDriveForChange()) auxSetVolume(auxDevice_, driveLevel_.ForMute());
}

void VolumeOutput::UnmuteDrive(int position) {
  DWORD level = 0;
  if (OpenDriveOutput() && driveLevel_.ForUnmute(position, &level)) auxSetVolume(auxDevice_, level);
}

void VolumeOutput::RestoreDriveVolume() {
  DWORD level = 0;
  if (auxDevice_ != kNoAuxDevice && driveLevel_.ForExit(&level)) auxSetVolume(auxDevice_, level);
}

void DriveLevelMemory::RememberSystemLevel(bool known, DWORD level) {
  asked_ = true;
  systemKnown_ = known;
  systemLevel_ = level;
}

DWORD DriveLevelMemory::ForVolume(int position) {
  changed_ = chosen_ = true;
  return AuxVolumeValue(position);
}

DWORD DriveLevelMemory::ForMute() {
  changed_ = true;
  return AuxVolumeValue(0);
}

bool DriveLevelMemory::ForUnmute(int position, DWORD* level) const {
  if (!changed_) return false;
  // Muted before any choice: the system's level played, unless it was unknown.
  *level = chosen_ || !systemKnown_ ? AuxVolumeValue(position) : systemLevel_;
  return true;
}

bool DriveLevelMemory::ForExit(DWORD* level) const {
  if (!changed_ || !systemKnown_) return false;
  *level = systemLevel_;
  return true;
}

float VolumeOutput::SessionVolume() const {
  float level = -1.0f;
  if (session_ && FAILED(session_->GetMasterVolume(&level))) level = -1.0f;
  return level;
}
