// The reader thread: reads a range of a disc's audio from a SectorSource
// about two seconds ahead of the renderer, into a ring, straight across
// track boundaries. Positions are stereo frames (samples per channel) from
// LBA 0, so a play may start in the middle of a sector.
#ifndef ZANTO_AUDIO_SECTOR_READER_H
#define ZANTO_AUDIO_SECTOR_READER_H

#include <windows.h>

#include <cstdint>

#include "audio/critical_section.h"
#include "audio/deemphasis_filter.h"
#include "audio/sample_ring.h"
#include "audio/worker_thread.h"
#include "cd/sector_source.h"

// How far ahead the ring reads: two seconds, whole sectors.
constexpr uint32_t kRingFrames = 150 * kSamplesPerSector;
// The most sectors a drive reads in one request.
constexpr int kMaxSectorsPerRead = 27;

class SectorReader {
 public:
  // `source` is read only with `sourceLock` held; both outlive the reader.
  SectorReader(SectorSource* source, CriticalSection* sourceLock)
      : source_(source), sourceLock_(sourceLock) {}
  ~SectorReader() { Finish(); }
  SectorReader(const SectorReader&) = delete;
  SectorReader& operator=(const SectorReader&) = delete;

  bool Start();
  void Finish();

  // The disc's tracks, for the ones recorded with pre-emphasis: with
  // `deemphasis` they are filtered as they are read.
  void SetTable(const DiscToc& toc, bool deemphasis);
  // Empties the ring and reads frames [from, end) from now on; from == end
  // reads nothing.
  void Seek(uint64_t from, uint64_t end);
  // Takes up to `count` frames of the range, in order; returns how many.
  uint32_t Take(uint32_t* frames, uint32_t count);
  uint32_t Buffered();
  // Every frame of the range has been taken.
  bool Exhausted();
  // Sectors that could not be read and were played as silence.
  int UnreadableSectors();

 private:
  static void Run(void* self);
  void Loop();
  // Reads the next chunk, if the ring has room for it; false when it had none.
  bool ReadChunk(unsigned char* sectors, uint32_t* frames);
  // De-emphasises the frames of pre-emphasised tracks among `count` from `first`.
  void Deemphasise(uint64_t first, uint32_t* frames, uint32_t count, const DiscToc& toc);
  // Reads `count` sectors, one at a time past a failed read; the ones that
  // still fail become silence.
  void ReadWithRetry(int lba, int count, unsigned char* sectors);
  // Fast while the ring fills after a seek, quiet once it is full.
  void SetQuiet(bool quiet);

  SectorSource* source_;
  CriticalSection* sourceLock_;
  WorkerThread thread_;
  unique_handle wake_;  // more room, a new range, or the finish

  CriticalSection lock_;  // guards what follows
  SampleRing ring_;
  uint64_t next_ = 0;  // the next frame to go into the ring
  uint64_t end_ = 0;
  uint32_t generation_ = 0;  // counts seeks, so a read under way for an old range is dropped
  int unreadable_ = 0;
  DiscToc toc_;
  bool deemphasis_ = false;

  // The reader thread's own.
  DeemphasisFilter filter_;
  DiscToc threadToc_;
  uint32_t filtered_ = 0;  // the seek the filter's state belongs to
  bool quiet_ = false;
  bool speedSet_ = false;  // the source has been told a speed
  uint32_t spedUp_ = 0;  // the seek the source was last sped up for
};

#endif
