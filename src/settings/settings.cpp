#include "settings/settings.h"

#include <cstring>

#include "common/ascii_text.h"
#include "common/fixed_text.h"
#include "common/message_box.h"
#include "common/path_text.h"
#include "resources/resource.h"
#include "settings/color_text.h"
#include "settings/disc_titles.h"
#include "settings/ini_file_save.h"
#include "skin/plugin_list.h"
#include "skin/skin_scale.h"

namespace {

constexpr size_t kNameSize = 256;     // section and key names
constexpr size_t kColorTextSize = 260;
constexpr size_t kIntTextSize = 16;
constexpr size_t kDiscSectionSize = 16;
constexpr size_t kIniPathSize = kIniFilePathSize;

// "ＭＳ Ｐゴシック" in code page 932, the code page the program is made for.
const char kDefaultFontName[] = "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
const char kDefaultLookupServer[] = "https://musicbrainz.org";
const char kDefaultGnudbServer[] = "https://gnudb.gnudb.org";
constexpr COLORREF kDefaultTextColor = RGB(255, 255, 255);
constexpr COLORREF kDefaultShadowColor = RGB(0, 0, 0);

// A section or key name from the string table.
class Name {
 public:
  explicit Name(UINT id) { LoadText(ProgramModule(), id, text_); }
  operator const char*() const { return text_; }

 private:
  char text_[kNameSize];
};

int ReadInt(const char* section, const char* key, int defaultValue, const char* path) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, path));
}

void ReadText(const char* section, const char* key, const char* defaultValue, char* out,
              size_t capacity, const char* path) {
  GetPrivateProfileStringA(section, key, defaultValue, out, static_cast<DWORD>(capacity), path);
  out[capacity - 1] = '\0';
}

COLORREF ReadColor(const char* section, const char* key, COLORREF defaultColor, const char* path) {
  char defaultText[kColorTextSize];
  FormatColorText(defaultColor, defaultText, sizeof(defaultText));
  char text[kColorTextSize];
  ReadText(section, key, defaultText, text, sizeof(text), path);
  return ParseColorText(text, defaultColor);
}

void WriteColor(IniFileSave& file, const char* section, const char* key, COLORREF color) {
  char text[kColorTextSize];
  FormatColorText(color, text, sizeof(text));
  file.WriteText(section, key, text);
}

// "E", "e" or "E:" is drive E; anything else is the system's default drive.
char DriveFromText(const char* text) {
  char letter = DriveLetterOf(text[0]);
  if (letter == 0) return 0;
  if (text[1] != '\0' && (text[1] != ':' || text[2] != '\0')) return 0;
  return letter;
}

// Any other text, and none, is auto: the choice that sounds on a PC of today.
PlaybackChoice PlaybackFromText(const char* text) {
  if (lstrcmpiA(text, "digital") == 0) return PlaybackChoice::kDigital;
  if (lstrcmpiA(text, "analog") == 0) return PlaybackChoice::kAnalog;
  return PlaybackChoice::kAuto;
}

const char* PlaybackText(PlaybackChoice choice) {
  switch (choice) {
    case PlaybackChoice::kDigital: return "digital";
    case PlaybackChoice::kAnalog: return "analog";
    default: return "auto";
  }
}

// CD.ini names a disc's section by its identity in upper-case hexadecimal.
void DiscSection(int identity, char* out, size_t capacity) {
  FormatText(out, capacity, "%X", static_cast<unsigned int>(identity));
}

}  // namespace

Settings::Settings()
    : cdKnown(0),
      cdIdentity(0),
      cdTrackTitles(kTrackTitleSize, kTrackTitleGrowth),
      cdTitle{},
      cdArtist{},
      cdTrackCount(0),
      lastFile{},
      timeWindow(0),
      mouseAnime(500),
      alwaysOnTop(0),
      chgResByCd(0),
      cdResourceFile{},
      positionX(CW_USEDEFAULT),
      positionY(CW_USEDEFAULT),
      repeat(0),
      usePlugin(1),
      pluginFolder{},
      blinkWhenPausing(1),
      doOsuwari(0),
      osuwariXPer(90),
      fontName{},
      fontStyle(0),
      textColor(kDefaultTextColor),
      shadowColor(kDefaultShadowColor),
      enableShadow(1),
      volume(kFullVolume),
      mute(0),
      shuffle(0),
      repeatTrack(0),
      introScan(0),
      timeMode(0),
      mediaHotKeys(0),
      autoPlay(0),
      drive(0),
      playback(PlaybackChoice::kAuto),
      deemphasis(1),
      digitalDevice{},
      lookupServer{},
      lookupOnline(1),
      gnudbUser{},
      gnudbServer{},
      iniFolder{},
      pluginRegistryKey(kSusiePluginKey),
      settingsFailureShown(false),
      cdFailureShown(false),
      unreportedFailures{} {
  CopyText(fontName, kDefaultFontName);
  CopyText(lookupServer, kDefaultLookupServer);
  CopyText(gnudbServer, kDefaultGnudbServer);
  BuildPathBesideExecutable("", iniFolder, sizeof(iniFolder));
}

