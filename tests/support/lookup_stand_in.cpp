#include "support/lookup_stand_in.h"

#include <algorithm>
#include <cstdlib>

#include "support/test_support.h"

namespace {

// Wine hands a Unix program a file as a standard handle, not a pipe.
// Deleted as the last handle here closes, however the test ends.
HANDLE OpenScratch(const std::string& path, DWORD access, DWORD disposition, DWORD flags) {
  SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherited,
                     disposition, flags, nullptr);
}

}  // namespace

// The stand-in reads its JSON from its input and says which port the system
// gave it, so no port can be taken in between. It ends once its output file
// is gone.
LookupStandIn::LookupStandIn(const std::string& config) {
  const std::string name = BinaryPath("lookup-stand-in-" + std::to_string(GetCurrentProcessId()) + "-" +
                                      std::to_string(GetTickCount()));
  unique_hfile input(OpenScratch(name + ".json", GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS,
                                 FILE_FLAG_DELETE_ON_CLOSE));
  output_.reset(OpenScratch(name + ".out", GENERIC_WRITE, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE));
  reader_.reset(OpenScratch(name + ".out", GENERIC_READ, OPEN_EXISTING, 0));
  DWORD done = 0;
  if (!input || !output_ || !reader_ ||
      !WriteFile(input.get(), config.data(), static_cast<DWORD>(config.size()), &done, nullptr) ||
      SetFilePointer(input.get(), 0, nullptr, FILE_BEGIN) != 0) {
    return;
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.get();
  startup.hStdOutput = output_.get();
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  // Wine runs the system's python3 as it is, a Unix program, with Unix paths.
  std::string command = "python3 " + std::string(ZANTO_SOURCE_DIR) + "/tests/support/lookup_stand_in.py";
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA("Z:\\usr\\bin\\python3", &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return;
  }
  for (DWORD start = GetTickCount(); port_ == 0 && GetTickCount() - start < 15000; Sleep(50)) {
    Requests();
    size_t end = heard_.find('\n');
    if (end != std::string::npos) port_ = atoi(heard_.substr(0, end).c_str());
  }
}

size_t LookupStandIn::Requests() {
  // Each request is told before it is answered: what was answered is here.
  char more[4096];
  DWORD got = 0;
  while (ReadFile(reader_.get(), more, sizeof(more), &got, nullptr) && got > 0) heard_.append(more, got);
  size_t lines = static_cast<size_t>(std::count(heard_.begin(), heard_.end(), '\n'));
  return lines > 0 ? lines - 1 : 0;  // the port's line is no request
}
