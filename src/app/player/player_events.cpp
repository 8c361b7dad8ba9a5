// What the player's buttons do: play, pause, stop, the track steps, seeking
// and the tray. Pausing never uses the device's own pause: it stops the
// device and remembers where, and resuming plays from there.
#include "app/rules/playback_rules.h"
#include "app/player/player_window.h"
#include "cd/msf.h"
#include "settings/settings.h"

bool PlayerWindow::PlayTrackAt(int track, int minutes, int seconds, int frames) {
  return PlayFromTmsf(MakeTmsf(track, minutes, seconds, frames));
}

bool PlayerWindow::PlayFromTmsf(DWORD tmsf) {
  int track = TmsfTrack(tmsf);
  // A real drive refuses to play a data track; do not even ask.
  if (!IsAudioTrack(disc, track)) return false;
  int runEnd = RunEndTrack(disc, track);
  DWORD endTmsf = 0;  // none: to the disc's end
  if (PlayEndForModes(tmsf, &endTmsf)) {
    // Shuffle, repeat one, intro: one track (or its intro) at a time.
    runEnd = track;
  } else if (disc.tracks[runEnd].lengthKnown) {
    DWORD length = disc.tracks[runEnd].length;
    endTmsf = MakeTmsf(runEnd, MsfMinutes(length), MsfSeconds(length), MsfFrames(length));
  }
  // Without the run's length (the list came out short) the play runs to the
  // disc's end, which only the drive's end of play can tell.
  if (!drive_->Play(tmsf, endTmsf)) return false;
  currentTrack = track;  // the selection follows what plays
  playRunEnd = runEnd;
  CancelPendingRestart();
  DWORD now = GetTickCount();
  restartGuard.PlayStarted(now);
  state_.PlayStarted(now);
  return true;
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
  if (track && state_.HasDisc() && !state_.PlayInForce()) PlayTrackAt(track, 0, 0, 0);
}

bool PlayerWindow::StopPlayback() {
  CancelPendingRestart();
  // A stop the drive refused leaves its play running: that play's end counts.
  if (!drive_->Stop()) return false;
  state_.Stopped();
  return true;
}

bool PlayerWindow::PausePlayback() {
  // Where playback is now, which may be past the track the last poll saw.
  DWORD at = 0;
  if (!drive_->ReadPosition(&at) || !StopPlayback()) return false;
  state_.Paused();
  currentTrack = TmsfTrack(at);
  pausePosition = at;
  return true;
}

bool PlayerWindow::ResumePlayback() { return PlayFromTmsf(pausePosition); }

void PlayerWindow::RefreshDisplays() { ShowReading(ReadDrive()); }

void PlayerWindow::OnPlayButton() {
  if (!state_.HasDisc() || !currentTrack) return;  // no disc, or no audio on it
  DriveMode mode = DriveMode::kUnknown;
  if (!drive_->ReadMode(&mode) || mode == DriveMode::kPlaying) return;
  // Seeking, or a play of ours not yet under way: it goes where the last
  // step or seek sent it, not back to the track's start.
  if (mode == DriveMode::kSeeking) return;
  if (state_.StartingUp(GetTickCount())) return;
  if (state_.IsPaused()) {
    ResumePlayback();
  } else if (settings_.shuffle && playOrder.count <= 0) {
    StartShuffledPlay();
  } else {
    PlayTrackAt(currentTrack, 0, 0, 0);
  }
  RefreshDisplays();
}

void PlayerWindow::OnPauseButton() {
  DriveMode mode = DriveMode::kUnknown;
  bool playing = drive_->ReadMode(&mode) && mode == DriveMode::kPlaying;
  if (playing) {
    PausePlayback();
  } else if (state_.IsPaused()) {
    ResumePlayback();
  } else {
    return;
  }
  RefreshDisplays();
}

void PlayerWindow::OnStopButton() {
  if (!state_.HasDisc()) return;
  StopPlayback();
  state_.PauseDropped();  // whatever Stop said: the next Play starts the track afresh
}

void PlayerWindow::OnPreviousSongButton() {
  DriveMode mode = DriveMode::kUnknown;
  if (!drive_->ReadMode(&mode) || !currentTrack) return;
  if (mode == DriveMode::kPlaying) {
    // Playback may have rolled into the next track since the last poll. A
    // position the drive would not give restarts the track rather than take
    // an unknown time for the first two seconds.
    DWORD at = 0;
    if (drive_->ReadPosition(&at)) {
      currentTrack = TmsfTrack(at);
      if (IsUnderTwoSeconds(MakeMsf(TmsfMinutes(at), TmsfSeconds(at), TmsfFrames(at)))) {
        currentTrack = TrackBefore(currentTrack);
      }
    }
    PlayTrackAt(currentTrack, 0, 0, 0);
  } else {
    currentTrack = TrackBefore(currentTrack);
  }
  state_.PauseDropped();
  RefreshDisplays();
}

void PlayerWindow::OnNextSongButton() {
  DriveMode mode = DriveMode::kUnknown;
  if (!drive_->ReadMode(&mode) || !currentTrack) return;
  if (mode == DriveMode::kPlaying) drive_->ReadCurrentTrack(&currentTrack);
  currentTrack = TrackAfter(currentTrack);
  if (mode == DriveMode::kPlaying) PlayTrackAt(currentTrack, 0, 0, 0);
  state_.PauseDropped();
  RefreshDisplays();
}

void PlayerWindow::OnSeekRegion(int position) {
  if (!state_.HasDisc()) return;
  DriveMode mode = DriveMode::kUnknown;
  if (!drive_->ReadMode(&mode)) return;
  int track = 0;
  if (mode == DriveMode::kStopped) {
    track = state_.IsPaused() ? TmsfTrack(pausePosition) : currentTrack;
  } else if (mode == DriveMode::kPlaying) {
    if (!drive_->ReadCurrentTrack(&track)) return;
  } else {
    return;
  }
  int target = SeekTargetFrames(TrackLengthFrames(track), position);
  PlayFromTmsf(ToTmsf(TrackPosition{track, target}));
  RefreshDisplays();
}

void PlayerWindow::OnOpenFileButton() {
  if (imageOpen_) {
    CloseDiscImage();  // an image's eject takes it out for good
    return;
  }
  DriveMode mode = DriveMode::kUnknown;
  // A failed query counts as a closed tray.
  if (drive_->ReadMode(&mode) && mode == DriveMode::kOpen) {
    drive_->CloseDoor();
  } else {
    drive_->OpenDoor();
  }
}

void PlayerWindow::OnCloseButton() { DestroyWindow(hwnd); }

void PlayerWindow::OnMinimizeButton() { ShowWindow(hwnd, SW_MINIMIZE); }

void PlayerWindow::OnRepeatButton() {
  settings_.repeat = settings_.repeat ? 0 : 1;
  ShowModes();
}

int PlayerWindow::TrackLengthFrames(int track) const {
  if (track < 1 || track > KnownTracks(disc)) return 0;
  return disc.tracks[track].lengthFrames;
}
