#include "settings/disc_titles.h"

#include "cd/cd_text.h"
#include "common/fixed_text.h"

namespace {

void FillIfEmpty(char (&field)[kTrackTitleSize], const char* text) {
  if (field[0] == '\0') CopyText(field, text);
}

}  // namespace

void ClearDiscTitles(DiscTitles* titles) { ZeroMemory(titles, sizeof(*titles)); }

bool HasAnyTitle(const DiscTitles& titles) {
  if (titles.title[0] != '\0' || titles.artist[0] != '\0') return true;
  for (int i = 0; i < titles.trackCount && i < kTitledTrackLimit; ++i) {
    if (titles.tracks[i][0] != '\0') return true;
  }
  return false;
}

void FillFromCdText(const CdText& text, DiscTitles* titles) {
  FillIfEmpty(titles->title, text.item[0].title);
  FillIfEmpty(titles->artist, text.item[0].performer);
  for (int track = 1; track <= titles->trackCount && track <= kCdTextLastTrack; ++track) {
    FillIfEmpty(titles->tracks[track - 1], text.item[track].title);
  }
}
