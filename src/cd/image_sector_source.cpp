#include "cd/image_sector_source.h"

#include <cstring>
#include <memory>
#include <new>

#include "common/fixed_text.h"
#include "common/path_text.h"
#include "resources/resource.h"

namespace {

// A sheet is a few kilobytes; anything this large is not one.
constexpr LONGLONG kMaxSheetBytes = 1 << 20;
// Keeps one ReadFile well inside a DWORD of bytes.
constexpr int kMaxSectorsPerFileRead = 1024;

CueProblem ProblemOf(CueStatus status, int line = 0, int file = -1) {
  CueProblem problem;
  problem.status = status;
  problem.line = line;
  problem.file = file;
  return problem;
}

void AddSegment(DiscLayout* layout, const DiscSegment& segment) {
  if (segment.frames <= 0 || layout->segmentCount >= static_cast<int>(sizeof(layout->segments) / sizeof(layout->segments[0]))) {
    return;
  }
  layout->segments[layout->segmentCount++] = segment;
}

// A track's first sector in its file as the sheet counts frames there.
int RegionStart(const CueTrack& track) { return track.index0 >= 0 ? track.index0 : track.index1; }

bool IsAbsolutePath(const char* path) {
  return path[0] == '\\' || path[0] == '/' || (path[0] && path[1] == ':');
}

}  // namespace

CueProblem LayOutDisc(const CueSheet& sheet, const long long* fileBytes, DiscLayout* layout) {
  *layout = DiscLayout();
  if (sheet.trackCount <= 0) return ProblemOf(CueStatus::kNoTracks);
  DiscToc& toc = layout->toc;
  long long cursor = 0;  // LBA where the next stretch begins
  long long byte = 0;    // where the next stretch begins in the current file
  for (int i = 0; i < sheet.trackCount; ++i) {
    const CueTrack& track = sheet.tracks[i];
    bool firstInFile = i == 0 || sheet.tracks[i - 1].file != track.file;
    bool lastInFile = i + 1 == sheet.trackCount || sheet.tracks[i + 1].file != track.file;
    long long size = fileBytes[track.file] > 0 ? fileBytes[track.file] : 0;
    if (firstInFile) byte = 0;
    // A file's first track owns the file from its start: sound before its
    // first INDEX is that track's own gap.
    int regionStart = firstInFile ? 0 : RegionStart(track);
    long long frames = lastInFile ? (size - byte) / track.sectorBytes : RegionStart(sheet.tracks[i + 1]) - regionStart;
    long long index1Offset = track.index1 - regionStart;
    if (frames <= index1Offset || byte + frames * track.sectorBytes > size) {
      return ProblemOf(CueStatus::kDataFileTooShort, track.line, track.file);
    }
    if (cursor + track.pregapFrames + frames + track.postgapFrames > kMaxDiscLba) {
      return ProblemOf(CueStatus::kDiscTooLong, track.line);
    }

    DiscSegment silence;
    silence.startLba = static_cast<int>(cursor);
    silence.frames = track.pregapFrames;
    AddSegment(layout, silence);
    cursor += track.pregapFrames;

    TocTrack& entry = toc.tracks[track.number];
    entry.startLba = static_cast<int>(cursor + index1Offset);
    entry.data = track.data;
    entry.preEmphasis = track.preEmphasis;

    DiscSegment sectors;
    sectors.startLba = static_cast<int>(cursor);
    sectors.frames = static_cast<int>(frames);
    sectors.file = track.file;
    sectors.byteOffset = byte;
    sectors.sectorBytes = track.sectorBytes;
    sectors.swapBytes = sheet.files[track.file].bigEndian && !track.data;
    AddSegment(layout, sectors);
    cursor += frames;
    byte += frames * track.sectorBytes;

    silence.startLba = static_cast<int>(cursor);
    silence.frames = track.postgapFrames;
    AddSegment(layout, silence);
    cursor += track.postgapFrames;
  }
  toc.firstTrack = sheet.tracks[0].number;
  toc.lastTrack = sheet.tracks[sheet.trackCount - 1].number;
  toc.leadOutLba = static_cast<int>(cursor);
  return CueProblem();
}

UINT CueProblemMessage(CueStatus status) {
  switch (status) {
    case CueStatus::kOk:
      return 0;
    case CueStatus::kSheetUnreadable:
      return IDS_DISC_IMAGE_UNREADABLE;
    case CueStatus::kBadLine:
      return IDS_DISC_IMAGE_BAD_LINE;
    case CueStatus::kUnsupported:
      return IDS_DISC_IMAGE_UNSUPPORTED;
    case CueStatus::kNoTracks:
      return IDS_DISC_IMAGE_NO_TRACKS;
    case CueStatus::kDataFileMissing:
      return IDS_DISC_IMAGE_DATA_MISSING;
    case CueStatus::kDataFileTooShort:
      return IDS_DISC_IMAGE_DATA_TOO_SHORT;
    case CueStatus::kDiscTooLong:
      return IDS_DISC_IMAGE_TOO_LONG;
  }
  return IDS_DISC_IMAGE_UNREADABLE;
}

