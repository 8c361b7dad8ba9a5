// The player's timer work: the 100 ms poll (osuwari, and every fifth tick
// the disc check and the displays), the mouth animation, and the three
// display refreshes the buttons share.
#include <cstring>

#include "app/application.h"
#include "app/playback_rules.h"
#include "app/player_window.h"
#include "cd/msf.h"
#include "common/fixed_text.h"
#include "common/path_text.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

constexpr int kPollsPerRefresh = 5;  // the disc and the displays every 500 ms
constexpr int kMouthFrames = 10;
constexpr size_t kTitleSize = 32;    // the plain window title
constexpr size_t kWindowTextSize = 64;

bool IsDiscAbsentMode(DWORD mode) { return mode == MCI_MODE_OPEN || mode == MCI_MODE_NOT_READY; }

}  // namespace

void PlayerWindow::OnTimer(UINT_PTR id) {
  // A failed query leaves kModeUnknown, which is none of the modes below:
  // the disc state stays as it was and the displays keep their last values.
  if (id != kPollTimer && id != kAnimationTimer) return;  // the skin window's own
  DWORD mode = kModeUnknown;
  if (cdDevice.GetMode(mode)) mode = kModeUnknown;
  if (id == kPollTimer) {
    OnPollTimer(mode);
  } else if (id == kAnimationTimer) {
    OnAnimationTimer(mode);
  }
}

void PlayerWindow::OnPollTimer(DWORD mode) {
  if (appSettings->doOsuwari) Perch();
  if (++pollTickCount < kPollsPerRefresh) return;
  pollTickCount = 0;

  if (!discPresent && mode != kModeUnknown && !IsDiscAbsentMode(mode)) {
    OnDiscAppeared();
  } else if (IsDiscAbsentMode(mode)) {
    OnDiscGone();
  }
  UpdateSeekPosition();
  UpdateTrackText();
  UpdateTimeAndTitle();
}

void PlayerWindow::OnDiscAppeared() {
  // Right after a disc goes in a drive answers "stopped" a while before its
  // table of contents can be read: until it can, the disc is not taken as
  // present, and the next poll reads it again.
  int count = 0;
  int identity = 0;
  if (cdDevice.ReadTrackLengths() || cdDevice.GetTrackCount(count) ||
      cdDevice.GetMediaIdentity(identity)) {
    return;
  }
  trackCount = count;
  appSettings->LoadCd(identity, trackCount);
  const char* remembered = appSettings->cdResourceFile;
  if (appSettings->chgResByCd && remembered[0] != '\0' &&
      !SamePathIgnoringCase(remembered, appSettings->lastFile)) {
    SwitchToDiscSkin();
  }
  currentTrack = 1;
  discPresent = 1;
  paused = 0;
  OnDiscArrived();
}

void PlayerWindow::OnDiscGone() {
  if (discPresent) appSettings->ForgetCd();
  discPresent = 0;
  currentTrack = 0;
  trackCount = 0;
  paused = 0;
}

void PlayerWindow::OnAnimationTimer(DWORD mode) {
  if (appSettings->timeWindow != kTimeWindowMouth) return;
  if (discPresent && paused) {
    ShowTime(0, mouthFrame, 0);  // the mouth holds still
  } else if (discPresent && mode == MCI_MODE_PLAY) {
    mouthFrame = (mouthFrame + 1) % kMouthFrames;
    ShowTime(0, mouthFrame, 0);
  } else {
    ShowTime(-1, 0, 0);
  }
}

