#include "cd/cue_sheet.h"

#include "common/ascii_text.h"
#include "common/fixed_text.h"
#include "common/path_text.h"
#include "common/utf8_text.h"

namespace {

constexpr int kFramesPerSecond = 75;
constexpr int kSecondsPerMinute = 60;
constexpr int kMaxMinutes = 999;  // beyond any disc; keeps every sum far from overflow
constexpr size_t kMaxToken = MAX_PATH;

// A cursor over one line of the sheet.
struct LineReader {
  const char* at;
  const char* end;

  void SkipSpace() {
    while (at < end && (*at == ' ' || *at == '\t')) ++at;
  }
  bool AtEnd() {
    SkipSpace();
    return at >= end;
  }
  // Where the next word, or a "quoted text" without its quotes, lies in
  // the line; false when there is none or its quote is not closed.
  bool Span(const char** start, size_t* size) {
    SkipSpace();
    if (at >= end) return false;
    const char* stop;
    *start = at;
    if (*at == '"') {
      *start = ++at;
      while (at < end && *at != '"') ++at;
      if (at >= end) return false;
      stop = at++;
    } else {
      while (at < end && *at != ' ' && *at != '\t') ++at;
      stop = at;
    }
    *size = static_cast<size_t>(stop - *start);
    return true;
  }
  // The next word or quoted text copied out; false when there is none or it
  // does not fit.
  bool Token(char* out, size_t capacity) {
    const char* start;
    size_t size;
    if (!Span(&start, &size) || size >= capacity) return false;
    for (size_t i = 0; i < size; ++i) out[i] = start[i];
    out[size] = '\0';
    return true;
  }
};

bool IsDigits(const char* text, size_t maxDigits) {
  size_t count = 0;
  for (; text[count]; ++count) {
    if (text[count] < '0' || text[count] > '9' || count >= maxDigits) return false;
  }
  return count > 0;
}

bool ParseNumber(const char* text, int low, int high, int* value) {
  if (!IsDigits(text, 3)) return false;
  int number = ParseDecimal(text);
  if (number < low || number > high) return false;
  *value = number;
  return true;
}

// "MM:SS:FF" as frames.
bool ParseMsf(const char* text, int* frames) {
  char parts[3][8] = {};
  int part = 0;
  size_t length = 0;
  for (const char* p = text; *p; ++p) {
    if (*p == ':') {
      if (++part > 2) return false;
      length = 0;
    } else if (length + 1 < sizeof(parts[0])) {
      parts[part][length++] = *p;
    } else {
      return false;
    }
  }
  int minutes, seconds, frame;
  if (part != 2 || !ParseNumber(parts[0], 0, kMaxMinutes, &minutes) ||
      !ParseNumber(parts[1], 0, kSecondsPerMinute - 1, &seconds) ||
      !ParseNumber(parts[2], 0, kFramesPerSecond - 1, &frame)) {
    return false;
  }
  *frames = (minutes * kSecondsPerMinute + seconds) * kFramesPerSecond + frame;
  return true;
}

// Sheets are written in the ANSI code page or, by newer tools, in UTF-8
// (with or without a byte-order mark). Text with bytes beyond ASCII that
// reads as UTF-8 is taken as UTF-8, since ANSI Japanese text almost never
// does.
bool IsUtf8BeyondAscii(const char* text) {
  bool ascii = true;
  for (const char* p = text; *p; ++p) ascii = ascii && static_cast<unsigned char>(*p) < 0x80;
  return !ascii && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0) > 0;
}

// The files are opened by their ANSI name, so a name the code page cannot
// spell is no file at all.
bool ToAnsiName(const char* name, char* out, size_t capacity) {
  wchar_t wide[MAX_PATH];
  if (!IsUtf8BeyondAscii(name) || !MultiByteToWideChar(CP_UTF8, 0, name, -1, wide, MAX_PATH)) {
    CopyText(out, capacity, name);
    return true;
  }
  BOOL lost = FALSE;
  int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, out, static_cast<int>(capacity), nullptr, &lost);
  return size > 0 && !lost;
}

// A title as the display shows it: a character the code page lacks is a '?'.
void ToAnsiText(const char* start, size_t size, char* out, size_t capacity) {
  // Room for far more UTF-8 than a title's array holds in the code page, cut
  // at a character's start so that long UTF-8 still reads as UTF-8.
  char text[kCdTextLength * 4];
  if (size >= sizeof(text)) {
    size = sizeof(text) - 1;
    while (size > 0 && (static_cast<unsigned char>(start[size]) & 0xC0) == 0x80) --size;
  }
  for (size_t i = 0; i < size; ++i) text[i] = start[i];
  text[size] = '\0';
  if (IsUtf8BeyondAscii(text)) {
    Utf8ToAnsi(text, out, capacity);
  } else {
    CopyText(out, capacity, text);  // cut at a double-byte character's boundary
  }
}

struct TrackMode {
  const char* name;
  int sectorBytes;
  bool data;
};
constexpr TrackMode kTrackModes[] = {
    {"AUDIO", 2352, false},      {"MODE1/2352", 2352, true}, {"MODE1/2048", 2048, true},
    {"MODE2/2352", 2352, true},  {"MODE2/2336", 2336, true},
};

