#include "support/lookup_stand_in.h"

#include <winsock2.h>

#include <sstream>

#include "lookup/http_get.h"

namespace {

// A port nothing listens on now: the system's pick for a socket bound to 0.
int FreePort() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 0;
  int port = 0;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int size = sizeof(address);
  if (s != INVALID_SOCKET && bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
    port = ntohs(address.sin_port);
  }
  if (s != INVALID_SOCKET) closesocket(s);
  WSACleanup();
  return port;
}

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return hex;
}

}  // namespace

LookupStandIn::LookupStandIn(const std::string& config) {
  port_ = FreePort();
  if (port_ == 0) return;
  // Wine runs the system's python3 as it is (a Unix program).
  std::string command = "python3 " + std::string(ZANTO_SOURCE_DIR) + "/tests/support/lookup_stand_in.py " +
                        std::to_string(port_) + " " + Hex(config);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA("Z:\\usr\\bin\\python3", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 15000) {
    HttpCancel cancel;
    DWORD status = 0;
    std::string body;
    if (HttpGet(Address().c_str(), "/requests", "ZantoPlayerTests", &cancel, &status, &body) == HttpResult::kDone &&
        status == 200) {
      ready_ = true;
      return;
    }
    Sleep(100);
  }
}

LookupStandIn::~LookupStandIn() {
  if (ready_) Get("/quit");
}

std::string LookupStandIn::Address() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::string LookupStandIn::Get(const char* path) {
  HttpCancel cancel;
  DWORD status = 0;
  std::string body;
  HttpGet(Address().c_str(), path, "ZantoPlayerTests", &cancel, &status, &body);
  return body;
}

std::vector<std::string> LookupStandIn::Requests() {
  std::vector<std::string> lines;
  std::istringstream text(Get("/requests"));
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}
