// Which CD drive the player plays, how it makes the sound (the program's
// own digital playback, or the drive's analogue output through MCI), and
// the change of either.
#include <memory>
#include <new>

#include "app/messages.h"
#include "app/player/player_window.h"
#include "audio/digital_cd_drive.h"
#include "cd/cd_drives.h"
#include "cd/drive_sector_source.h"
#include "cd/mci_cd_drive.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

// A drive plays digitally only when it answers its table of contents and
// gives the first audio track's opening sector: many drives, and every
// folder mapped as a CD-ROM letter, refuse one or the other.
bool ReadsAudioSectors(DriveSectorSource& source) {
  DiscToc toc;
  if (!source.ReadToc(&toc)) return false;
  for (int track = toc.firstTrack; track <= toc.lastTrack; ++track) {
    if (toc.tracks[track].data) continue;
    unsigned char sector[kRawSectorBytes];
    return source.ReadSectors(toc.tracks[track].startLba, 1, sector) == 1;
  }
  return false;
}

}  // namespace

bool PlayerWindow::OpenDigitalDrive(char letter) {
  if (!letter) letter = FirstCdDrive();
  // DigitalDevice names where the sectors come from when the letter's own
  // device cannot give them (a device without a CD-ROM letter).
  const char* device = settings_.digitalDevice;
  if (!letter && device[0] == '\0') return false;
  std::unique_ptr<DriveSectorSource> source(new (std::nothrow) DriveSectorSource);
  if (!source) return false;
  bool opened = device[0] != '\0' ? source->OpenDevice(device) : source->Open(letter);
  if (!opened || !ReadsAudioSectors(*source)) return false;
  std::unique_ptr<DigitalCdDrive> digital(new (std::nothrow) DigitalCdDrive(std::move(source), 0, letter));
  if (!digital || digital->Open(letter, hwnd, this) != DriveOpenResult::kOpened) return false;
  digital->SetDeemphasis(settings_.deemphasis != 0);
  // Without a sound output, auto tries the drive's own analogue output;
  // digital stays digital (silent, its clock running) as the user chose.
  if (!digital->HasOutput()) {
    TellNoOutputOnce();
    if (settings_.playback != PlaybackChoice::kDigital) return false;
  }
  drive_->Close();
  drive_ = std::move(digital);
  ApplyDriveSettings();
  return true;
}

DriveOpenResult PlayerWindow::OpenChosenDrive() {
  char letter = settings_.drive;
  chosenDrive_ = letter;
  chosenPlayback_ = settings_.playback;
  if (settings_.playback != PlaybackChoice::kAnalog && OpenDigitalDrive(letter)) return DriveOpenResult::kOpened;
  // MCI for every other case; a fresh one, since the last drive may have been digital.
  std::unique_ptr<CdDrive> mci(new (std::nothrow) MciCdDrive);
  if (!mci) return DriveOpenResult::kFailed;
  drive_->Close();
  drive_ = std::move(mci);
  if (letter && IsCdDrive(letter)) {
    DriveOpenResult opened = drive_->Open(letter, hwnd, this);
    // Held by another program is not gone: the user hears why.
    if (opened != DriveOpenResult::kFailed) return opened;
  }
  return drive_->Open(0, hwnd, this);
}

void PlayerWindow::PreferDigitalDrive() {
  if (chosenPlayback_ == PlaybackChoice::kAnalog || drive_->IsDigital()) return;
  OpenDigitalDrive(drive_->Letter());
}

void PlayerWindow::ApplyDriveSettings() { drive_->SetStreamVolume(settings_.volume, settings_.mute != 0); }

void PlayerWindow::TellNoOutputOnce() {
  if (noOutputTold_) return;
  noOutputTold_ = true;
  ShowMessageId(hwnd, IDS_NO_AUDIO_OUTPUT, kMessageStyle);
}

void PlayerWindow::ChangeDrive() {
  if (state_.HasDisc()) StopPlayback();
  OnDiscGone();
  drive_->Close();
  imageOpen_ = false;  // an image goes with the drive it stood in for
  imageText_.reset();
  DriveOpenResult opened = OpenChosenDrive();
  // Still running without a drive: the user may choose another one.
  if (opened != DriveOpenResult::kOpened) {
    ShowMessageId(hwnd, opened == DriveOpenResult::kInUse ? IDS_CD_IN_USE : IDS_CD_INIT_FAILED,
                  kMessageStyle);
  }
  RefreshDisplays();
}
