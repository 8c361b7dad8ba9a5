// The player's one contact with the audio CD: a thin layer of MCI commands to
// the CD-audio device. Every operation returns the MCI error of the first
// command that failed (0 on success) and writes its out-values only on success.
#ifndef ZANTO_CD_CD_AUDIO_DEVICE_H
#define ZANTO_CD_CD_AUDIO_DEVICE_H

#include <windows.h>
#include <mmsystem.h>

#include "cd/disc_info.h"
#include "skin/growable_array.h"

class CdAudioDevice {
 public:
  CdAudioDevice();
  ~CdAudioDevice();
  CdAudioDevice(const CdAudioDevice&) = delete;
  CdAudioDevice& operator=(const CdAudioDevice&) = delete;

  // Not shareable: a drive another program holds gives MCIERR_MUST_USE_SHAREABLE.
  // `letter` 0 opens the system's default CD-audio device, else drive
  // `letter` ('E' opens "E:").
  MCIERROR Open(char letter = 0);
  MCIERROR Close();

  MCIERROR GetMode(DWORD& mode);
  MCIERROR GetCurrentTrack(int& track);
  MCIERROR GetTrackCount(int& count);
  // With ofTrack the start of `track` on the disc, else the current position; MSF.
  MCIERROR GetPosition(DWORD& msf, int track, BOOL ofTrack);
  // The current position as TMSF: the track and the time within it, in one
  // query (the player's time, seek bar and title all come from it).
  MCIERROR GetTrackPosition(DWORD& tmsf);
  // Element 0 the whole disc, element i track i; MSF values.
  MCIERROR ReadTrackLengths();
  MCIERROR GetMediaIdentity(int& identity);
  // MCI_CDA_TRACK_AUDIO or MCI_CDA_TRACK_OTHER (a data track).
  MCIERROR GetTrackType(int track, DWORD& type);
  // Everything the player keeps of the disc in the drive: the lengths, the
  // track count, the identity, then each track's type. A failure of the
  // first three is returned (a drive whose contents cannot be read yet); a
  // type the drive cannot tell leaves its track audio.
  MCIERROR ReadDiscInfo(DiscInfo& disc);
  // Plays from `tmsf` to the end of the disc; MM_MCINOTIFY goes to notifyWindow.
  MCIERROR PlayFrom(HWND notifyWindow, DWORD tmsf);
  // Plays from `fromTmsf` up to `toTmsf`, so a play never runs into a data track.
  MCIERROR PlayRange(HWND notifyWindow, DWORD fromTmsf, DWORD toTmsf);
  MCIERROR Stop();
  MCIERROR OpenDoor();
  MCIERROR CloseDoor();
  LRESULT OnNotify(HWND window, UINT message, WPARAM status, LPARAM deviceId);

  BOOL isOpen;
  MCIDEVICEID deviceId;
  // The letter Open was given: 0 for the system's default device.
  char openedLetter;
  GrowableArray trackLengths;

 private:
  MCIERROR QueryStatus(DWORD flags, DWORD item, DWORD track, DWORD_PTR& value);
  MCIERROR SetTimeFormat(DWORD format);
  // The player works in TMSF (lengths come as MSF in it all the same). The
  // device is ours alone, so the format is set once, not before every query.
  MCIERROR UseTmsf();

  bool tmsfSet_ = false;
};

#endif
