// What the player's buttons do: play, pause, stop, the track steps, seeking
// and the tray. Pausing never uses the device's own pause: it stops the
// device and remembers where, and resuming plays from there.
#include "app/application.h"
#include "app/playback_rules.h"
#include "app/player_window.h"
#include "cd/msf.h"
#include "settings/settings.h"

MCIERROR PlayerWindow::PlayTrackAt(int track, int minutes, int seconds, int frames) {
  MCIERROR error = PlayFromWithModes(MakeTmsf(track, minutes, seconds, frames));
  if (!error) paused = 0;
  return error;
}

MCIERROR PlayerWindow::PausePlayback() {
  DWORD start = 0;
  MCIERROR error = cdDevice.GetPosition(start, currentTrack, TRUE);
  if (error) return error;
  DWORD current = 0;
  error = cdDevice.GetPosition(current, 0, FALSE);
  if (error) return error;
  DWORD elapsed = MsfDifference(current, start, kNegativeToZero);
  error = cdDevice.Stop();
  if (error) return error;
  paused = 1;
  pausePosition = MakeTmsf(currentTrack, MsfMinutes(elapsed), MsfSeconds(elapsed),
                           MsfFrames(elapsed));
  return 0;
}

MCIERROR PlayerWindow::ResumePlayback() {
  MCIERROR error = PlayFromWithModes(pausePosition);
  if (!error) paused = 0;
  return error;
}

void PlayerWindow::OnPlayButton() {
  if (!discPresent) return;
  DWORD mode = 0;
  if (cdDevice.GetMode(mode) || mode == MCI_MODE_PLAY) return;
  if (paused) {
    ResumePlayback();
  } else if (appSettings->shuffle && playOrder.count <= 0) {
    StartShuffledPlay();
  } else {
    PlayTrackAt(currentTrack, 0, 0, 0);
  }
}

void PlayerWindow::OnPauseButton() {
  DWORD mode = 0;
  bool playing = cdDevice.GetMode(mode) == 0 && mode == MCI_MODE_PLAY;
  if (playing) {
    PausePlayback();
  } else if (paused) {
    ResumePlayback();
  }
}

void PlayerWindow::OnStopButton() {
  if (!discPresent) return;
  cdDevice.Stop();
  paused = 0;  // whatever Stop said: the next Play starts the track afresh
}

void PlayerWindow::OnPreviousSongButton() {
  DWORD mode = 0;
  if (cdDevice.GetMode(mode)) return;
  if (mode == MCI_MODE_PLAY) {
    DWORD start = 0;
    DWORD current = 0;
    cdDevice.GetPosition(start, currentTrack, TRUE);
    cdDevice.GetPosition(current, 0, FALSE);
    if (IsUnderTwoSeconds(MsfDifference(current, start, kNegativeToZero))) {
      currentTrack = TrackBefore(currentTrack);
    }
    PlayTrackAt(currentTrack, 0, 0, 0);
  } else {
    currentTrack = TrackBefore(currentTrack);
  }
  paused = 0;
  UpdateTimeAndTitle();
  UpdateTrackText();
}

void PlayerWindow::OnNextSongButton() {
  DWORD mode = 0;
  if (cdDevice.GetMode(mode)) return;
  currentTrack = TrackAfter(currentTrack);
  if (mode == MCI_MODE_PLAY) PlayTrackAt(currentTrack, 0, 0, 0);
  paused = 0;
  UpdateTimeAndTitle();
  UpdateTrackText();
}

void PlayerWindow::OnSeekRegion(int position) {
  if (!discPresent) return;
  DWORD mode = 0;
  if (cdDevice.GetMode(mode)) return;
  int track = 0;
  if (mode == MCI_MODE_STOP) {
    track = paused ? TmsfTrack(pausePosition) : currentTrack;
  } else if (mode == MCI_MODE_PLAY) {
    if (cdDevice.GetCurrentTrack(track)) return;
  } else {
    return;
  }
  int target = SeekTargetFrames(TrackLengthFrames(track), position);
  PlayTrackAt(track, target / kFramesPerMinute, (target % kFramesPerMinute) / kFramesPerSecond,
              target % kFramesPerSecond);
}

void PlayerWindow::OnOpenFileButton() {
  DWORD mode = 0;
  // A failed query counts as a closed tray.
  if (cdDevice.GetMode(mode) == 0 && mode == MCI_MODE_OPEN) {
    cdDevice.CloseDoor();
  } else {
    cdDevice.OpenDoor();
  }
}

void PlayerWindow::OnCloseButton() { DestroyWindow(hwnd); }

void PlayerWindow::OnMinimizeButton() { ShowWindow(hwnd, SW_MINIMIZE); }

void PlayerWindow::OnRepeatButton() { appSettings->repeat = appSettings->repeat ? 0 : 1; }

int PlayerWindow::TrackLengthFrames(int track) const {
  const GrowableArray& lengths = cdDevice.trackLengths;
  if (track < 1 || track >= lengths.count) return 0;
  return MsfToFrames(*static_cast<const DWORD*>(lengths.At(track)));
}
