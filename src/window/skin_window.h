// The skinned window: a back-buffer window whose look, shape and controls come
// from a resource file, with the event slots the mouse logic fires.
#ifndef ZANTO_WINDOW_SKIN_WINDOW_H
#define ZANTO_WINDOW_SKIN_WINDOW_H

#include <windows.h>

#include "common/font_style.h"
#include "common/handles.h"
#include "skin/image_buffer.h"
#include "skin/skin_model.h"
#include "skin/skin_pictures.h"
#include "skin/skin_scale.h"
#include "window/back_buffer_window.h"
#include "window/hit_test.h"
#include "window/skin_status.h"

class PluginList;

// The window class every skin window is created with.
constexpr char kSkinWindowClassName[] = "LuloWnd";

constexpr int kErrorTextSize = 360;
// Tooltip tools a skin gets at most, far more than any real skin places.
constexpr UINT_PTR kMaxTooltipTools = 1000;
constexpr int kFaceNameSize = 32;

// Style of the text window's text.
struct TextFont {
  char faceName[kFaceNameSize];
  int fontStyle;  // kFontBold, kFontItalic, kFontUnderline
  COLORREF textColour;
  COLORREF shadowColour;
  int shadowOn;
};

// Which TextFont fields SetTextFont takes.
constexpr int kTextFontFace = 0x02;
constexpr int kTextFontStyle = 0x04;
constexpr int kTextFontColour = 0x08;
constexpr int kTextFontShadow = 0x10;  // shadowColour and shadowOn
constexpr int kTextFontAll = 0x1F;

// The skin window's own timer: a held RewindButton or ForwardButton repeats
// at this interval. The player's timers take the ids below it.
constexpr UINT_PTR kButtonHoldTimer = 8;
constexpr UINT kButtonHoldInterval = 250;  // ms

// RewindButton and ForwardButton act at the press and again while held;
// every other button acts once, at the release.
inline bool IsHeldButton(int button) { return button == RewindButton || button == ForwardButton; }

class SkinWindow : public BackBufferWindow {
 public:
  SkinWindow();
  // Not virtual, like the whole chain. The region is freed here only while it
  // still belongs to the window object (see ApplySkin).
  ~SkinWindow();

  // Slots 0..20, in this order.
  LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual void OnWindowCreated();
  virtual void OnVolumeControl(int position);
  virtual void OnSeekRegion(int position);
  virtual void OnCloseButton();
  virtual void OnMinimizeButton();
  virtual void OnAboutButton();
  virtual void OnOpenFileButton();
  virtual void OnStopButton();
  virtual void OnPlayButton();
  virtual void OnRewindButton();
  virtual void OnForwardButton();
  virtual void OnPreviousSongButton();
  virtual void OnNextSongButton();
  virtual void OnPauseButton();
  virtual void OnPreferencesButton();
  virtual void OnEqualizerButton();
  virtual void OnEqualizerResetButton();
  virtual void OnEqualizerOnButton();
  virtual void OnEqualizerOffButton();
  virtual void OnRepeatButton();
  // A click on the time window that did not drag the window.
  virtual void OnTimeWindowClick();
  // The seek bar pressed or dragged to `position` (0..255), the bar already
  // showing it; OnSeekRegion follows once, at the release.
  virtual void OnSeekDrag(int position);

  // Loads the skin, creates the window ("LuloWnd", the background's size) and
  // its tooltip control, applies the skin and fires OnWindowCreated. The
  // window is not shown. False with `status` set on failure.
  bool CreateSkinWindow(PluginList* pluginList, const char* resourceFilePath, DWORD exStyle,
                        const char* title, DWORD style, int x, int y, HWND parent, HMENU menu,
                        HINSTANCE instance);
  // Switches the running window to another resource file, keeping its
  // top-left corner and its widget state. The file is loaded aside first: one
  // that fails to load leaves the shown skin as it was.
  bool ChangeSkin(PluginList* pluginList, const char* resourceFilePath);
  // Switches to the skin `loaded` holds (a window-less SkinWindow on which
  // LoadSkinImages succeeded). Its model and pictures are taken over whole,
  // so the window shows the old skin until the new one is complete; `loaded`
  // is left holding the previous skin, and a second call puts it back.
  bool ChangeSkin(SkinWindow& loaded);

  // Skin realisation: parse the resource file and load its pictures; then cut
  // the window to the background's shape and paint it.
  bool LoadSkinImages(PluginList* pluginList, const char* resourceFilePath);
  bool ApplySkin();

  // Tooltip tools of the current skin.
  bool RegisterTooltips();
  // Widget painting: each repaints one widget into the back buffer and
  // frameImage and invalidates its rectangle. False only when no drawing pass
  // (or, for the text, no font) could be had.
  bool PaintButton(int button, int entry, bool pressed);
  bool RefreshToggleButtons();
  bool PaintVolumeControl();
  bool PaintSeekBar();
  bool PaintTimeWindow();
  bool PaintTextWindow();

  // Redraw entry points: the only way the rest of the program changes what
  // the window shows. Each stores the new state, then repaints its widget.
  bool SetTime(int first, int second, int separatorOn);
  bool SetText(const char* newText);
  bool SetTextFont(const TextFont& font, int mask);
  bool SetVolumePosition(int position);
  bool SetSeekPosition(int position);
  bool SetToggleState(int button, int on);

