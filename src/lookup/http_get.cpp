#include "lookup/http_get.h"

#include "common/handles.h"

namespace {

struct InternetTraits {
  static HINTERNET Invalid() { return nullptr; }
  static void Close(HINTERNET h) { WinHttpCloseHandle(h); }
};
using unique_hinternet = UniqueHandle<HINTERNET, InternetTraits>;

std::wstring Wide(const char* text) {
  std::wstring wide;
  int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (size <= 1) return wide;
  wide.resize(static_cast<size_t>(size));
  MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], size);
  wide.resize(static_cast<size_t>(size - 1));
  return wide;
}

// The system's proxies where it can find them itself (Windows 8.1 on), its
// default proxy elsewhere.
HINTERNET OpenSession(const std::wstring& agent) {
  HINTERNET session = WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME,
                                  WINHTTP_NO_PROXY_BYPASS, 0);
  if (!session) {
    session = WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                          WINHTTP_NO_PROXY_BYPASS, 0);
  }
  if (!session) return nullptr;
  // TLS 1.2, which older systems leave off, and 1.3 where the system has it:
  // naming 1.2 alone would turn 1.3 off.
  DWORD protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2 | WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_3;
  if (!WinHttpSetOption(session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof(protocols))) {
    protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2;
    WinHttpSetOption(session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof(protocols));
  }
  WinHttpSetTimeouts(session, kHttpTimeoutMs, kHttpTimeoutMs, kHttpTimeoutMs, kHttpTimeoutMs);
  return session;
}

HttpResult Failure(HttpCancel* cancel) { return cancel->Cancelled() ? HttpResult::kCancelled : HttpResult::kNoAnswer; }

}  // namespace

HttpCancel::HttpCancel() { InitializeCriticalSection(&lock_); }

HttpCancel::~HttpCancel() { DeleteCriticalSection(&lock_); }

void HttpCancel::Cancel() {
  EnterCriticalSection(&lock_);
  cancelled_ = true;
  if (request_) WinHttpCloseHandle(request_);
  request_ = nullptr;
  LeaveCriticalSection(&lock_);
}

bool HttpCancel::Cancelled() {
  EnterCriticalSection(&lock_);
  bool cancelled = cancelled_;
  LeaveCriticalSection(&lock_);
  return cancelled;
}

bool HttpCancel::Track(HINTERNET request) {
  EnterCriticalSection(&lock_);
  bool cancelled = cancelled_;
  if (cancelled) {
    WinHttpCloseHandle(request);
  } else {
    request_ = request;
  }
  LeaveCriticalSection(&lock_);
  return !cancelled;
}

bool HttpCancel::Untrack() {
  EnterCriticalSection(&lock_);
  bool ours = request_ != nullptr;
  request_ = nullptr;
  LeaveCriticalSection(&lock_);
  return ours;
}

HttpResult HttpGet(const char* server, const char* path, const char* userAgent, HttpCancel* cancel,
                   DWORD* status, std::string* body) {
  body->clear();
  *status = 0;
  std::wstring url = Wide(server);
  URL_COMPONENTS parts = {};
  parts.dwStructSize = sizeof(parts);
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  if (url.empty() || !WinHttpCrackUrl(url.c_str(), 0, 0, &parts) || parts.dwHostNameLength == 0) {
    return HttpResult::kBadAddress;
  }
  std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring object(parts.lpszUrlPath ? std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) : std::wstring());
  while (!object.empty() && object.back() == L'/') object.pop_back();
  object += Wide(path);

  unique_hinternet session(OpenSession(Wide(userAgent)));
  if (!session) return HttpResult::kNoAnswer;
  unique_hinternet connection(WinHttpConnect(session.get(), host.c_str(), parts.nPort, 0));
  if (!connection) return HttpResult::kNoAnswer;
  DWORD flags = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
  HINTERNET request = WinHttpOpenRequest(connection.get(), L"GET", object.c_str(), nullptr, WINHTTP_NO_REFERER,
                                         WINHTTP_DEFAULT_ACCEPT_TYPES, flags);
  if (!request) return HttpResult::kNoAnswer;
  if (!cancel->Track(request)) return HttpResult::kCancelled;

  HttpResult result = HttpResult::kNoAnswer;
  if (WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) &&
      WinHttpReceiveResponse(request, nullptr)) {
    DWORD code = 0;
    DWORD size = sizeof(code);
    if (WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                            &code, &size, WINHTTP_NO_HEADER_INDEX)) {
      *status = code;
      result = HttpResult::kDone;
      char chunk[8192];
      for (;;) {
        DWORD read = 0;
        if (!WinHttpReadData(request, chunk, sizeof(chunk), &read)) {
          result = HttpResult::kNoAnswer;
          break;
        }
        if (read == 0) break;
        if (body->size() + read > kMaxAnswerBytes) {
          result = HttpResult::kTooLarge;
          break;
        }
        body->append(chunk, read);
      }
    }
  }
  if (cancel->Untrack()) {
    WinHttpCloseHandle(request);
  } else {
    result = HttpResult::kCancelled;
  }
  if (result != HttpResult::kDone && result != HttpResult::kTooLarge && cancel->Cancelled()) {
    return HttpResult::kCancelled;
  }
  return result == HttpResult::kNoAnswer ? Failure(cancel) : result;
}
