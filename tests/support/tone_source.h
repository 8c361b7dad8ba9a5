// A generated disc for the playback tests: a distinct tone per track, left
// and right a quarter period apart so no frame is all zero, and data tracks
// that must never be heard.
#ifndef ZANTO_TESTS_SUPPORT_TONE_SOURCE_H
#define ZANTO_TESTS_SUPPORT_TONE_SOURCE_H

#include <cstdint>
#include <vector>

#include "cd/sector_source.h"

struct ToneTrack {
  int sectors;
  bool data = false;
  bool preEmphasis = false;
};

// Frame `frame` of a tone of `hz` whose right channel leads by a quarter
// period: never an all-zero frame. `phase` in radians sets tones apart.
uint32_t ToneAt(double hz, double phase, uint64_t frame);
// The frame `frame` (from LBA 0) of track `track`'s tone.
uint32_t ToneFrame(int track, uint64_t frame);

class ToneSectorSource final : public SectorSource {
 public:
  // Track 1 starts at `firstLba` (silence before it); the lead-out follows
  // the last track. No tracks: no disc, whose table cannot be read.
  // `quietLog`, if given, gets every SetQuiet.
  explicit ToneSectorSource(const std::vector<ToneTrack>& tracks, int firstLba = 0,
                            std::vector<bool>* quietLog = nullptr);

  bool ReadToc(DiscToc* toc) override;
  int ReadSectors(int lba, int count, unsigned char* out) override;
  bool SetQuiet(bool quiet) override;

  const DiscToc& toc() const { return toc_; }
  // The frames a faultless play of [fromLba, toLba) is heard as.
  std::vector<uint32_t> Frames(int fromLba, int toLba) const;

 private:
  DiscToc toc_;
  std::vector<bool>* quietLog_;
};

#endif
