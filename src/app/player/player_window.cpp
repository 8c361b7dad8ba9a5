#include "app/player/player_window.h"

#include <new>

#include "app/rules/playback_rules.h"
#include "app/messages.h"
#include "app/desktop/window_position.h"
#include "cd/cue_sheet.h"
#include "cd/mci_cd_drive.h"
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "settings/settings.h"

PlayerWindow::PlayerWindow(Settings& settings, PluginList* plugins)
    : settings_(settings),
      plugins_(plugins),
      drive_(new (std::nothrow) MciCdDrive),
      randomState(GetTickCount() ^ GetCurrentProcessId() << 16),
      accessibility_(*this, settings) {}

PlayerWindow::~PlayerWindow() = default;

LRESULT PlayerWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT answer = 0;
  if (accessibility_.BeforeMessage(hwnd, message, wParam, lParam, &answer)) return answer;
  LRESULT result = HandleMessage(hwnd, message, wParam, lParam);
  accessibility_.AfterMessage(hwnd, message);
  // Whatever the message saved: a failure shows over the player, once.
  ReportSaveFailure();
  return result;
}

LRESULT PlayerWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      break;
    case WM_DESTROY:
      OnDestroy();
      break;
    case WM_ENDSESSION:
      if (wParam) OnEndSession();
      break;
    case WM_CONTEXTMENU:
      OnContextMenu(lParam);
      break;
    case WM_COMMAND:
      if (!OnCommand(LOWORD(wParam))) {
        return SkinWindow::WindowProc(hwnd, message, wParam, lParam);
      }
      ShowModes();  // menu, keys and lamps alike
      break;
    case WM_TIMER:
      OnTimer(wParam);
      break;
    case WM_KEYDOWN:
      if (!OnKeyDown(wParam, lParam) && !OnVolumeKey(wParam)) {
        return SkinWindow::WindowProc(hwnd, message, wParam, lParam);
      }
      break;
    case WM_MOUSEWHEEL:
      if (!OnMouseWheel(wParam, lParam)) return SkinWindow::WindowProc(hwnd, message, wParam, lParam);
      break;
    case WM_APPCOMMAND:
      // Passed on, DefWindowProc would hand the key to the shell as well.
      if (!OnAppCommand(lParam)) return SkinWindow::WindowProc(hwnd, message, wParam, lParam);
      MarkHandled(TRUE);
      return SkinWindow::WindowProc(hwnd, message, wParam, lParam);
    case WM_HOTKEY:
      OnHotKey(wParam);
      break;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_WINDOWPOSCHANGING:
      OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
      return SkinWindow::WindowProc(hwnd, message, wParam, lParam);
    case WM_DISPLAYCHANGE:
      KeepWithinReach(hwnd);
      return SkinWindow::WindowProc(hwnd, message, wParam, lParam);
    case WM_DPICHANGED:
      OnDpiChanged(reinterpret_cast<const RECT*>(lParam));
      break;
    case kLookupAnswerMessage:
      OnLookupAnswer(wParam);
      break;
    case WM_COPYDATA:
      MarkHandled(OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE);
      return SkinWindow::WindowProc(hwnd, message, wParam, lParam);
    case kOpenHandedImageMessage:
      OpenHandedImage();
      break;
    case WM_SETTINGCHANGE:
      // A taskbar moved or resized changes the work areas.
      if (wParam == SPI_SETWORKAREA) KeepWithinReach(hwnd);
      return SkinWindow::WindowProc(hwnd, message, wParam, lParam);
    default:
      if (drive_ && drive_->OnWindowMessage(message, wParam, lParam)) break;
      return SkinWindow::WindowProc(hwnd, message, wParam, lParam);
  }
  MarkHandled(0);
  return SkinWindow::WindowProc(hwnd, message, wParam, lParam);
}