void Settings::BuildIniPath(UINT fileNameId, char* out, size_t capacity) const {
  char fileName[kNameSize];
  LoadText(ProgramModule(), fileNameId, fileName);
  CopyText(out, capacity, iniFolder);
  AppendText(out, capacity, fileName);
}

void Settings::Load() {
  char path[kIniPathSize];
  BuildIniPath(IDS_SETTINGS_FILE, path, sizeof(path));

  Name mainWindow(IDS_SECTION_MAINWINDOW);
  positionX = ReadInt(mainWindow, Name(IDS_KEY_POSITIONX), CW_USEDEFAULT, path);
  positionY = ReadInt(mainWindow, Name(IDS_KEY_POSITIONY), CW_USEDEFAULT, path);
  alwaysOnTop = ReadInt(mainWindow, Name(IDS_KEY_ALWAYSONTOP), 0, path);

  ReadText(Name(IDS_SECTION_RESOURCES), Name(IDS_KEY_LASTFILE), "", lastFile, sizeof(lastFile),
           path);
  if (lastFile[0] == '\0') {
    char defaultName[kNameSize];
    LoadText(ProgramModule(), IDS_DEFAULT_RESOURCE, defaultName);
    BuildPathBesideExecutable(defaultName, lastFile, sizeof(lastFile));
  }

  Name susiePlugin(IDS_SECTION_SUSIEPLUGIN);
  usePlugin = ReadInt(susiePlugin, Name(IDS_KEY_USEPLUGIN), 1, path);
  ReadText(susiePlugin, Name(IDS_KEY_PLUGINFOLDER), "", pluginFolder, sizeof(pluginFolder), path);
  if (pluginFolder[0] == '\0' &&
      !ReadRegistryPluginFolder(pluginFolder, sizeof(pluginFolder), pluginRegistryKey)) {
    // Nowhere to look for plug-ins: switch them off whatever the file said.
    pluginFolder[0] = '\0';
    usePlugin = 0;
  }

  Name osuwari(IDS_SECTION_OSUWARI);
  doOsuwari = ReadInt(osuwari, Name(IDS_KEY_DOOSUWARI), 0, path);
  osuwariXPer = ReadInt(osuwari, Name(IDS_KEY_OSUWARIXPER), 90, path);

  Name fileNameWindow(IDS_SECTION_FILENAMEWINDOW);
  ReadText(fileNameWindow, Name(IDS_KEY_FONTNAME), kDefaultFontName, fontName, sizeof(fontName),
           path);
  fontStyle = ReadInt(fileNameWindow, Name(IDS_KEY_FONTSTYLE), 0, path);
  textColor = ReadColor(fileNameWindow, Name(IDS_KEY_TEXTCOLOR), kDefaultTextColor, path);
  shadowColor = ReadColor(fileNameWindow, Name(IDS_KEY_SHADOWCOLOR), kDefaultShadowColor, path);
  enableShadow = ReadInt(fileNameWindow, Name(IDS_KEY_ENABLESHADOW), 1, path);

  Name general(IDS_SECTION_GENERAL);
  timeWindow = ReadInt(general, Name(IDS_KEY_TIMEWINDOW), 0, path);
  mouseAnime = ReadInt(general, Name(IDS_KEY_MOUSEANIME), 500, path);
  chgResByCd = ReadInt(general, Name(IDS_KEY_CHGRESBYCD), 0, path);
  repeat = ReadInt(general, Name(IDS_KEY_REPEAT), 0, path);
  blinkWhenPausing = ReadInt(general, Name(IDS_KEY_BLINKWHENPAUSING), 1, path);
  LoadPlayerControls(general, path);
  LoadLookup(path);
}

