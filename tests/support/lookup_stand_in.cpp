#include "support/lookup_stand_in.h"

#include <windows.h>

#include <cstdlib>

#include "lookup/http_get.h"
#include "support/test_support.h"

// The script takes its JSON from a file and leaves the port the system gave
// it in another, once it listens: no port can be taken in between.
LookupStandIn::LookupStandIn(const std::string& config) {
  const std::string name = "lookup-stand-in-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(GetTickCount());
  configFile_ = BinaryPath(name + ".json");
  portFile_ = BinaryPath(name + ".port");
  if (!WriteFileBytes(configFile_, config)) return;
  // Wine runs the system's python3 as it is, a Unix program, with Unix paths.
  const std::string unixName = std::string(ZANTO_BINARY_DIR) + "/" + name;
  std::string command = "python3 " + std::string(ZANTO_SOURCE_DIR) + "/tests/support/lookup_stand_in.py " +
                        unixName + ".json " + unixName + ".port";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA("Z:\\usr\\bin\\python3", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (DWORD start = GetTickCount(); port_ == 0 && GetTickCount() - start < 15000; Sleep(100)) {
    port_ = atoi(ReadFileBytes(portFile_).c_str());
  }
  ready_ = port_ != 0;
}

LookupStandIn::~LookupStandIn() {
  std::string body;
  if (ready_) Get("/quit", &body);
  DeleteFileA(configFile_.c_str());
  DeleteFileA(portFile_.c_str());
}

bool LookupStandIn::Get(const char* path, std::string* body) {
  HttpCancel cancel;
  DWORD status = 0;
  return HttpGet(Address().c_str(), path, "ZantoPlayerTests", &cancel, &status, body) == HttpResult::kDone &&
         status == 200;
}

size_t LookupStandIn::Requests() {
  std::string count;
  return Get("/requests", &count) ? strtoul(count.c_str(), nullptr, 10) : 0;
}
