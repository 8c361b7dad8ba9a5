// The player's own controls beyond the skin's classic buttons: rewind and
// forward, the play modes (shuffle, repeat one, intro scan) and the time
// modes, and the keyboard's media keys (their volume keys: player_volume.cpp).
#include "app/player/player_window.h"
#include "cd/msf.h"
#include "settings/settings.h"

namespace {

int Flipped(int flag) { return flag ? 0 : 1; }

}  // namespace

PlayModes PlayerWindow::CurrentModes() const {
  const Settings& settings = settings_;
  return PlayModes{settings.shuffle != 0, settings.repeatTrack != 0, settings.introScan != 0,
                   settings.repeat != 0};
}

bool PlayerWindow::ReadPlayPosition(TrackPosition* at) {
  DriveReading reading = ReadDrive();
  if (!reading.positionKnown) return false;  // known only while playing
  *at = FromTmsf(reading.position);
  return true;
}

void PlayerWindow::SeekBy(int deltaFrames) {
  if (!state_.HasDisc()) return;
  TrackPosition at = {0, 0};
  if (ReadPlayPosition(&at)) {
    TrackPosition to = StepPosition(disc, at, deltaFrames);
    currentTrack = to.track;
    PlayFromTmsf(ToTmsf(to));
  } else if (state_.IsPaused()) {
    TrackPosition to = StepPosition(disc, FromTmsf(pausePosition), deltaFrames);
    currentTrack = to.track;
    pausePosition = ToTmsf(to);
  } else {
    return;  // stopped: a step has nowhere to start from
  }
  RefreshDisplays();
}

void PlayerWindow::OnRewindButton() { SeekBy(-kSeekStepFrames); }

void PlayerWindow::OnForwardButton() { SeekBy(kSeekStepFrames); }

bool PlayerWindow::OnKeyDown(WPARAM key, LPARAM lParam) {
  if (key != VK_LEFT && key != VK_RIGHT) return false;
  // Bit 30: the key was already down, so this is the keyboard's auto-repeat.
  bool autoRepeat = (lParam & (1 << 30)) != 0;
  DWORD now = GetTickCount();
  if (!KeyMayStep(autoRepeat, now, lastKeyStep)) return true;
  lastKeyStep = now;
  SeekBy(key == VK_LEFT ? -kSeekStepFrames : kSeekStepFrames);
  return true;
}

void PlayerWindow::FollowInOrder(int track) {
  if (playOrder.count <= 0 || OrderIndexOf(playOrder, track) < 0) {
    // A chosen track outside the order (or no order yet): one that starts with it.
    playOrder = settings_.shuffle ? DrawShuffle(disc, &randomState, track) : DiscOrder(disc);
  }
  int index = OrderIndexOf(playOrder, track);
  if (index >= 0) playOrder.index = index;
}

bool PlayerWindow::PlayEndForModes(DWORD tmsf, DWORD* endTmsf) {
  FollowInOrder(TmsfTrack(tmsf));
  TrackPosition end = PlayEnd(disc, CurrentModes(), FromTmsf(tmsf));
  if (end.track == 0) return false;
  *endTmsf = ToTmsf(end);
  return true;
}

void PlayerWindow::StartShuffledPlay(bool automatic, int endedTrack) {
  playOrder = DrawShuffle(disc, &randomState, 0, endedTrack);
  if (playOrder.count <= 0) return;
  currentTrack = playOrder.tracks[0];
  if (automatic) {
    PlayAutomatically(currentTrack);
  } else {
    PlayTrackAt(currentTrack, 0, 0, 0);
  }
}

int PlayerWindow::TrackAfter(int track) {
  if (!settings_.shuffle) return NextAudioTrack(disc, track);
  FollowInOrder(track);
  return OrderStepForward(&playOrder);
}

int PlayerWindow::TrackBefore(int track) {
  if (!settings_.shuffle) return PreviousAudioTrack(disc, track);
  FollowInOrder(track);
  return OrderStepBack(&playOrder);
}

