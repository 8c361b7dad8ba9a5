#include "audio/sector_reader.h"

#include <cstring>
#include <memory>
#include <new>

#include "cd/toc_disc_info.h"

namespace {

constexpr uint32_t kChunkFrames = kMaxSectorsPerRead * kSamplesPerSector;

uint32_t Smaller(uint64_t a, uint64_t b) { return static_cast<uint32_t>(a < b ? a : b); }

}  // namespace

bool SectorReader::Start() {
  if (!ring_.Allocate(kRingFrames)) return false;
  wake_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  return wake_ && thread_.Start(Run, this);
}

void SectorReader::Finish() { thread_.Join(); }

void SectorReader::SetTable(const DiscToc& toc, bool deemphasis) {
  ScopedLock hold(lock_);
  toc_ = toc;
  deemphasis_ = deemphasis;
}

void SectorReader::Seek(uint64_t from, uint64_t end) {
  {
    ScopedLock hold(lock_);
    ring_.Clear();
    next_ = from;
    end_ = end > from ? end : from;
    ++generation_;
  }
  SetEvent(wake_.get());
}

uint32_t SectorReader::Take(uint32_t* frames, uint32_t count) {
  uint32_t taken;
  bool wake;
  {
    ScopedLock hold(lock_);
    taken = ring_.Read(frames, count);
    // The reader waits for room for its next chunk: wake it only as this
    // take makes that room, not at every take (a hundred a second).
    const uint32_t want = next_ < end_ ? Smaller(end_ - next_, kChunkFrames) : 0;
    wake = want && ring_.Room() >= want && ring_.Room() - taken < want;
  }
  if (wake) SetEvent(wake_.get());
  return taken;
}

uint32_t SectorReader::Buffered() {
  ScopedLock hold(lock_);
  return ring_.Size();
}

bool SectorReader::Exhausted() {
  ScopedLock hold(lock_);
  return next_ >= end_ && ring_.Size() == 0;
}

int SectorReader::UnreadableSectors() {
  ScopedLock hold(lock_);
  return unreadable_;
}

void SectorReader::Run(void* self) { static_cast<SectorReader*>(self)->Loop(); }

void SectorReader::Loop() {
  std::unique_ptr<unsigned char[]> sectors(new (std::nothrow) unsigned char[kMaxSectorsPerRead * kRawSectorBytes]);
  std::unique_ptr<uint32_t[]> frames(new (std::nothrow) uint32_t[kChunkFrames]);
  if (!sectors || !frames) return;
  HANDLE waits[] = {thread_.FinishEvent(), wake_.get()};
  for (;;) {
    if (ReadChunk(sectors.get(), frames.get())) {
      if (WaitForSingleObject(waits[0], 0) == WAIT_OBJECT_0) return;
      continue;
    }
    SetQuiet(true);  // full, or all read: the drive may slow down as it drains
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
  }
}

void SectorReader::SetQuiet(bool quiet) {
  if (speedSet_ && quiet == quiet_) return;
  speedSet_ = true;
  quiet_ = quiet;
  ScopedLock hold(*sourceLock_);
  source_->SetQuiet(quiet);
}

bool SectorReader::ReadChunk(unsigned char* sectors, uint32_t* frames) {
  uint64_t next;
  uint32_t want;
  uint32_t generation;
  DiscToc& toc = threadToc_;
  bool deemphasis;
  {
    ScopedLock hold(lock_);
    deemphasis = deemphasis_;
    if (deemphasis) toc = toc_;
    if (next_ >= end_) return false;
    want = Smaller(end_ - next_, kChunkFrames);
    // A chunk at a time, so a sector is never read twice for want of room.
    if (ring_.Room() < want) return false;
    next = next_;
    generation = generation_;
  }
  const int lba = static_cast<int>(next / kSamplesPerSector);
  const uint32_t skip = static_cast<uint32_t>(next % kSamplesPerSector);
  int count = static_cast<int>((skip + want + kSamplesPerSector - 1) / kSamplesPerSector);
  if (count > kMaxSectorsPerRead) {
    count = kMaxSectorsPerRead;
    want = count * kSamplesPerSector - skip;
  }
  if (generation != spedUp_) {
    spedUp_ = generation;
    SetQuiet(false);  // a seek empties the ring: fill it fast
  }
  ReadWithRetry(lba, count, sectors);
  // A raw sector holds the frames as the ring does: little-endian, left first.
  memcpy(frames, sectors + skip * sizeof(uint32_t), want * sizeof(uint32_t));
  if (deemphasis) {
    // A seek starts the filter afresh; a read straight on keeps its state.
    if (generation != filtered_) filter_.Reset();
    filtered_ = generation;
    Deemphasise(next, frames, want, toc);
  }

  ScopedLock hold(lock_);
  if (generation != generation_) return true;  // sought meanwhile: the new range reads afresh
  ring_.Write(frames, want);
  next_ += want;
  return true;
}

void SectorReader::Deemphasise(uint64_t first, uint32_t* frames, uint32_t count, const DiscToc& toc) {
  for (uint32_t done = 0; done < count;) {
    const int lba = static_cast<int>((first + done) / kSamplesPerSector);
    const int track = TocTrackAt(toc, lba);
    // The run of frames up to the end of this track, or of the chunk.
    uint64_t trackEnd = static_cast<uint64_t>(TocTrackEnd(toc, track)) * kSamplesPerSector;
    uint64_t left = trackEnd > first + done ? trackEnd - (first + done) : count - done;
    uint32_t run = static_cast<uint32_t>(left < count - done ? left : count - done);
    if (track && toc.tracks[track].preEmphasis) {
      filter_.Apply(frames + done, run);
    } else {
      filter_.Reset();  // the next flagged track starts afresh
    }
    done += run;
  }
}

void SectorReader::ReadWithRetry(int lba, int count, unsigned char* sectors) {
  ScopedLock hold(*sourceLock_);
  int done = source_->ReadSectors(lba, count, sectors);
  if (done < 0) done = 0;
  while (done < count) {
    unsigned char* at = sectors + done * kRawSectorBytes;
    if (source_->ReadSectors(lba + done, 1, at) != 1) {
      memset(at, 0, kRawSectorBytes);
      ScopedLock tally(lock_);
      ++unreadable_;
    }
    ++done;
  }
}
