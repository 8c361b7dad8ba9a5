// The CD player itself: the skin window whose event slots, commands, timers
// and device notices drive playback.
#ifndef ZANTO_APP_PLAYER_WINDOW_H
#define ZANTO_APP_PLAYER_WINDOW_H

#include <windows.h>
#include <shellapi.h>

#include "cd/cd_audio_device.h"
#include "window/skin_window.h"

// Window timers of the player.
constexpr UINT_PTR kPollTimer = 1;
constexpr UINT_PTR kAnimationTimer = 2;
constexpr UINT kPollInterval = 100;  // ms

class PlayerWindow final : public SkinWindow {
 public:
  PlayerWindow();
  // Closes the device (its own destructor) before the skin goes.
  ~PlayerWindow();

  // Slots, in slot order.
  LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnWindowCreated() override;
  void OnSeekRegion(int position) override;
  void OnCloseButton() override;
  void OnMinimizeButton() override;
  void OnAboutButton() override;
  void OnOpenFileButton() override;
  void OnStopButton() override;
  void OnPlayButton() override;
  void OnPreviousSongButton() override;
  void OnNextSongButton() override;
  void OnPauseButton() override;
  void OnPreferencesButton() override;
  void OnRepeatButton() override;

  MCIERROR PlayTrackAt(int track, int minutes, int seconds, int frames);
  MCIERROR PausePlayback();
  MCIERROR ResumePlayback();
  void ChangeResourceFile(const char* path);
  void ChooseResourceFile();
  void UpdateTimeAndTitle();
  void UpdateTrackText();
  void UpdateSeekPosition();
  // Sits the window on the foreground window's title bar (osuwari).
  void Perch();

  CdAudioDevice cdDevice;
  int discPresent;
  int currentTrack;
  int trackCount;
  int mouthFrame;
  int blinkPhase;
  int paused;
  DWORD pausePosition;  // TMSF
  HWND perchTarget;
  RECT perchTargetRect;

 private:
  void OnCreate();
  void OnDestroy();
  void OnContextMenu(LPARAM lParam);
  bool OnCommand(WORD id);
  void OnTimer(UINT_PTR id);
  void OnDropFiles(HDROP drop);
  void OnMciNotify(WPARAM status);
};

#endif