void PlayerWindow::OnDiscArrived() {
  playOrder = PlayOrder();
  if (settings_.autoPlay) OnPlayButton();
}

bool PlayerWindow::OnTrackEnd() {
  PlayModes modes = CurrentModes();
  if (!PlaysTrackByTrack(modes) || playOrder.count <= 0) return false;
  AfterTrackEnd next = DecideAfterTrackEnd(modes, playOrder);
  if (next.track == 0) {
    // The order has played out: stopped at its start; the next Play draws anew.
    currentTrack = playOrder.tracks[0];
    playOrder = PlayOrder();
    return true;
  }
  // Every restart goes through the guard: a track that ends at once must
  // not become a loop of plays.
  if (next.redraw) {
    StartShuffledPlay(true, playOrder.tracks[playOrder.index]);
    return true;
  }
  currentTrack = next.track;
  PlayAutomatically(currentTrack);
  return true;
}

void PlayerWindow::ReplayWithModes() {
  TrackPosition at = {0, 0};
  if (!state_.HasDisc() || !ReadPlayPosition(&at)) return;
  currentTrack = at.track;
  PlayFromTmsf(ToTmsf(at));
}

void PlayerWindow::OnShuffleCommand() {
  settings_.shuffle = Flipped(settings_.shuffle);
  // A play that runs goes on with the track it is on; stopped, the next
  // Play draws the order.
  playOrder = PlayOrder();
  ReplayWithModes();
  settings_.Save();
}

void PlayerWindow::OnRepeatTrackCommand() {
  settings_.repeatTrack = Flipped(settings_.repeatTrack);
  ReplayWithModes();
  settings_.Save();
}

void PlayerWindow::OnIntroScanCommand() {
  settings_.introScan = Flipped(settings_.introScan);
  ReplayWithModes();
  settings_.Save();
}

void PlayerWindow::OnNextTimeMode() {
  settings_.timeMode = NextTimeMode(settings_.timeMode);
  UpdateTimeAndTitle(ReadDrive());
  settings_.Save();
}

void PlayerWindow::OnTimeWindowClick() { OnNextTimeMode(); }

ShownTime PlayerWindow::TimeToShow(int elapsedFrames) const {
  const PlayOrder* order = settings_.shuffle && playOrder.count > 0 ? &playOrder : nullptr;
  return TimeForMode(settings_.timeMode, disc, order, currentTrack, elapsedFrames);
}

void PlayerWindow::PlayPause() {
  DriveMode mode = DriveMode::kUnknown;
  bool playing = drive_->ReadMode(&mode) && mode == DriveMode::kPlaying;
  if (playing || state_.IsPaused()) {
    OnPauseButton();
  } else {
    OnPlayButton();
  }
}

void PlayerWindow::DoMediaAction(MediaAction action) {
  switch (action) {
    case MediaAction::PlayPause: PlayPause(); break;
    case MediaAction::Stop: OnStopButton(); break;
    case MediaAction::Next: OnNextSongButton(); break;
    case MediaAction::Previous: OnPreviousSongButton(); break;
    case MediaAction::Play: OnPlayButton(); break;
    case MediaAction::Pause: {
      DriveMode mode = DriveMode::kUnknown;
      if (drive_->ReadMode(&mode) && mode == DriveMode::kPlaying) OnPauseButton();
      break;
    }
    case MediaAction::None: break;
  }
}

bool PlayerWindow::OnAppCommand(LPARAM lParam) {
  if (OnVolumeAppCommand(GET_APPCOMMAND_LPARAM(lParam))) return true;
  MediaAction action = AppCommandAction(GET_APPCOMMAND_LPARAM(lParam));
  if (action == MediaAction::None) return false;
  DoMediaAction(action);
  return true;
}

void PlayerWindow::OnHotKey(WPARAM id) { DoMediaAction(HotKeyAction(static_cast<int>(id))); }

void PlayerWindow::ApplyMediaHotKeys() { mediaHotKeys.Apply(hwnd, settings_.mediaHotKeys != 0); }
