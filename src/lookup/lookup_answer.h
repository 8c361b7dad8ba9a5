// What a disc database answered for one disc: the releases that hold it,
// each with the titles of the medium the disc is. Text stays UTF-8 here.
#ifndef ZANTO_LOOKUP_LOOKUP_ANSWER_H
#define ZANTO_LOOKUP_LOOKUP_ANSWER_H

#include <string>
#include <vector>

#include "settings/disc_titles.h"

enum class LookupStatus {
  kFound,
  kNotFound,   // the service does not know the disc (404, or no medium holds it)
  kOffline,    // no connection, a refused one, a timeout, or the service busy
  kMalformed,  // an answer that is not what the service answers
  kCancelled,
};

struct ReleaseChoice {
  std::string title;
  std::string artist;
  std::string date;
  std::string country;
  std::string format;
  std::vector<std::string> tracks;  // [n - 1] is track n of the medium
};

struct LookupAnswer {
  LookupStatus status = LookupStatus::kOffline;
  std::vector<ReleaseChoice> releases;
};

// The answer of GET /ws/2/discid/<id>?inc=recordings+artist-credits&fmt=json:
// of each release, the medium whose discs[] holds `discId`. kFound with at
// least one release, kNotFound when none holds it, kMalformed for anything
// that is not such an answer.
LookupStatus ParseMusicBrainzDiscAnswer(const std::string& body, const char* discId, std::vector<ReleaseChoice>* out);

// Fills the empty fields of `titles` from `release`, converted to the ANSI
// code page and cut to the key's limit: nothing already there changes.
void FillFromRelease(const ReleaseChoice& release, DiscTitles* titles);
// The same, but the release's text wins wherever it has any (for the
// editor, where the user accepts or cancels it).
void TakeFromRelease(const ReleaseChoice& release, DiscTitles* titles);

#endif
