#include "support/lookup_stand_in.h"

#include <winsock2.h>

#include <cstdlib>

#include "lookup/http_get.h"

namespace {

// A port nothing listens on now: the system's pick for a socket bound to 0.
int FreePort() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 0;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int size = sizeof(address);
  bool bound = s != INVALID_SOCKET && bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
               getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == 0;
  if (s != INVALID_SOCKET) closesocket(s);
  WSACleanup();
  return bound ? ntohs(address.sin_port) : 0;
}

}  // namespace

LookupStandIn::LookupStandIn(const std::string& config) {
  port_ = FreePort();
  // Hex, so that no command line quoting can touch the JSON.
  const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : config) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  // Wine runs the system's python3 as it is, a Unix program.
  std::string command = "python3 " + std::string(ZANTO_SOURCE_DIR) + "/tests/support/lookup_stand_in.py " +
                        std::to_string(port_) + " " + hex;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (port_ == 0 || !CreateProcessA("Z:\\usr\\bin\\python3", &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                    nullptr, &startup, &process)) {
    return;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::string body;
  for (DWORD start = GetTickCount(); !ready_ && GetTickCount() - start < 15000; Sleep(100)) {
    ready_ = Get("/requests", &body);
  }
}

LookupStandIn::~LookupStandIn() {
  std::string body;
  if (ready_) Get("/quit", &body);
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
