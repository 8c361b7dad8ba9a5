// What the disc description file says: whether a disc is in the drive, the
// tray state, the media identity text and every track's length. Parsing and
// rewriting are pure functions over text so they can be tested directly.
#ifndef ZANTO_VIRTUAL_CD_DISC_DESCRIPTION_H
#define ZANTO_VIRTUAL_CD_DISC_DESCRIPTION_H

#include <string>
#include <vector>

#include "cd/disc_toc.h"

struct DiscDescription {
  bool present = false;
  bool trayOpen = false;
  std::string identity;
  // Where track 1 begins on the disc, in frames (a pressed disc starts at 00:02:00).
  unsigned firstTrackStart = 150;
  std::vector<unsigned> trackFrames;
  // One flag per track: a data track (mixed-mode and enhanced discs), which
  // a drive refuses to play as audio.
  std::vector<bool> dataTracks;
  // The disc came in without the drive ever being open or not ready (a
  // changer, a fast slot drive): it is readable at once, with no settling.
  bool gapless = false;
  // A disc image (a CUE sheet, relative to the description's folder or
  // absolute) whose sectors the sector face presents; "": a tone per track.
  std::string image;

  bool operator==(const DiscDescription& other) const {
    return present == other.present && trayOpen == other.trayOpen && identity == other.identity &&
           firstTrackStart == other.firstTrackStart && trackFrames == other.trackFrames &&
           dataTracks == other.dataTracks && gapless == other.gapless && image == other.image;
  }
  bool operator!=(const DiscDescription& other) const { return !(*this == other); }
};

// Lines "key = value"; '#' or ';' starts a comment line, and " #" a comment
// after a value; unknown keys and malformed values are ignored. A track line
// is "MM:SS:FF", or "MM:SS:FF data" for a data track.
DiscDescription ParseDiscDescription(const std::string& text);

// "MM:SS:FF" (seconds below 60, frames below 75) as a frame count; false when malformed.
bool ParseMsfText(const std::string& text, unsigned& frames);

// The media identity the drive reports: the file's identity text, or, when
// it has none, the one the system's CD-audio driver computes from the tracks.
std::string MediaIdentityText(const DiscDescription& disc);

// The table of contents the track lines describe (no tracks: an empty table).
DiscToc DescribedToc(const DiscDescription& disc);

// The text with its tray line set to the given state (appended when missing);
// every other line is kept as it is.
std::string WithTrayState(const std::string& text, bool open);

#endif
