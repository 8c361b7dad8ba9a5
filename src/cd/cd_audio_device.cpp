#include "cd/cd_audio_device.h"

#include "common/ascii_text.h"

namespace {

constexpr int kTrackLengthGrowth = 10;
// 16 characters and the terminator.
constexpr DWORD kIdentityCapacity = 17;

MCIERROR Send(MCIDEVICEID device, UINT message, DWORD_PTR flags, void* parameters) {
  return mciSendCommandA(device, message, flags, reinterpret_cast<DWORD_PTR>(parameters));
}

}  // namespace

CdAudioDevice::CdAudioDevice()
    : isOpen(FALSE), deviceId(0), openedLetter(0), trackLengths(sizeof(DWORD), kTrackLengthGrowth) {}

CdAudioDevice::~CdAudioDevice() { Close(); }

MCIERROR CdAudioDevice::Open(char letter) {
  if (isOpen) return 0;
  MCI_OPEN_PARMSA parms = {};
  DWORD flags = MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID;
  parms.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
  const char element[] = {letter, ':', '\0'};
  if (letter) {
    // One drive of several: the cdaudio type by name, the drive as its element.
    flags = MCI_OPEN_TYPE | MCI_OPEN_ELEMENT;
    parms.lpstrDeviceType = "cdaudio";
    parms.lpstrElementName = element;
  }
  MCIERROR error = Send(0, MCI_OPEN, flags, &parms);
  if (error) return error;
  deviceId = parms.wDeviceID;
  openedLetter = letter;
  isOpen = TRUE;
  return 0;
}

MCIERROR CdAudioDevice::Close() {
  if (!isOpen) return 0;
  MCI_GENERIC_PARMS parms = {};
  MCIERROR error = Send(deviceId, MCI_CLOSE, MCI_WAIT, &parms);
  if (error) return error;
  isOpen = FALSE;
  deviceId = 0;
  tmsfSet_ = false;
  return 0;
}

MCIERROR CdAudioDevice::QueryStatus(DWORD flags, DWORD item, DWORD track, DWORD_PTR& value) {
  MCI_STATUS_PARMS parms = {};
  parms.dwItem = item;
  parms.dwTrack = track;
  MCIERROR error = Send(deviceId, MCI_STATUS, MCI_STATUS_ITEM | flags, &parms);
  if (error) return error;
  value = parms.dwReturn;
  return 0;
}

MCIERROR CdAudioDevice::SetTimeFormat(DWORD format) {
  MCI_SET_PARMS parms = {};
  parms.dwTimeFormat = format;
  MCIERROR error = Send(deviceId, MCI_SET, MCI_SET_TIME_FORMAT, &parms);
  if (!error) tmsfSet_ = format == MCI_FORMAT_TMSF;
  return error;
}

MCIERROR CdAudioDevice::UseTmsf() { return tmsfSet_ ? 0 : SetTimeFormat(MCI_FORMAT_TMSF); }

MCIERROR CdAudioDevice::GetMode(DWORD& mode) {
  DWORD_PTR value = 0;
  MCIERROR error = QueryStatus(0, MCI_STATUS_MODE, 0, value);
  if (!error) mode = static_cast<DWORD>(value);
  return error;
}

MCIERROR CdAudioDevice::GetCurrentTrack(int& track) {
  DWORD_PTR value = 0;
  MCIERROR error = QueryStatus(0, MCI_STATUS_CURRENT_TRACK, 0, value);
  if (!error) track = static_cast<int>(value);
  return error;
}

MCIERROR CdAudioDevice::GetTrackCount(int& count) {
  DWORD_PTR value = 0;
  MCIERROR error = QueryStatus(0, MCI_STATUS_NUMBER_OF_TRACKS, 0, value);
  if (!error) count = static_cast<int>(value);
  return error;
}

MCIERROR CdAudioDevice::GetPosition(DWORD& msf, int track, BOOL ofTrack) {
  MCIERROR error = SetTimeFormat(MCI_FORMAT_MSF);
  if (error) return error;
  DWORD_PTR value = 0;
  error = QueryStatus(ofTrack ? MCI_TRACK : 0, MCI_STATUS_POSITION, static_cast<DWORD>(track), value);
  if (!error) msf = static_cast<DWORD>(value);
  return error;
}

MCIERROR CdAudioDevice::GetTrackPosition(DWORD& tmsf) {
  MCIERROR error = UseTmsf();
  if (error) return error;
  DWORD_PTR value = 0;
  error = QueryStatus(0, MCI_STATUS_POSITION, 0, value);
  if (!error) tmsf = static_cast<DWORD>(value);
  return error;
}