// The sheet being read, and where the last file and track are.
class CueParser {
 public:
  CueParser(CueSheet* sheet, CdText* cdText) : sheet_(sheet), cdText_(cdText) {}

  CueProblem Line(LineReader reader, int line) {
    line_ = line;
    char command[16];
    if (!reader.Token(command, sizeof(command))) return Ok();  // blank, or a word no command is
    if (EqualsIgnoreCase(command, "FILE")) return File(reader);
    if (EqualsIgnoreCase(command, "TRACK")) return Track(reader);
    if (EqualsIgnoreCase(command, "INDEX")) return Index(reader);
    if (EqualsIgnoreCase(command, "PREGAP")) return Gap(reader, true);
    if (EqualsIgnoreCase(command, "POSTGAP")) return Gap(reader, false);
    if (EqualsIgnoreCase(command, "FLAGS")) return Flags(reader);
    if (EqualsIgnoreCase(command, "TITLE")) Text(reader, true);
    if (EqualsIgnoreCase(command, "PERFORMER")) Text(reader, false);
    return Ok();
  }

  CueProblem Finish() {
    line_ = 0;
    if (sheet_->trackCount == 0) return Problem(CueStatus::kNoTracks);
    if (CueProblem problem = TrackComplete(); problem.status != CueStatus::kOk) return problem;
    // A FILE that no track's INDEX 01 lies in would hold sound no track owns.
    for (int f = 0; f < sheet_->fileCount; ++f) {
      bool used = false;
      for (int t = 0; t < sheet_->trackCount; ++t) used = used || sheet_->tracks[t].file == f;
      if (!used) {
        line_ = fileLines_[f];
        return Problem(CueStatus::kBadLine);
      }
    }
    return Ok();
  }

 private:
  CueProblem Ok() const { return CueProblem(); }
  CueProblem Problem(CueStatus status) const {
    CueProblem problem;
    problem.status = status;
    problem.line = line_;
    return problem;
  }
  CueTrack* Current() { return sheet_->trackCount ? &sheet_->tracks[sheet_->trackCount - 1] : nullptr; }

  // The track before a new TRACK or the sheet's end must have its INDEX 01.
  CueProblem TrackComplete() {
    CueTrack* track = Current();
    if (track && track->index1 < 0) {
      CueProblem problem = Problem(CueStatus::kBadLine);
      problem.line = track->line;
      return problem;
    }
    return Ok();
  }

  CueProblem File(LineReader& reader) {
    char name[kMaxToken], type[16];
    reader.SkipSpace();
    if (reader.at < reader.end && *reader.at != '"') {
      // An unquoted name may hold spaces: all but the last word is the name.
      const char* last = reader.end;
      while (last > reader.at && (last[-1] == ' ' || last[-1] == '\t')) --last;
      while (last > reader.at && last[-1] != ' ' && last[-1] != '\t') --last;
      LineReader nameReader{reader.at, last};
      while (nameReader.end > nameReader.at && (nameReader.end[-1] == ' ' || nameReader.end[-1] == '\t')) --nameReader.end;
      size_t size = static_cast<size_t>(nameReader.end - nameReader.at);
      if (size == 0 || size >= sizeof(name)) return Problem(CueStatus::kBadLine);
      for (size_t i = 0; i < size; ++i) name[i] = nameReader.at[i];
      name[size] = '\0';
      reader.at = last;
    } else if (!reader.Token(name, sizeof(name)) || !name[0]) {
      return Problem(CueStatus::kBadLine);
    }
    if (!reader.Token(type, sizeof(type)) || !reader.AtEnd()) return Problem(CueStatus::kBadLine);
    bool bigEndian = EqualsIgnoreCase(type, "MOTOROLA");
    if (!bigEndian && !EqualsIgnoreCase(type, "BINARY")) {
      bool known = EqualsIgnoreCase(type, "WAVE") || EqualsIgnoreCase(type, "MP3") || EqualsIgnoreCase(type, "AIFF");
      return Problem(known ? CueStatus::kUnsupported : CueStatus::kBadLine);
    }
    if (sheet_->fileCount >= kMaxTocTracks) return Problem(CueStatus::kBadLine);
    CueFile& file = sheet_->files[sheet_->fileCount];
    if (!ToAnsiName(name, file.name, sizeof(file.name))) return Problem(CueStatus::kBadLine);
    file.bigEndian = bigEndian;
    fileLines_[sheet_->fileCount++] = line_;
    return Ok();
  }

