#include "cd/mci_cd_drive.h"

#include "cd/cd_drives.h"
#include "cd/lookup_toc.h"
#include "cd/msf.h"

DriveOpenResult MciCdDrive::Open(char letter, HWND window, PlayEndListener* listener) {
  window_ = window;
  listener_ = listener;
  MCIERROR error = device_.Open(letter);
  if (error == 0) return DriveOpenResult::kOpened;
  return error == MCIERR_MUST_USE_SHAREABLE ? DriveOpenResult::kInUse : DriveOpenResult::kFailed;
}

void MciCdDrive::Close() {
  device_.Close();
  playInForce_ = false;
  disc_ = DiscInfo();
}

bool MciCdDrive::IsOpen() const { return device_.isOpen != FALSE; }

char MciCdDrive::Letter() const { return CdDriveInUse(device_); }

bool MciCdDrive::ReadDiscInfo(DiscInfo* disc) {
  DiscInfo read;
  if (device_.ReadDiscInfo(read)) return false;
  disc_ = read;
  playInForce_ = false;  // no play of ours is under way on a disc just found
  *disc = read;
  return true;
}

bool MciCdDrive::ReadIdentity(int* identity) { return device_.GetMediaIdentity(*identity) == 0; }

bool MciCdDrive::ReadMode(DriveMode* mode) {
  DWORD value = 0;
  if (device_.GetMode(value)) return false;
  switch (value) {
    case MCI_MODE_NOT_READY: *mode = DriveMode::kNotReady; break;
    case MCI_MODE_OPEN: *mode = DriveMode::kOpen; break;
    case MCI_MODE_STOP: *mode = DriveMode::kStopped; break;
    case MCI_MODE_PLAY: *mode = DriveMode::kPlaying; break;
    case MCI_MODE_SEEK: *mode = DriveMode::kSeeking; break;
    case MCI_MODE_PAUSE: *mode = DriveMode::kPaused; break;
    default: *mode = DriveMode::kUnknown; break;
  }
  // Whatever played went with the disc.
  if (*mode == DriveMode::kNotReady || *mode == DriveMode::kOpen) playInForce_ = false;
  return true;
}

bool MciCdDrive::ReadPosition(DWORD* tmsf) {
  DWORD at = 0;
  if (device_.GetTrackPosition(at)) return false;
  // A track the disc does not have is no position either.
  if (TmsfTrack(at) < 1 || TmsfTrack(at) > disc_.trackCount) return false;
  *tmsf = at;
  return true;
}

bool MciCdDrive::ReadCurrentTrack(int* track) { return device_.GetCurrentTrack(*track) == 0; }

DriveReading MciCdDrive::Refresh() {
  DriveReading reading = ReadDrive(*this);
  if (!playInForce_) return reading;
  if (reading.mode != DriveMode::kPlaying || !reading.positionKnown) {
    watch_.NoPosition();
  } else if (watch_.Playing(DiscFrames(disc_, FromTmsf(reading.position)), GetTickCount())) {
    EndPlay(true);
  }
  return reading;
}

DWORD MciCdDrive::MsUntilPlayEnd() const { return playInForce_ ? watch_.MsUntilEnd() : INFINITE; }

bool MciCdDrive::Play(DWORD fromTmsf, DWORD toTmsf) {
  MCIERROR error = toTmsf ? device_.PlayRange(window_, fromTmsf, toTmsf) : device_.PlayFrom(window_, fromTmsf);
  if (error) return false;
  playInForce_ = true;
  // Without an end (the disc's lengths came out short) only its notice tells.
  watch_.Started(toTmsf ? DiscFrames(disc_, FromTmsf(toTmsf)) : kUnknownPlayEnd);
  return true;
}

bool MciCdDrive::Stop() {
  // A stop the drive refused leaves its play running: that play's end counts.
  if (device_.Stop()) return false;
  playInForce_ = false;
  return true;
}

bool MciCdDrive::OpenDoor() { return device_.OpenDoor() == 0; }

bool MciCdDrive::CloseDoor() { return device_.CloseDoor() == 0; }

bool MciCdDrive::OnWindowMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != MM_MCINOTIFY) return false;
  // Superseded or aborted: a newer play, or a stop. A drive may end a play
  // at its MCI_TO with a failure: that is the end of the play all the same.
  if (wParam != MCI_NOTIFY_SUCCESSFUL && wParam != MCI_NOTIFY_FAILURE) return true;
  // Queued before a stop, or the refreshes already showed the end: the stop
  // or that end wins.
  if (!playInForce_) return true;
  // Posted for an older play just before a newer one began: the drive,
  // playing well before the new play's end, says so.
  DriveReading reading = ReadDrive(*this);
  if (reading.mode == DriveMode::kPlaying && reading.positionKnown &&
      watch_.WellBeforeEnd(DiscFrames(disc_, FromTmsf(reading.position)))) {
    return true;
  }
  EndPlay(false);
  return true;
}

void MciCdDrive::EndPlay(bool heldAtEnd) {
  playInForce_ = false;
  if (listener_) listener_->OnPlayEnded();
  // Nothing followed at once (the disc's end, or a restart that waits):
  // today's driver would go on saying "playing" at the end.
  if (heldAtEnd && !playInForce_) device_.Stop();
}

bool MciCdDrive::ReadToc(DiscToc* toc) {
  if (ReadDriveToc(Letter(), toc)) return true;
  // A drive MCI reaches but the raw interface does not: the device's figures.
  DWORD firstStart = 0;
  if (device_.GetPosition(firstStart, 1, TRUE)) return false;
  return TocFromDeviceFigures(disc_, MsfToFrames(firstStart), toc);
}