void Settings::LoadLookup(const char* path) {
  Name lookup(IDS_SECTION_LOOKUP);
  ReadText(lookup, Name(IDS_KEY_LOOKUP_SERVER), kDefaultLookupServer, lookupServer, sizeof(lookupServer), path);
  lookupOnline = ReadInt(lookup, Name(IDS_KEY_LOOKUP_ONLINE), 1, path);
  ReadText(lookup, Name(IDS_KEY_GNUDB_USER), "", gnudbUser, sizeof(gnudbUser), path);
  ReadText(lookup, Name(IDS_KEY_GNUDB_SERVER), kDefaultGnudbServer, gnudbServer, sizeof(gnudbServer), path);
}

void Settings::SaveLookup(IniFileSave& file) const {
  Name lookup(IDS_SECTION_LOOKUP);
  file.WriteText(lookup, Name(IDS_KEY_LOOKUP_SERVER), lookupServer);
  file.WriteInt(lookup, Name(IDS_KEY_LOOKUP_ONLINE), lookupOnline);
  file.WriteText(lookup, Name(IDS_KEY_GNUDB_USER), gnudbUser);
  file.WriteText(lookup, Name(IDS_KEY_GNUDB_SERVER), gnudbServer);
}

void Settings::LoadPlayerControls(const char* general, const char* path) {
  volume = ReadInt(general, Name(IDS_KEY_VOLUME), kFullVolume, path);
  // Any other number than 0 is a mute that was set, kept as 1.
  mute = ReadInt(general, Name(IDS_KEY_MUTE), 0, path) != 0 ? 1 : 0;
  shuffle = ReadInt(general, Name(IDS_KEY_SHUFFLE), 0, path);
  repeatTrack = ReadInt(general, Name(IDS_KEY_REPEATTRACK), 0, path);
  introScan = ReadInt(general, Name(IDS_KEY_INTROSCAN), 0, path);
  timeMode = ReadInt(general, Name(IDS_KEY_TIMEMODE), 0, path);
  mediaHotKeys = ReadInt(general, Name(IDS_KEY_MEDIAHOTKEYS), 0, path);
  autoPlay = ReadInt(general, Name(IDS_KEY_AUTOPLAY), 0, path);
  char driveText[kIntTextSize];
  ReadText(general, Name(IDS_KEY_DRIVE), "", driveText, sizeof(driveText), path);
  drive = DriveFromText(driveText);
  char playbackText[kIntTextSize];
  ReadText(general, Name(IDS_KEY_PLAYBACK), "", playbackText, sizeof(playbackText), path);
  playback = PlaybackFromText(playbackText);
  deemphasis = ReadInt(general, Name(IDS_KEY_DEEMPHASIS), 1, path) != 0 ? 1 : 0;
  ReadText(general, Name(IDS_KEY_DIGITAL_DEVICE), "", digitalDevice, sizeof(digitalDevice), path);
  scale = ValidScaleSetting(ReadInt(general, Name(IDS_KEY_SCALE), kScaleNormal, path));
}

void Settings::SavePlayerControls(IniFileSave& file, const char* general) const {
  file.WriteInt(general, Name(IDS_KEY_VOLUME), volume);
  file.WriteInt(general, Name(IDS_KEY_MUTE), mute);
  file.WriteInt(general, Name(IDS_KEY_SHUFFLE), shuffle);
  file.WriteInt(general, Name(IDS_KEY_REPEATTRACK), repeatTrack);
  file.WriteInt(general, Name(IDS_KEY_INTROSCAN), introScan);
  file.WriteInt(general, Name(IDS_KEY_TIMEMODE), timeMode);
  file.WriteInt(general, Name(IDS_KEY_MEDIAHOTKEYS), mediaHotKeys);
  file.WriteInt(general, Name(IDS_KEY_AUTOPLAY), autoPlay);
  const char driveText[] = {drive, '\0'};
  file.WriteText(general, Name(IDS_KEY_DRIVE), driveText);
  file.WriteText(general, Name(IDS_KEY_PLAYBACK), PlaybackText(playback));
  file.WriteInt(general, Name(IDS_KEY_DEEMPHASIS), deemphasis);
  file.WriteText(general, Name(IDS_KEY_DIGITAL_DEVICE), digitalDevice);
  file.WriteInt(general, Name(IDS_KEY_SCALE), scale);
}

