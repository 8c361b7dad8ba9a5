#include "disc_description.h"

#include <cctype>

#include "cd/disc_identity.h"

namespace {

std::string Trim(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Splits "key = value" into its trimmed parts; false for blank and comment lines.
bool SplitLine(const std::string& line, std::string& key, std::string& value) {
  std::string trimmed = Trim(line);
  if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';') return false;
  size_t equals = trimmed.find('=');
  if (equals == std::string::npos) return false;
  key = Lower(Trim(trimmed.substr(0, equals)));
  value = trimmed.substr(equals + 1);
  // A comment after the value: "track = 04:12:30   # the opener".
  for (size_t hash = value.find('#'); hash != std::string::npos; hash = value.find('#', hash + 1)) {
    if (hash > 0 && std::isspace(static_cast<unsigned char>(value[hash - 1]))) {
      value.erase(hash);
      break;
    }
  }
  value = Trim(value);
  return true;
}

bool ParseFlag(const std::string& value, bool& flag) {
  std::string v = Lower(value);
  if (v == "1" || v == "yes" || v == "true") {
    flag = true;
    return true;
  }
  if (v == "0" || v == "no" || v == "false") {
    flag = false;
    return true;
  }
  return false;
}

bool ParseNumber(const std::string& text, unsigned limit, unsigned& number) {
  if (text.empty() || text.size() > 3) return false;
  number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  return number < limit;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace

bool ParseMsfText(const std::string& text, unsigned& frames) {
  size_t first = text.find(':');
  size_t second = first == std::string::npos ? first : text.find(':', first + 1);
  if (second == std::string::npos) return false;
  unsigned minutes = 0, seconds = 0, frame = 0;
  if (!ParseNumber(text.substr(0, first), 256, minutes) ||
      !ParseNumber(text.substr(first + 1, second - first - 1), 60, seconds) ||
      !ParseNumber(text.substr(second + 1), 75, frame)) {
    return false;
  }
  frames = (minutes * 60 + seconds) * 75 + frame;
  return true;
}

DiscDescription ParseDiscDescription(const std::string& text) {
  DiscDescription disc;
  for (const std::string& line : SplitLines(text)) {
    std::string key, value;
    if (!SplitLine(line, key, value)) continue;
    unsigned frames = 0;
    if (key == "present") {
      ParseFlag(value, disc.present);
    } else if (key == "gapless") {
      ParseFlag(value, disc.gapless);
    } else if (key == "tray") {
      std::string v = Lower(value);
      if (v == "open") disc.trayOpen = true;
      if (v == "closed") disc.trayOpen = false;
    } else if (key == "identity") {
      disc.identity = value;
    } else if (key == "image") {
      disc.image = value;
    } else if (key == "start") {
      if (ParseMsfText(value, frames)) disc.firstTrackStart = frames;
    } else if (key == "track") {
      size_t space = value.find_first_of(" \t");
      std::string kind = space == std::string::npos ? "" : Lower(Trim(value.substr(space)));
      if (kind != "" && kind != "data" && kind != "audio") continue;
      if (ParseMsfText(value.substr(0, space), frames)) {
        disc.trackFrames.push_back(frames);
        disc.dataTracks.push_back(kind == "data");
      }
    }
  }
  return disc;
}

DiscToc DescribedToc(const DiscDescription& disc) {
  DiscToc toc;
  int count = disc.trackFrames.size() < kMaxTocTracks ? static_cast<int>(disc.trackFrames.size()) : kMaxTocTracks;
  if (count == 0) return toc;
  toc.firstTrack = 1;
  toc.lastTrack = count;
  int lba = static_cast<int>(disc.firstTrackStart) - kLeadInFrames;
  for (int track = 1; track <= count; ++track) {
    toc.tracks[track].startLba = lba;
    toc.tracks[track].data = disc.dataTracks[track - 1];
    lba += static_cast<int>(disc.trackFrames[track - 1]);
  }
  toc.leadOutLba = lba;
  return toc;
}

std::string MediaIdentityText(const DiscDescription& disc) {
  if (!disc.identity.empty()) return disc.identity;
  if (disc.trackFrames.empty()) return "0";
  return std::to_string(DiscIdentity(DescribedToc(disc)));
}

std::string WithTrayState(const std::string& text, bool open) {
  std::string trayLine = open ? "tray = open" : "tray = closed";
  std::string result;
  bool replaced = false;
  for (const std::string& line : SplitLines(text)) {
    std::string key, value;
    if (SplitLine(line, key, value) && key == "tray") {
      if (!replaced) result += trayLine + "\n";
      replaced = true;
    } else {
      result += line + "\n";
    }
  }
  if (!replaced) result += trayLine + "\n";
  return result;
}
