#include "skin/skin_model.h"

#include <cstring>
#include <memory>
#include <new>

#include "common/ascii_text.h"
#include "common/fixed_text.h"
#include "common/handles.h"
#include "skin/skin_pictures.h"

const char* const kButtonKeys[kButtonCount] = {
    "CloseButton",        "MinimizeButton",       "AboutButton",       "OpenFileButton",
    "StopButton",         "PlayButton",           "RewindButton",      "ForwardButton",
    "PreviousSongButton", "NextSongButton",       "PauseButton",       "PreferencesButton",
    "EqualizerButton",    "EqualizerResetButton", "EqualizerOnButton", "EqualizerOffButton",
    "RepeatButton",
};

const char* const kLampKeys[kLampCount] = {
    "ShuffleLamp", "RepeatLamp", "RepeatOneLamp", "IntroLamp", "MuteLamp",
};

namespace {

char emptyToken[1] = {'\0'};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int TransparencyFlag(int n) { return n == 1 ? 1 : 0; }

PressStyle PressStyleFromWord(const char* word) {
  if (EqualsIgnoreCase(word, "DARKEN")) return PressStyleDarken;
  if (EqualsIgnoreCase(word, "BMP1")) return PressStyleBmp1;
  if (EqualsIgnoreCase(word, "BMP2")) return PressStyleBmp2;
  if (EqualsIgnoreCase(word, "BMP3")) return PressStyleBmp3;
  return PressStyleNone;
}

// One row per plain key: the key and how its values are read.
struct KeyRule {
  const char* key;
  void (*read)(SkinModel& m);
};

// A picture's key reads its file name into the field the picture table names.
template <SkinPicture P>
KeyRule PictureKeyRule() {
  return {kSkinPictures[P].key, [](SkinModel& m) { m.ReadText(kSkinPictures[P].file(m)); }};
}

template <LampIndex L>
KeyRule LampKeyRule() {
  return {kLampKeys[L], [](SkinModel& m) {
            m.ReadRect(&m.lamps[L].rect);
            m.ReadText(m.lamps[L].toolTip);
          }};
}

// The picture rows take their keys from kSkinPictures at start-up, which is
// constant-initialised and so already filled in.
const KeyRule kKeyRules[] = {
    PictureKeyRule<BackgroundPicture>(),
    PictureKeyRule<InactivePicture>(),
    PictureKeyRule<PressedPicture1>(),
    PictureKeyRule<PressedPicture2>(),
    PictureKeyRule<PressedPicture3>(),
    {"FontImage", [](SkinModel& m) { m.ReadText(m.fontImageFile); }},
    {"FontSize",
     [](SkinModel& m) {
       m.fontWidth = m.ReadInt();
       m.fontHeight = m.ReadInt();
     }},
    {"FontSpacing", [](SkinModel& m) { m.fontSpacing = m.ReadInt(); }},
    {"FontTransparent", [](SkinModel& m) { m.fontTransparent = TransparencyFlag(m.ReadInt()); }},
    PictureKeyRule<TimeFontPicture>(),
    {"TimeFontSize",
     [](SkinModel& m) {
       m.timeFontWidth = m.ReadInt();
       m.timeFontHeight = m.ReadInt();
     }},
    {"TimeFontSpacing", [](SkinModel& m) { m.timeFontSpacing = m.ReadInt(); }},
    {"TimeFontTransparent", [](SkinModel& m) { m.timeFontTransparent = TransparencyFlag(m.ReadInt()); }},
    {"VolumeControlType",
     [](SkinModel& m) {
       const char* word = m.NextToken(nullptr);
       if (EqualsIgnoreCase(word, "BAR")) m.volumeControlType = VolumeControlBar;
       else if (EqualsIgnoreCase(word, "BMP")) m.volumeControlType = VolumeControlBmp;
     }},
    PictureKeyRule<VolumePicture>(),
    PictureKeyRule<VolumeMapPicture>(),
    {"VolumeControlImageXSize", [](SkinModel& m) { m.volumeControlImageXSize = m.ReadInt(); }},
    {"VolumeControlImageNb", [](SkinModel& m) { m.volumeControlImageNb = m.ReadInt(); }},
    {"VolumeControlButton", [](SkinModel& m) { m.ReadRect(&m.volumeControlButton); }},
    PictureKeyRule<SeekPicture>(),
    {"SeekRegion", [](SkinModel& m) { m.ReadRect(&m.seekRegion); }},
    {"FilenameWindow", [](SkinModel& m) { m.ReadRect(&m.filenameWindow); }},
    {"MP3KbpsWindow", [](SkinModel& m) { m.ReadRect(&m.mp3KbpsWindow); }},
    {"MP3KbpsString", [](SkinModel& m) { m.ReadText(m.mp3KbpsString); }},
    {"MP3KhzWindow", [](SkinModel& m) { m.ReadRect(&m.mp3KhzWindow); }},
    {"MP3KhzString", [](SkinModel& m) { m.ReadText(m.mp3KhzString); }},
    {"MP3TimeWindow", [](SkinModel& m) { m.ReadRect(&m.mp3TimeWindow); }},
    {"CurrentTrackWindow", [](SkinModel& m) { m.ReadRect(&m.currentTrackWindow); }},
    {"AnalyzerWindow",
     [](SkinModel& m) {
       m.ReadRect(&m.analyzerWindow);
       m.ReadText(m.analyzerText);
     }},
    {"EqualizerWindow",
     [](SkinModel& m) {
       m.ReadRect(&m.equalizerWindow);
       m.ReadText(m.equalizerText);
       m.equalizerWindowValue1 = m.ReadInt();
       m.equalizerWindowValue2 = m.ReadInt();
     }},
    {"EqualizerBmp",
     [](SkinModel& m) {
       m.equalizerBmpValue1 = m.ReadInt();
       m.equalizerBmpValue2 = m.ReadInt();
       m.ReadText(m.equalizerBmpFile);
     }},
    // A lamp is one place with a tooltip: a second line moves it.
    LampKeyRule<ShuffleLamp>(),
    LampKeyRule<RepeatLamp>(),
    LampKeyRule<RepeatTrackLamp>(),
    LampKeyRule<IntroLamp>(),
    LampKeyRule<MuteLamp>(),
    PictureKeyRule<ShuffleLampPicture>(),
    PictureKeyRule<RepeatLampPicture>(),
    PictureKeyRule<RepeatTrackLampPicture>(),
    PictureKeyRule<IntroLampPicture>(),
    PictureKeyRule<MuteLampPicture>(),
    PictureKeyRule<TimeRemainingPicture>(),
};

constexpr int kPlainKeyCount = static_cast<int>(sizeof(kKeyRules) / sizeof(kKeyRules[0]));

}  // namespace

