#include "virtual_drive.h"

#include <mmddk.h>

#include <cwchar>

// mingw's mmddk.h leaves out the one call a driver uses to post MM_MCINOTIFY.
extern "C" BOOL WINAPI mciDriverNotify(HWND callback, MCIDEVICEID deviceId, UINT status);

namespace {

constexpr unsigned kFramesPerSecond = 75;
constexpr ULONGLONG kFileTimePerMs = 10000;  // FILETIME counts 100 ns
const wchar_t kProductName[] = L"Zanto virtual CD-audio drive";

ULONGLONG SystemTime() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

LONGLONG Counter() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

// An empty drive has no disc file to lock beside: one lock per letter.
std::wstring LockPath(const std::wstring& discFile, wchar_t letter) {
  if (!discFile.empty()) return discFile + L".lock";
  std::wstring name = L"zanto-virtual-cd";
  if (letter) name = name + L"-" + letter;
  name += L".lock";
  wchar_t folder[MAX_PATH];
  DWORD length = GetTempPathW(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH) return name;
  return std::wstring(folder) + name;
}

bool IsCdRomLetter(wchar_t letter) {
  wchar_t root[] = {letter, L':', L'\\', L'\0'};
  return GetDriveTypeW(root) == DRIVE_CDROM;
}

wchar_t FirstCdRomLetter() {
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    if (IsCdRomLetter(letter)) return letter;
  }
  return 0;
}

// Copies text into a caller's buffer of `capacity` characters; cut text is an overflow.
DWORD ReturnText(const std::wstring& text, LPWSTR buffer, DWORD capacity) {
  if (!buffer || capacity == 0) return MCIERR_NULL_PARAMETER_BLOCK;
  size_t count = text.size() < capacity ? text.size() : capacity - 1;
  wmemcpy(buffer, text.data(), count);
  buffer[count] = L'\0';
  return count < text.size() ? MCIERR_PARAM_OVERFLOW : 0;
}

std::wstring Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &result[0], size);
  return result;
}

}  // namespace

VirtualDrive::VirtualDrive(MCIDEVICEID deviceId)
    : deviceId_(deviceId),
      letter_(FirstCdRomLetter()),
      settings_(ReadDriverSettings(letter_, true)),
      log_(settings_.logFile, static_cast<unsigned long long>(settings_.logLimitKb) * 1024u),
      discFile_(settings_.discFile) {
  InitializeCriticalSection(&guard_);
  LARGE_INTEGER frequency;
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) counterFrequency_ = frequency.QuadPart;
  LoadDisc();
  wake_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  worker_ = CreateThread(nullptr, 0, WorkerMain, this, 0, nullptr);
}

VirtualDrive::~VirtualDrive() {
  // No lock here: at process exit the worker may have been stopped holding it.
  InterlockedExchange(&quitting_, 1);
  if (worker_) {
    SetEvent(wake_);
    // Bounded: at process exit the thread may already be gone or frozen.
    WaitForSingleObject(worker_, 2000);
    CloseHandle(worker_);
  }
  if (wake_) CloseHandle(wake_);
  DeleteCriticalSection(&guard_);
}

DWORD VirtualDrive::Command(UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
  std::string line = LogTime() + DescribeCommand(message, flags, parameters);
  // Outside the lock, as a slow drive keeps its other users waiting no more
  // than a real one would.
  DWORD latency = settings_.latencyMs;
  if (message == MCI_PLAY || message == MCI_SEEK) latency += settings_.playLatencyMs;
  if (latency) Sleep(latency);
  EnterCriticalSection(&guard_);
  Update();
  Play before = play_;
  DWORD result = Dispatch(message, flags, parameters);
  EndFinishedPlay();  // a play of no length ends at once
  // The worker sleeps until the running play's end: wake it only when that changed.
  bool playChanged = before.active != play_.active || before.startCounter != play_.startCounter;
  LeaveCriticalSection(&guard_);
  if (playChanged) SetEvent(wake_);
  if (result == 0 && (flags & MCI_NOTIFY) && message != MCI_PLAY && parameters) {
    HWND window = reinterpret_cast<HWND>(reinterpret_cast<MCI_GENERIC_PARMS*>(parameters)->dwCallback);
    if (window) mciDriverNotify(window, deviceId_, MCI_NOTIFY_SUCCESSFUL);
  }
  log_.Append(line + " => " + std::to_string(result));
  return result;
}