void PlayerWindow::UpdateTimeAndTitle() {
  char plainTitle[kTitleSize];
  LoadText(instance, IDS_APP_NAME, plainTitle);
  int timeWindow = appSettings->timeWindow;
  if (!discPresent && timeWindow != kTimeWindowClock) {
    ShowTitle(plainTitle);
    ShowTime(-1, 0, 0);
    return;
  }
  blinkPhase = blinkPhase ? 0 : 1;

  int elapsed = 0;
  // Seeking, or the disc just went and the next poll has not seen it yet:
  // the title and the play time keep what they showed.
  bool keepLast = !ReadElapsed(&elapsed) && discPresent;
  ShownTime shown = TimeToShow(elapsed);
  int minutes = shown.minutes;
  int seconds = shown.seconds;

  if (!keepLast) {
    char windowText[kWindowTextSize] = "";
    if (!discPresent) {
      CopyText(windowText, plainTitle);
    } else if (!(paused && appSettings->blinkWhenPausing && blinkPhase)) {
      // Time fonts have no minus sign: only the title shows it.
      FormatText(windowText, sizeof(windowText), "[%02d] %s%02d:%02d - %s", currentTrack,
                 shown.remaining ? "-" : "", minutes, seconds, plainTitle);
    }
    ShowTitle(windowText);
  }

  if (timeWindow == kTimeWindowPlayTime) {
    // The separator blinks while paused whatever blinkWhenPausing says.
    if (!keepLast) ShowTime(minutes, seconds, paused && blinkPhase ? 0 : 1);
  } else if (timeWindow == kTimeWindowClock) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    ShowTime(now.wHour, now.wMinute, blinkPhase ? 0 : 1);
  }
}

bool PlayerWindow::ReadElapsed(int* elapsedFrames) {
  DWORD mode = 0;
  if (cdDevice.GetMode(mode)) return false;
  if (mode == MCI_MODE_STOP) {
    *elapsedFrames = paused ? MsfToFrames(MakeMsf(TmsfMinutes(pausePosition),
                                                  TmsfSeconds(pausePosition),
                                                  TmsfFrames(pausePosition)))
                            : 0;
    return true;
  }
  if (mode != MCI_MODE_PLAY) return false;
  // The selection follows playback into the next track.
  cdDevice.GetCurrentTrack(currentTrack);
  DWORD start = 0;
  DWORD current = 0;
  cdDevice.GetPosition(start, currentTrack, TRUE);
  cdDevice.GetPosition(current, 0, FALSE);
  *elapsedFrames = MsfToFrames(MsfDifference(current, start, kNegativeToAbsolute));
  return true;
}

void PlayerWindow::UpdateTrackText() {
  if (currentTrack == 0) {
    ShowText("");
    return;
  }
  char title[kTrackTitleSize] = "";
  char line[kPathSize];
  if (appSettings->GetTrackTitle(currentTrack, title, sizeof(title))) {
    FormatText(line, sizeof(line), "%d. %s", currentTrack, title);
  } else {
    char format[kPathSize];
    LoadText(instance, IDS_TRACK_FORMAT, format);
    FormatText(line, sizeof(line), format, currentTrack);
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

void PlayerWindow::UpdateSeekPosition() {
  if (!discPresent) {
    SetSeekPosition(-1);
    return;
  }
  DWORD mode = 0;
  if (cdDevice.GetMode(mode)) mode = kModeUnknown;
  int track = 0;
  DWORD elapsed = 0;
  if (mode == MCI_MODE_STOP && paused) {
    track = TmsfTrack(pausePosition);
    elapsed = MakeMsf(TmsfMinutes(pausePosition), TmsfSeconds(pausePosition),
                      TmsfFrames(pausePosition));
  } else if (mode == MCI_MODE_PLAY) {
    cdDevice.GetCurrentTrack(track);
    DWORD start = 0;
    DWORD current = 0;
    cdDevice.GetPosition(start, track, TRUE);
    cdDevice.GetPosition(current, 0, FALSE);
    elapsed = MsfDifference(current, start, kNegativeToZero);
  } else {
    SetSeekPosition(-1);
    return;
  }
  SetSeekPosition(SeekBarPosition(MsfToFrames(elapsed), TrackLengthFrames(track)));
}
