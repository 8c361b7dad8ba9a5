#include "lookup/cddb_text.h"

#include <cstdlib>
#include <cstring>

#include "cd/disc_ids.h"
#include "common/fixed_text.h"
#include "settings/disc_titles.h"

namespace {

// Spaces as '+', everything but the unreserved characters as %XX.
std::string UrlEncoded(const std::string& text) {
  const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (c == ' ') {
      out += '+';
    } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || strchr("-_.~", c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kDigits[c >> 4];
      out += kDigits[c & 15];
    }
  }
  return out;
}

// The body's lines without their CR LF or LF.
std::vector<std::string> Lines(const std::string& body) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < body.size()) {
    size_t end = body.find('\n', at);
    if (end == std::string::npos) end = body.size();
    size_t cut = end > at && body[end - 1] == '\r' ? end - 1 : end;
    lines.push_back(body.substr(at, cut - at));
    at = end + 1;
  }
  return lines;
}

// The three-digit code a CDDB answer starts with, or -1.
int CodeOf(const std::vector<std::string>& lines) {
  if (lines.empty() || lines[0].size() < 3) return -1;
  const std::string& line = lines[0];
  for (int i = 0; i < 3; ++i) {
    if (line[i] < '0' || line[i] > '9') return -1;
  }
  if (line.size() > 3 && line[3] != ' ') return -1;
  return atoi(line.substr(0, 3).c_str());
}

// "<category> <discid> ..." into a match; false when either is missing.
bool MatchOf(const std::string& line, CddbMatch* out) {
  size_t space = line.find(' ');
  if (space == std::string::npos || space == 0) return false;
  size_t end = line.find(' ', space + 1);
  out->category = line.substr(0, space);
  out->discId = line.substr(space + 1, end == std::string::npos ? std::string::npos : end - space - 1);
  return !out->discId.empty();
}

// xmcd's escapes: \n and \t become spaces (a title is one line), \\ a backslash.
std::string Unescaped(const std::string& value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      char next = value[++i];
      out += next == 'n' || next == 't' ? ' ' : next;
    } else {
      out += value[i];
    }
  }
  return out;
}

}  // namespace

std::string CddbQueryCommand(const DiscToc& toc) {
  DWORD id = CddbDiscId(toc);
  if (id == 0) return std::string();
  char number[16];
  FormatText(number, sizeof(number), "%08lx", static_cast<unsigned long>(id));
  std::string command = "cddb query " + std::string(number) + " " +
                        std::to_string(toc.lastTrack - toc.firstTrack + 1);
  for (int t = toc.firstTrack; t <= toc.lastTrack; ++t) {
    command += " " + std::to_string(toc.tracks[t].startLba + kLeadInFrames);
  }
  return command + " " + std::to_string((toc.leadOutLba + kLeadInFrames) / 75);
}

std::string CddbHello(const char* email, const char* version) {
  const char* at = strrchr(email, '@');
  // A space would read as one of the hello's separators.
  if (at == nullptr || at == email || at[1] == '\0' || strchr(email, ' ')) return std::string();
  return UrlEncoded(std::string(email, at)) + "+" + UrlEncoded(at + 1) + "+ZantoPlayer+" + UrlEncoded(version);
}

std::string CddbPath(const std::string& command, const std::string& hello) {
  return "/~cddb/cddb.cgi?cmd=" + UrlEncoded(command) + "&hello=" + hello + "&proto=6";
}

LookupStatus ParseCddbQuery(const std::string& body, std::vector<CddbMatch>* out) {
  out->clear();
  std::vector<std::string> lines = Lines(body);
  int code = CodeOf(lines);
  CddbMatch match;
  switch (code) {
    case 200:
      if (!MatchOf(lines[0].substr(4), &match)) return LookupStatus::kMalformed;
      out->push_back(match);
      return LookupStatus::kFound;
    case 210:
    case 211:
      for (size_t i = 1; i < lines.size() && lines[i] != "."; ++i) {
        if (!MatchOf(lines[i], &match)) return LookupStatus::kMalformed;
        out->push_back(match);
      }
      return out->empty() ? LookupStatus::kNotFound : LookupStatus::kFound;
    case 202: return LookupStatus::kNotFound;
    case -1: return LookupStatus::kMalformed;
    default: return LookupStatus::kOffline;
  }
}

LookupStatus ParseCddbRead(const std::string& body, ReleaseChoice* out) {
  *out = ReleaseChoice();
  std::vector<std::string> lines = Lines(body);
  if (CodeOf(lines) != 210) return LookupStatus::kMalformed;
  std::string discTitle;
  bool ended = false;
  for (size_t i = 1; i < lines.size() && !ended; ++i) {
    const std::string& line = lines[i];
    ended = line == ".";
    size_t equals = line.find('=');
    if (ended || line.empty() || line[0] == '#' || equals == std::string::npos) continue;
    std::string key = line.substr(0, equals);
    std::string value = Unescaped(line.substr(equals + 1));
    if (key == "DTITLE") {
      discTitle += value;
    } else if (key == "DYEAR") {
      out->date += value;
    } else if (key.compare(0, 6, "TTITLE") == 0 && key.size() > 6 &&
               key.find_first_not_of("0123456789", 6) == std::string::npos) {
      long n = strtol(key.c_str() + 6, nullptr, 10);
      if (n < 0 || n >= kTitledTrackLimit) continue;
      if (out->tracks.size() <= static_cast<size_t>(n)) out->tracks.resize(static_cast<size_t>(n) + 1);
      out->tracks[static_cast<size_t>(n)] += value;
    }
  }
  if (!ended) return LookupStatus::kMalformed;  // cut short
  size_t slash = discTitle.find(" / ");
  out->artist = discTitle.substr(0, slash);
  out->title = slash == std::string::npos ? discTitle : discTitle.substr(slash + 3);
  return LookupStatus::kFound;
}