DWORD VirtualDrive::Dispatch(UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
  switch (message) {
    case MCI_OPEN_DRIVER: return OpenDriver(flags, reinterpret_cast<const MCI_OPEN_PARMSW*>(parameters));
    case MCI_CLOSE_DRIVER: return CloseDriver();
    case MCI_STOP: return StopPlay();
    case MCI_PAUSE: return Pause();
    case MCI_RESUME: return Resume();
    default: break;
  }
  if (!parameters) return MCIERR_NULL_PARAMETER_BLOCK;
  switch (message) {
    case MCI_STATUS: return Status(flags, reinterpret_cast<MCI_STATUS_PARMS*>(parameters));
    case MCI_SET: return Set(flags, reinterpret_cast<MCI_SET_PARMS*>(parameters));
    case MCI_INFO: return Info(flags, reinterpret_cast<MCI_INFO_PARMSW*>(parameters));
    case MCI_PLAY: return StartPlay(flags, reinterpret_cast<MCI_PLAY_PARMS*>(parameters));
    case MCI_SEEK: return Seek(flags, reinterpret_cast<MCI_SEEK_PARMS*>(parameters));
    case MCI_GETDEVCAPS: return GetDevCaps(flags, reinterpret_cast<MCI_GETDEVCAPS_PARMS*>(parameters));
    default: return MCIERR_UNSUPPORTED_FUNCTION;
  }
}

void VirtualDrive::LoadDisc() {
  // A disc file written moments ago is a disc that has only just gone in,
  // even for a drive opened after it.
  discFile_.Refresh();
  StartSettling(discFile_.insertedTime());
  stoppedFrame_ = discFile_.disc().firstTrackStart;
}

DWORD VirtualDrive::ChooseDrive(const wchar_t* element) {
  wchar_t letter = element ? element[0] : L'\0';
  if (letter >= L'a' && letter <= L'z') letter = static_cast<wchar_t>(letter - L'a' + L'A');
  if (letter < L'A' || letter > L'Z') return MCIERR_INVALID_FILE;
  if (!IsCdRomLetter(letter)) return MCIERR_INVALID_FILE;
  letter_ = letter;
  settings_ = ReadDriverSettings(letter, letter == FirstCdRomLetter());
  log_ = CommandLog(settings_.logFile, static_cast<unsigned long long>(settings_.logLimitKb) * 1024u);
  discFile_ = DiscFile(settings_.discFile);
  LoadDisc();
  return 0;
}

DWORD VirtualDrive::OpenDriver(DWORD_PTR flags, const MCI_OPEN_PARMSW* parms) {
  if (flags & MCI_OPEN_ELEMENT) {
    if (!parms) return MCIERR_NULL_PARAMETER_BLOCK;
    if (DWORD error = ChooseDrive(parms->lpstrElementName)) return error;
  }
  if (!lock_.Acquire(LockPath(settings_.discFile, letter_), (flags & MCI_OPEN_SHAREABLE) != 0)) {
    return MCIERR_MUST_USE_SHAREABLE;
  }
  return 0;
}

DWORD VirtualDrive::CloseDriver() {
  if (play_.active) EndPlay(MCI_NOTIFY_ABORTED);
  lock_.Release();
  return 0;
}

void VirtualDrive::Update() {
  if (discFile_.Refresh()) {
    // Another disc, an empty drive or an open tray: whatever played is cut off.
    if (play_.active) EndPlay(MCI_NOTIFY_ABORTED);
    paused_ = false;
    heldAtEnd_ = false;
    stoppedFrame_ = discFile_.disc().firstTrackStart;
    // A changer's next disc needs no spinning up: settled long ago.
    StartSettling(discFile_.disc().gapless ? 0 : discFile_.insertedTime());
  }
  EndFinishedPlay();
}

void VirtualDrive::EndFinishedPlay() {
  if (!play_.active || Position() < play_.toFrame) return;
  if (settings_.profile == DriverProfile::kClassic) {
    EndPlay(play_.endStatus);
    return;
  }
  // Today's system driver: the play's notice never comes, and the drive
  // goes on saying "playing" where the play ended.
  stoppedFrame_ = Position();
  play_ = Play();
  heldAtEnd_ = true;
}

