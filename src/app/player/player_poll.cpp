// The player's timer work: the 100 ms poll (osuwari, and every fifth tick
// the disc check and the displays), the mouth animation, and the display
// refreshes the buttons share. Each refresh asks the drive once for its mode
// and, while playing, once for its position, and the seek bar, time and
// title all show that one reading: every query is a request to the drive's
// hardware.
#include <cstring>

#include "app/rules/playback_rules.h"
#include "app/player/player_window.h"
#include "cd/msf.h"
#include "common/fixed_text.h"
#include "common/path_text.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

constexpr int kPollsPerRefresh = 5;  // the disc and the displays every 500 ms
constexpr int kRefreshesPerIdentityCheck = 2;  // once a second, and only while stopped
constexpr int kMouthFrames = 10;
constexpr size_t kTitleSize = 32;    // the plain window title
constexpr size_t kWindowTextSize = 160;  // room for a track's title

bool IsDiscAbsentMode(DriveMode mode) { return mode == DriveMode::kOpen || mode == DriveMode::kNotReady; }

}  // namespace

void PlayerWindow::OnTimer(UINT_PTR id) {
  if (id == kButtonHoldTimer) return;  // the skin window's own
  if (id == kVolumeSaveTimer) {
    OnVolumeSaveTimer();
  } else if (id == kPollTimer) {
    OnPollTimer();
  } else if (id == kAnimationTimer) {
    OnAnimationTimer();
  } else if (id == kRestartTimer) {
    OnRestartTimer();
  }
}

void PlayerWindow::OnPollTimer() {
  if (settings_.doOsuwari) Perch();
  // Perching needs nothing from the drive: only every fifth tick asks it.
  if (++pollTickCount < kPollsPerRefresh) return;
  pollTickCount = 0;

  // A failed mode query leaves kUnknown, which is none of the modes below:
  // the disc state stays as it was and the displays keep their values. The
  // drive watches the refresh for the end of the play, and tells it first.
  const unsigned endsBefore = playEndCount;
  DriveReading reading;
  if (!ReadIdentityInstead(&reading)) reading = drive_->Refresh();
  // A reading of the play's end shows nothing: the next one shows what follows.
  if (playEndCount != endsBefore) return;
  if (IsDiscAbsentMode(reading.mode)) {
    OnDiscGone();
  } else if (!state_.HasDisc() && reading.mode != DriveMode::kUnknown) {
    OnDiscAppeared();
    // A disc that began to play as it went in (AutoPlay) was shown with its play.
    if (state_.PlayInForce()) return;
  }
  state_.Refreshed(reading);
  RefreshEarlyForPlayEnd();
  ShowReading(reading);
}

void PlayerWindow::RefreshEarlyForPlayEnd() {
  // Due before the next refresh: that one comes at the first tick after the
  // end instead, which keeps the gap between tracks short at no cost in
  // commands (the refreshes after it keep their pace).
  DWORD due = drive_->MsUntilPlayEnd();
  DWORD untilRefresh = kPollInterval * kPollsPerRefresh;
  if (due < untilRefresh) {
    int ticks = static_cast<int>(due / kPollInterval) + 1;
    pollTickCount = kPollsPerRefresh - ticks;
  }
}

bool PlayerWindow::ReadIdentityInstead(DriveReading* reading) {
  // A drive we stopped leaves "stopped" only for a play of ours or for want
  // of a disc, and without a disc the identity cannot be read either: then
  // the mode is asked as usual.
  if (!state_.DriveStopped()) return false;
  if (++identityPollCount < kRefreshesPerIdentityCheck) return false;
  identityPollCount = 0;
  int identity = 0;
  if (!drive_->ReadIdentity(&identity)) return false;
  // Another disc went in while the mode said nothing: the old one's skin is
  // stored under its own identity, and the new one is read as it appears.
  if (identity != disc.identity) OnDiscGone();
  reading->mode = DriveMode::kStopped;
  return true;
}

DriveReading PlayerWindow::ReadDrive() { return ::ReadDrive(*drive_); }

