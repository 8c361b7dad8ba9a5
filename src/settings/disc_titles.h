// The titles of one disc as its CD.ini section keeps them: the disc's own
// title and artist, and a title per track under key t - 1 for track t (data
// tracks included). The record the title editor edits and CD-Text fills.
#ifndef ZANTO_SETTINGS_DISC_TITLES_H
#define ZANTO_SETTINGS_DISC_TITLES_H

#include "settings/settings.h"

struct CdText;

// A disc has at most 99 tracks.
constexpr int kTitledTrackLimit = 99;

struct DiscTitles {
  int identity;    // names the disc's section: "%X"
  int trackCount;  // 0..kTitledTrackLimit
  char title[kTrackTitleSize];
  char artist[kTrackTitleSize];
  char tracks[kTitledTrackLimit][kTrackTitleSize];  // tracks[t - 1] is track t
};

// Everything empty: no disc, no tracks.
void ClearDiscTitles(DiscTitles* titles);
// True when the title, the artist or any track title is not empty.
bool HasAnyTitle(const DiscTitles& titles);
// Fills the empty fields from the disc's CD-Text: the album's title and
// performer, and the title of each of the disc's tracks.
void FillFromCdText(const CdText& text, DiscTitles* titles);

#endif
