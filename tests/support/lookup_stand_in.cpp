#include "support/lookup_stand_in.h"

#include <algorithm>
#include <cstdlib>

#include "support/test_support.h"

namespace {

HANDLE OpenShared(const std::string& path, DWORD access, DWORD disposition, DWORD flags) {
  SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherited,
                     disposition, flags, nullptr);
}

}  // namespace

// Wine gives a Unix program files, not pipes, as its standard handles. The
// stand-in reads its JSON and says which port the system gave it, so no port
// can be taken in between; its files go as the test's last handle closes,
// however the test ends, and it ends with them.
LookupStandIn::LookupStandIn(const std::string& config) {
  const std::string name = BinaryPath("lookup-stand-in-" + std::to_string(GetCurrentProcessId()) + "-" +
                                      std::to_string(GetTickCount()));
  unique_hfile input(OpenShared(name + ".json", GENERIC_ALL, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE));
  output_.reset(OpenShared(name + ".out", GENERIC_WRITE, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE));
  reader_.reset(OpenShared(name + ".out", GENERIC_READ, OPEN_EXISTING, 0));
  DWORD done = 0;
  if (!reader_ || !WriteFile(input.get(), config.data(), static_cast<DWORD>(config.size()), &done, nullptr)) return;
  SetFilePointer(input.get(), 0, nullptr, FILE_BEGIN);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.get();
  startup.hStdOutput = output_.get();
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::string command = "python3 " + std::string(ZANTO_SOURCE_DIR) + "/tests/support/lookup_stand_in.py";
  PROCESS_INFORMATION process = {};  // none for a Unix program
  if (!CreateProcessA("Z:\\usr\\bin\\python3", &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return;
  }
  for (DWORD start = GetTickCount(); GetTickCount() - start < 15000 && !port_; Sleep(50)) {
    Requests();
    if (heard_.find('\n') != std::string::npos) port_ = atoi(heard_.c_str());
  }
}

size_t LookupStandIn::Requests() {
  // Each request is told before it is answered: what was answered is here.
  char more[4096];
  DWORD got = 0;
  while (ReadFile(reader_.get(), more, sizeof(more), &got, nullptr) && got > 0) heard_.append(more, got);
  size_t lines = static_cast<size_t>(std::count(heard_.begin(), heard_.end(), '\n'));
  return lines > 0 ? lines - 1 : 0;  // the port's line is none
}
