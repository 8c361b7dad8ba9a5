// Everything a resource file (.rc skin description) sets, and its parser.
#ifndef ZANTO_SKIN_SKIN_MODEL_H
#define ZANTO_SKIN_SKIN_MODEL_H

#include <windows.h>

#include <cstddef>

#include "skin/growable_array.h"

enum PressStyle : int {
  PressStyleNone = 0,
  PressStyleDarken = 1,
  PressStyleBmp1 = 2,
  PressStyleBmp2 = 3,
  PressStyleBmp3 = 4,
};

enum ParseStatus : int {
  ParseOk = 0,
  ParseOutOfMemory = 1,
  ParseCannotOpen = 2,
  ParseReadFailed = 3,
  ParseLineTooLong = 4,
  ParseTooLarge = 5,  // larger than kMaxResourceFileBytes: refused unread
};

// Button indices, in the order of the button keys of a resource file.
enum ButtonIndex : int {
  CloseButton = 0,
  MinimizeButton,
  AboutButton,
  OpenFileButton,
  StopButton,
  PlayButton,
  RewindButton,
  ForwardButton,
  PreviousSongButton,
  NextSongButton,
  PauseButton,
  PreferencesButton,
  EqualizerButton,
  EqualizerResetButton,
  EqualizerOnButton,
  EqualizerOffButton,
  RepeatButton,
  kButtonCount
};

// Lamps: a lamp shows one play mode as off or on, and a click on it flips
// the mode. In the order of their keys.
enum LampIndex : int {
  ShuffleLamp = 0,
  RepeatLamp,       // repeat the disc
  RepeatTrackLamp,  // repeat one track
  IntroLamp,
  MuteLamp,
  kLampCount
};

enum VolumeControlKind : int { VolumeControlNone = 0, VolumeControlBar = 1, VolumeControlBmp = 2 };

constexpr int kMaxLineLength = 255;   // bytes of one line, without its line end
constexpr int kAboutTextSize = 1280;
constexpr int kPathSize = 260;
constexpr int kShortTextSize = 256;
// No real skin comes near this; a hostile file is refused before it is read.
constexpr unsigned long long kMaxResourceFileBytes = 4ull * 1024 * 1024;

// Told what the parser passes over, for tools that explain a skin; the
// parser behaves the same with or without one.
class SkinParseListener {
 public:
  // A line whose key the parser knows; `key` is the key's table spelling
  // ("#OsuwariBaseLine" for the comment that sets it), `values` the rest of
  // the line as written, before the parser reads it.
  virtual void OnKnownKey(int lineNumber, const char* key, const char* values) = 0;
  // A line whose first token is no key, no comment and not empty: ignored.
  virtual void OnUnknownKey(int lineNumber, const char* word) = 0;
  // The line at which the parse stopped; `status` says why.
  virtual void OnStop(int lineNumber, ParseStatus status) = 0;

 protected:
  ~SkinParseListener() = default;
};

// Every key the parser knows, in table order ("About" first, the button keys
// last); null past the end.
const char* KnownSkinKey(int index);

// One placement of a button.
struct ButtonSpec {
  RECT rect;
  char toolTip[kShortTextSize];
  PressStyle pressStyle;
};

// Where a lamp shows, and its tooltip. An empty rectangle: the skin has no
// such lamp.
struct LampSpec {
  RECT rect;
  char toolTip[kShortTextSize];
};

// The placements of one button, in file order.
class ButtonSpecList : public GrowableArray {
 public:
  ButtonSpecList() : GrowableArray(sizeof(ButtonSpec), kFirstGrowth) {}
  // The step grows with the list, so n placements cost O(n) copying in all;
  // a fixed step of 3 made a skin of 100,000 lines take minutes.
  int Add(const ButtonSpec* spec) {
    if (count == capacity && capacity > growBy) growBy = capacity;
    return GrowableArray::Add(spec);
  }
  void RemoveAll() {
    GrowableArray::RemoveAll();
    growBy = kFirstGrowth;
  }
  const ButtonSpec& operator[](int i) const { return *static_cast<const ButtonSpec*>(At(i)); }

 private:
  static constexpr int kFirstGrowth = 3;
};

class SkinModel {
 public:
  SkinModel();
  SkinModel(const SkinModel&) = delete;
  SkinModel& operator=(const SkinModel&) = delete;
  // Moves hand the button lists over without copying, so a model parsed
  // elsewhere can be taken over (and swapped back) without a failure.
  SkinModel(SkinModel&&) = default;
  SkinModel& operator=(SkinModel&&) = default;

  // Back to the state of an empty resource file; keeps lineNumber, status, cursor.
  void Clear();
  bool LoadResourceFile(const char* path);
  // Parses a resource text held in memory: `text` holds `size` bytes followed by
  // at least one more writable byte, and is cut into lines and tokens in place.
  bool ParseText(char* text, size_t size);
  bool ParseLine(char* line);
  char* NextToken(char* start);
  void ReadRect(RECT* out);
  bool AddButtonSpec(ButtonSpecList* list);
  bool ParseOsuwariComment(const char* word);

  char aboutText[kAboutTextSize];
  char backgroundImageFile[kPathSize];
  char backgroundImageInactiveFile[kPathSize];
  char backgroundImagePressedFile[3][kPathSize];
  char fontImageFile[kPathSize];
  int fontWidth, fontHeight;
  int fontSpacing;
  int fontTransparent;
  char timeFontImageFile[kPathSize];
  int timeFontWidth, timeFontHeight;
  int timeFontSpacing;
  int timeFontTransparent;
  int volumeControlType;
  char volumeControlImageFile[kPathSize];
  char volumeControlImagePositionFile[kPathSize];
  int volumeControlImageXSize;
  int volumeControlImageNb;
  RECT volumeControlButton;
  char seekImageFile[kPathSize];
  RECT seekRegion;
  ButtonSpecList buttons[kButtonCount];
  RECT filenameWindow;
  RECT mp3KbpsWindow;
  char mp3KbpsString[kShortTextSize];
  RECT mp3KhzWindow;
  char mp3KhzString[kShortTextSize];
  RECT mp3TimeWindow;
  RECT currentTrackWindow;
  RECT analyzerWindow;
  char analyzerText[kShortTextSize];
  RECT equalizerWindow;
  char equalizerText[kShortTextSize];
  int equalizerWindowValue1, equalizerWindowValue2;
  char equalizerBmpFile[kPathSize];
  int equalizerBmpValue1, equalizerBmpValue2;
  int osuwariBaseLine;
  LampSpec lamps[kLampCount];
  char lampImageFile[kLampCount][kPathSize];
  // Shown left of the time digits while they count a remaining time.
  char timeRemainingImageFile[kPathSize];
  int lineNumber;
  ParseStatus status;
  char* cursor;
  // Null unless a tool listens; never owned.
  SkinParseListener* listener;

  // Value readers used by the key table.
  int ReadInt();
  void ReadText(char* dst, size_t capacity);
  template <size_t N> void ReadText(char (&dst)[N]) { ReadText(dst, N); }

 private:
  void AppendAboutLine(const char* text);
};

// The resource-file spelling of each button key, by button index.
extern const char* const kButtonKeys[kButtonCount];
// The resource-file spelling of each lamp key, by lamp index; its picture's
// key is the same with "Image" after it.
extern const char* const kLampKeys[kLampCount];

#endif