void VirtualDrive::EndPlay(UINT status) {
  stoppedFrame_ = Position();
  HWND window = play_.notifyWindow;
  play_ = Play();
  if (window) mciDriverNotify(window, deviceId_, status);
}

void VirtualDrive::StartSettling(ULONGLONG when) {
  // A write time ahead of the clock must not keep the drive settling for ever.
  ULONGLONG now = SystemTime();
  settleStart_ = when < now ? when : now;
}

VirtualDrive::DiscState VirtualDrive::State() const {
  if (!discFile_.disc().present || discFile_.disc().trayOpen) return DiscState::kNone;
  ULONGLONG elapsedMs = (SystemTime() - settleStart_) / kFileTimePerMs;
  if (elapsedMs < settings_.notReadyMs) return DiscState::kSpinningUp;
  if (elapsedMs < static_cast<ULONGLONG>(settings_.notReadyMs) + settings_.tocSettleMs) {
    return DiscState::kTocUnreadable;
  }
  return DiscState::kReadable;
}

bool VirtualDrive::DiscReady() const { return State() >= DiscState::kTocUnreadable; }

DWORD VirtualDrive::ContentsError() const {
  switch (State()) {
    case DiscState::kReadable: return 0;
    // The drive reports a stopped, ready disc, yet reading its table of
    // contents fails the way a real drive's read does while it settles.
    case DiscState::kTocUnreadable: return MCIERR_HARDWARE;
    default: return MCIERR_DEVICE_NOT_READY;
  }
}

DWORD VirtualDrive::Mode() const {
  if (discFile_.disc().trayOpen) return MCI_MODE_OPEN;
  if (!DiscReady()) return MCI_MODE_NOT_READY;
  LONGLONG now = Counter();
  if (play_.active) return now < play_.startCounter ? MCI_MODE_SEEK : MCI_MODE_PLAY;
  if (heldAtEnd_) return MCI_MODE_PLAY;
  if (paused_) return MCI_MODE_PAUSE;
  return now < seekUntil_ ? MCI_MODE_SEEK : MCI_MODE_STOP;
}

unsigned VirtualDrive::Position() const {
  if (!play_.active) return stoppedFrame_;
  LONGLONG now = Counter();
  if (now < play_.startCounter) return play_.fromFrame;  // still seeking
  double seconds = static_cast<double>(Counter() - play_.startCounter) / static_cast<double>(counterFrequency_);
  double frame = play_.fromFrame + seconds * settings_.speed * kFramesPerSecond;
  return frame >= play_.toFrame ? play_.toFrame : static_cast<unsigned>(frame);
}

unsigned VirtualDrive::TrackCount() const { return static_cast<unsigned>(discFile_.disc().trackFrames.size()); }

unsigned VirtualDrive::TrackStart(unsigned track) const {
  unsigned frame = discFile_.disc().firstTrackStart;
  for (unsigned i = 1; i < track && i <= TrackCount(); ++i) frame += discFile_.disc().trackFrames[i - 1];
  return frame;
}

unsigned VirtualDrive::DiscEnd() const { return TrackStart(TrackCount() + 1); }

unsigned VirtualDrive::TrackAt(unsigned frame) const {
  if (TrackCount() == 0) return 0;
  unsigned track = 1;
  while (track < TrackCount() && frame >= TrackStart(track + 1)) ++track;
  return track;
}

bool VirtualDrive::ToFrame(DWORD value, unsigned& frame) const {
  switch (timeFormat_) {
    case MCI_FORMAT_MSF:
      frame = (MCI_MSF_MINUTE(value) * 60u + MCI_MSF_SECOND(value)) * kFramesPerSecond + MCI_MSF_FRAME(value);
      break;
    case MCI_FORMAT_TMSF: {
      unsigned track = MCI_TMSF_TRACK(value);
      if (track < 1 || track > TrackCount()) return false;
      frame = TrackStart(track) +
              (MCI_TMSF_MINUTE(value) * 60u + MCI_TMSF_SECOND(value)) * kFramesPerSecond + MCI_TMSF_FRAME(value);
      break;
    }
    default:  // milliseconds
      frame = static_cast<unsigned>(static_cast<unsigned long long>(value) * kFramesPerSecond / 1000u);
      break;
  }
  return frame >= discFile_.disc().firstTrackStart && frame <= DiscEnd();
}