  CueProblem Track(LineReader& reader) {
    if (sheet_->fileCount == 0) return Problem(CueStatus::kBadLine);
    if (CueProblem problem = TrackComplete(); problem.status != CueStatus::kOk) return problem;
    char numberText[8], modeText[16];
    int number;
    if (!reader.Token(numberText, sizeof(numberText)) || !ParseNumber(numberText, 1, kMaxTocTracks, &number) ||
        !reader.Token(modeText, sizeof(modeText)) || !reader.AtEnd()) {
      return Problem(CueStatus::kBadLine);
    }
    // Track numbers run on by one, and a disc holds no more than 99.
    if (sheet_->trackCount && number != Current()->number + 1) return Problem(CueStatus::kBadLine);
    if (sheet_->trackCount >= kMaxTocTracks) return Problem(CueStatus::kBadLine);
    const TrackMode* mode = nullptr;
    for (const TrackMode& m : kTrackModes) {
      if (EqualsIgnoreCase(modeText, m.name)) mode = &m;
    }
    if (!mode) return Problem(CueStatus::kUnsupported);
    CueTrack& track = sheet_->tracks[sheet_->trackCount++];
    track = CueTrack();
    track.number = number;
    track.file = sheet_->fileCount - 1;
    track.sectorBytes = mode->sectorBytes;
    track.data = mode->data;
    track.line = line_;
    index0File_ = -1;
    return Ok();
  }

  CueProblem Index(LineReader& reader) {
    CueTrack* track = Current();
    char numberText[8], timeText[24];
    int number, frames;
    if (!track || !reader.Token(numberText, sizeof(numberText)) || !ParseNumber(numberText, 0, 99, &number) ||
        !reader.Token(timeText, sizeof(timeText)) || !ParseMsf(timeText, &frames) || !reader.AtEnd()) {
      return Problem(CueStatus::kBadLine);
    }
    int file = sheet_->fileCount - 1;
    if (number > 1) {
      // Later indexes only mark places within the track.
      return track->index1 >= 0 && file == track->file && frames > track->index1 ? Ok() : Problem(CueStatus::kBadLine);
    }
    if (track->index1 >= 0) return Problem(CueStatus::kBadLine);  // a second 00 or 01, or 00 after 01
    if (number == 0) {
      if (track->index0 >= 0) return Problem(CueStatus::kBadLine);
      track->index0 = frames;
      index0File_ = file;
    } else {
      // INDEX 00 in an earlier file (its gap at the end of that file) marks
      // nothing in this one: the gap plays as the end of the track before.
      if (track->index0 >= 0 && index0File_ != file) track->index0 = -1;
      if (track->index0 > frames) return Problem(CueStatus::kBadLine);
      track->index1 = frames;
      track->file = file;
    }
    // Within one file each track begins after the one before it has begun.
    const CueTrack* previous = sheet_->trackCount > 1 ? &sheet_->tracks[sheet_->trackCount - 2] : nullptr;
    if (previous && previous->file == file && frames <= previous->index1) return Problem(CueStatus::kBadLine);
    return Ok();
  }

  CueProblem Gap(LineReader& reader, bool before) {
    CueTrack* track = Current();
    char timeText[24];
    int frames;
    if (!track || !reader.Token(timeText, sizeof(timeText)) || !ParseMsf(timeText, &frames) || !reader.AtEnd()) {
      return Problem(CueStatus::kBadLine);
    }
    (before ? track->pregapFrames : track->postgapFrames) = frames;
    return Ok();
  }

  CueProblem Flags(LineReader& reader) {
    CueTrack* track = Current();
    if (!track) return Problem(CueStatus::kBadLine);
    char flag[16];
    while (reader.Token(flag, sizeof(flag))) {
      if (EqualsIgnoreCase(flag, "PRE")) track->preEmphasis = true;
    }
    return Ok();
  }

  // TITLE or PERFORMER: the disc's before the first TRACK, then the track's.
  void Text(LineReader& reader, bool title) {
    const char* start;
    size_t size;
    if (!cdText_ || !reader.Span(&start, &size) || !reader.AtEnd()) return;
    CdTextItem& item = cdText_->item[sheet_->trackCount ? Current()->number : 0];
    ToAnsiText(start, size, title ? item.title : item.performer, kCdTextLength);
  }

  CueSheet* sheet_;
  CdText* cdText_;
  int line_ = 0;
  int index0File_ = -1;  // the file the current track's INDEX 00 lies in
  int fileLines_[kMaxTocTracks] = {};
};

}  // namespace

CueProblem ParseCueSheet(const char* text, size_t length, CueSheet* sheet, CdText* cdText) {
  *sheet = CueSheet();
  if (cdText) ZeroMemory(cdText, sizeof(*cdText));
  const char* at = text;
  const char* end = text + length;
  if (length >= 3 && static_cast<unsigned char>(at[0]) == 0xEF && static_cast<unsigned char>(at[1]) == 0xBB &&
      static_cast<unsigned char>(at[2]) == 0xBF) {
    at += 3;
  }
  CueParser parser(sheet, cdText);
  for (int line = 1; at < end; ++line) {
    const char* stop = at;
    while (stop < end && *stop != '\r' && *stop != '\n' && *stop != '\0') ++stop;
    CueProblem problem = parser.Line(LineReader{at, stop}, line);
    if (problem.status != CueStatus::kOk) return problem;
    at = stop;
    if (at < end && *at == '\r') ++at;
    if (at < end && (*at == '\n' || *at == '\0')) ++at;
  }
  return parser.Finish();
}

bool IsDiscImagePath(const char* path) { return EqualsIgnoreCase(ExtensionPart(path), ".cue"); }
