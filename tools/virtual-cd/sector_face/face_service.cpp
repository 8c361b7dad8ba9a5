#include "face_service.h"

#include <windows.h>

#include "common/handles.h"

namespace {

struct ServiceTraits {
  static SC_HANDLE Invalid() { return nullptr; }
  static void Close(SC_HANDLE handle) { CloseServiceHandle(handle); }
};
using unique_service = UniqueHandle<SC_HANDLE, ServiceTraits>;

constexpr DWORD kWaitMs = 10000;
constexpr DWORD kPollMs = 20;

std::string Error(const char* what) { return std::string(what) + " failed, error " + std::to_string(GetLastError()); }

std::string FullPath(const std::string& path) {
  char full[MAX_PATH] = {};
  DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return n > 0 && n < MAX_PATH ? std::string(full) : path;
}

bool WaitForState(SC_HANDLE service, DWORD state, SERVICE_STATUS* status) {
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    if (!QueryServiceStatus(service, status)) return false;
    if (status->dwCurrentState == state) return true;
    Sleep(kPollMs);
  }
  return false;
}

bool RemoveService(SC_HANDLE manager, const std::string& name) {
  unique_service service(OpenServiceA(manager, name.c_str(), SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE));
  if (!service) return GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST;
  SERVICE_STATUS status = {};
  if (ControlService(service.get(), SERVICE_CONTROL_STOP, &status) || GetLastError() != ERROR_SERVICE_NOT_ACTIVE) {
    WaitForState(service.get(), SERVICE_STOPPED, &status);
  }
  return DeleteService(service.get()) || GetLastError() == ERROR_SERVICE_MARKED_FOR_DELETE;
}

}  // namespace

bool InstallFace(const std::string& name, const std::string& driverPath, const std::string& facePath,
                 std::string* problem) {
  unique_service manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
  if (!manager) {
    *problem = Error("OpenSCManager");
    return false;
  }
  RemoveService(manager.get(), name);
  std::string binary = FullPath(driverPath);
  unique_service service(CreateServiceA(manager.get(), name.c_str(), name.c_str(), SERVICE_ALL_ACCESS,
                                        SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                                        binary.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
  if (!service) {
    *problem = Error("CreateService");
    return false;
  }
  // The driver finds its face file in its own service key, as an NT path.
  std::string key = "System\\CurrentControlSet\\Services\\" + name;
  std::string ntFace = "\\??\\" + FullPath(facePath);
  if (RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), "FaceFile", REG_SZ, ntFace.c_str(),
                      static_cast<DWORD>(ntFace.size() + 1)) != ERROR_SUCCESS) {
    *problem = "the service's FaceFile value cannot be written";
    RemoveService(manager.get(), name);
    return false;
  }
  if (!StartServiceA(service.get(), 0, nullptr) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING) {
    *problem = Error("StartService");
    RemoveService(manager.get(), name);
    return false;
  }
  std::string device = "\\\\.\\" + name;
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    HANDLE probe = CreateFileA(device.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
      CloseHandle(probe);
      return true;
    }
    SERVICE_STATUS status = {};
    if (QueryServiceStatus(service.get(), &status) && status.dwCurrentState == SERVICE_STOPPED) {
      *problem = "the driver did not load: service stopped with " + std::to_string(status.dwWin32ExitCode);
      RemoveService(manager.get(), name);
      return false;
    }
    Sleep(kPollMs);
  }
  *problem = "the driver's device " + device + " did not appear";
  RemoveService(manager.get(), name);
  return false;
}

bool RemoveFace(const std::string& name) {
  unique_service manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
  return manager && RemoveService(manager.get(), name);
}