DWORD VirtualDrive::FromFrame(unsigned frame) const {
  switch (timeFormat_) {
    case MCI_FORMAT_MSF:
      return MCI_MAKE_MSF(frame / 4500u, frame % 4500u / kFramesPerSecond, frame % kFramesPerSecond);
    case MCI_FORMAT_TMSF: {
      unsigned track = TrackAt(frame);
      unsigned offset = frame - TrackStart(track);
      return MCI_MAKE_TMSF(track, offset / 4500u, offset % 4500u / kFramesPerSecond, offset % kFramesPerSecond);
    }
    default:
      return static_cast<DWORD>(static_cast<unsigned long long>(frame) * 1000u / kFramesPerSecond);
  }
}

DWORD VirtualDrive::LengthValue(unsigned frames) const {
  // Lengths come as MSF in the TMSF format too: a length belongs to no track.
  if (timeFormat_ == MCI_FORMAT_MILLISECONDS) {
    return static_cast<DWORD>(static_cast<unsigned long long>(frames) * 1000u / kFramesPerSecond);
  }
  return MCI_MAKE_MSF(frames / 4500u, frames % 4500u / kFramesPerSecond, frames % kFramesPerSecond);
}

DWORD VirtualDrive::Status(DWORD_PTR flags, MCI_STATUS_PARMS* parms) {
  if (!(flags & MCI_STATUS_ITEM)) return MCIERR_MISSING_PARAMETER;
  // Real drives now and then fail a query for no reason a caller can see.
  if (settings_.failEveryNthStatus && ++statusCount_ % settings_.failEveryNthStatus == 0) {
    return MCIERR_HARDWARE;
  }
  switch (parms->dwItem) {
    case MCI_STATUS_MODE: parms->dwReturn = Mode(); return 0;
    case MCI_STATUS_READY:
    case MCI_STATUS_MEDIA_PRESENT: parms->dwReturn = DiscReady() ? TRUE : FALSE; return 0;
    case MCI_STATUS_TIME_FORMAT: parms->dwReturn = timeFormat_; return 0;
    default: break;
  }
  if (DWORD error = ContentsError()) return error;
  bool ofTrack = (flags & MCI_TRACK) != 0;
  if (ofTrack && (parms->dwTrack < 1 || parms->dwTrack > TrackCount())) return MCIERR_OUTOFRANGE;
  unsigned track = static_cast<unsigned>(parms->dwTrack);
  switch (parms->dwItem) {
    case MCI_STATUS_NUMBER_OF_TRACKS: parms->dwReturn = TrackCount(); return 0;
    case MCI_STATUS_CURRENT_TRACK: parms->dwReturn = TrackAt(Position()); return 0;
    case MCI_STATUS_POSITION:
      if (ofTrack) {
        parms->dwReturn = FromFrame(TrackStart(track));
      } else if (flags & MCI_STATUS_START) {
        parms->dwReturn = FromFrame(discFile_.disc().firstTrackStart);
      } else {
        parms->dwReturn = FromFrame(Position());
      }
      return 0;
    case MCI_STATUS_LENGTH: {
      // As the system's driver does, the last track (and so the whole disc)
      // comes one frame short of the table of contents.
      unsigned frames = ofTrack ? discFile_.disc().trackFrames[track - 1] : DiscEnd() - discFile_.disc().firstTrackStart;
      if ((!ofTrack || track == TrackCount()) && frames > 0) --frames;
      parms->dwReturn = LengthValue(frames);
      return 0;
    }
    case MCI_CDA_STATUS_TYPE_TRACK:
      if (!ofTrack) return MCIERR_MISSING_PARAMETER;
      parms->dwReturn = IsDataTrack(track) ? MCI_CDA_TRACK_OTHER : MCI_CDA_TRACK_AUDIO;
      return 0;
    default:
      return MCIERR_UNSUPPORTED_FUNCTION;
  }
}

