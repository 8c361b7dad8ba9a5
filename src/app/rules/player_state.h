// What the player is doing: the whole machine of its states, and one
// function for each event that moves it. The player's own commands and the
// drive's readings are the events; times are GetTickCount milliseconds,
// passed in, so the rules are plain arithmetic.
#ifndef ZANTO_APP_PLAYER_STATE_H
#define ZANTO_APP_PLAYER_STATE_H

#include <windows.h>

#include "cd/cd_drive.h"

enum class PlayerState {
  kNoDisc,    // no disc, the tray open, or a disc that cannot be read yet
  kStopped,   // a disc, and no play of ours in force
  kPaused,    // stopped at a place that Play goes on from
  kStarting,  // a play was sent, and no refresh has seen the drive play it yet
  kPlaying,
  kSeeking,   // the drive moves to a play of ours
};

// How long a play just sent may take to report "playing" before Play acts again.
constexpr DWORD kPlayStartupMs = 3000;

class PlayerStateMachine {
 public:
  PlayerState state() const { return state_; }

  // The events.
  // A disc could be read in the drive.
  void DiscArrived();
  // The disc was taken out, its tray opened, or it was swapped for another one.
  void DiscGone();
  // The drive accepted a play at `now`, the user's or an automatic one.
  void PlayStarted(DWORD now);
  // A refresh read the drive: a play of ours is confirmed, or seeking.
  void Refreshed(const DriveReading& reading);
  // The play in force reached its end, by whatever the drive told.
  void PlayEnded();
  // The drive stopped at a place kept for Play.
  void Paused();
  // The drive stopped for the user.
  void Stopped();
  // A track step or Stop gave up the paused place; the drive stays stopped.
  void PauseDropped();

  // What follows from the state.
  bool HasDisc() const { return state_ != PlayerState::kNoDisc; }
  bool IsPaused() const { return state_ == PlayerState::kPaused; }
  // A play of ours is in force: what the drive tells of a play's end stands for it.
  bool PlayInForce() const;
  // Sent a moment ago and not seen playing yet: Play waits for it.
  bool StartingUp(DWORD now) const;
  // The drive should be playing: the mouth moves.
  bool Sounding() const;
  // The drive was left stopped: a disc swapped meanwhile is told by its identity.
  bool DriveStopped() const;

 private:
  PlayerState state_ = PlayerState::kNoDisc;
  DWORD playSentAt_ = 0;
};

#endif