const char* KnownSkinKey(int index) {
  if (index == 0) return "About";
  if (--index < 0) return nullptr;
  if (index < kPlainKeyCount) return kKeyRules[index].key;
  index -= kPlainKeyCount;
  if (index < kButtonCount) return kButtonKeys[index];
  return index == kButtonCount ? "#OsuwariBaseLine" : nullptr;
}

SkinModel::SkinModel() : lineNumber(0), status(ParseOk), cursor(nullptr), listener(nullptr) {
  Clear();
}

void SkinModel::Clear() {
  aboutText[0] = '\0';
  backgroundImageFile[0] = '\0';
  backgroundImageInactiveFile[0] = '\0';
  for (auto& file : backgroundImagePressedFile) file[0] = '\0';
  fontImageFile[0] = '\0';
  fontWidth = fontHeight = fontSpacing = 0;
  fontTransparent = 1;
  timeFontImageFile[0] = '\0';
  timeFontWidth = timeFontHeight = timeFontSpacing = 0;
  timeFontTransparent = 1;
  volumeControlType = VolumeControlNone;
  volumeControlImageFile[0] = '\0';
  volumeControlImagePositionFile[0] = '\0';
  volumeControlImageXSize = volumeControlImageNb = 0;
  volumeControlButton = RECT{};
  seekImageFile[0] = '\0';
  seekRegion = RECT{};
  for (auto& list : buttons) list.RemoveAll();
  filenameWindow = RECT{};
  mp3KbpsWindow = RECT{};
  mp3KbpsString[0] = '\0';
  mp3KhzWindow = RECT{};
  mp3KhzString[0] = '\0';
  mp3TimeWindow = RECT{};
  currentTrackWindow = RECT{};
  analyzerWindow = RECT{};
  analyzerText[0] = '\0';
  equalizerWindow = RECT{};
  equalizerText[0] = '\0';
  equalizerWindowValue1 = equalizerWindowValue2 = 0;
  equalizerBmpFile[0] = '\0';
  equalizerBmpValue1 = equalizerBmpValue2 = 0;
  osuwariBaseLine = -1;
  for (LampSpec& lamp : lamps) lamp = LampSpec{};
  for (auto& file : lampImageFile) file[0] = '\0';
  timeRemainingImageFile[0] = '\0';
}

