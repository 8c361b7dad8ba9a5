#include "lookup/disc_lookup.h"

#include <process.h>

#include <memory>
#include <new>

#include "common/fixed_text.h"
#include "lookup/cddb_text.h"
#include "lookup/http_get.h"
#include "resources/resource.h"

// Everything the worker touches: shared by the worker and its DiscLookup,
// freed by whichever lets go of it last, so a worker left behind at exit
// never touches the player.
struct LookupJob {
  LONG references = 2;
  HttpCancel cancel;
  unique_handle cancelled{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  LookupRequest request;
  HWND window = nullptr;
  UINT message = 0;
  WPARAM ticket = 0;
  LookupAnswer answer;
  volatile LONG done = 0;
};

namespace {

// When the last request of this program went out (any lookup's).
volatile LONG lastRequestTick = 0;
volatile LONG anyRequestSent = 0;

void Release(LookupJob* job) {
  if (InterlockedDecrement(&job->references) == 0) delete job;
}

// False when cancelled meanwhile.
bool Pause(LookupJob& job, DWORD ms) { return WaitForSingleObject(job.cancelled.get(), ms) == WAIT_TIMEOUT; }

bool WaitForRequestSlot(LookupJob& job) {
  if (InterlockedCompareExchange(&anyRequestSent, 0, 0)) {
    DWORD since = GetTickCount() - static_cast<DWORD>(InterlockedCompareExchange(&lastRequestTick, 0, 0));
    if (since < kLookupRequestSpacingMs && !Pause(job, kLookupRequestSpacingMs - since)) return false;
  }
  InterlockedExchange(&lastRequestTick, static_cast<LONG>(GetTickCount()));
  InterlockedExchange(&anyRequestSent, 1);
  return true;
}

// One GET with the spacing between requests and one more try after a 503:
// kFound with the body of a 200, kNotFound for a 404.
LookupStatus Fetch(LookupJob& job, const std::string& server, const char* path, std::string* body) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (attempt > 0 && !Pause(job, kLookupRetryDelayMs)) return LookupStatus::kCancelled;
    if (!WaitForRequestSlot(job)) return LookupStatus::kCancelled;
    DWORD status = 0;
    body->clear();
    HttpResult result = HttpGet(server.c_str(), path, job.request.userAgent.c_str(), &job.cancel, &status, body);
    switch (result) {
      case HttpResult::kCancelled: return LookupStatus::kCancelled;
      case HttpResult::kTooLarge: return LookupStatus::kMalformed;
      case HttpResult::kNoAnswer:
      case HttpResult::kBadAddress: return LookupStatus::kOffline;
      case HttpResult::kDone: break;
    }
    if (status == 503) continue;  // rate limited: once more, later
    if (status == 404) return LookupStatus::kNotFound;
    return status == 200 ? LookupStatus::kFound : LookupStatus::kOffline;
  }
  return LookupStatus::kOffline;
}

// "cddb query", then "cddb read" of each match (the first few of a list).
LookupStatus AskGnudb(LookupJob& job) {
  const LookupRequest& request = job.request;
  std::string body;
  LookupStatus status =
      Fetch(job, request.gnudbServer, CddbPath(request.cddbQuery, request.cddbHello).c_str(), &body);
  std::vector<CddbMatch> matches;
  if (status == LookupStatus::kFound) status = ParseCddbQuery(body, &matches);
  if (status != LookupStatus::kFound) return status;
  for (size_t i = 0; i < matches.size() && i < kMaxCddbReads; ++i) {
    std::string command = "cddb read " + matches[i].category + " " + matches[i].discId;
    status = Fetch(job, request.gnudbServer, CddbPath(command, request.cddbHello).c_str(), &body);
    if (status == LookupStatus::kCancelled) return status;
    ReleaseChoice release;
    if (status == LookupStatus::kFound && ParseCddbRead(body, &release) == LookupStatus::kFound) {
      job.answer.releases.push_back(std::move(release));
    }
  }
  // Every read failed: say why the last did.
  if (job.answer.releases.empty()) return status == LookupStatus::kFound ? LookupStatus::kMalformed : status;
  return LookupStatus::kFound;
}

