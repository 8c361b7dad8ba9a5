// The CD player itself: the skin window whose event slots, commands, timers
// and the drive's reports drive playback.
#ifndef ZANTO_APP_PLAYER_WINDOW_H
#define ZANTO_APP_PLAYER_WINDOW_H

#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "app/desktop/media_keys.h"
#include "app/desktop/volume_output.h"
#include "app/player/player_accessibility.h"
#include "app/rules/audio_tracks.h"
#include "app/rules/play_order.h"
#include "app/rules/player_state.h"
#include "app/rules/restart_guard.h"
#include "cd/cd_drive.h"
#include "cd/cd_text.h"
#include "cd/disc_info.h"
#include "common/handles.h"
#include "lookup/disc_lookup.h"
#include "settings/settings.h"
#include "window/skin_window.h"

class PluginList;

// Window timers of the player.
constexpr UINT_PTR kPollTimer = 1;
constexpr UINT_PTR kAnimationTimer = 2;
// One-shot: an automatic restart that had to wait (see RestartGuard).
constexpr UINT_PTR kRestartTimer = 3;
// One-shot: the settings saved a second after the volume control last moved.
constexpr UINT_PTR kVolumeSaveTimer = 4;
constexpr UINT kVolumeSaveDelay = 1000;  // ms
constexpr UINT kPollInterval = 100;      // ms
// A lookup's answer is ready (wParam: its ticket).
constexpr UINT kLookupAnswerMessage = WM_APP + 1;
// WM_COPYDATA's dwData for a disc image handed over by a second start: the
// data is its path, ANSI, ending with its NUL.
constexpr ULONG_PTR kOpenDiscImageCopy = 0x5A435545;  // "ZCUE"
// The handed-over image is opened (posted to itself).
constexpr UINT kOpenHandedImageMessage = WM_APP + 2;

// What the player shows of its state to a reader that only looks.
struct PlayerView {
  PlayerState state;
  int currentTrack;
  DWORD pausePosition;  // TMSF; where Play goes on while paused
  int mouthFrame;
  int pendingRestartTrack;  // the track an automatic restart waits to play; 0 for none
  HWND perchTarget;
  RECT perchTargetRect;
  int mediaHotKeysRegistered;
  int pollTickCount;  // PollTimer ticks since the last refresh: 0 right after one
  bool lookupPending;  // a disc lookup is under way, its answer not taken in yet
};

class PlayerWindow final : public SkinWindow, private PlayEndListener {
 public:
  // `plugins`, the loaded image plug-ins, may be null; pictures take them
  // only while the settings switch them on. Both outlive the player.
  PlayerWindow(Settings& settings, PluginList* plugins);
  // Closes the drive (its own destructor) before the skin goes.
  ~PlayerWindow();

  // Slots, in slot order.
  LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnWindowCreated() override;
  void OnVolumeControl(int position) override;
  void OnSeekRegion(int position) override;
  void OnCloseButton() override;
  void OnMinimizeButton() override;
  void OnAboutButton() override;
  void OnOpenFileButton() override;
  void OnStopButton() override;
  void OnPlayButton() override;
  void OnRewindButton() override;
  void OnForwardButton() override;
  void OnPreviousSongButton() override;
  void OnNextSongButton() override;
  void OnPauseButton() override;
  void OnPreferencesButton() override;
  void OnRepeatButton() override;
  void OnTimeWindowClick() override;
  void OnSeekDrag(int position) override;

