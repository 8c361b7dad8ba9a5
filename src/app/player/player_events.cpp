// What the player's buttons do: play, pause, stop, the track steps, seeking
// and the tray. Pausing never uses the device's own pause: it stops the
// device and remembers where, and resuming plays from there.
#include "app/application.h"
#include "app/rules/playback_rules.h"
#include "app/player/player_window.h"
#include "cd/msf.h"
#include "settings/settings.h"

MCIERROR PlayerWindow::PlayTrackAt(int track, int minutes, int seconds, int frames) {
  return PlayFromTmsf(MakeTmsf(track, minutes, seconds, frames));
}

MCIERROR PlayerWindow::PlayFromTmsf(DWORD tmsf) {
  int track = TmsfTrack(tmsf);
  // A real drive refuses to play a data track; do not even ask.
  if (!IsAudioTrack(disc, track)) return MCIERR_OUTOFRANGE;
  int runEnd = RunEndTrack(disc, track);
  DWORD endTmsf = 0;
  MCIERROR error = 0;
  if (PlayEndForModes(tmsf, &endTmsf)) {
    // Shuffle, repeat one, intro: one track (or its intro) at a time.
    error = cdDevice.PlayRange(hwnd, tmsf, endTmsf);
    runEnd = track;
  } else if (disc.tracks[runEnd].lengthKnown) {
    DWORD length = disc.tracks[runEnd].length;
    endTmsf = MakeTmsf(runEnd, MsfMinutes(length), MsfSeconds(length), MsfFrames(length));
    error = cdDevice.PlayRange(hwnd, tmsf, endTmsf);
  } else {
    // The run's length is unknown (the list came out short): to the disc's
    // end, which only its notice can tell.
    error = cdDevice.PlayFrom(hwnd, tmsf);
  }
  if (error) return error;
  paused = 0;
  playRunEnd = runEnd;
  polledMode = MCI_MODE_PLAY;
  CancelPendingRestart();
  DWORD now = GetTickCount();
  restartGuard.PlayStarted(now);
  playEndWatch.Started(endTmsf ? DiscFramesAt(endTmsf) : kUnknownPlayEnd, now);
  return 0;
}

int PlayerWindow::DiscFramesAt(DWORD tmsf) const {
  return DiscFrames(disc, FromTmsf(tmsf));
}

void PlayerWindow::PlayAutomatically(int track) {
  CancelPendingRestart();
  DWORD delay = restartGuard.RestartDelay(GetTickCount());
  if (delay == 0) {
    PlayTrackAt(track, 0, 0, 0);
    return;
  }
  pendingRestartTrack = track;
  SetTimer(hwnd, kRestartTimer, delay, nullptr);
}

void PlayerWindow::CancelPendingRestart() {
  if (!pendingRestartTrack) return;
  KillTimer(hwnd, kRestartTimer);
  pendingRestartTrack = 0;
}

void PlayerWindow::OnRestartTimer() {
  int track = pendingRestartTrack;
  CancelPendingRestart();
  // A play of the user's own meanwhile cancelled the restart. The drive's
  // mode cannot tell: today's driver says "playing" at the end of a play.
  if (track && discPresent && !restartGuard.PlayInForce()) PlayTrackAt(track, 0, 0, 0);
}

MCIERROR PlayerWindow::StopPlayback() {
  CancelPendingRestart();
  MCIERROR error = cdDevice.Stop();
  // A stop the drive refused leaves its play running: that play's end counts.
  if (error) return error;
  restartGuard.Stopped();
  polledMode = MCI_MODE_STOP;
  return 0;
}

MCIERROR PlayerWindow::PausePlayback() {
  // Where playback is now, which may be past the track the last poll saw.
  DWORD at = 0;
  MCIERROR error = ReadTrackPosition(&at);
  if (error) return error;
  error = StopPlayback();
  if (error) return error;
  paused = 1;
  currentTrack = TmsfTrack(at);
  pausePosition = at;
  return 0;
}

MCIERROR PlayerWindow::ResumePlayback() { return PlayFromTmsf(pausePosition); }

void PlayerWindow::RefreshDisplays() { ShowReading(ReadDrive()); }

void PlayerWindow::OnPlayButton() {
  if (!discPresent || !currentTrack) return;  // no disc, or no audio on it
  DWORD mode = 0;
  if (cdDevice.GetMode(mode) || mode == MCI_MODE_PLAY) return;
  // Seeking, or a play of ours not yet under way: it goes where the last
  // step or seek sent it, not back to the track's start.
  if (mode == MCI_MODE_SEEK) return;
  if (restartGuard.PlayInForce() && playEndWatch.StartingUp(GetTickCount())) return;
  if (paused) {
    ResumePlayback();
  } else if (settings_.shuffle && playOrder.count <= 0) {
    StartShuffledPlay();
  } else {
    PlayTrackAt(currentTrack, 0, 0, 0);
  }
  RefreshDisplays();
}

void PlayerWindow::OnPauseButton() {
  DWORD mode = 0;
  bool playing = cdDevice.GetMode(mode) == 0 && mode == MCI_MODE_PLAY;
  if (playing) {
    PausePlayback();
  } else if (paused) {
    ResumePlayback();
  } else {
    return;
  }
  RefreshDisplays();
}

void PlayerWindow::OnStopButton() {
  if (!discPresent) return;
  StopPlayback();
  paused = 0;  // whatever Stop said: the next Play starts the track afresh
}

void PlayerWindow::OnPreviousSongButton() {
  DWORD mode = 0;
  if (cdDevice.GetMode(mode) || !currentTrack) return;
  if (mode == MCI_MODE_PLAY) {
    // Playback may have rolled into the next track since the last poll. A
    // position the drive would not give restarts the track rather than take
    // an unknown time for the first two seconds.
    DWORD at = 0;
    if (ReadTrackPosition(&at) == 0) {
      currentTrack = TmsfTrack(at);
      if (IsUnderTwoSeconds(MakeMsf(TmsfMinutes(at), TmsfSeconds(at), TmsfFrames(at)))) {
        currentTrack = TrackBefore(currentTrack);
      }
    }
    PlayTrackAt(currentTrack, 0, 0, 0);
  } else {
    currentTrack = TrackBefore(currentTrack);
  }
  paused = 0;
  RefreshDisplays();
}

void PlayerWindow::OnNextSongButton() {
  DWORD mode = 0;
  if (cdDevice.GetMode(mode) || !currentTrack) return;
  if (mode == MCI_MODE_PLAY) cdDevice.GetCurrentTrack(currentTrack);
  currentTrack = TrackAfter(currentTrack);
  if (mode == MCI_MODE_PLAY) PlayTrackAt(currentTrack, 0, 0, 0);
  paused = 0;
  RefreshDisplays();
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
  PlayFromTmsf(ToTmsf(TrackPosition{track, target}));
  RefreshDisplays();
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

void PlayerWindow::OnRepeatButton() { settings_.repeat = settings_.repeat ? 0 : 1; }

int PlayerWindow::TrackLengthFrames(int track) const {
  if (track < 1 || track > KnownTracks(disc)) return 0;
  return disc.tracks[track].lengthFrames;
}