MCIERROR CdAudioDevice::ReadTrackLengths() {
  trackLengths.RemoveAll();
  int count = 0;
  MCIERROR error = GetTrackCount(count);
  if (error) return error;
  error = UseTmsf();
  if (error) return error;
  DWORD_PTR value = 0;
  error = QueryStatus(0, MCI_STATUS_LENGTH, 0, value);
  if (error) return error;
  // A failed append is not reported: the list just comes out shorter.
  DWORD length = static_cast<DWORD>(value);
  trackLengths.Add(&length);
  for (int track = 1; track <= count; ++track) {
    error = QueryStatus(MCI_TRACK, MCI_STATUS_LENGTH, static_cast<DWORD>(track), value);
    if (error) return error;
    length = static_cast<DWORD>(value);
    trackLengths.Add(&length);
  }
  return 0;
}

MCIERROR CdAudioDevice::ReadDiscInfo(DiscInfo& disc) {
  int count = 0;
  int identity = 0;
  MCIERROR error = ReadTrackLengths();
  if (!error) error = GetTrackCount(count);
  if (!error) error = GetMediaIdentity(identity);
  if (error) return error;
  disc = DiscInfo();
  disc.identity = identity;
  disc.trackCount = count;
  for (int track = 1; track <= KnownTracks(disc) && track < trackLengths.count; ++track) {
    SetTrackLength(disc, track, *static_cast<const DWORD*>(trackLengths.At(track)));
  }
  for (int track = 1; track <= KnownTracks(disc); ++track) {
    DWORD type = MCI_CDA_TRACK_AUDIO;
    disc.tracks[track].data = GetTrackType(track, type) == 0 && type == MCI_CDA_TRACK_OTHER;
  }
  return 0;
}

MCIERROR CdAudioDevice::GetMediaIdentity(int& identity) {
  char text[kIdentityCapacity] = {};
  MCI_INFO_PARMSA parms = {};
  parms.lpstrReturn = text;
  parms.dwRetSize = kIdentityCapacity;
  MCIERROR error = Send(deviceId, MCI_INFO, MCI_INFO_MEDIA_IDENTITY, &parms);
  if (error) return error;
  text[kIdentityCapacity - 1] = '\0';  // never trust the driver to terminate
  identity = ParseDecimal(text);
  return 0;
}

MCIERROR CdAudioDevice::GetTrackType(int track, DWORD& type) {
  DWORD_PTR value = 0;
  MCIERROR error = QueryStatus(MCI_TRACK, MCI_CDA_STATUS_TYPE_TRACK, static_cast<DWORD>(track), value);
  if (!error) type = static_cast<DWORD>(value);
  return error;
}

MCIERROR CdAudioDevice::PlayRange(HWND notifyWindow, DWORD fromTmsf, DWORD toTmsf) {
  MCIERROR error = UseTmsf();
  if (error) return error;
  MCI_PLAY_PARMS parms = {};
  parms.dwCallback = reinterpret_cast<DWORD_PTR>(notifyWindow);
  parms.dwFrom = fromTmsf;
  parms.dwTo = toTmsf;
  return Send(deviceId, MCI_PLAY, MCI_FROM | MCI_TO | MCI_NOTIFY, &parms);
}

MCIERROR CdAudioDevice::PlayFrom(HWND notifyWindow, DWORD tmsf) {
  MCIERROR error = UseTmsf();
  if (error) return error;
  MCI_PLAY_PARMS parms = {};
  parms.dwCallback = reinterpret_cast<DWORD_PTR>(notifyWindow);
  parms.dwFrom = tmsf;
  return Send(deviceId, MCI_PLAY, MCI_FROM | MCI_NOTIFY, &parms);
}

MCIERROR CdAudioDevice::Stop() {
  MCI_GENERIC_PARMS parms = {};
  return Send(deviceId, MCI_STOP, MCI_WAIT, &parms);
}

MCIERROR CdAudioDevice::OpenDoor() {
  MCI_SET_PARMS parms = {};
  return Send(deviceId, MCI_SET, MCI_SET_DOOR_OPEN, &parms);
}

MCIERROR CdAudioDevice::CloseDoor() {
  MCI_SET_PARMS parms = {};
  return Send(deviceId, MCI_SET, MCI_SET_DOOR_CLOSED, &parms);
}

LRESULT CdAudioDevice::OnNotify(HWND, UINT, WPARAM, LPARAM) { return 0; }