void Settings::Save() {
  char path[kIniPathSize];
  BuildIniPath(IDS_SETTINGS_FILE, path, sizeof(path));
  IniFileSave file(path);

  Name mainWindow(IDS_SECTION_MAINWINDOW);
  file.WriteInt(mainWindow, Name(IDS_KEY_POSITIONX), positionX);
  file.WriteInt(mainWindow, Name(IDS_KEY_POSITIONY), positionY);
  file.WriteInt(mainWindow, Name(IDS_KEY_ALWAYSONTOP), alwaysOnTop);

  file.WriteText(Name(IDS_SECTION_RESOURCES), Name(IDS_KEY_LASTFILE), lastFile);

  Name susiePlugin(IDS_SECTION_SUSIEPLUGIN);
  file.WriteInt(susiePlugin, Name(IDS_KEY_USEPLUGIN), usePlugin);
  file.WriteText(susiePlugin, Name(IDS_KEY_PLUGINFOLDER), pluginFolder);

  Name osuwari(IDS_SECTION_OSUWARI);
  file.WriteInt(osuwari, Name(IDS_KEY_DOOSUWARI), doOsuwari);
  file.WriteInt(osuwari, Name(IDS_KEY_OSUWARIXPER), osuwariXPer);

  Name fileNameWindow(IDS_SECTION_FILENAMEWINDOW);
  file.WriteText(fileNameWindow, Name(IDS_KEY_FONTNAME), fontName);
  file.WriteInt(fileNameWindow, Name(IDS_KEY_FONTSTYLE), fontStyle);
  WriteColor(file, fileNameWindow, Name(IDS_KEY_TEXTCOLOR), textColor);
  WriteColor(file, fileNameWindow, Name(IDS_KEY_SHADOWCOLOR), shadowColor);
  file.WriteInt(fileNameWindow, Name(IDS_KEY_ENABLESHADOW), enableShadow);

  Name general(IDS_SECTION_GENERAL);
  file.WriteInt(general, Name(IDS_KEY_TIMEWINDOW), timeWindow);
  file.WriteInt(general, Name(IDS_KEY_MOUSEANIME), mouseAnime);
  file.WriteInt(general, Name(IDS_KEY_CHGRESBYCD), chgResByCd);
  file.WriteInt(general, Name(IDS_KEY_REPEAT), repeat);
  file.WriteInt(general, Name(IDS_KEY_BLINKWHENPAUSING), blinkWhenPausing);
  SavePlayerControls(file, general);
  SaveLookup(file);
  FinishSave(file, settingsFailureShown);

  StoreCdResource();
}

void Settings::LoadCd(int identity, int trackCount) {
  char path[kIniPathSize];
  BuildIniPath(IDS_CD_FILE, path, sizeof(path));
  char section[kDiscSectionSize];
  DiscSection(identity, section, sizeof(section));

  ReadText(section, Name(IDS_KEY_RESOURCEFILE), "", cdResourceFile, sizeof(cdResourceFile), path);
  ReadText(section, Name(IDS_KEY_DISC_TITLE), "", cdTitle, sizeof(cdTitle), path);
  ReadText(section, Name(IDS_KEY_DISC_ARTIST), "", cdArtist, sizeof(cdArtist), path);

  cdTrackTitles.RemoveAll();
  Name keyFormat(IDS_KEY_TRACK_FORMAT);
  for (int i = 0; i < trackCount; ++i) {
    char key[kIntTextSize];
    FormatText(key, sizeof(key), keyFormat, i);
    char title[kTrackTitleSize] = "";
    ReadText(section, key, "", title, sizeof(title), path);
    // Out of memory: this title and the later ones read as empty.
    if (cdTrackTitles.Add(title) < 0) break;
  }

  cdKnown = 1;
  cdIdentity = identity;
  cdTrackCount = trackCount;
}

void Settings::StoreCdResource() {
  if (!chgResByCd || !cdKnown) return;
  WriteCdResource(lastFile);
}

void Settings::ForgetCdResource() {
  cdResourceFile[0] = '\0';
  if (cdKnown) WriteCdResource(nullptr);
}