DWORD VirtualDrive::Set(DWORD_PTR flags, MCI_SET_PARMS* parms) {
  if ((flags & MCI_SET_DOOR_OPEN) && (flags & MCI_SET_DOOR_CLOSED)) return MCIERR_FLAGS_NOT_COMPATIBLE;
  if (flags & (MCI_SET_AUDIO | MCI_SET_VIDEO)) return MCIERR_UNSUPPORTED_FUNCTION;
  if (!(flags & (MCI_SET_TIME_FORMAT | MCI_SET_DOOR_OPEN | MCI_SET_DOOR_CLOSED))) return MCIERR_MISSING_PARAMETER;
  if (flags & MCI_SET_TIME_FORMAT) {
    DWORD format = parms->dwTimeFormat;
    if (format != MCI_FORMAT_MSF && format != MCI_FORMAT_TMSF && format != MCI_FORMAT_MILLISECONDS) {
      return MCIERR_BAD_TIME_FORMAT;
    }
    timeFormat_ = format;
  }
  if (flags & (MCI_SET_DOOR_OPEN | MCI_SET_DOOR_CLOSED)) {
    bool open = (flags & MCI_SET_DOOR_OPEN) != 0;
    if (open != discFile_.disc().trayOpen) {
      if (play_.active) EndPlay(MCI_NOTIFY_ABORTED);
      paused_ = false;
      heldAtEnd_ = false;
      discFile_.SetTrayOpen(open);
      stoppedFrame_ = discFile_.disc().firstTrackStart;
      if (!open) StartSettling(SystemTime());
    }
  }
  return 0;
}

DWORD VirtualDrive::Info(DWORD_PTR flags, MCI_INFO_PARMSW* parms) {
  if (flags & MCI_INFO_PRODUCT) return ReturnText(kProductName, parms->lpstrReturn, parms->dwRetSize);
  if (flags & MCI_INFO_MEDIA_IDENTITY) {
    if (DWORD error = ContentsError()) return error;
    return ReturnText(Widen(MediaIdentityText(discFile_.disc())), parms->lpstrReturn, parms->dwRetSize);
  }
  return MCIERR_UNSUPPORTED_FUNCTION;
}

DWORD VirtualDrive::StartPlay(DWORD_PTR flags, MCI_PLAY_PARMS* parms) {
  if (DWORD error = ContentsError()) return error;
  unsigned from = Position();
  unsigned to = DiscEnd();
  if ((flags & MCI_FROM) && !ToFrame(parms->dwFrom, from)) return MCIERR_OUTOFRANGE;
  if ((flags & MCI_TO) && !ToFrame(parms->dwTo, to)) return MCIERR_OUTOFRANGE;
  if (to < from) return MCIERR_OUTOFRANGE;
  // Audio cannot be played from a data track: the drive's read fails.
  if (from < DiscEnd() && IsDataTrack(TrackAt(from))) return MCIERR_HARDWARE;
  BeginPlay(from, to, (flags & MCI_NOTIFY) ? reinterpret_cast<HWND>(parms->dwCallback) : nullptr);
  return 0;
}

void VirtualDrive::BeginPlay(unsigned from, unsigned to, HWND notifyWindow) {
  if (play_.active) EndPlay(MCI_NOTIFY_SUPERSEDED);
  paused_ = false;
  heldAtEnd_ = false;
  play_.active = true;
  play_.fromFrame = from;
  play_.toFrame = to;
  play_.endStatus = settings_.endPlaysWithFailure ? MCI_NOTIFY_FAILURE : MCI_NOTIFY_SUCCESSFUL;
  // A play that runs into a data track stops there, failing.
  for (unsigned track = TrackAt(from) + 1; track <= TrackCount(); ++track) {
    if (TrackStart(track) >= to) break;
    if (IsDataTrack(track)) {
      play_.toFrame = TrackStart(track);
      play_.endStatus = MCI_NOTIFY_FAILURE;
      break;
    }
  }
  play_.startCounter = CounterAfter(settings_.seekMs);
  play_.notifyWindow = notifyWindow;
}

DWORD VirtualDrive::Seek(DWORD_PTR flags, MCI_SEEK_PARMS* parms) {
  if (DWORD error = ContentsError()) return error;
  unsigned frame = 0;
  if (flags & MCI_SEEK_TO_START) {
    frame = discFile_.disc().firstTrackStart;
  } else if (flags & MCI_SEEK_TO_END) {
    frame = DiscEnd();
  } else if (flags & MCI_TO) {
    if (!ToFrame(parms->dwTo, frame)) return MCIERR_OUTOFRANGE;
  } else {
    return MCIERR_MISSING_PARAMETER;
  }
  if (play_.active) EndPlay(MCI_NOTIFY_ABORTED);
  paused_ = false;
  heldAtEnd_ = false;
  stoppedFrame_ = frame;
  seekUntil_ = CounterAfter(settings_.seekMs);
  return 0;
}