  // Mouse interaction: what lies under a point, and the positions the volume
  // and seek grey maps give there (-1 where they give none).
  int HitTest(int x, int y, int* entry) const;
  int VolumeMapPosition(int x, int y) const;
  int SeekMapPosition(int x, int y) const;
  // The seek bar is held: what it shows is the drag's, not the disc's.
  bool IsSeekDragging() const;
  // Flips the toggle button's state (button 16), then fires the button's slot.
  void FireButton(int button);

  // The lamps: one per LampIndex, each an empty rectangle when the skin
  // places none. A click on a placed lamp sends its command, the one the
  // context menu sends for the same mode; the program then shows the new
  // state with SetLampState.
  static int LampCount() { return kLampCount; }
  RECT LampRect(int lamp) const;
  bool HasLamp(int lamp) const;
  bool LampOn(int lamp) const;
  static WORD LampCommand(int lamp);
  bool SetLampState(int lamp, int on);
  bool PaintLamp(int lamp);
  // Whether the time shows a remaining time: the skin's sign picture shows
  // left of the digits while it does.
  bool SetTimeRemaining(int on);
  bool PaintTimeSign();
  // Sends the lamp's command to this window.
  void FireLamp(int lamp);

  // The placements of button i (an empty list outside 0..16), and placement j
  // of it (all zero when j is not below the count).
  const ButtonSpecList& GetButtonSpecList(int button) const;
  ButtonSpec GetButtonSpec(int button, int entry) const;

  SkinModel model;
  HWND tooltip;
  ImageBuffer scratchImage;
  ImageBuffer frameImage;
  LoadedImage backgroundPicture;
  LoadedImage inactivePicture;
  LoadedImage pressedPicture[3];
  LoadedImage timeFontPicture;
  LoadedImage volumePicture;
  LoadedImage volumePositionPicture;
  LoadedImage seekPicture;
  LoadedImage lampPicture[kLampCount];
  LoadedImage timeRemainingPicture;
  SkinStatus status;
  char errorText[kErrorTextSize];
  // Why the picture errorText names failed (status SkinImageFailed), and the
  // size of one refused as too large.
  ImageStatus pictureStatus;
  PictureSize refusedPictureSize;
  char resourceFolder[kPathSize];
  // The region the window was last cut to. Once SetWindowRgn took it, the
  // window system owns and frees it; this handle is then only remembered.
  HRGN windowRegion;
  int capturedHit;
  int capturedEntry;
  POINT lastMouse;
  POINT pressPoint;
  RECT pressWindowRect;
  int repeatOn;
  HINSTANCE instance;
  int volumePosition;
  int seekPosition;
  // The last place a seek drag showed: the release seeks there when it
  // falls outside the seek map.
  int seekDragPosition;
  int timeFirst;
  int timeSecond;
  int timeSeparatorOn;
  char text[kPathSize];
  TextFont textFont;
  int lampOn[kLampCount];
  int timeRemainingOn;
  // The scale the skin is realised at: set it before LoadSkinImages. A skin
  // that cannot be had at it (too large when scaled) is realised at 100 %,
  // and the field says so.
  SkinScale scale;

 private:
  // The member that holds a picture of the table.
  LoadedImage& PictureSlot(SkinPicture picture);
  // Loads one picture of the table into its slot, or empties the slot when
  // this skin does not use it; on failure names it in errorText.
  bool LoadSkinPicture(const SkinPictureRule& rule, PluginList* pluginList);
  // The path of a skin picture, and errorText naming it by key.
  void PicturePath(const char* fileName, char* path, size_t capacity) const;
  void NamePicture(const char* key, const char* path);
  // Cuts windowRegion from the background's non-magenta pixels.
  bool BuildRegion();
  // Scales the loaded pictures and the model to `scale`, all or nothing.
  bool ScaleSkin();
  // Exchanges everything LoadSkinImages fills with `other`.
  void ExchangeSkin(SkinWindow& other);

  // Message handlers of this level.
  void RelayToTooltip(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnNcActivate(HWND hwnd, WPARAM wParam);
  void OnActivate(WPARAM wParam);
  void OnLButtonDown(LPARAM lParam);
  void OnMouseMove(LPARAM lParam);
  void OnLButtonUp(LPARAM lParam);
  void OnButtonHoldTimer();
  bool IsTimeWindowClick(POINT release) const;
  void OnCaptureChanged();
  // Their shared steps: the volume map's position under a client point goes
  // to the volume control and its slot, the seek map's to the seek bar and
  // the drag slot; a body drag follows the pointer.
  void ReportVolumeAt(POINT point);
  void ReportSeekDragAt(POINT point);
  void DragWindowTo(POINT point);

  // windowRegion while it is still the object's own (not yet handed over).
  unique_hrgn ownedRegion_;

  // Widget painting helpers.
  enum class Look { FollowActiveWindow, Active, Inactive };
  // The face the seek bar and time window are drawn on: the active or the
  // inactive background.
  const ImageBuffer& CurrentBackground() const;
  // Puts what the window shows over `area` into scratchImage, so that pixels
  // a smaller picture cannot give keep the current look.
  void ComposeFromFrame(const RECT& area);
  // scratchImage's `area` into the back buffer and frameImage in one drawing
  // pass, then invalidated. False when no pass could be opened.
  bool ShowComposed(const RECT& area);
  // Where the remaining-time sign shows: right of it the time's first cell,
  // a time-font spacing apart.
  RECT TimeSignArea() const;
  // Every widget in its current state, in drawing order.
  void RepaintWidgets();
  // Set while the activation repaint runs: during a deactivation the system
  // still reports this window as the active one.
  Look activationLook_ = Look::FollowActiveWindow;
};

#endif