  // Every play goes through here: from an audio track up to the end of its
  // run of audio tracks, never into a data track. False when refused.
  bool PlayTrackAt(int track, int minutes, int seconds, int frames);
  void ChangeResourceFile(const char* path);
  // Plays a disc image (a .cue) at once, as a disc in a drive of its own
  // until it is ejected. A sheet or image that cannot be played gets its
  // message, and the player stays as it was; false then.
  bool OpenDiscImage(const char* cuePath);
  // Before the window is made: an image is to play, so a PC without any
  // CD drive still starts (for the image alone).
  void ExpectDiscImage() { expectsImage_ = true; }
  // The track text of the current track, as the titles now say.
  void UpdateTrackText();
  // Sits the window on the foreground window's title bar (osuwari).
  void Perch();
  // IDR_CONTEXT_MENU as the context menu shows it: the repeat check mark and, with
  // a disc, one item per track. Its first submenu is the popup.
  unique_hmenu BuildContextMenu();
  // The plug-ins pictures load through now: none while the settings switch them off.
  PluginList* PluginsInUse() const;
  // Takes what the settings dialog changed into use and keeps it: the
  // drive, the animation timer, topmost, the text font and the media hot keys.
  void ApplySettings();
  // The media hot keys as the settings say.
  void ApplyMediaHotKeys();
  // The scale [General] Scale gives on the window's monitor.
  SkinScale ScaleToRealise() const;
  // The skin realised again when that differs from the shown one's scale
  // (a changed setting, another monitor's DPI). False when the skin could
  // not be loaded again; the shown one then stays.
  bool RealiseAtScaleSetting();
  // Shuffles draw from `seed` on (a test's own, for a known order).
  void SeedShuffle(unsigned seed) { randomState = seed; }

  // The present disc as the drive described it when it appeared; empty
  // without a disc.
  const DiscInfo& Disc() const { return disc; }
  PlayerView View() const;
  const CdDrive& Drive() const { return *drive_; }
  // Frames into its track of the place the seek bar shows; -1 for none.
  int SeekFrames() const { return seekFrames_; }
  // What screen readers are told and what they can do.
  PlayerAccessibility& Accessibility() { return accessibility_; }

 private:
  // The drive's report that the play in force reached its end: what follows
  // it plays, or the player stops.
  void OnPlayEnded() override;

  bool PlayFromTmsf(DWORD tmsf);
  // A play the player starts by itself (repeat, the next run of audio
  // tracks): at once, or later through kRestartTimer when the last play
  // began less than a second ago.
  void PlayAutomatically(int track);
  void CancelPendingRestart();
  // Stops the drive for the user: no end the drive tells later restarts it.
  bool StopPlayback();
  bool PausePlayback();
  bool ResumePlayback();
  // Opens the drive the settings choose; one that is gone gives way to the
  // system's default drive without a word.
  DriveOpenResult OpenChosenDrive();
  // The drive choice changed: the old drive's disc is gone, the new one opened.
  void ChangeDrive();
  // The program's own playback of drive `letter` (0: the first CD-ROM
  // drive), in drive_; false, drive_ untouched, when its audio sectors
  // cannot be read, or with Playback=auto when the PC has no sound output
  // (said once), so that MCI plays it instead.
  bool OpenDigitalDrive(char letter);
  // A drive whose disc MCI found: played digitally from now on when it can
  // be (a drive that was empty at start could not be tried).
  void PreferDigitalDrive();
  // drive_'s own stream, if it has one, as the player's volume and mute say.
  void ApplyDriveSettings();
  // The first time there is no output for the program's own playback.
  void TellNoOutputOnce();
  void ChooseDiscImage();
  void CloseDiscImage();
  bool OnCopyData(const COPYDATASTRUCT* data);
  void OpenHandedImage();
  void ChooseResourceFile();
  // The mode, and while playing the position, in two queries at most.
  DriveReading ReadDrive();
  // The time, title, text and seek bar as the drive now reports them.
  void RefreshDisplays();
  void UpdateTimeAndTitle(const DriveReading& reading);
  void UpdateSeekPosition(const DriveReading& reading);
  // The text font from the settings, all five fields.
  void ApplyTextFont();
  // In the topmost band when the settings say so.
  void ApplyTopmost();
  // A save of the settings that failed since the last report, shown once
  // over the player.
  void ReportSaveFailure();
  // With nothing to perch on, a player no monitor shows is brought back; a
  // target that has closed is forgotten.
  void StayWithinReach();

  // The play modes: shuffle, repeat one, intro scan, and the time display.
  PlayModes CurrentModes() const;
  // Moves the play (or the pause position) by `deltaFrames` within the audio.
  void SeekBy(int deltaFrames);
  // Where a play from `tmsf` ends when the modes play track by track (its
  // track's end, or its intro's); false when the play runs on as usual. The
  // order follows the play's track.
  bool PlayEndForModes(DWORD tmsf, DWORD* endTmsf);
  // A new shuffled order, played from its first track; an automatic one
  // through the restart guard, never starting with `endedTrack`.
  void StartShuffledPlay(bool automatic = false, int endedTrack = 0);
  // Next and Previous: in the shuffled order when shuffle is on.
  int TrackAfter(int track);
  int TrackBefore(int track);
  // A disc was found: a new order, and with AutoPlay the play.
  void OnDiscArrived();
  void DoMediaAction(MediaAction action);

