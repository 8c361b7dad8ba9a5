#include "dialogs/title_sheet.h"

#include "cd/msf.h"
#include "common/fixed_text.h"

namespace {

bool HasTrack(const TitleSheet& sheet, int track) {
  return track >= 1 && track <= sheet.titles.trackCount && track <= kTitledTrackLimit;
}

}  // namespace

void FormatTrackRow(const TitleSheet& sheet, int track, char* out, size_t capacity) {
  if (!HasTrack(sheet, track)) {
    CopyText(out, capacity, "");
    return;
  }
  DWORD length = sheet.lengths[track - 1];
  // As the track menu shows lengths: frames dropped, not rounded.
  FormatText(out, capacity, "%02d\t%02d:%02d\t%s", track, MsfMinutes(length), MsfSeconds(length),
             sheet.titles.tracks[track - 1]);
}

bool SetTrackTitle(TitleSheet* sheet, int track, const char* text) {
  if (!HasTrack(*sheet, track)) return false;
  CopyText(sheet->titles.tracks[track - 1], text);
  return true;
}