DWORD VirtualDrive::StopPlay() {
  if (!DiscReady()) return MCIERR_DEVICE_NOT_READY;
  paused_ = false;
  heldAtEnd_ = false;  // a play held at its end stops where it is, without drift
  if (!play_.active) return 0;
  EndPlay(MCI_NOTIFY_ABORTED);
  // A real drive reports a position near, not at, where it stopped.
  long long drifted = static_cast<long long>(stoppedFrame_) + settings_.stopDriftFrames;
  long long first = discFile_.disc().firstTrackStart, end = DiscEnd();
  stoppedFrame_ = static_cast<unsigned>(drifted < first ? first : drifted > end ? end : drifted);
  return 0;
}

DWORD VirtualDrive::Pause() {
  if (DWORD error = ContentsError()) return error;
  if (!play_.active) return 0;
  unsigned to = play_.toFrame;
  // As the system's CD-audio driver does: the paused play counts as replaced.
  EndPlay(MCI_NOTIFY_SUPERSEDED);
  paused_ = true;
  pausedTo_ = to;
  return 0;
}

DWORD VirtualDrive::Resume() {
  // Today's system driver has no resume; programs play from the paused place.
  if (settings_.profile == DriverProfile::kModern) return MCIERR_UNSUPPORTED_FUNCTION;
  if (DWORD error = ContentsError()) return error;
  if (!paused_) return 0;
  BeginPlay(stoppedFrame_, pausedTo_, nullptr);
  return 0;
}

DWORD VirtualDrive::GetDevCaps(DWORD_PTR flags, MCI_GETDEVCAPS_PARMS* parms) {
  if (!(flags & MCI_GETDEVCAPS_ITEM)) return MCIERR_MISSING_PARAMETER;
  switch (parms->dwItem) {
    case MCI_GETDEVCAPS_DEVICE_TYPE: parms->dwReturn = MCI_DEVTYPE_CD_AUDIO; return 0;
    case MCI_GETDEVCAPS_HAS_AUDIO:
    case MCI_GETDEVCAPS_CAN_EJECT:
    case MCI_GETDEVCAPS_CAN_PLAY: parms->dwReturn = TRUE; return 0;
    case MCI_GETDEVCAPS_CAN_RECORD:
    case MCI_GETDEVCAPS_HAS_VIDEO:
    case MCI_GETDEVCAPS_USES_FILES:
    case MCI_GETDEVCAPS_COMPOUND_DEVICE:
    case MCI_GETDEVCAPS_CAN_SAVE: parms->dwReturn = FALSE; return 0;
    default: return MCIERR_UNSUPPORTED_FUNCTION;
  }
}

DWORD VirtualDrive::MillisecondsUntilEnd() const {
  if (!play_.active) return INFINITE;
  unsigned position = Position();
  if (position >= play_.toFrame) return 0;
  double seconds = (play_.toFrame - position) / (settings_.speed * kFramesPerSecond);
  // Polling now and then also picks up a disc file changed behind our back.
  double milliseconds = seconds * 1000.0 + 1.0;
  return milliseconds > 250.0 ? 250u : static_cast<DWORD>(milliseconds);
}

bool VirtualDrive::IsDataTrack(unsigned track) const {
  const std::vector<bool>& data = discFile_.disc().dataTracks;
  return track >= 1 && track <= data.size() && data[track - 1];
}

LONGLONG VirtualDrive::CounterAfter(unsigned milliseconds) const {
  return Counter() + counterFrequency_ * static_cast<LONGLONG>(milliseconds) / 1000;
}

DWORD WINAPI VirtualDrive::WorkerMain(void* self) {
  static_cast<VirtualDrive*>(self)->Work();
  return 0;
}

void VirtualDrive::Work() {
  for (;;) {
    if (InterlockedCompareExchange(&quitting_, 0, 0)) return;
    EnterCriticalSection(&guard_);
    if (play_.active) Update();
    DWORD wait = MillisecondsUntilEnd();
    LeaveCriticalSection(&guard_);
    WaitForSingleObject(wake_, wait);
  }
}
