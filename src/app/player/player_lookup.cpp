// The player's side of the disc databases: a disc without titles looked up
// as it arrives, a lookup by hand, and the answer taken in on the window's
// own thread.
#include <memory>
#include <new>

#include "app/desktop/topmost_band.h"
#include "app/player/player_window.h"
#include "cd/disc_ids.h"
#include "common/message_box.h"
#include "dialogs/release_chooser.h"
#include "lookup/cddb_text.h"
#include "lookup/disc_lookup.h"
#include "resources/resource.h"
#include "settings/disc_titles.h"
#include "settings/settings.h"

namespace {

constexpr size_t kUserAgentSize = 256;

UINT FailureMessage(LookupStatus status, bool gnudbAsked) {
  switch (status) {
    // gnudb may know it: say how to have it asked too.
    case LookupStatus::kNotFound: return gnudbAsked ? IDS_LOOKUP_NOT_FOUND : IDS_LOOKUP_NOT_FOUND_ASK_GNUDB;
    case LookupStatus::kMalformed: return IDS_LOOKUP_MALFORMED;
    default: return IDS_LOOKUP_OFFLINE;
  }
}

}  // namespace

bool PlayerWindow::StartLookup(bool byHand) {
  lookup_.Cancel();
  DiscToc toc;
  char discId[kMusicBrainzIdSize] = "";
  if (!drive_->ReadToc(&toc) || !MusicBrainzDiscId(toc, discId)) {
    if (byHand) ShowMessageId(hwnd, IDS_LOOKUP_NO_ID, kMessageStyle);
    return false;
  }
  LookupRequest request;
  request.server = settings_.lookupServer;
  request.discId = discId;
  char agent[kUserAgentSize];
  BuildUserAgent(instance, agent, sizeof(agent));
  request.userAgent = agent;
  char version[32];
  ModuleVersion(instance, version, sizeof(version));
  request.gnudbServer = settings_.gnudbServer;
  request.cddbQuery = CddbQueryCommand(toc);
  request.cddbHello = CddbHello(settings_.gnudbUser, version);
  lookupAsksGnudb_ = !request.cddbHello.empty();
  ++lookupTicket_;
  lookupByHand_ = byHand;
  lookupIdentity_ = disc.identity;
  bool started = lookup_.Start(hwnd, kLookupAnswerMessage, lookupTicket_, request);
  if (byHand) UpdateTrackText();
  return started;
}

void PlayerWindow::LookUpNewDisc() {
  if (!settings_.lookupOnline || settings_.CdHasTitles()) return;
  StartLookup(false);
}

void PlayerWindow::OnLookupTitlesCommand() {
  if (!state_.HasDisc() || !settings_.cdKnown) return;
  StartLookup(true);
}

void PlayerWindow::OnLookupAnswer(WPARAM ticket) {
  LookupAnswer answer;
  if (!lookup_.TakeAnswer(ticket, &answer)) return;  // an older lookup's
  if (lookupByHand_) UpdateTrackText();  // no longer under way
  // The disc it was for has since gone or been swapped.
  if (!state_.HasDisc() || !settings_.cdKnown || disc.identity != lookupIdentity_) return;
  if (answer.status != LookupStatus::kFound || answer.releases.empty()) {
    // A lookup of its own accord never interrupts; one by hand says why.
    if (lookupByHand_) ShowMessageId(hwnd, FailureMessage(answer.status, lookupAsksGnudb_), kMessageStyle);
    return;
  }
  int chosen = 0;
  if (answer.releases.size() > 1) {
    PlaceInTopmostBand(hwnd, false);
    chosen = ChooseRelease(instance, hwnd, answer.releases);
    ApplyTopmost();
    // Swapped while the chooser was open: the titles are not this disc's.
    if (chosen < 0 || !state_.HasDisc() || disc.identity != lookupIdentity_) return;
  }
  const ReleaseChoice& release = answer.releases[static_cast<size_t>(chosen)];
  if (lookupByHand_) {
    OpenTitleEditor(&release);
    return;
  }
  std::unique_ptr<DiscTitles> titles(new (std::nothrow) DiscTitles());
  if (!titles) return;
  settings_.GetCdTitles(titles.get());
  FillFromRelease(release, titles.get());  // what is there already stays
  if (settings_.SaveCdTitles(*titles)) UpdateTrackText();
}