void Settings::WriteCdResource(const char* resourceFile) {
  char path[kIniPathSize];
  BuildIniPath(IDS_CD_FILE, path, sizeof(path));
  char section[kDiscSectionSize];
  DiscSection(cdIdentity, section, sizeof(section));
  // Forgetting needs no file where there is none.
  if (!resourceFile && GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return;
  IniFileSave file(path);
  file.WriteText(section, Name(IDS_KEY_RESOURCEFILE), resourceFile);
  FinishSave(file, cdFailureShown);
}

bool Settings::FinishSave(IniFileSave& file, bool& failureShown) {
  if (file.Commit()) {
    failureShown = false;  // a later failure is news again
    return true;
  }
  // Once per file: every save after a shown failure would fail the same way.
  if (failureShown) return false;
  failureShown = true;
  for (char* slot : unreportedFailures) {
    if (slot[0] == '\0' || strcmp(slot, file.path()) == 0) {
      CopyText(slot, kIniFilePathSize, file.path());
      break;
    }
  }
  return false;
}

void Settings::ReportSaveFailure(HWND owner) {
  for (char* slot : unreportedFailures) {
    if (slot[0] == '\0') continue;
    char message[kComposedMessageSize];
    LoadText(ProgramModule(), IDS_SAVE_FAILED, message);
    AppendText(message, "\n");
    AppendText(message, slot);
    slot[0] = '\0';  // before the box: its message loop may report again
    ShowMessage(owner, message, kMessageStyle);
  }
}

void Settings::ForgetCd() {
  StoreCdResource();
  cdKnown = 0;
  cdIdentity = 0;
}

bool Settings::GetTrackTitle(int track, char* buffer, int capacity) const {
  if (!cdKnown || capacity <= 0) return false;
  // Titles past the end of the array were never read (memory ran out).
  if (track < 1 || track > cdTrackCount || track > cdTrackTitles.count) {
    buffer[0] = '\0';
    return false;
  }
  CopyText(buffer, static_cast<size_t>(capacity),
           static_cast<const char*>(cdTrackTitles.At(track - 1)));
  return buffer[0] != '\0';
}

void Settings::WriteIniInt(const char* section, const char* key, int value, const char* path) {
  IniFileSave file(path);
  file.WriteInt(section, key, value);
  file.Commit();
}

void Settings::GetCdTitles(DiscTitles* out) const {
  ClearDiscTitles(out);
  if (!cdKnown) return;
  out->identity = cdIdentity;
  out->trackCount = cdTrackCount < kTitledTrackLimit ? cdTrackCount : kTitledTrackLimit;
  if (out->trackCount < 0) out->trackCount = 0;
  CopyText(out->title, cdTitle);
  CopyText(out->artist, cdArtist);
  for (int track = 1; track <= out->trackCount; ++track) {
    GetTrackTitle(track, out->tracks[track - 1], kTrackTitleSize);
  }
}

bool Settings::CdHasTitles() const {
  if (!cdKnown) return false;
  if (cdTitle[0] != '\0' || cdArtist[0] != '\0') return true;
  for (int i = 0; i < cdTrackTitles.count && i < cdTrackCount; ++i) {
    if (static_cast<const char*>(cdTrackTitles.At(i))[0] != '\0') return true;
  }
  return false;
}

void Settings::UseCdTitles(const DiscTitles& titles) {
  if (!cdKnown || titles.identity != cdIdentity) return;
  CopyText(cdTitle, titles.title);
  CopyText(cdArtist, titles.artist);
  for (int i = 0; i < titles.trackCount && i < cdTrackCount; ++i) {
    if (i < cdTrackTitles.count) {
      cdTrackTitles.SetAt(i, titles.tracks[i]);
    } else if (cdTrackTitles.Add(titles.tracks[i]) < 0) {
      break;  // out of memory: the later titles read as empty, as LoadCd leaves them
    }
  }
}

bool Settings::SaveCdTitles(const DiscTitles& titles) {
  char path[kIniPathSize];
  BuildIniPath(IDS_CD_FILE, path, sizeof(path));
  char section[kDiscSectionSize];
  DiscSection(titles.identity, section, sizeof(section));
  IniFileSave file(path);
  // An emptied title leaves no key behind; the reader takes a missing one as empty.
  auto write = [&](const char* key, const char* value) {
    file.WriteText(section, key, value[0] != '\0' ? value : nullptr);
  };
  write(Name(IDS_KEY_DISC_TITLE), titles.title);
  write(Name(IDS_KEY_DISC_ARTIST), titles.artist);
  Name keyFormat(IDS_KEY_TRACK_FORMAT);
  for (int i = 0; i < titles.trackCount && i < kTitledTrackLimit; ++i) {
    char key[kIntTextSize];
    FormatText(key, sizeof(key), keyFormat, i);
    write(key, titles.tracks[i]);
  }
  bool shown = false;  // reported even after an earlier failure of CD.ini
  if (!FinishSave(file, shown)) return false;
  cdFailureShown = false;
  UseCdTitles(titles);
  return true;
}