void PlayerWindow::ShowReading(const DriveReading& reading) {
  // The selection follows playback into the next track.
  if (reading.positionKnown) currentTrack = TmsfTrack(reading.position);
  if (reading.mode == DriveMode::kOpen || reading.mode == DriveMode::kNotReady) {
    trayOpen_ = reading.mode == DriveMode::kOpen;
  }
  if (IsSeekDragging()) return;  // the drag shows its own place until the release
  UpdateSeekPosition(reading);
  UpdateTrackText();
  UpdateTimeAndTitle(reading);
}

void PlayerWindow::OnDiscAppeared() {
  // Right after a disc goes in a drive answers "stopped" a while before its
  // table of contents can be read: until it can, the disc is not taken as
  // present, and the next poll reads it again.
  PreferDigitalDrive();
  DiscInfo read;
  if (!drive_->ReadDiscInfo(&read)) return;
  disc = read;
  unreadableBase_ = drive_->UnreadableSectors();  // counted from this disc on
  identityPollCount = 0;
  settings_.LoadCd(disc.identity, disc.trackCount);
  ReadDiscCdText();
  LookUpNewDisc();
  const char* remembered = settings_.cdResourceFile;
  if (settings_.chgResByCd && remembered[0] != '\0' &&
      !SamePathIgnoringCase(remembered, settings_.lastFile)) {
    SwitchToDiscSkin();
  }
  // 0 for a disc without audio: the plain title, and nothing to play.
  currentTrack = FirstAudioTrack(disc);
  state_.DiscArrived();  // no play of ours is under way on a disc just found
  OnDiscArrived();
}

void PlayerWindow::OnDiscGone() {
  lookup_.Cancel();  // its answer would be for a disc no longer here
  if (state_.HasDisc()) settings_.ForgetCd();
  CancelPendingRestart();
  state_.DiscGone();  // whatever played went with the disc
  currentTrack = 0;
  playRunEnd = 0;
  disc = DiscInfo();
}

void PlayerWindow::OnAnimationTimer() {
  if (settings_.timeWindow != kTimeWindowMouth) return;
  // Every query is a request to the drive's hardware: the mouth steps by
  // the state the last refresh, or our own last play or stop, left.
  if (state_.IsPaused()) {
    ShowTime(0, mouthFrame, 0);  // the mouth holds still
  } else if (state_.Sounding()) {
    mouthFrame = (mouthFrame + 1) % kMouthFrames;
    ShowTime(0, mouthFrame, 0);
  } else {
    ShowTime(-1, 0, 0);
  }
}

void PlayerWindow::UpdateTimeAndTitle(const DriveReading& reading) {
  char plainTitle[kTitleSize];
  LoadText(instance, IDS_APP_NAME, plainTitle);
  int timeWindow = settings_.timeWindow;
  // A disc without audio tracks shows as no disc.
  bool hasAudio = state_.HasDisc() && currentTrack != 0;
  if (!hasAudio && timeWindow != kTimeWindowClock) {
    ShowTitle(plainTitle);
    ShowTime(-1, 0, 0);
    SetTimeRemaining(0);
    return;
  }
  blinkPhase = blinkPhase ? 0 : 1;

  int elapsed = 0;
  // Seeking, or the disc just went and the next poll has not seen it yet:
  // the title and the play time keep what they showed.
  bool keepLast = !ElapsedIn(reading, &elapsed) && hasAudio;
  ShownTime shown = TimeToShow(elapsed);
  int minutes = shown.minutes;
  int seconds = shown.seconds;

  if (!keepLast) {
    // The title never blinks: screen readers and the taskbar read it.
    char windowText[kWindowTextSize] = "";
    if (!hasAudio) {
      CopyText(windowText, plainTitle);
    } else {
      char trackTitle[kTrackTitleSize] = "";
      settings_.GetTrackTitle(currentTrack, trackTitle, sizeof(trackTitle));
      FormatPlayTitle(windowText, sizeof(windowText), currentTrack, shown, plainTitle, trackTitle);
    }
    ShowTitle(windowText);
  }

  if (timeWindow == kTimeWindowPlayTime) {
    // The separator blinks while paused whatever blinkWhenPausing says; with
    // it, the digits blink too.
    const bool blinkedOff = state_.IsPaused() && blinkPhase;
    if (!keepLast && blinkedOff && settings_.blinkWhenPausing) {
      ShowTime(-1, 0, 0);
      SetTimeRemaining(0);
    } else if (!keepLast) {
      ShowTime(minutes, seconds, blinkedOff ? 0 : 1);
      SetTimeRemaining(shown.remaining ? 1 : 0);
    }
  } else if (timeWindow == kTimeWindowClock) {
    SetTimeRemaining(0);
    SYSTEMTIME now;
    GetLocalTime(&now);
    ShowTime(now.wHour, now.wMinute, blinkPhase ? 0 : 1);
  }
}

