#include "lookup/lookup_answer.h"

#include <nlohmann/json.hpp>

#include "common/utf8_text.h"

namespace {

using nlohmann::json;

// A string member, or "" when it is missing or not a string.
std::string Text(const json& object, const char* key) {
  if (!object.is_object()) return std::string();
  auto it = object.find(key);
  if (it == object.end() || !it->is_string()) return std::string();
  return it->get<std::string>();
}

const json* Array(const json& object, const char* key) {
  if (!object.is_object()) return nullptr;
  auto it = object.find(key);
  return it != object.end() && it->is_array() ? &*it : nullptr;
}

// "Artist A & Artist B": each credit's name and the phrase that joins it to the next.
std::string ArtistCredit(const json& object) {
  std::string artist;
  if (const json* credits = Array(object, "artist-credit")) {
    for (const json& credit : *credits) artist += Text(credit, "name") + Text(credit, "joinphrase");
  }
  return artist;
}

bool HoldsDisc(const json& medium, const char* discId) {
  const json* discs = Array(medium, "discs");
  if (!discs) return false;
  for (const json& disc : *discs) {
    if (Text(disc, "id") == discId) return true;
  }
  return false;
}

ReleaseChoice ChoiceOf(const json& release, const json& medium) {
  ReleaseChoice choice;
  choice.title = Text(release, "title");
  choice.artist = ArtistCredit(release);
  choice.date = Text(release, "date");
  choice.country = Text(release, "country");
  choice.format = Text(medium, "format");
  if (const json* tracks = Array(medium, "tracks")) {
    for (const json& track : *tracks) {
      auto position = track.is_object() ? track.find("position") : track.end();
      if (position == track.end() || !position->is_number_integer()) continue;
      long long n = position->get<long long>();
      if (n < 1 || n > kTitledTrackLimit) continue;
      if (choice.tracks.size() < static_cast<size_t>(n)) choice.tracks.resize(static_cast<size_t>(n));
      std::string title = Text(track, "title");
      if (title.empty() && track.contains("recording")) title = Text(track["recording"], "title");
      choice.tracks[static_cast<size_t>(n - 1)] = title;
    }
  }
  return choice;
}

void Put(char (&field)[kTrackTitleSize], const std::string& utf8, bool onlyEmpty) {
  if (utf8.empty() || (onlyEmpty && field[0] != '\0')) return;
  Utf8ToAnsi(utf8.c_str(), field, kTrackTitleSize);
}

void Apply(const ReleaseChoice& release, DiscTitles* titles, bool onlyEmpty) {
  Put(titles->title, release.title, onlyEmpty);
  Put(titles->artist, release.artist, onlyEmpty);
  for (int t = 1; t <= titles->trackCount && t <= kTitledTrackLimit; ++t) {
    if (static_cast<size_t>(t) > release.tracks.size()) break;
    Put(titles->tracks[t - 1], release.tracks[t - 1], onlyEmpty);
  }
}

}  // namespace

LookupStatus ParseMusicBrainzDiscAnswer(const std::string& body, const char* discId, std::vector<ReleaseChoice>* out) {
  out->clear();
  json answer = json::parse(body, nullptr, false);
  if (answer.is_discarded() || !answer.is_object()) return LookupStatus::kMalformed;
  const json* releases = Array(answer, "releases");
  if (!releases) return LookupStatus::kMalformed;
  for (const json& release : *releases) {
    const json* media = Array(release, "media");
    if (!media) continue;
    for (const json& medium : *media) {
      if (!HoldsDisc(medium, discId)) continue;
      out->push_back(ChoiceOf(release, medium));
      break;
    }
  }
  return out->empty() ? LookupStatus::kNotFound : LookupStatus::kFound;
}

void FillFromRelease(const ReleaseChoice& release, DiscTitles* titles) { Apply(release, titles, true); }

void TakeFromRelease(const ReleaseChoice& release, DiscTitles* titles) { Apply(release, titles, false); }
