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
constexpr int kRefreshesPerIdentityCheck = 2;  // once a second, and only while stopped
constexpr int kMouthFrames = 10;
constexpr size_t kTitleSize = 32;    // the plain window title
constexpr size_t kWindowTextSize = 64;

bool IsDiscAbsentMode(DWORD mode) { return mode == MCI_MODE_OPEN || mode == MCI_MODE_NOT_READY; }

}  // namespace

void PlayerWindow::OnTimer(UINT_PTR id) {
  // A failed query leaves kModeUnknown, which is none of the modes below:
  // the disc state stays as it was and the displays keep their last values.
  if (id == kButtonHoldTimer) return;  // the skin window's own
  if (id == kVolumeSaveTimer) {
    OnVolumeSaveTimer();
    return;
  }
  DWORD mode = kModeUnknown;
  if (id == kAnimationTimer) {
    // Only the mouth needs the mode, and one the poll read under a tick ago
    // will do: a mouth stepping every 100 ms must not double the queries.
    if (appSettings->timeWindow != kTimeWindowMouth) return;
    if (!polledModeValid || GetTickCount() - polledModeTick >= kPollInterval) {
      if (cdDevice.GetMode(mode)) mode = kModeUnknown;
    } else {
      mode = polledMode;
    }
  } else if (cdDevice.GetMode(mode)) {
    mode = kModeUnknown;
  }
  if (id == kPollTimer) {
    polledMode = mode;
    polledModeTick = GetTickCount();
    polledModeValid = true;
    OnPollTimer(mode);
  } else if (id == kAnimationTimer) {
    OnAnimationTimer(mode);
  } else if (id == kRestartTimer) {
    OnRestartTimer(mode);
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
  } else if (discPresent && mode == MCI_MODE_STOP) {
    CheckDiscIdentity();
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
  ReadAudioTracks(count);
  discIdentity = identity;
  identityPollCount = 0;
  appSettings->LoadCd(identity, trackCount);
  const char* remembered = appSettings->cdResourceFile;
  if (appSettings->chgResByCd && remembered[0] != '\0' &&
      !SamePathIgnoringCase(remembered, appSettings->lastFile)) {
    SwitchToDiscSkin();
  }
  // 0 for a disc without audio: the plain title, and nothing to play.
  currentTrack = FirstAudioTrack(audioTracks);
  discPresent = 1;
  paused = 0;
  OnDiscArrived();
}

void PlayerWindow::ReadAudioTracks(int count) {
  ResetAudioTracks(audioTracks, count);
  for (int track = 1; track <= audioTracks.trackCount; ++track) {
    DWORD type = MCI_CDA_TRACK_AUDIO;
    // A drive that cannot tell keeps the track audio, as it always was.
    if (cdDevice.GetTrackType(track, type) == 0 && type == MCI_CDA_TRACK_OTHER) {
      MarkDataTrack(audioTracks, track);
    }
  }
}

void PlayerWindow::CheckDiscIdentity() {
  if (++identityPollCount < kRefreshesPerIdentityCheck) return;
  identityPollCount = 0;
  int identity = 0;
  if (cdDevice.GetMediaIdentity(identity) || identity == discIdentity) return;
  // Another disc went in while the mode said nothing: the old one's skin is
  // stored under its own identity and the new one read afresh.
  OnDiscGone();
  OnDiscAppeared();
}

void PlayerWindow::OnDiscGone() {
  if (discPresent) appSettings->ForgetCd();
  CancelPendingRestart();
  discPresent = 0;
  currentTrack = 0;
  trackCount = 0;
  paused = 0;
  playRunEnd = 0;
  polledModeValid = false;
  ResetAudioTracks(audioTracks, 0);
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
  // A disc without audio tracks shows as no disc.
  bool hasAudio = discPresent && currentTrack != 0;
  if (!hasAudio && timeWindow != kTimeWindowClock) {
    ShowTitle(plainTitle);
    ShowTime(-1, 0, 0);
    return;
  }
  blinkPhase = blinkPhase ? 0 : 1;

  int elapsed = 0;
  // Seeking, or the disc just went and the next poll has not seen it yet:
  // the title and the play time keep what they showed.
  bool keepLast = !ReadElapsed(&elapsed) && hasAudio;
  ShownTime shown = TimeToShow(elapsed);
  int minutes = shown.minutes;
  int seconds = shown.seconds;

  if (!keepLast) {
    char windowText[kWindowTextSize] = "";
    if (!hasAudio) {
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
  // The selection follows playback into the next track. A query the drive
  // refuses keeps what shows: a missing start or position would show the
  // time on the disc as the time in the track.
  int track = 0;
  DWORD start = 0;
  DWORD current = 0;
  if (cdDevice.GetCurrentTrack(track) || cdDevice.GetPosition(start, track, TRUE) ||
      cdDevice.GetPosition(current, 0, FALSE)) {
    return false;
  }
  currentTrack = track;
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
    DWORD start = 0;
    DWORD current = 0;
    // Refused: the bar keeps its place rather than jump to a made-up one.
    if (cdDevice.GetCurrentTrack(track) || cdDevice.GetPosition(start, track, TRUE) ||
        cdDevice.GetPosition(current, 0, FALSE)) {
      return;
    }
    elapsed = MsfDifference(current, start, kNegativeToZero);
  } else {
    SetSeekPosition(-1);
    return;
  }
  SetSeekPosition(SeekBarPosition(MsfToFrames(elapsed), TrackLengthFrames(track)));
}
