// A disc's lookup on a worker thread, so that the window never waits: the
// request, its retry, and the answer parsed, handed back through a message
// posted to the window. One lookup at a time; a new one cancels the last.
#ifndef ZANTO_LOOKUP_DISC_LOOKUP_H
#define ZANTO_LOOKUP_DISC_LOOKUP_H

#include <windows.h>

#include <string>

#include "common/handles.h"
#include "lookup/lookup_answer.h"

// The services refuse clients that ask more often.
constexpr DWORD kLookupRequestSpacingMs = 1000;
// A busy service (503) is asked once more after this.
constexpr DWORD kLookupRetryDelayMs = 2000;
// How long a cancel waits for the worker before leaving it to end alone.
constexpr DWORD kLookupCancelWaitMs = 2000;

struct LookupRequest {
  std::string server;     // e.g. "https://musicbrainz.org"
  std::string discId;     // the MusicBrainz disc id
  std::string userAgent;  // "ZantoPlayer/<version> ( <project URL> )"
  // Asked when the first server does not know the disc, unless the hello is
  // empty (no valid e-mail address).
  std::string gnudbServer;  // e.g. "https://gnudb.gnudb.org"
  std::string cddbQuery;    // CddbQueryCommand
  std::string cddbHello;    // CddbHello
};

// Of a list of gnudb's matches, the entries read: each read is a request,
// one a second.
constexpr size_t kMaxCddbReads = 5;

struct LookupJob;

class DiscLookup {
 public:
  DiscLookup() = default;
  ~DiscLookup();
  DiscLookup(const DiscLookup&) = delete;
  DiscLookup& operator=(const DiscLookup&) = delete;

  // When done, `message` goes to `window` with `ticket` as its wParam.
  // False when no worker could be started.
  bool Start(HWND window, UINT message, WPARAM ticket, const LookupRequest& request);
  // The answer of lookup `ticket` once its message came; false for a
  // ticket that is not the running lookup's.
  bool TakeAnswer(WPARAM ticket, LookupAnswer* out);
  // Cancels the running lookup, if any: its message never comes.
  void Cancel();
  bool Busy() const { return job_ != nullptr; }

 private:
  LookupJob* job_ = nullptr;
  unique_handle thread_;
};

// GET /ws/2/discid/<id>?inc=recordings+artist-credits&fmt=json
void MusicBrainzDiscPath(const char* discId, char* out, size_t capacity);
// The User-Agent the services ask for, from the module's version and the
// project's address in its string table.
void BuildUserAgent(HINSTANCE instance, char* out, size_t capacity);
// "1.2.3" from the module's version resource ("1.0" without one).
void ModuleVersion(HINSTANCE instance, char* out, size_t capacity);

#endif
