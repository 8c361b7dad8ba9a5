#include "audio/digital_cd_drive.h"

#include "cd/disc_identity.h"
#include "cd/msf.h"
#include "cd/toc_disc_info.h"

namespace {

// The player pauses by reading the position and then stopping; a play from
// that position, as long as it lies this close before where the stop left
// the sound, resumes at the stop's very sample.
constexpr uint64_t kResumeSectors = 8;
constexpr int kMaxVolume = 255;

uint64_t FrameOfLba(int lba) { return static_cast<uint64_t>(lba < 0 ? 0 : lba) * kSamplesPerSector; }

}  // namespace

DigitalCdDrive::DigitalCdDrive(std::unique_ptr<SectorSource> source, int identity, char letter,
                               AudioOutputOpener* opener)
    : source_(std::move(source)),
      reader_(source_.get(), &sourceLock_),
      renderer_(&reader_, opener ? opener : &systemOutput_),
      givenIdentity_(identity),
      identity_(identity),
      letter_(letter) {}

DigitalCdDrive::~DigitalCdDrive() { Close(); }

DriveOpenResult DigitalCdDrive::Open(char, HWND window, PlayEndListener* listener) {
  Close();
  window_ = window;
  listener_ = listener;
  if (!source_ || !reader_.Start() || !renderer_.Start(window, kDigitalPlayEndMessage)) {
    Close();
    return DriveOpenResult::kFailed;
  }
  open_ = true;
  ApplyVolume();
  ReadTable();  // no disc yet is no failure: it reads as not ready
  return DriveOpenResult::kOpened;
}

void DigitalCdDrive::Close() {
  renderer_.Finish();
  reader_.Finish();
  open_ = false;
  tocRead_ = false;
  playId_ = 0;
  stopped_ = false;
}

bool DigitalCdDrive::IsOpen() const { return open_; }

char DigitalCdDrive::Letter() const { return letter_; }

bool DigitalCdDrive::ReadTable() {
  DiscToc toc;
  bool read;
  {
    ScopedLock hold(sourceLock_);
    read = source_->ReadToc(&toc);
  }
  tocRead_ = read && toc.firstTrack >= 1 && toc.lastTrack >= toc.firstTrack && toc.lastTrack <= kMaxTocTracks;
  if (tocRead_) {
    toc_ = toc;
    identity_ = givenIdentity_ ? givenIdentity_ : static_cast<int>(DiscIdentity(toc_));
    reader_.SetTable(toc_, deemphasis_);
  }
  return tocRead_;
}

bool DigitalCdDrive::ReadDiscInfo(DiscInfo* disc) {
  if (!open_ || !ReadTable()) return false;
  *disc = DiscInfoFromToc(toc_, identity_);
  return true;
}

// The sectors' own table: its lead-out is exact.
bool DigitalCdDrive::ReadToc(DiscToc* toc) {
  if (!open_ || !tocRead_) return false;
  *toc = toc_;
  return true;
}

bool DigitalCdDrive::ReadIdentity(int* identity) {
  // A drive's disc may have been swapped while stopped: its table tells.
  bool live = source_->IsDrive() && !renderer_.Status().playing;
  if (!open_ || (live ? !ReadTable() : !tocRead_)) return false;
  *identity = identity_;
  return true;
}

bool DigitalCdDrive::ReadMode(DriveMode* mode) {
  if (!open_) return false;
  if (doorOpen_) {
    *mode = DriveMode::kOpen;
  } else if (!tocRead_ && !ReadTable()) {
    *mode = DriveMode::kNotReady;
  } else {
    *mode = renderer_.Status().playing ? DriveMode::kPlaying : DriveMode::kStopped;
  }
  return true;
}

bool DigitalCdDrive::ReadPosition(DWORD* tmsf) {
  if (!open_ || !tocRead_) return false;
  *tmsf = TmsfAt(renderer_.Status().position);
  return true;
}

bool DigitalCdDrive::ReadCurrentTrack(int* track) {
  DWORD at = 0;
  if (!ReadPosition(&at)) return false;
  *track = TmsfTrack(at);
  return true;
}

DriveReading DigitalCdDrive::Refresh() {
  DriveReading reading = ReadDrive(*this);
  ReportPlayEnd();
  return reading;
}

DWORD DigitalCdDrive::MsUntilPlayEnd() const {
  if (!playId_) return INFINITE;
  RenderStatus status = renderer_.Status();
  if (status.endedPlay == playId_ || status.position >= playEnd_) return 0;
  return static_cast<DWORD>((playEnd_ - status.position) * 1000 / kOutputRate);
}

