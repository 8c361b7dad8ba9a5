#include "app/rules/player_state.h"

void PlayerStateMachine::DiscArrived() { state_ = PlayerState::kStopped; }

void PlayerStateMachine::DiscGone() { state_ = PlayerState::kNoDisc; }

void PlayerStateMachine::PlayStarted(DWORD now) {
  state_ = PlayerState::kStarting;
  playSentAt_ = now;
}

void PlayerStateMachine::Refreshed(const DriveReading& reading) {
  if (!PlayInForce()) return;
  // A drive that reads "stopped" under a play of ours has ended it, or was
  // stopped by another program: its end is told as such, not taken from here.
  if (reading.mode == DriveMode::kPlaying && reading.positionKnown) {
    state_ = PlayerState::kPlaying;
  } else if (reading.mode == DriveMode::kSeeking) {
    state_ = PlayerState::kSeeking;
  }
}

void PlayerStateMachine::PlayEnded() {
  if (PlayInForce()) state_ = PlayerState::kStopped;
}

void PlayerStateMachine::Paused() {
  if (HasDisc()) state_ = PlayerState::kPaused;
}

void PlayerStateMachine::Stopped() {
  if (HasDisc()) state_ = PlayerState::kStopped;
}

void PlayerStateMachine::PauseDropped() {
  if (state_ == PlayerState::kPaused) state_ = PlayerState::kStopped;
}

bool PlayerStateMachine::PlayInForce() const {
  return state_ == PlayerState::kStarting || state_ == PlayerState::kPlaying ||
         state_ == PlayerState::kSeeking;
}

bool PlayerStateMachine::StartingUp(DWORD now) const {
  // Unsigned difference: right across the wrap of the tick count.
  return state_ == PlayerState::kStarting && now - playSentAt_ < kPlayStartupMs;
}

bool PlayerStateMachine::Sounding() const {
  return state_ == PlayerState::kStarting || state_ == PlayerState::kPlaying;
}

bool PlayerStateMachine::DriveStopped() const {
  return state_ == PlayerState::kStopped || state_ == PlayerState::kPaused;
}