  // Message handlers.
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCreate();
  void OnDestroy();
  // A drag of the body stops where the window would leave reach.
  void OnWindowPosChanging(WINDOWPOS* pos);
  void OnEndSession();
  void OnContextMenu(LPARAM lParam);
  bool OnCommand(WORD id);
  void OnTimer(UINT_PTR id);
  void OnDropFiles(HDROP drop);
  // The arrow keys step back and on; false for every other key.
  bool OnKeyDown(WPARAM key, LPARAM lParam);
  bool OnAppCommand(LPARAM lParam);
  void OnHotKey(WPARAM id);
  // The volume by hand (player_volume.cpp). The saved volume and mute at
  // start: the control and the program's own session, not the drive.
  void ApplyStartVolume();
  // The user's new volume 0..255 from any control: ends a mute, and is
  // saved once it has rested.
  void ChangeVolume(int position);
  // Sixteenths up (positive) or down.
  void StepVolume(int steps);
  void OnMuteCommand();
  // Up and down: false for every other key.
  bool OnVolumeKey(WPARAM key);
  // False when the pointer is not over the player.
  bool OnMouseWheel(WPARAM wParam, LPARAM lParam);
  // Volume up, down, mute, fast forward and rewind; false for the others.
  bool OnVolumeAppCommand(int command);
  void OnVolumeSaveTimer();
  // Mode commands of the menu and keys.
  void OnShuffleCommand();
  void OnRepeatTrackCommand();
  void OnIntroScanCommand();
  void OnNextTimeMode();
  // Double size (Ctrl+D) and a move to a monitor of another DPI.
  void OnDoubleSizeCommand();
  void OnDpiChanged(const RECT* suggested);
  // The title editor for the disc in the drive (nothing without one).
  void OnEditTitlesCommand();
  // A disc that CD.ini gives no titles shows its CD-Text titles, read once
  // as it arrives and kept in memory only.
  void ReadDiscCdText();
  // The title editor on the disc's titles, or on a release's titles for the
  // user to accept.
  void OpenTitleEditor(const ReleaseChoice* proposal);
  // The disc databases (player_lookup.cpp). A disc arrived: looked up when
  // the settings allow and CD.ini has no titles for it.
  void LookUpNewDisc();
  void OnLookupTitlesCommand();
  // False when the disc's id cannot be told or no worker started.
  bool StartLookup(bool byHand);
  void OnLookupAnswer(WPARAM ticket);
  // Makes `track` the order's current place, drawing an order that holds it
  // when there is none.
  void FollowInOrder(int track);
  // A play of one track ended by itself: the next one in the order, the
  // same again, or a stop. False when the play was not one track's.
  bool OnTrackEnd();
  // After a mode change: a running play is started again from where it is,
  // so that it ends where the new modes say.
  void ReplayWithModes();
  void PlayPause();
  // Where the play is: its track and the frames into it. False unless playing.
  bool ReadPlayPosition(TrackPosition* at);
  // The window title's time and the time window's digits for the time mode.
  ShownTime TimeToShow(int elapsedFrames) const;

  // Timer work.
  void OnPollTimer();
  void OnAnimationTimer();
  void OnDiscAppeared();
  void OnDiscGone();
  // While stopped, once a second, the disc's identity is read in place of
  // the mode (then stopped, in `reading`): a disc swapped without the drive
  // ever saying "open" or "not ready" is told by it. False when the mode is
  // to be read as usual.
  bool ReadIdentityInstead(DriveReading* reading);
  // The refresh after the drive's report on the play's end: due before the
  // next regular one, it comes at the first tick after the end instead.
  void RefreshEarlyForPlayEnd();
  // The displays and the current track from one reading.
  void ShowReading(const DriveReading& reading);
  void OnRestartTimer();
  // Frames into the current track for the time display; false when the
  // reading is neither stopped nor a play with its position.
  bool ElapsedIn(const DriveReading& reading, int* elapsedFrames) const;
  // The redraw entry points and the window title, called only for a change.
  void ShowTime(int first, int second, int separatorOn);
  void ShowText(const char* line);
  void ShowTitle(const char* title);
  // The lamps as the play modes and mute now are (player_lamps.cpp).
  void ShowModes();