bool DigitalCdDrive::FrameAt(DWORD tmsf, uint64_t* frame) const {
  const int track = TmsfTrack(tmsf);
  if (track < toc_.firstTrack || track > toc_.lastTrack) return false;
  *frame = FrameOfLba(toc_.tracks[track].startLba + TmsfToFrames(tmsf));
  return true;
}

DWORD DigitalCdDrive::TmsfAt(uint64_t frame) const {
  uint64_t lba = frame / kSamplesPerSector;
  int at = lba < static_cast<uint64_t>(toc_.leadOutLba) ? static_cast<int>(lba) : toc_.leadOutLba;
  int track = TocTrackAt(toc_, at);
  int into = at - toc_.tracks[track].startLba;
  return ToTmsf({track, into < 0 ? 0 : into});
}

int DigitalCdDrive::AudioEndAfter(int track) const {
  for (int t = track + 1; t <= toc_.lastTrack; ++t) {
    if (toc_.tracks[t].data) return toc_.tracks[t].startLba;
  }
  return toc_.leadOutLba;
}

bool DigitalCdDrive::Play(DWORD fromTmsf, DWORD toTmsf) {
  if (!open_ || doorOpen_ || (!tocRead_ && !ReadTable())) return false;
  uint64_t from = 0;
  if (!FrameAt(fromTmsf, &from) || toc_.tracks[TmsfTrack(fromTmsf)].data) return false;
  uint64_t end = FrameOfLba(AudioEndAfter(TmsfTrack(fromTmsf)));
  if (toTmsf && !FrameAt(toTmsf, &end)) return false;
  if (end > FrameOfLba(toc_.leadOutLba)) end = FrameOfLba(toc_.leadOutLba);
  if (stopped_ && from <= stoppedAt_ && stoppedAt_ < from + kResumeSectors * kSamplesPerSector) from = stoppedAt_;
  if (end <= from) return false;
  playId_ = ++lastPlayId_;
  if (!playId_) playId_ = ++lastPlayId_;  // 0 means none
  playEnd_ = end;
  stopped_ = false;
  renderer_.Play(from, end, playId_);
  return true;
}

bool DigitalCdDrive::Stop() {
  if (!open_) return false;
  renderer_.Stop();
  playId_ = 0;
  stopped_ = true;
  stoppedAt_ = renderer_.Status().position;
  return true;
}

bool DigitalCdDrive::OpenDoor() {
  if (!Stop()) return false;
  stopped_ = false;
  tocRead_ = false;
  if (source_->IsDrive()) return MoveTray(true);  // the drive's own tray tells from now on
  doorOpen_ = true;
  return true;
}

bool DigitalCdDrive::CloseDoor() {
  if (!open_) return false;
  if (source_->IsDrive()) return MoveTray(false);
  doorOpen_ = false;
  return true;
}

bool DigitalCdDrive::OnWindowMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != kDigitalPlayEndMessage) return false;
  // Posted for a play since stopped or replaced: nothing to tell.
  if (wParam == playId_) ReportPlayEnd();
  return true;
}

void DigitalCdDrive::ReportPlayEnd() {
  if (!playId_ || renderer_.Status().endedPlay != playId_) return;
  playId_ = 0;
  if (listener_) listener_->OnPlayEnded();
}

bool DigitalCdDrive::HasOutput() { return renderer_.Status().audible; }

void DigitalCdDrive::SetVolume(int level) {
  volume_ = level < 0 ? 0 : level > kMaxVolume ? kMaxVolume : level;
  ApplyVolume();
}

void DigitalCdDrive::SetMute(bool mute) {
  mute_ = mute;
  ApplyVolume();
}

bool DigitalCdDrive::MoveTray(bool open) {
  ScopedLock hold(sourceLock_);  // the reader thread may be reading
  return source_->MoveTray(open);
}

bool DigitalCdDrive::SetStreamVolume(int level, bool mute) {
  mute_ = mute;
  SetVolume(level);
  return true;
}

int DigitalCdDrive::UnreadableSectors() {
  // Not under sourceLock_: a read that retries a scratch may hold it for
  // seconds, and the window asks twice a second.
  return source_->UnreadableSectors() + reader_.UnreadableSectors();
}

void DigitalCdDrive::SetDeemphasis(bool on) {
  deemphasis_ = on;
  reader_.SetTable(toc_, deemphasis_);
}

void DigitalCdDrive::ApplyVolume() {
  if (open_) renderer_.SetVolume(static_cast<float>(volume_) / kMaxVolume, mute_);
}
