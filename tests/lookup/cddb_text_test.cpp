// gnudb's side of the lookup as text: what is sent, and what its answers hold.
#include <gtest/gtest.h>

#include "lookup/cddb_text.h"

namespace {

// Catches: an address with no local part or domain (or a space, which would
// split the hello) that still names us, a '+' of an address left to read as a
// separator, and a query made of an empty table. The query's and the path's
// form are the stand-in's to check: it answers only the disc's exact query.
TEST(CddbTextTest, TheHello) {
  EXPECT_EQ("", CddbQueryCommand(DiscToc()));
  const char* cases[][2] = {{"me@example.org", "me+example.org+ZantoPlayer+1.2"},
                            {"a+b@x.org", "a%2Bb+x.org+ZantoPlayer+1.2"},
                            {"a b@x.org", ""}, {"example.org", ""}, {"@example.org", ""}, {"me@", ""}};
  for (const auto& c : cases) EXPECT_EQ(c[1], CddbHello(c[0], "1.2")) << c[0];
}

// Catches: a code misread, a list not ended at its '.', LF-only lines, and a
// refusal of the server taken for "not found".
TEST(CddbTextTest, QueryAnswers) {
  const struct {
    const char* body;
    LookupStatus status;
    const char* matches;  // "category discid;" each
  } cases[] = {
      {"200 rock 0a0b0c03 Band / Album\r\n", LookupStatus::kFound, "rock 0a0b0c03;"},
      {"210 Found exact matches, list follows\r\nrock 0a0b0c03 A / B\r\njazz 0a0b0c03 C\r\n.\r\nx y\r\n",
       LookupStatus::kFound, "rock 0a0b0c03;jazz 0a0b0c03;"},
      {"211 Found inexact matches, list follows\nmisc 1f2e3d03 A / B\n.\n", LookupStatus::kFound, "misc 1f2e3d03;"},
      {"211 Found inexact matches, list follows\r\n.\r\n", LookupStatus::kNotFound, ""},
      {"202 No match for disc ID 0a0b0c03.\r\n", LookupStatus::kNotFound, ""},
      {"403 Database entry is corrupt.\r\n", LookupStatus::kOffline, ""},
      {"200 rock\r\n", LookupStatus::kMalformed, ""},
      {"<html>busy</html>", LookupStatus::kMalformed, ""},
  };
  for (const auto& c : cases) {
    std::vector<CddbMatch> matches;
    EXPECT_EQ(c.status, ParseCddbQuery(c.body, &matches)) << c.body;
    std::string text;
    for (const CddbMatch& m : matches) text += m.category + " " + m.discId + ";";
    EXPECT_EQ(c.matches, text) << c.body;
  }
}

// Catches: a key given over several lines not joined, the disc title's
// artist and title swapped or not split, a title with no artist left without
// one, escapes kept, and an entry cut short (no '.') or of another code taken.
TEST(CddbTextTest, ReadAnswers) {
  const std::string head = "210 rock 0a0b0c03 CD database entry follows (until terminating `.')\r\n# xmcd\r\n";
  const struct {
    std::string body;
    const char* read;  // "artist|title|date|track;track;..."; "" for kMalformed
  } cases[] = {
      {head + "DTITLE=Ba\r\nDTITLE=nd / 朝\r\nDTITLE=の歌\r\nDYEAR=1999\r\nTTITLE0=One\r\nTTITLE1=T\r\nTTITLE1=wo\r\n"
              "TTITLE2=A\\\\B\\nC\r\nEXTD=x=y\r\n.\r\n",
       "Band|朝の歌|1999|One;Two;A\\B C;"},
      {head + "DTITLE=Solo\nTTITLE2=Three\nTTITLE99=none\n.\n", "Solo|Solo||;;Three;"},
      {head + "DTITLE=Band / Album\r\nTTITLE0=One\r\n", ""},
      {"401 rock 0a0b0c03 No such CD entry.\r\n.\r\n", ""},
  };
  for (const auto& c : cases) {
    ReleaseChoice release;
    LookupStatus status = ParseCddbRead(c.body, &release);
    std::string text = release.artist + "|" + release.title + "|" + release.date + "|";
    for (const std::string& t : release.tracks) text += t + ";";
    EXPECT_EQ(c.read, status == LookupStatus::kFound ? text : "") << c.body;
  }
}

}  // namespace