  void StartTimers();
  // AnimationTimer at the mouth interval in mouth mode; stopped otherwise.
  void StartAnimationTimer();
  void StopTimers();
  // The window's restored position into the settings.
  void StorePosition();
  // Stops the drive unless it is stopped, open or empty.
  void StopUnlessIdle();
  void SwitchToDiscSkin();
  // Loads `file` and shows it in place of the skin shown, the timers held
  // meanwhile; false (with its message) when it was refused.
  bool ReloadSkin(const char* file);
  // Loads a resource file on a window-less skin, leaving the shown one as
  // it is; null with the message the failure gets.
  std::unique_ptr<SkinWindow> LoadSkin(const char* path, char* message, size_t capacity);
  // ChangeSkin to a skin LoadSkin gave, recorded as lastFile. If the window
  // system refuses it, the skin that worked is put back; false when even
  // that failed and the window is gone.
  bool SwitchSkinTo(SkinWindow& loaded, const char* path);
  void FillTrackSubmenu(HMENU popup);
  // Length of `track` in frames; 0 when the disc gave none.
  int TrackLengthFrames(int track) const;

  Settings& settings_;
  PluginList* plugins_;
  // The drive letter of the settings the drive was opened for.
  char chosenDrive_ = 0;
  PlaybackChoice chosenPlayback_ = PlaybackChoice::kAuto;
  // drive_ plays a disc image, not a drive.
  bool imageOpen_ = false;
  // The open image's sheet titles, its CD-Text; null without an image, or
  // when there was no memory for them (the image plays untitled).
  std::unique_ptr<CdText> imageText_;
  bool noOutputTold_ = false;
  bool expectsImage_ = false;
  char handedImage_[kPathSize] = "";  // a second start's image, waiting to open
  // Never null once the window exists: the window is not made without it.
  std::unique_ptr<CdDrive> drive_;
  int unreadableBase_ = 0;  // drive_'s unreadable sectors when this disc appeared
  PlayerStateMachine state_;

  // The present disc as the drive described it when it appeared; empty
  // without a disc.
  DiscInfo disc;
  int currentTrack = 0;
  DWORD pausePosition = 0;  // TMSF
  int mouthFrame = 0;
  int blinkPhase = 0;
  HWND perchTarget = nullptr;
  RECT perchTargetRect = {0, 0, 0, 0};
  // PollTimer ticks since the last poll of the disc (1..5).
  int pollTickCount = 0;
  RestartGuard restartGuard;
  // The last track of the run the latest play was sent for.
  int playRunEnd = 0;
  // The track an automatic restart waits to play (0: none pending).
  int pendingRestartTrack = 0;
  // The ends of plays the drive has told, so that a refresh can see whether
  // its own reading told one.
  unsigned playEndCount = 0;
  // The stopped polls since the disc's identity was last compared with the
  // drive's.
  int identityPollCount = 0;
  PlayOrder playOrder;
  unsigned randomState;
  DWORD lastKeyStep = 0;  // GetTickCount of the last arrow-key step
  VolumeOutput volumeOutput;
  MediaHotKeys mediaHotKeys;
  // A wheel's deltas short of a whole notch, kept for the next.
  int wheelRemainder = 0;
  // The lookup under way; each one's ticket names its answer.
  DiscLookup lookup_;
  WPARAM lookupTicket_ = 0;
  bool lookupByHand_ = false;
  bool lookupAsksGnudb_ = false;  // a valid address: gnudb is asked after the first server
  int lookupIdentity_ = 0;  // the disc it is for
  // The drive last said its tray is open (rather than that it has no disc).
  bool trayOpen_ = false;
  int seekFrames_ = -1;
  // Last: it lets go of its readers before anything else of the player goes.
  PlayerAccessibility accessibility_;
};

#endif