LookupStatus Ask(LookupJob& job) {
  char path[256];
  MusicBrainzDiscPath(job.request.discId.c_str(), path, sizeof(path));
  std::string body;
  LookupStatus status = Fetch(job, job.request.server, path, &body);
  if (status == LookupStatus::kFound) {
    status = ParseMusicBrainzDiscAnswer(body, job.request.discId.c_str(), &job.answer.releases);
  }
  // Only a disc the first service does not know goes to the second: offline is offline.
  if (status != LookupStatus::kNotFound || job.request.cddbHello.empty() || job.request.cddbQuery.empty()) {
    return status;
  }
  job.answer.releases.clear();
  return AskGnudb(job);
}

unsigned __stdcall LookupThread(void* parameter) {
  LookupJob* job = static_cast<LookupJob*>(parameter);
  job->answer.status = Ask(*job);
  if (job->answer.status != LookupStatus::kFound) job->answer.releases.clear();
  InterlockedExchange(&job->done, 1);
  if (!job->cancel.Cancelled()) PostMessageA(job->window, job->message, job->ticket, 0);
  Release(job);
  return 0;
}

}  // namespace

DiscLookup::~DiscLookup() { Cancel(); }

bool DiscLookup::Start(HWND window, UINT message, WPARAM ticket, const LookupRequest& request) {
  Cancel();
  LookupJob* job = new (std::nothrow) LookupJob();
  if (!job) return false;
  if (!job->cancelled) {
    delete job;
    return false;
  }
  job->request = request;
  job->window = window;
  job->message = message;
  job->ticket = ticket;
  uintptr_t thread = _beginthreadex(nullptr, 0, LookupThread, job, 0, nullptr);
  if (thread == 0) {
    delete job;
    return false;
  }
  job_ = job;
  thread_.reset(reinterpret_cast<HANDLE>(thread));
  return true;
}

bool DiscLookup::TakeAnswer(WPARAM ticket, LookupAnswer* out) {
  if (!job_ || job_->ticket != ticket || !InterlockedCompareExchange(&job_->done, 0, 0)) return false;
  *out = std::move(job_->answer);
  WaitForSingleObject(thread_.get(), kLookupCancelWaitMs);  // it only has its return left
  thread_.reset();
  Release(job_);
  job_ = nullptr;
  return true;
}

void DiscLookup::Cancel() {
  if (!job_) return;
  job_->cancel.Cancel();
  SetEvent(job_->cancelled.get());
  WaitForSingleObject(thread_.get(), kLookupCancelWaitMs);
  thread_.reset();
  Release(job_);
  job_ = nullptr;
}

void MusicBrainzDiscPath(const char* discId, char* out, size_t capacity) {
  FormatText(out, capacity, "/ws/2/discid/%s?inc=recordings+artist-credits&fmt=json", discId);
}

void ModuleVersion(HINSTANCE instance, char* out, size_t capacity) {
  CopyText(out, capacity, "1.0");
  char module[MAX_PATH] = "";
  DWORD ignored = 0;
  DWORD size = GetModuleFileNameA(instance, module, sizeof(module)) ? GetFileVersionInfoSizeA(module, &ignored) : 0;
  std::unique_ptr<BYTE[]> block(size ? new (std::nothrow) BYTE[size] : nullptr);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT infoSize = 0;
  if (block && GetFileVersionInfoA(module, 0, size, block.get()) &&
      VerQueryValueA(block.get(), "\\", reinterpret_cast<void**>(&info), &infoSize) && infoSize >= sizeof(*info)) {
    FormatText(out, capacity, "%u.%u.%u", static_cast<unsigned>(HIWORD(info->dwProductVersionMS)),
               static_cast<unsigned>(LOWORD(info->dwProductVersionMS)),
               static_cast<unsigned>(HIWORD(info->dwProductVersionLS)));
  }
}

void BuildUserAgent(HINSTANCE instance, char* out, size_t capacity) {
  char version[32];
  ModuleVersion(instance, version, sizeof(version));
  char url[128];
  LoadText(instance, IDS_PROJECT_URL, url);
  FormatText(out, capacity, "ZantoPlayer/%s ( %s )", version, url);
}