void PlayerWindow::OnCreate() {
  if (HICON big = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PLAYER))) {
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  }
  HANDLE small = LoadImageA(instance, MAKEINTRESOURCEA(IDI_PLAYER), IMAGE_ICON,
                            GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                            LR_DEFAULTCOLOR);
  if (small) SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void PlayerWindow::OnWindowCreated() {
  DragAcceptFiles(hwnd, TRUE);
  DriveOpenResult opened = drive_ ? OpenChosenDrive() : DriveOpenResult::kFailed;
  if (opened != DriveOpenResult::kOpened && !(drive_ && expectsImage_)) {
    ShowMessageId(hwnd, opened == DriveOpenResult::kInUse ? IDS_CD_IN_USE : IDS_CD_INIT_FAILED,
                  kMessageStyle);
    DestroyWindow(hwnd);
    return;
  }
  SetToggleState(RepeatButton, settings_.repeat);
  ShowModes();
  UpdateTimeAndTitle(DriveReading());  // no disc yet: nothing to ask the drive
  ApplyTextFont();
  ApplyStartVolume();
  ApplyMediaHotKeys();
  StartTimers();
}

void PlayerWindow::ApplyTextFont() {
  TextFont font = {};
  CopyText(font.faceName, settings_.fontName);
  font.fontStyle = settings_.fontStyle;
  font.textColour = settings_.textColor;
  font.shadowColour = settings_.shadowColor;
  font.shadowOn = settings_.enableShadow;
  SetTextFont(font, kTextFontAll);
}

void PlayerWindow::StartTimers() {
  SetTimer(hwnd, kPollTimer, kPollInterval, nullptr);
  StartAnimationTimer();
}

void PlayerWindow::StartAnimationTimer() {
  // Only the mouth uses the timer: outside mouth mode it stays stopped.
  if (settings_.timeWindow == kTimeWindowMouth) {
    SetTimer(hwnd, kAnimationTimer, AnimationInterval(settings_.mouseAnime), nullptr);
  } else {
    KillTimer(hwnd, kAnimationTimer);
  }
}

void PlayerWindow::StopTimers() {
  KillTimer(hwnd, kPollTimer);
  KillTimer(hwnd, kAnimationTimer);
  CancelPendingRestart();
}

void PlayerWindow::OnDestroy() {
  lookup_.Cancel();  // nothing waits on the network at exit
  StopTimers();
  mediaHotKeys.Unregister();
  StorePosition();
  StopUnlessIdle();
  PostQuitMessage(0);
}

// Windows ends the process soon after this message, before the loop could
// finish: keep everything the shutdown would have written.
void PlayerWindow::OnEndSession() {
  StopTimers();
  StorePosition();
  StopUnlessIdle();
  volumeOutput.RestoreDriveVolume();
  settings_.Save();
}

PluginList* PlayerWindow::PluginsInUse() const { return settings_.usePlugin ? plugins_ : nullptr; }

void PlayerWindow::ReportSaveFailure() { settings_.ReportSaveFailure(IsWindow(hwnd) ? hwnd : nullptr); }

void PlayerWindow::StorePosition() {
  POINT topLeft;
  if (!GetNormalPosition(hwnd, &topLeft)) return;
  settings_.positionX = topLeft.x;
  settings_.positionY = topLeft.y;
}

void PlayerWindow::OnWindowPosChanging(WINDOWPOS* pos) {
  // Only a drag of the body is held back here; every other move of the
  // program is kept within reach where it is made.
  if (!pos || (pos->flags & SWP_NOMOVE) || GetCapture() != hwnd || capturedHit != kHitBody) return;
  SIZE size{pos->cx, pos->cy};
  if (pos->flags & SWP_NOSIZE) {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    size = SIZE{rect.right - rect.left, rect.bottom - rect.top};
  }
  POINT at = PositionWithinReach(POINT{pos->x, pos->y}, size);
  pos->x = at.x;
  pos->y = at.y;
}

