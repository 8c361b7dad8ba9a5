// The user's preferences, kept in ZantoPlay.ini, and the per-disc memory kept
// in CD.ini (resource file and track titles of each known disc).
#ifndef ZANTO_SETTINGS_SETTINGS_H
#define ZANTO_SETTINGS_SETTINGS_H

#include <windows.h>

#include "settings/ini_file_save.h"
#include "skin/growable_array.h"

struct DiscTitles;

constexpr int kSettingsPathSize = 260;
constexpr int kTrackTitleSize = 260;  // one entry of cdTrackTitles
constexpr int kTrackTitleGrowth = 20;
constexpr int kFontNameSize = 32;

// What the time window shows (timeWindow).
constexpr int kTimeWindowPlayTime = 0;
constexpr int kTimeWindowClock = 1;
constexpr int kTimeWindowMouth = 2;
// The volume control's top position: the output as loud as the system has it.
constexpr int kFullVolume = 255;

// How a disc's sound is made ([General] Playback: auto, digital, analog).
// Digital reads the audio sectors and plays them through the system's audio;
// analogue asks the drive to play into its own output. Auto plays digitally
// wherever the drive can be read, and disc images always.
enum class PlaybackChoice { kAuto, kDigital, kAnalog };

class Settings {
 public:
  Settings();
  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;

  void Load();
  // Writes every preference, then the disc's resource file (StoreCdResource).
  // Each file is replaced whole or not at all; a file that cannot be written
  // is kept for ReportSaveFailure, once until a save of it succeeds again.
  void Save();
  // Shows the message of a failed save not reported yet, owned by `owner`
  // (may be null). No save shows anything itself: the caller knows which
  // window the user is looking at.
  void ReportSaveFailure(HWND owner);
  // Reads the CD.ini section of a disc; the disc becomes the known one.
  void LoadCd(int identity, int trackCount);
  // With chgResByCd on and a disc known: lastFile becomes the disc's ResourceFile.
  void StoreCdResource();
  void ForgetCd();
  // Drops the known disc's remembered resource file, in memory and in CD.ini.
  void ForgetCdResource();
  // Title of track `track` (1-based) into buffer; true when it is not empty.
  // Without a known disc the buffer is left as it is.
  bool GetTrackTitle(int track, char* buffer, int capacity) const;
  // The known disc's titles as they show (no disc known: all empty).
  void GetCdTitles(DiscTitles* out) const;
  // True when the known disc's section gave any title, its own or a track's.
  bool CdHasTitles() const;
  // Shows `titles` for the known disc, in memory only; titles of any other
  // disc change nothing.
  void UseCdTitles(const DiscTitles& titles);
  // Writes `titles` into their disc's CD.ini section at once, whole or not
  // at all, under their identity whichever disc is known now; the other
  // keys of the file stay. A failure is always kept for the report: the
  // user has just asked for this save. True when written (and, for the known disc, shown).
  bool SaveCdTitles(const DiscTitles& titles);
  static void WriteIniInt(const char* section, const char* key, int value, const char* path);
  // Path of ZantoPlay.ini (IDS_SETTINGS_FILE) or CD.ini (IDS_CD_FILE).
  void BuildIniPath(UINT fileNameId, char* out, size_t capacity) const;
  // Commits a save of one of the two files and keeps its failure for the
  // report, once until a save of that file succeeds again (`failureShown`
  // remembers).
  // True when the file was replaced.
  bool FinishSave(IniFileSave& file, bool& failureShown);

  int cdKnown;
  int cdIdentity;
  GrowableArray cdTrackTitles;  // entries of kTrackTitleSize bytes; entry i is track i + 1
  char cdTitle[kTrackTitleSize];   // the known disc's own title and artist
  char cdArtist[kTrackTitleSize];
  int cdTrackCount;
  char lastFile[kSettingsPathSize];
  int timeWindow;
  int mouseAnime;
  int alwaysOnTop;
  int chgResByCd;
  char cdResourceFile[kSettingsPathSize];
  int positionX;
  int positionY;
  int repeat;
  int usePlugin;
  char pluginFolder[kSettingsPathSize];
  int blinkWhenPausing;
  int doOsuwari;
  int osuwariXPer;
  char fontName[kFontNameSize];
  int fontStyle;
  COLORREF textColor;
  COLORREF shadowColor;
  int enableShadow;
  // The player's own controls, all under [General]; each default keeps the
  // player as it was before they existed.
  int volume;        // 0..255 output volume of the skin's volume control
  int mute;          // flag: silent, the volume kept for the unmute
  int shuffle;       // flag
  int repeatTrack;   // flag: repeat one track
  int introScan;     // flag: the first seconds of each track
  int timeMode;      // 0 elapsed, 1 remaining in the track, 2 remaining on the disc
  int mediaHotKeys;  // flag: the media keys also while another program is in front
  int autoPlay;      // flag: a disc that arrives starts playing
  // The CD drive to play, an upper-case letter; 0 (Drive= empty or absent)
  // is the system's default CD-audio device.
  char drive;
  PlaybackChoice playback;
  int deemphasis;  // flag: tracks recorded with pre-emphasis are de-emphasised (default 1)
  // The device whose sectors a digital play reads, as \\.\X: or any device
  // path; empty (the default) is the Drive letter's own.
  char digitalDevice[kSettingsPathSize];
  // [Lookup]: the disc databases a disc without titles is looked up in.
  char lookupServer[kSettingsPathSize];  // default https://musicbrainz.org
  int lookupOnline;                      // flag: look up new discs by themselves (default 1)
  char gnudbUser[kSettingsPathSize];     // an e-mail address; empty: gnudb is not asked
  char gnudbServer[kSettingsPathSize];   // default https://gnudb.gnudb.org
  // [General] Scale: the skin at 100, 150 or 200 %, or 0 to follow the
  // monitor's DPI; any other value in the file reads as 100.
  int scale = 100;

  // Where ZantoPlay.ini and CD.ini live, ending with a backslash: the
  // program's folder. Tests point it (and the registry key below) elsewhere.
  char iniFolder[kSettingsPathSize];
  // HKEY_CURRENT_USER key read when no plug-in folder is configured.
  const char* pluginRegistryKey;
  // A failed save of the file has been reported since its last good save.
  bool settingsFailureShown;
  bool cdFailureShown;
  // The files of failed saves that ReportSaveFailure has still to show, in
  // order; an empty entry for none. One save writes two files at most.
  static constexpr int kUnreportedLimit = 2;
  char unreportedFailures[kUnreportedLimit][kIniFilePathSize];

 private:
  // The [General] keys of the player's own controls.
  void LoadPlayerControls(const char* general, const char* path);
  void SavePlayerControls(IniFileSave& file, const char* general) const;
  void LoadLookup(const char* path);
  void SaveLookup(IniFileSave& file) const;
  // Sets (or, with null, removes) the known disc's ResourceFile in CD.ini.
  void WriteCdResource(const char* resourceFile);
};

#endif
