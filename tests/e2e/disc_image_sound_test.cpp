// The real program playing disc images through the system's audio into a
// recorded null sink (run by disc_image_sound_session.sh).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/disc_image.h"
#include "support/recording.h"
#include "support/test_support.h"
#include "support/tone_source.h"
#include "support/virtual_disc.h"
#include "e2e/program_driver.h"

namespace {

constexpr int kTrackSectors = 150;  // two seconds

// One track per frequency, gapless, in one BIN; its frames as played.
std::string WriteToneImage(const std::string& folder, const std::vector<double>& hertz,
                           std::vector<uint32_t>* frames) {
  std::string bin;
  std::string sheet = "FILE \"tones.bin\" BINARY\r\n";
  for (size_t t = 0; t < hertz.size(); ++t) {
    int start = static_cast<int>(t) * kTrackSectors;
    sheet += Line("  TRACK %02d AUDIO\r\n    INDEX 01 %02d:%02d:%02d\r\n", static_cast<int>(t + 1), start / 4500,
                  start / 75 % 60, start % 75);
    for (uint64_t i = 0; i < static_cast<uint64_t>(kTrackSectors) * kSamplesPerSector; ++i) {
      uint32_t frame = ToneAt(hertz[t], static_cast<double>(t + 1), i);
      frames->push_back(frame);
      bin.append(reinterpret_cast<const char*>(&frame), sizeof(frame));
    }
  }
  return WriteDiscImage(folder, sheet, {{"tones.bin", bin}});
}

// How many of `expected` the recording holds exactly and in order; a frame
// lost or altered costs itself, and the walk finds its place again after it.
size_t ExactInOrder(const std::vector<uint32_t>& heard, const std::vector<uint32_t>& expected) {
  constexpr size_t kResyncWindow = 4096;
  size_t matched = 0;
  size_t next = 0;
  for (uint32_t frame : heard) {
    for (size_t j = next; j < expected.size() && j < next + kResyncWindow; ++j) {
      if (expected[j] == frame) {
        ++matched;
        next = j + 1;
        break;
      }
    }
  }
  return matched;
}

// What was heard since frame `from` of the recording, all-zero frames left out.
std::vector<uint32_t> HeardSince(const char* recording, size_t from, int* silentRuns) {
  std::vector<uint32_t> recorded = RecordedFrames(recording);
  if (from > recorded.size()) from = recorded.size();
  HeardSound heard = Heard(std::vector<uint32_t>(recorded.begin() + static_cast<std::ptrdiff_t>(from), recorded.end()));
  *silentRuns = heard.silentRuns;
  return heard.frames;
}

// Until as many frames as the image holds have been heard (the tones
// repeat, so no one frame marks the end); false when fewer ever came.
bool WaitForHeard(const char* recording, size_t from, const std::vector<uint32_t>& expected, DWORD ms) {
  return WaitFor(ms, [&] {
    int runs = 0;
    return HeardSince(recording, from, &runs).size() >= expected.size();
  });
}

// Catches an image named on the command line that does not play at once,
// tones out of order or altered on their way to the output, a second start
// that does not hand its image over, and a mute that lets the stream be
// heard or stops the image's clock with it.
TEST(ImageSoundSession, CommandLineImagesPlayAtOnceHandOverAndMuteOnlySilences) {
  const char* recording = getenv("ZANTO_RECORDING");
  if (!recording) {
    const char* why = getenv("ZANTO_SOUND_SKIP");
    GTEST_SKIP() << (why ? why : "runs in disc_image_sound_session, which starts a sound server");
  }
  ScratchFolder folder;
  DiscContents empty;
  empty.present = false;
  VirtualDisc drive(empty);  // a PC's own drive, with no disc in it
  std::vector<uint32_t> two;
  std::string twoSheet = WriteToneImage(folder.path(), {1000, 2000}, &two);
  ScratchFolder otherFolder;
  std::vector<uint32_t> three;
  std::string threeSheet = WriteToneImage(otherFolder.path(), {3000}, &three);

  WriteSkin(folder, "ZantoPlay1", 70, 50);
  ProgramDriver program(folder.path());
  size_t from = RecordedFrames(recording).size();
  ASSERT_TRUE(program.Start("\"" + twoSheet + "\""));
  HWND window = program.WaitForWindow("LuloWnd", 15000);
  DWORD exitCode = 1;
  ASSERT_NE(window, nullptr) << program.AnswerMessageBox(&exitCode);
  EXPECT_TRUE(WaitForHeard(recording, from, two, 15000)) << "frames of the image were never heard";
  int silentRuns = 0;
  std::vector<uint32_t> heard = HeardSince(recording, from, &silentRuns);
  printf("runs of inserted silence: %d\n", silentRuns);
  EXPECT_GE(ExactInOrder(heard, two) * 10, two.size() * 9) << "under 90 % of the frames sample-exact";
  EXPECT_EQ(ExactInOrder(heard, two), heard.size()) << "a frame the image does not hold was heard";

  // A second start of the same program hands its image over and ends.
  from = RecordedFrames(recording).size();
  ProgramDriver second(folder.path());
  ASSERT_TRUE(second.Start("\"" + threeSheet + "\""));
  ASSERT_TRUE(second.WaitForExit(10000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_TRUE(WaitForHeard(recording, from, three, 15000)) << "the handed-over image was not heard whole";
  heard = HeardSince(recording, from, &silentRuns);
  EXPECT_GE(ExactInOrder(heard, three) * 10, three.size() * 9);
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(10000, &exitCode));

  // Muted: the time runs on in the title, and nothing is heard.
  ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay.ini"), "[General]\r\nMute=1\r\n"));
  from = RecordedFrames(recording).size();
  ProgramDriver muted(folder.path());
  ASSERT_TRUE(muted.Start("\"" + twoSheet + "\""));
  window = muted.WaitForWindow("LuloWnd", 15000);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitForTitle(window, "[02] 00:01", 10000, true)) << WindowText(window);
  heard = HeardSince(recording, from, &silentRuns);
  EXPECT_EQ(heard.size(), 0u) << "a muted image was heard";
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(muted.WaitForExit(10000, &exitCode));
}

}  // namespace