void PlayerWindow::StopUnlessIdle() {
  if (!drive_ || !drive_->IsOpen()) return;
  DriveMode mode = DriveMode::kUnknown;
  // A failed query may hide a playing drive: stop it all the same.
  if (drive_->ReadMode(&mode) &&
      (mode == DriveMode::kStopped || mode == DriveMode::kOpen || mode == DriveMode::kNotReady)) {
    return;
  }
  drive_->Stop();
}

bool PlayerWindow::OnCommand(WORD id) {
  switch (id) {
    case IDM_CHANGE_RESOURCE: ChooseResourceFile(); return true;
    case IDM_OPEN_DISC_IMAGE: ChooseDiscImage(); return true;
    case IDM_PREFERENCES: OnPreferencesButton(); return true;
    case IDM_PREVIOUS: OnPreviousSongButton(); return true;
    case IDM_PLAY: OnPlayButton(); return true;
    case IDM_PAUSE: OnPauseButton(); return true;
    case IDM_STOP: OnStopButton(); return true;
    case IDM_NEXT: OnNextSongButton(); return true;
    case IDM_ABOUT: OnAboutButton(); return true;
    case IDM_QUIT: OnCloseButton(); return true;
    case IDM_TRAY: OnOpenFileButton(); return true;
    case IDM_SHUFFLE: OnShuffleCommand(); return true;
    case IDM_REPEAT_TRACK: OnRepeatTrackCommand(); return true;
    case IDM_INTRO_SCAN: OnIntroScanCommand(); return true;
    case IDM_NEXT_TIME_MODE: OnNextTimeMode(); return true;
    case IDM_EDIT_TITLES: OnEditTitlesCommand(); return true;
    case IDM_LOOKUP_TITLES: OnLookupTitlesCommand(); return true;
    case IDM_MUTE: OnMuteCommand(); return true;
    case IDM_DOUBLE_SIZE: OnDoubleSizeCommand(); return true;
    case IDM_REPEAT:
      // OnRepeatButton only flips the setting; a menu or key press shows it here.
      OnRepeatButton();
      SetToggleState(RepeatButton, settings_.repeat);
      return true;
    default:
      break;
  }
  if (id > IDM_TRACK_BASE && id <= IDM_TRACK_LAST) {
    int track = MenuCommandTrack(id, disc.trackCount);
    // A data track is greyed in the menu; its id may still come another way.
    if (state_.HasDisc() && IsAudioTrack(disc, track)) {
      currentTrack = track;
      PlayTrackAt(currentTrack, 0, 0, 0);
      RefreshDisplays();
    }
    return true;
  }
  return false;
}

PlayerView PlayerWindow::View() const {
  return PlayerView{state_.state(),      currentTrack, pausePosition,   mouthFrame,
                    pendingRestartTrack, perchTarget,  perchTargetRect, mediaHotKeys.registeredCount(),
                    pollTickCount,       lookup_.Busy()};
}

void PlayerWindow::OnPlayEnded() {
  ++playEndCount;
  state_.PlayEnded();  // the play is over: the mouth stops without asking
  if (OnTrackEnd()) return;  // one track's play in a play mode
  int next = NextRunStart(disc, playRunEnd);
  if (next) {
    // A data track cut the run short; the disc's audio goes on after it.
    currentTrack = next;
    PlayAutomatically(next);
    return;
  }
  // The end of the disc's audio.
  playRunEnd = 0;
  currentTrack = FirstAudioTrack(disc);
  if (settings_.repeat && currentTrack) PlayAutomatically(currentTrack);
}

void PlayerWindow::OnDropFiles(HDROP drop) {
  char path[kPathSize] = "";
  UINT length = DragQueryFileA(drop, 0, path, sizeof(path));
  DragFinish(drop);
  // A path that does not fit would name some other file.
  if (length == 0 || length >= sizeof(path)) return;
  SetForegroundWindow(hwnd);
  if (IsDiscImagePath(path)) {
    OpenDiscImage(path);
  } else {
    ChangeResourceFile(path);
  }
}