bool SkinModel::LoadResourceFile(const char* path) {
  Clear();
  lineNumber = 0;
  unique_hfile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    status = ParseCannotOpen;
    return false;
  }
  LARGE_INTEGER fileSize = {};
  if (!GetFileSizeEx(file.get(), &fileSize) || fileSize.QuadPart < 0) {
    status = ParseReadFailed;
    return false;
  }
  if (static_cast<unsigned long long>(fileSize.QuadPart) > kMaxResourceFileBytes) {
    status = ParseTooLarge;
    return false;
  }
  const DWORD size = static_cast<DWORD>(fileSize.QuadPart);
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[static_cast<size_t>(size) + 1]);
  if (!buffer) {
    status = ParseOutOfMemory;
    return false;
  }
  DWORD read = 0;
  if (!ReadFile(file.get(), buffer.get(), size, &read, nullptr)) {
    status = ParseReadFailed;
    return false;
  }
  // A file that shrank meanwhile: parse only the bytes that arrived.
  return ParseText(buffer.get(), read);
}

bool SkinModel::ParseText(char* text, size_t size) {
  Clear();
  char* terminator = text + size;
  *terminator = '\0';
  lineNumber = 1;
  char* p = text;
  while (p <= terminator) {
    char* lineEnd = terminator;
    for (char* q = p; *q; ++q) {
      if (*q == '\n') {
        lineEnd = q;
        *q = '\0';
        if (q > p && q[-1] == '\r') q[-1] = '\0';
        break;
      }
    }
    if (!ParseLine(p)) {
      cursor = nullptr;
      if (listener) listener->OnStop(lineNumber, status);
      return false;
    }
    ++lineNumber;
    p = lineEnd + 1;
  }
  cursor = nullptr;  // it pointed into the caller's buffer
  status = ParseOk;
  return true;
}

bool SkinModel::ParseLine(char* line) {
  if (strnlen(line, kMaxLineLength + 1) > kMaxLineLength) {
    status = ParseLineTooLong;
    return false;
  }
  char* key = NextToken(line);
  if (EqualsIgnoreCase(key, "About")) {
    if (listener) listener->OnKnownKey(lineNumber, "About", cursor);
    AppendAboutLine(cursor);
    return true;
  }
  for (const KeyRule& rule : kKeyRules) {
    if (EqualsIgnoreCase(key, rule.key)) {
      if (listener) listener->OnKnownKey(lineNumber, rule.key, cursor);
      rule.read(*this);
      return true;
    }
  }
  for (int i = 0; i < kButtonCount; ++i) {
    if (EqualsIgnoreCase(key, kButtonKeys[i])) {
      if (listener) listener->OnKnownKey(lineNumber, kButtonKeys[i], cursor);
      return AddButtonSpec(&buttons[i]);
    }
  }
  if (strcmp(key, "#") == 0) return ParseOsuwariComment(NextToken(nullptr));
  if (key[0] == '#') return ParseOsuwariComment(key + 1);
  if (key[0] != '\0' && listener) listener->OnUnknownKey(lineNumber, key);
  return true;
}

char* SkinModel::NextToken(char* start) {
  char* s = start ? start : cursor;
  if (!s) return emptyToken;
  while (IsBlank(*s)) ++s;
  char* token = s;
  while (*s && !IsBlank(*s)) ++s;
  if (*s) {
    *s = '\0';
    cursor = s + 1;
  } else {
    cursor = s;
  }
  return token;
}

int SkinModel::ReadInt() { return ParseDecimal(NextToken(nullptr)); }

void SkinModel::ReadText(char* dst, size_t capacity) { CopyText(dst, capacity, NextToken(nullptr)); }

void SkinModel::ReadRect(RECT* out) {
  out->left = ReadInt();
  out->top = ReadInt();
  out->right = ReadInt();
  out->bottom = ReadInt();
}

bool SkinModel::AddButtonSpec(ButtonSpecList* list) {
  ButtonSpec spec{};
  ReadRect(&spec.rect);
  ReadText(spec.toolTip);
  spec.pressStyle = PressStyleFromWord(NextToken(nullptr));
  if (list->Add(&spec) < 0) {
    status = ParseOutOfMemory;
    return false;
  }
  return true;
}

bool SkinModel::ParseOsuwariComment(const char* word) {
  if (EqualsIgnoreCase(word, "OsuwariBaseLine")) {
    if (listener) listener->OnKnownKey(lineNumber, "#OsuwariBaseLine", cursor);
    osuwariBaseLine = ReadInt();
  }
  return true;
}

void SkinModel::AppendAboutLine(const char* text) {
  // A line that does not fit whole (with its line feed) is left out rather
  // than cut, so the about box never ends in half a double-byte character.
  size_t used = strlen(aboutText);
  size_t length = strlen(text);
  if (used + length + 1 >= sizeof(aboutText)) return;
  memcpy(aboutText + used, text, length);
  aboutText[used + length] = '\n';
  aboutText[used + length + 1] = '\0';
}
