// The ids the disc databases know a disc by, computed from its table of
// contents: pure functions over a DiscToc.
#ifndef ZANTO_CD_DISC_IDS_H
#define ZANTO_CD_DISC_IDS_H

#include <windows.h>

#include "cd/disc_toc.h"

// 28 characters and the terminator.
constexpr size_t kMusicBrainzIdSize = 29;
// The gap an enhanced CD leaves between its audio and its data session: the
// audio session's lead-out (90 s), the data session's lead-in (60 s) and the
// data track's pre-gap (2 s).
constexpr int kSessionGapFrames = 11400;

// The audio part of a disc as the MusicBrainz id sees it: an enhanced CD
// (audio, then data tracks at its end) ends at its last audio track, and its
// lead-out is where the data session starts less the session gap. Offsets
// count from the disc's very start (LBA + 150).
struct AudioSession {
  int firstTrack = 0;
  int lastTrack = 0;
  int leadOut = 0;
  int offsets[kMaxTocTracks + 1] = {};  // [t] for track t; 0 past lastTrack
};

// False for a table that names no track or whose numbers are out of range.
bool AudioSessionOf(const DiscToc& toc, AudioSession* out);
// The SHA-1 of the session's text, in the id's own base64 ('.', '_', '-' for
// '+', '/', '='). False when the table is unusable or the system's hash failed.
bool MusicBrainzDiscId(const DiscToc& toc, char (&out)[kMusicBrainzIdSize]);
// The freedb/gnudb id: digit sums of the tracks' start seconds mod 255, the
// disc's seconds, and the track count, data tracks included. 0 when unusable.
DWORD CddbDiscId(const DiscToc& toc);

// The base64 of the id, for bytes already hashed (`size` 20 gives 28 characters).
void MusicBrainzBase64(const BYTE* bytes, size_t size, char* out, size_t capacity);

#endif