bool PlayerWindow::ElapsedIn(const DriveReading& reading, int* elapsedFrames) const {
  if (reading.mode == DriveMode::kStopped) {
    *elapsedFrames = state_.IsPaused() ? TmsfToFrames(pausePosition) : 0;
    return true;
  }
  // A position the drive refused keeps what shows: a made-up one would show
  // a time the drive never reported.
  if (reading.mode != DriveMode::kPlaying || !reading.positionKnown) return false;
  *elapsedFrames = TmsfToFrames(reading.position);
  return true;
}

void PlayerWindow::UpdateTrackText() {
  if (currentTrack == 0) {
    // A disc without audio shows nothing; no disc at all says so.
    char absent[kPathSize] = "";
    if (!state_.HasDisc()) LoadText(instance, trayOpen_ ? IDS_TEXT_TRAY_OPEN : IDS_TEXT_NO_DISC, absent);
    ShowText(absent);
    return;
  }
  char line[kPathSize];
  // A lookup by hand can take seconds: the window says it is under way.
  if (lookupByHand_ && lookup_.Busy()) {
    LoadText(instance, IDS_TEXT_LOOKING_UP, line);
    ShowText(line);
    return;
  }
  char title[kTrackTitleSize] = "";
  char format[kPathSize];
  if (settings_.GetTrackTitle(currentTrack, title, sizeof(title))) {
    FormatText(line, sizeof(line), "%d. %s", currentTrack, title);
  } else {
    LoadText(instance, IDS_TRACK_FORMAT, format);
    FormatText(line, sizeof(line), format, currentTrack);
  }
  // Sectors of this disc heard as silence: the user should know why.
  int lost = drive_->UnreadableSectors() - unreadableBase_;
  if (lost > 0) {
    LoadText(instance, IDS_TEXT_UNREADABLE, format);
    char note[kPathSize];
    FormatText(note, sizeof(note), format, lost);
    AppendText(line, note);
  }
  ShowText(line);
}

// The displays change only every second or so while the poll refreshes them
// twice a second: what already shows is not drawn again.
void PlayerWindow::ShowTime(int first, int second, int separatorOn) {
  if (first == timeFirst && second == timeSecond && separatorOn == timeSeparatorOn) return;
  SetTime(first, second, separatorOn);
}

void PlayerWindow::ShowText(const char* line) {
  if (strcmp(line, text) != 0) SetText(line);
}

void PlayerWindow::ShowTitle(const char* title) {
  char shown[kWindowTextSize] = "";
  GetWindowTextA(hwnd, shown, sizeof(shown));
  if (strcmp(title, shown) != 0) SetWindowTextA(hwnd, title);
}

void PlayerWindow::UpdateSeekPosition(const DriveReading& reading) {
  if (!state_.HasDisc()) {
    seekFrames_ = -1;
    SetSeekPosition(-1);
    return;
  }
  DWORD at = 0;
  if (reading.mode == DriveMode::kStopped && state_.IsPaused()) {
    at = pausePosition;
  } else if (reading.mode == DriveMode::kPlaying) {
    // Refused: the bar keeps its place rather than jump to a made-up one.
    if (!reading.positionKnown) return;
    at = reading.position;
  } else {
    seekFrames_ = -1;
    SetSeekPosition(-1);
    return;
  }
  seekFrames_ = TmsfToFrames(at);
  SetSeekPosition(SeekBarPosition(TmsfToFrames(at), TrackLengthFrames(TmsfTrack(at))));
}
