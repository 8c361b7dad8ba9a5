// Disc images: opened from the menu, dropped on the player, named on the
// command line or handed over by a second start. An image is a disc in a
// drive of its own; ejecting it goes back to the chosen drive.
#include <cstring>
#include <memory>
#include <new>

#include "app/messages.h"
#include "app/player/open_file_dialog.h"
#include "app/player/player_window.h"
#include "audio/digital_cd_drive.h"
#include "cd/image_sector_source.h"
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "settings/settings.h"

bool PlayerWindow::OpenDiscImage(const char* cuePath) {
  std::unique_ptr<ImageSectorSource> source(new (std::nothrow) ImageSectorSource);
  if (!source) {
    ShowMessageId(hwnd, IDS_NO_MEMORY, kMessageStyle);
    return false;
  }
  std::unique_ptr<CdText> text(new (std::nothrow) CdText());
  CueProblem problem = source->Open(cuePath, text.get());
  if (problem.status != CueStatus::kOk) {
    char message[kComposedMessageSize];
    ComposeDiscImageFailure(problem, cuePath, source->DataFilePath(problem.file), message, sizeof(message));
    ShowMessage(hwnd, message, kMessageStyle);
    return false;
  }
  std::unique_ptr<DigitalCdDrive> image(new (std::nothrow) DigitalCdDrive(std::move(source), 0, 0));
  if (!image) {
    ShowMessageId(hwnd, IDS_NO_MEMORY, kMessageStyle);
    return false;
  }
  if (state_.HasDisc()) StopPlayback();
  OnDiscGone();
  drive_->Close();
  if (image->Open(0, hwnd, this) != DriveOpenResult::kOpened) {
    ShowMessageId(hwnd, IDS_CD_INIT_FAILED, kMessageStyle);
    ChangeDrive();  // back to the drive it was to stand in for
    return false;
  }
  image->SetDeemphasis(settings_.deemphasis != 0);
  // Without a sound output an image still plays, on its own clock.
  if (!image->HasOutput()) TellNoOutputOnce();
  drive_ = std::move(image);
  imageOpen_ = true;
  imageText_ = std::move(text);
  ApplyDriveSettings();
  OnDiscAppeared();
  // It plays at once, unless AutoPlay has already started it.
  if (state_.state() != PlayerState::kStarting && state_.state() != PlayerState::kPlaying) OnPlayButton();
  RefreshDisplays();
  return true;
}

void PlayerWindow::CloseDiscImage() { ChangeDrive(); }

void PlayerWindow::ChooseDiscImage() {
  char file[kPathSize];
  if (AskForFile(hwnd, instance, {IDS_DISC_IMAGE_FILTER, IDS_OPEN_DISC_IMAGE_TITLE, "cue"}, file, sizeof(file))) {
    OpenDiscImage(file);
  }
}

bool PlayerWindow::OnCopyData(const COPYDATASTRUCT* data) {
  if (!data || data->dwData != kOpenDiscImageCopy || !data->lpData) return false;
  // Another process's bytes: a path of our size, ending with its NUL, or nothing.
  const char* path = static_cast<const char*>(data->lpData);
  if (data->cbData < 2 || data->cbData > kPathSize || path[data->cbData - 1] != '\0') return false;
  if (strlen(path) + 1 != data->cbData) return false;
  // Opened after the sender's SendMessage has returned: a message about
  // the image must not hold the second start up.
  CopyText(handedImage_, path);
  PostMessageA(hwnd, kOpenHandedImageMessage, 0, 0);
  return true;
}

void PlayerWindow::OpenHandedImage() {
  if (handedImage_[0] == '\0') return;
  char path[kPathSize];
  CopyText(path, handedImage_);
  handedImage_[0] = '\0';
  if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
  SetForegroundWindow(hwnd);
  OpenDiscImage(path);
}
