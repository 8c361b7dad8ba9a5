// A drag on the seek bar: while the bar is held the title and the time
// window show the place the release will seek to, without asking the drive;
// the seek itself (OnSeekRegion) happens once, at the release.
#include "app/rules/playback_rules.h"
#include "app/player/player_window.h"
#include "cd/msf.h"
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

constexpr size_t kTitleSize = 32;  // the plain window title
constexpr size_t kWindowTextSize = 160;  // room for a track's title

}  // namespace

void PlayerWindow::OnSeekDrag(int position) {
  if (!state_.HasDisc() || !currentTrack) return;
  // The track the release seeks in, as OnSeekRegion chooses it.
  int track = state_.IsPaused() ? TmsfTrack(pausePosition) : currentTrack;
  ShownTime shown = TimeToShow(SeekTargetFrames(TrackLengthFrames(track), position));
  char plainTitle[kTitleSize];
  LoadText(instance, IDS_APP_NAME, plainTitle);
  char windowText[kWindowTextSize];
  char trackTitle[kTrackTitleSize] = "";
  settings_.GetTrackTitle(track, trackTitle, sizeof(trackTitle));
  FormatPlayTitle(windowText, sizeof(windowText), track, shown, plainTitle, trackTitle);
  ShowTitle(windowText);
  // The clock and the mouth keep their own show; the title has the place.
  if (settings_.timeWindow == kTimeWindowPlayTime) {
    ShowTime(shown.minutes, shown.seconds, 1);
    SetTimeRemaining(shown.remaining ? 1 : 0);
  }
}