CueProblem ImageSectorSource::Open(const char* cuePath, CdText* cdText) {
  open_ = false;
  for (unique_hfile& file : files_) file.reset();
  unique_hfile sheetFile(
      CreateFileA(cuePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!sheetFile || !GetFileSizeEx(sheetFile.get(), &size) || size.QuadPart > kMaxSheetBytes) {
    return ProblemOf(CueStatus::kSheetUnreadable);
  }
  DWORD length = static_cast<DWORD>(size.QuadPart);
  std::unique_ptr<char[]> text(new (std::nothrow) char[length + 1]);
  DWORD got = 0;
  if (!text || !ReadFile(sheetFile.get(), text.get(), length, &got, nullptr) || got != length) {
    return ProblemOf(CueStatus::kSheetUnreadable);
  }
  CueProblem problem = ParseCueSheet(text.get(), length, &sheet_, cdText);
  if (problem.status != CueStatus::kOk) return problem;

  char folder[MAX_PATH];
  FolderOf(cuePath, folder, sizeof(folder));
  for (int f = 0; f < sheet_.fileCount; ++f) {
    const char* name = sheet_.files[f].name;
    const char* base = IsAbsolutePath(name) ? "" : folder;
    CopyText(paths_[f], base);
    AppendText(paths_[f], name);
    if (std::strlen(base) + std::strlen(name) >= MAX_PATH) return ProblemOf(CueStatus::kDataFileMissing, 0, f);
  }
  problem = OpenFiles();
  open_ = problem.status == CueStatus::kOk;
  return problem;
}

CueProblem ImageSectorSource::OpenFiles() {
  long long sizes[kMaxTocTracks] = {};
  for (int f = 0; f < sheet_.fileCount; ++f) {
    files_[f].reset(CreateFileA(paths_[f], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!files_[f] || !GetFileSizeEx(files_[f].get(), &size)) return ProblemOf(CueStatus::kDataFileMissing, 0, f);
    sizes[f] = size.QuadPart;
  }
  return LayOutDisc(sheet_, sizes, &layout_);
}

const char* ImageSectorSource::DataFilePath(int file) const {
  return file >= 0 && file < sheet_.fileCount ? paths_[file] : "";
}

bool ImageSectorSource::ReadToc(DiscToc* toc) {
  if (!open_) return false;
  *toc = layout_.toc;
  return true;
}

int ImageSectorSource::ReadSectors(int lba, int count, unsigned char* out) {
  if (!open_ || lba < 0 || count <= 0) return 0;
  int done = 0;
  int s = 0;
  while (done < count) {
    int at = lba + done;
    while (s < layout_.segmentCount && at >= layout_.segments[s].startLba + layout_.segments[s].frames) ++s;
    if (s == layout_.segmentCount || at < layout_.segments[s].startLba) break;  // the lead-out
    const DiscSegment& segment = layout_.segments[s];
    int wanted = count - done;
    if (wanted > segment.startLba + segment.frames - at) wanted = segment.startLba + segment.frames - at;
    if (wanted > kMaxSectorsPerFileRead) wanted = kMaxSectorsPerFileRead;
    int got = ReadFromSegment(segment, at, wanted, out + static_cast<size_t>(done) * kRawSectorBytes);
    done += got;
    if (got < wanted) break;
  }
  return done;
}

int ImageSectorSource::ReadFromSegment(const DiscSegment& segment, int lba, int count, unsigned char* out) {
  size_t bytes = static_cast<size_t>(count) * kRawSectorBytes;
  // Silence, and data sectors stored without their raw framing: the player
  // never plays those, so zeros do.
  if (segment.file < 0 || segment.sectorBytes != kRawSectorBytes) {
    std::memset(out, 0, bytes);
    return count;
  }
  LARGE_INTEGER offset;
  offset.QuadPart = segment.byteOffset + static_cast<long long>(lba - segment.startLba) * segment.sectorBytes;
  HANDLE file = files_[segment.file].get();
  DWORD got = 0;
  if (!SetFilePointerEx(file, offset, nullptr, FILE_BEGIN) ||
      !ReadFile(file, out, static_cast<DWORD>(bytes), &got, nullptr)) {
    return 0;
  }
  int sectors = static_cast<int>(got / kRawSectorBytes);
  if (segment.swapBytes) {
    for (size_t i = 0; i + 1 < static_cast<size_t>(sectors) * kRawSectorBytes; i += 2) {
      unsigned char high = out[i];
      out[i] = out[i + 1];
      out[i + 1] = high;
    }
  }
  return sectors;
}
