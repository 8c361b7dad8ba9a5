#include "support/tone_source.h"

#include <cmath>
#include <cstring>

#include "cd/toc_disc_info.h"

uint32_t ToneFrame(int track, uint64_t frame) { return ToneAt(441.0 * track, track, frame); }

uint32_t ToneAt(double hz, double offset, uint64_t frame) {
  const double kPi = 3.14159265358979323846;
  double phase = 2 * kPi * hz * static_cast<double>(frame % 44100) / 44100 + offset;
  int16_t left = static_cast<int16_t>(std::lround(8000 * std::sin(phase)));
  int16_t right = static_cast<int16_t>(std::lround(8000 * std::cos(phase)));
  return static_cast<uint16_t>(left) | static_cast<uint32_t>(static_cast<uint16_t>(right)) << 16;
}

bool ToneSectorSource::SetQuiet(bool quiet) {
  if (quietLog_) quietLog_->push_back(quiet);
  return quietLog_ != nullptr;
}

ToneSectorSource::ToneSectorSource(const std::vector<ToneTrack>& tracks, int firstLba, std::vector<bool>* quietLog)
    : quietLog_(quietLog) {
  int lba = firstLba;
  for (size_t i = 0; i < tracks.size(); ++i) {
    TocTrack& track = toc_.tracks[i + 1];
    track.startLba = lba;
    track.data = tracks[i].data;
    track.preEmphasis = tracks[i].preEmphasis;
    lba += tracks[i].sectors;
  }
  toc_.firstTrack = tracks.empty() ? 0 : 1;
  toc_.lastTrack = static_cast<int>(tracks.size());
  toc_.leadOutLba = lba;
}

bool ToneSectorSource::ReadToc(DiscToc* toc) {
  if (toc_.lastTrack == 0) return false;
  *toc = toc_;
  return true;
}

int ToneSectorSource::ReadSectors(int lba, int count, unsigned char* out) {
  int done = 0;
  for (; done < count && lba + done < toc_.leadOutLba; ++done) {
    int at = lba + done;
    int track = TocTrackAt(toc_, at);
    unsigned char* sector = out + done * kRawSectorBytes;
    if (at < toc_.tracks[1].startLba) {
      memset(sector, 0, kRawSectorBytes);
      continue;
    }
    if (toc_.tracks[track].data) {
      memset(sector, 0x55, kRawSectorBytes);
      continue;
    }
    for (int i = 0; i < kSamplesPerSector; ++i) {
      uint32_t frame = ToneFrame(track, static_cast<uint64_t>(at) * kSamplesPerSector + i);
      memcpy(sector + i * 4, &frame, 4);
    }
  }
  return done;
}

std::vector<uint32_t> ToneSectorSource::Frames(int fromLba, int toLba) const {
  std::vector<uint32_t> frames;
  for (uint64_t f = static_cast<uint64_t>(fromLba) * kSamplesPerSector;
       f < static_cast<uint64_t>(toLba) * kSamplesPerSector; ++f) {
    frames.push_back(ToneFrame(TocTrackAt(toc_, static_cast<int>(f / kSamplesPerSector)), f));
  }
  return frames;
}
