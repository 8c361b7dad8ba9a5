// Feeds generated and mutated resource texts to the parser: whatever the bytes,
// it must not crash, must stay inside its arrays, and must report 0..4.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "skin/skin_model.h"

namespace {

const char* const kWords[] = {
    "About", "BackgroundImage", "PlayButton", "RepeatButton", "SeekRegion", "FontSize",
    "VolumeControlType", "BMP", "BAR", "DARKEN", "bmp3", "#", "#OsuwariBaseLine",
    "OsuwariBaseLine", "EqualizerWindow", "EqualizerBmp", "AnalyzerWindow", "-2147483648",
    "99999999999", "0", "-1", "\x82\xa0", "\x81", "x.bmp",
};

std::string RandomLine(std::mt19937& rng) {
  std::uniform_int_distribution<int> pick(0, 9);
  std::string line;
  int tokens = pick(rng);
  for (int i = 0; i < tokens; ++i) {
    if (pick(rng) < 7) {
      line += kWords[rng() % (sizeof(kWords) / sizeof(kWords[0]))];
    } else {
      int n = static_cast<int>(rng() % 300);
      for (int k = 0; k < n; ++k) line += static_cast<char>(rng() & 0xff);
    }
    line += (pick(rng) < 8) ? " " : "\t\t";
  }
  return line;
}

std::string RandomText(std::mt19937& rng) {
  std::string text;
  int lines = static_cast<int>(rng() % 40);
  const char* const ends[] = {"\n", "\r\n", "\r", ""};
  for (int i = 0; i < lines; ++i) text += RandomLine(rng) + ends[rng() % 4];
  return text;
}

std::string Mutate(std::string text, std::mt19937& rng) {
  int edits = 1 + static_cast<int>(rng() % 8);
  for (int i = 0; i < edits && !text.empty(); ++i) {
    size_t at = rng() % text.size();
    switch (rng() % 5) {
      case 0: text[at] = static_cast<char>(rng() & 0xff); break;
      case 1: text[at] = '\0'; break;
      case 2: text.insert(at, std::string(rng() % 400, 'A' + static_cast<char>(rng() % 26))); break;
      case 3: text.resize(at); break;
      default: text.insert(at, "\r\n"); break;
    }
  }
  return text;
}

// Parses in a buffer with sentinel bytes on both sides, which must survive.
void ParseGuarded(SkinModel& model, const std::string& text) {
  const size_t guard = 64;
  std::vector<char> buffer(guard + text.size() + 1 + guard, '\x5a');
  memcpy(buffer.data() + guard, text.data(), text.size());
  model.ParseText(buffer.data() + guard, text.size());
  for (size_t i = 0; i < guard; ++i) {
    ASSERT_EQ(buffer[i], '\x5a');
    ASSERT_EQ(buffer[buffer.size() - 1 - i], '\x5a');
  }
  ASSERT_GE(model.status, ParseOk);
  ASSERT_LE(model.status, ParseLineTooLong);
  // Every text field is still terminated inside its array.
  ASSERT_LT(strnlen(model.aboutText, sizeof(model.aboutText)), sizeof(model.aboutText));
  ASSERT_LT(strnlen(model.backgroundImageFile, sizeof(model.backgroundImageFile)),
            sizeof(model.backgroundImageFile));
  for (const auto& list : model.buttons) {
    for (int j = 0; j < list.count; ++j) {
      ASSERT_LT(strnlen(list[j].toolTip, sizeof(list[j].toolTip)), sizeof(list[j].toolTip));
      ASSERT_GE(list[j].pressStyle, PressStyleNone);
      ASSERT_LE(list[j].pressStyle, PressStyleBmp3);
    }
  }
}

TEST(SkinModelRobustness, TwelveThousandGeneratedAndMutatedTexts) {
  std::mt19937 rng(20261208);
  SkinModel model;  // reused on purpose: every parse must start clean
  int failures = 0;
  for (int i = 0; i < 12000; ++i) {
    std::string text = RandomText(rng);
    if (i % 2) text = Mutate(text, rng);
    if (i % 97 == 0) text = std::string(rng() % 5000, static_cast<char>(rng() & 0xff));
    ParseGuarded(model, text);
    if (HasFatalFailure()) FAIL() << "text #" << i;
    if (model.status != ParseOk) ++failures;
  }
  // The generator makes long lines often enough that both outcomes occur.
  EXPECT_GT(failures, 100);
  EXPECT_LT(failures, 12000);
}

TEST(SkinModelRobustness, EveryTruncationOfARealisticFile) {
  const std::string text =
      "# Test skin\r\n# OsuwariBaseLine 20\r\nBackgroundImage back.bmp\r\n"
      "PlayButton 10 10 30 30 \x8d\xc4\x90\xb6 DARKEN\r\nAbout A skin\r\n"
      "EqualizerWindow 1 2 3 4 text 5 6\r\nVolumeControlType BMP\r\n";
  SkinModel model;
  for (size_t n = 0; n <= text.size(); ++n) {
    ParseGuarded(model, text.substr(0, n));
    if (HasFatalFailure()) FAIL() << "length " << n;
    EXPECT_EQ(model.status, ParseOk) << "length " << n;
  }
}

}  // namespace
