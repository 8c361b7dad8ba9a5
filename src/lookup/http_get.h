// One HTTP(S) GET through WinHTTP, synchronous, for a worker thread: the
// system's proxy settings, TLS 1.2, a timeout on every step and a cap on the
// body. Another thread may cancel it at any time (HttpCancel).
#ifndef ZANTO_LOOKUP_HTTP_GET_H
#define ZANTO_LOOKUP_HTTP_GET_H

#include <windows.h>
#include <winhttp.h>

#include <string>

// A body beyond this is not an answer of the services we ask.
constexpr size_t kMaxAnswerBytes = 1024 * 1024;
constexpr int kHttpTimeoutMs = 10000;

enum class HttpResult {
  kDone,        // an answer with a status code (any code)
  kNoAnswer,    // no connection, a timeout, a broken transfer
  kTooLarge,    // the body passed kMaxAnswerBytes
  kCancelled,
  kBadAddress,  // the server's URL cannot be read
};

// The one WinHTTP handle a GET is working on, so that another thread can
// close it under it: WinHTTP then fails the blocked call at once.
class HttpCancel {
 public:
  HttpCancel();
  ~HttpCancel();
  HttpCancel(const HttpCancel&) = delete;
  HttpCancel& operator=(const HttpCancel&) = delete;

  // From any thread; every later Track fails.
  void Cancel();
  bool Cancelled();
  // The worker's side: false (and the handle closed) once cancelled.
  bool Track(HINTERNET request);
  // The worker is done with its handle: true when it is still the worker's
  // to close, false when Cancel closed it.
  bool Untrack();

 private:
  CRITICAL_SECTION lock_;
  HINTERNET request_ = nullptr;
  bool cancelled_ = false;
};

// `server` is "https://host[:port]" or "http://host[:port]" (a path after
// it is kept as the prefix of `path`); `path` starts with '/'.
HttpResult HttpGet(const char* server, const char* path, const char* userAgent, HttpCancel* cancel,
                   DWORD* status, std::string* body);

#endif
