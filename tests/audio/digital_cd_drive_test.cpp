#include "audio/digital_cd_drive.h"

#include <audioclient.h>
#include <algorithm>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "audio/silent_output.h"
#include "cd/msf.h"
#include "cd/toc_disc_info.h"
#include "common/handles.h"
#include "support/recording.h"
#include "support/test_support.h"
#include "support/tone_source.h"

namespace {

// Two audio tracks (2 s and 0.8 s) and a data track that must never be heard.
const std::vector<ToneTrack> kDisc = {{150}, {60}, {30, true}};
constexpr int kAudioEndLba = 210;
constexpr int kIdentity = 0x1234;

// What a listener would hear: the frames the clock counted as played, so a
// halt drops what was written but not yet heard. Runs on the silent clock.
class RecordingOutput final : public AudioOutput {
 public:
  RecordingOutput(std::vector<uint32_t>* heard, uint64_t loseAfter) : heard_(heard), loseAfter_(loseAfter) {
    segment_ = heard_->size();
  }
  HANDLE WakeEvent() const override { return nullptr; }
  bool Audible() const override { return true; }
  HRESULT Room(uint32_t* frames) override { return clock_.Room(frames); }
  HRESULT Write(const uint32_t* frames, uint32_t count) override {
    // The device goes away mid-play; its clock still says what it played.
    if (written_ + count > loseAfter_) return AUDCLNT_E_DEVICE_INVALIDATED;
    heard_->insert(heard_->end(), frames, frames + count);
    written_ += count;
    return clock_.Write(frames, count);
  }
  HRESULT Start() override { return clock_.Start(); }
  HRESULT Pause() override { return clock_.Pause(); }
  HRESULT Halt(uint64_t* played) override {
    clock_.Halt(played);
    heard_->resize(segment_ + std::min<uint64_t>(*played, heard_->size() - segment_));
    segment_ = heard_->size();
    return S_OK;
  }
  HRESULT Played(uint64_t* frames) override { return clock_.Played(frames); }
  void SetVolume(float level, bool mute) override {
    level_ = level;
    mute_ = mute;
  }

  DWORD TailMs() override { return 0; }

  float level_ = -1;
  bool mute_ = false;

 private:
  SilentOutput clock_;
  std::vector<uint32_t>* heard_;
  uint64_t loseAfter_;
  uint64_t written_ = 0;
  size_t segment_;
};

class RecordingOpener final : public AudioOutputOpener {
 public:
  std::unique_ptr<AudioOutput> OpenOutput(IMMDeviceEnumerator*) override {
    // Only the first output is lost.
    latest_ = new RecordingOutput(&heard_, opened_++ == 0 ? loseFirstAfter_ : UINT64_MAX);
    return std::unique_ptr<AudioOutput>(latest_);
  }
  std::vector<uint32_t> heard_;
  uint64_t loseFirstAfter_ = UINT64_MAX;
  int opened_ = 0;
  RecordingOutput* latest_ = nullptr;
};

class EndCounter final : public PlayEndListener {
 public:
  void OnPlayEnded() override { ++ends; }
  int ends = 0;
};

// A drive over the tone disc with the player's side of it: a window for its
// messages and a listener for the ends of plays.
struct Session {
  explicit Session(AudioOutputOpener* opener, const std::vector<ToneTrack>& disc = kDisc)
      : window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)),
        drive(std::unique_ptr<SectorSource>(new ToneSectorSource(disc, 0, &quietLog)), kIdentity, 0, opener) {}

  // Hands the drive its messages and refreshes it, as the player's poll
  // does, until `done` holds of a reading; false after 10 s.
  bool RefreshUntil(const std::function<bool(const DriveReading&)>& done) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(5)) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == kDigitalPlayEndMessage) ++endMessages;
        if (!drive.OnWindowMessage(msg.message, msg.wParam, msg.lParam)) DispatchMessageA(&msg);
      }
      DriveReading reading = drive.Refresh();
      if (reading.positionKnown) positions.push_back(reading.position);
      if (done(reading)) return true;
    }
    return false;
  }
  // Until the drive has told `ends` ends and its messages for them came.
  bool EndsTold(int ends) {
    return RefreshUntil([&](const DriveReading&) { return listener.ends >= ends && endMessages >= ends; });
  }

  std::vector<bool> quietLog;  // before the drive, which reads into it
  unique_hwnd window;
  EndCounter listener;
  DigitalCdDrive drive;
  int endMessages = 0;
  std::vector<DWORD> positions;
};

size_t FirstDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return i;
}

// Catches a resume that loses or repeats samples, a gap or overlap at the
// track boundary, a play that runs into the data track, a lost device that
// does not go on where it was (or forgets the volume), positions that jump
// back, an end told twice or not at all, and a drive never slowed down
// once its ring is full, or not sped up again after a seek.
TEST(DigitalCdDrive, PlaysAcrossAPauseATrackBoundaryAndALostDeviceSampleExact) {
  RecordingOpener opener;
  opener.loseFirstAfter_ = 150 * kSamplesPerSector;  // near track 1's end
  Session s(&opener);
  ASSERT_EQ(s.drive.Open(0, s.window.get(), &s.listener), DriveOpenResult::kOpened);
  s.drive.SetVolume(51);
  s.drive.SetMute(true);
  EXPECT_FLOAT_EQ(opener.latest_->level_, 0.2f);
  EXPECT_TRUE(opener.latest_->mute_);

  ASSERT_TRUE(s.drive.Play(MakeTmsf(1, 0, 0, 0), 0));
  ASSERT_TRUE(s.RefreshUntil([](const DriveReading& r) { return r.positionKnown && TmsfToFrames(r.position) >= 40; }));
  // Pausing as the player does: where it is, then a stop.
  DWORD at = 0;
  ASSERT_TRUE(s.drive.ReadPosition(&at));
  ASSERT_TRUE(s.drive.Stop());
  DriveMode mode = DriveMode::kUnknown;
  ASSERT_TRUE(s.drive.ReadMode(&mode));
  EXPECT_EQ(mode, DriveMode::kStopped);
  EXPECT_EQ(s.listener.ends, 0);

  s.positions.clear();
  ASSERT_TRUE(s.drive.Play(at, 0));
  ASSERT_TRUE(s.EndsTold(1));
  EXPECT_EQ(opener.opened_, 2);
  EXPECT_FLOAT_EQ(opener.latest_->level_, 0.2f);
  EXPECT_TRUE(opener.latest_->mute_);
  const DiscInfo disc = DiscInfoFromToc(ToneSectorSource(kDisc).toc(), kIdentity);
  int lastFrames = -1;
  for (DWORD p : s.positions) {
    int frames = DiscFrames(disc, FromTmsf(p));
    EXPECT_GE(frames, lastFrames) << "position went back";
    lastFrames = frames;
  }
  ASSERT_FALSE(s.positions.empty());
  EXPECT_EQ(TmsfTrack(s.positions.front()), 1);
  EXPECT_EQ(TmsfTrack(s.positions.back()), 2);

  s.drive.Close();  // the render thread is done with the recording
  std::vector<uint32_t> expected = ToneSectorSource(kDisc).Frames(0, kAudioEndLba);
  EXPECT_EQ(opener.heard_.size(), expected.size());
  EXPECT_EQ(FirstDifference(opener.heard_, expected), expected.size());
  // Quiet while idle; each play fills fast, then reads quietly.
  EXPECT_EQ(s.quietLog, (std::vector<bool>{true, false, true, false, true}));
}

// Catches an end reported for a play replaced or stopped before it, an end
// at the wrong place, and a poll not told when the end is due.
TEST(DigitalCdDrive, TellsTheEndOfEachPlayOnceAndOfNoOtherPlay) {
  RecordingOpener opener;
  Session s(&opener);
  ASSERT_EQ(s.drive.Open(0, s.window.get(), &s.listener), DriveOpenResult::kOpened);
  ASSERT_TRUE(s.drive.Play(MakeTmsf(2, 0, 0, 0), MakeTmsf(2, 0, 0, 30)));
  ASSERT_TRUE(s.drive.Play(MakeTmsf(1, 0, 0, 0), MakeTmsf(1, 0, 0, 15)));  // replaces it
  ASSERT_TRUE(s.EndsTold(1));
  DWORD at = 0;
  ASSERT_TRUE(s.drive.ReadPosition(&at));
  EXPECT_EQ(at, MakeTmsf(1, 0, 0, 15));
  EXPECT_EQ(s.drive.MsUntilPlayEnd(), INFINITE);

  ASSERT_TRUE(s.drive.Play(MakeTmsf(1, 0, 0, 0), MakeTmsf(1, 0, 0, 15)));
  ASSERT_TRUE(s.drive.Stop());
  ASSERT_TRUE(s.drive.Play(MakeTmsf(2, 0, 0, 0), MakeTmsf(2, 0, 0, 10)));
  DWORD due = s.drive.MsUntilPlayEnd();
  EXPECT_GT(due, 0u);
  EXPECT_LE(due, 134u);
  // Messages come in order: one for the stopped play would come first.
  ASSERT_TRUE(s.EndsTold(2));
  EXPECT_EQ(s.listener.ends, 2);
  EXPECT_EQ(s.endMessages, 2);
}

// Catches plays the drive should refuse (a data track, a track it does not
// have, a range that ends before it starts, an open tray, no disc) and a
// disc read with the wrong lengths or types.
TEST(DigitalCdDrive, ReadsTheDiscAndRefusesWhatADriveWould) {
  RecordingOpener opener;
  Session s(&opener);
  ASSERT_EQ(s.drive.Open(0, s.window.get(), &s.listener), DriveOpenResult::kOpened);
  DiscInfo disc;
  ASSERT_TRUE(s.drive.ReadDiscInfo(&disc));
  EXPECT_EQ(disc.identity, kIdentity);
  EXPECT_EQ(disc.trackCount, 3);
  EXPECT_EQ(disc.tracks[2].startFrames, 150);
  EXPECT_EQ(disc.tracks[2].length, MakeMsf(0, 0, 60));
  EXPECT_TRUE(disc.tracks[3].data);
  EXPECT_FALSE(disc.tracks[2].data);

  EXPECT_FALSE(s.drive.Play(MakeTmsf(3, 0, 0, 0), 0));
  EXPECT_FALSE(s.drive.Play(MakeTmsf(4, 0, 0, 0), 0));
  EXPECT_FALSE(s.drive.Play(MakeTmsf(1, 0, 0, 10), MakeTmsf(1, 0, 0, 5)));
  ASSERT_TRUE(s.drive.OpenDoor());
  DriveMode mode = DriveMode::kUnknown;
  ASSERT_TRUE(s.drive.ReadMode(&mode));
  EXPECT_EQ(mode, DriveMode::kOpen);
  EXPECT_FALSE(s.drive.Play(MakeTmsf(1, 0, 0, 0), 0));
  ASSERT_TRUE(s.drive.CloseDoor());
  ASSERT_TRUE(s.drive.ReadMode(&mode));
  EXPECT_EQ(mode, DriveMode::kStopped);

  Session empty(&opener, {});
  ASSERT_EQ(empty.drive.Open(0, empty.window.get(), &empty.listener), DriveOpenResult::kOpened);
  ASSERT_TRUE(empty.drive.ReadMode(&mode));
  EXPECT_EQ(mode, DriveMode::kNotReady);
  EXPECT_FALSE(empty.drive.ReadDiscInfo(&disc));
  EXPECT_FALSE(empty.drive.Play(MakeTmsf(1, 0, 0, 0), 0));
}

// Catches de-emphasis applied to a track without the flag, missing on one
// with it, or left on when it is turned off.
TEST(DigitalCdDrive, DeemphasisesOnlyTheTracksRecordedWithPreEmphasis) {
  const std::vector<ToneTrack> disc = {{30}, {30, false, true}};
  const ToneSectorSource tones(disc);
  RecordingOpener opener;
  Session s(&opener, disc);
  ASSERT_EQ(s.drive.Open(0, s.window.get(), &s.listener), DriveOpenResult::kOpened);
  ASSERT_TRUE(s.drive.Play(MakeTmsf(1, 0, 0, 0), 0));
  ASSERT_TRUE(s.EndsTold(1));
  s.drive.SetDeemphasis(false);
  ASSERT_TRUE(s.drive.Play(MakeTmsf(2, 0, 0, 0), 0));
  ASSERT_TRUE(s.EndsTold(2));
  s.drive.Close();

  const size_t track = 30 * kSamplesPerSector;
  ASSERT_EQ(opener.heard_.size(), 3 * track);
  const std::vector<uint32_t> one = tones.Frames(0, 30), two = tones.Frames(30, 60);
  EXPECT_TRUE(std::equal(one.begin(), one.end(), opener.heard_.begin()));
  int peak = 0;
  for (size_t i = track + 100; i < 2 * track; ++i) {
    peak = std::max(peak, std::abs(static_cast<int16_t>(opener.heard_[i] & 0xFFFF)));
  }
  // 882 Hz loses about 0.3 dB.
  EXPECT_LT(peak, 7900);
  EXPECT_GT(peak, 7500);
  EXPECT_TRUE(std::equal(two.begin(), two.end(), opener.heard_.begin() + 2 * track));
}

// An output with an event that never comes: WASAPI's signals nothing before
// it starts, and a device may go quiet. Catches a render thread that leaves
// its pacing to the event alone and so never starts a play or never ends it.
class QuietEventOpener final : public AudioOutputOpener {
 public:
  class Output final : public AudioOutput {
   public:
    HANDLE WakeEvent() const override { return never_.get(); }
    bool Audible() const override { return true; }
    HRESULT Room(uint32_t* frames) override { return clock_.Room(frames); }
    HRESULT Write(const uint32_t* frames, uint32_t count) override { return clock_.Write(frames, count); }
    HRESULT Start() override { return clock_.Start(); }
    HRESULT Pause() override { return clock_.Pause(); }
    HRESULT Halt(uint64_t* played) override { return clock_.Halt(played); }
    HRESULT Played(uint64_t* frames) override { return clock_.Played(frames); }
    void SetVolume(float, bool) override {}
    DWORD TailMs() override { return 0; }

   private:
    SilentOutput clock_;
    unique_handle never_{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  };
  std::unique_ptr<AudioOutput> OpenOutput(IMMDeviceEnumerator*) override {
    return std::unique_ptr<AudioOutput>(new Output);
  }
};

// Whatever this PC has (here usually no sound server: the silent clock),
// and on the quiet output, a play across a track boundary runs on the clock
// and ends where it should. Catches an output choice that leaves the drive
// with no clock at all.
TEST(DigitalCdDrive, PlaysToTheEndOnTheSystemsOutputAndOnOneWhoseEventNeverComes) {
  QuietEventOpener quiet;
  for (AudioOutputOpener* opener : {static_cast<AudioOutputOpener*>(nullptr), static_cast<AudioOutputOpener*>(&quiet)}) {
    Session s(opener);
    ASSERT_EQ(s.drive.Open(0, s.window.get(), &s.listener), DriveOpenResult::kOpened);
    ASSERT_TRUE(s.drive.Play(MakeTmsf(1, 0, 1, 70), MakeTmsf(2, 0, 0, 20)));
    ASSERT_TRUE(s.EndsTold(1));
    DWORD at = 0;
    ASSERT_TRUE(s.drive.ReadPosition(&at));
    EXPECT_EQ(at, MakeTmsf(2, 0, 0, 20));
    if (!opener) printf("output: %s\n", s.drive.HasOutput() ? "a sound device" : "the silent clock");
  }
}

// Catches lengths counted from the wrong track and a first track that does
// not start at LBA 0 (a hidden pregap) shifting every start.
TEST(DiscInfoFromToc, CountsFromTrackOneAndEndsTheLastAtTheLeadOut) {
  DiscToc toc;
  toc.firstTrack = 1;
  toc.lastTrack = 2;
  toc.tracks[1].startLba = 32;
  toc.tracks[2].startLba = 32 + 4500;
  toc.tracks[2].preEmphasis = true;
  toc.leadOutLba = 32 + 4500 + 75;
  DiscInfo disc = DiscInfoFromToc(toc, 7);
  EXPECT_EQ(disc.trackCount, 2);
  EXPECT_EQ(disc.tracks[1].startFrames, 0);
  EXPECT_EQ(disc.tracks[1].length, MakeMsf(1, 0, 0));
  EXPECT_EQ(disc.tracks[2].startFrames, 4500);
  EXPECT_EQ(disc.tracks[2].lengthFrames, 75);
  EXPECT_TRUE(disc.tracks[2].lengthKnown);
  EXPECT_EQ(TocTrackAt(toc, 32 + 4499), 1);
  EXPECT_EQ(TocTrackAt(toc, 32 + 4500), 2);
  EXPECT_EQ(DiscInfoFromToc(DiscToc(), 7).trackCount, 0);
}

int Peak(const std::vector<uint32_t>& frames, size_t from, size_t count) {
  int peak = 0;
  for (size_t i = from; i < from + count && i < frames.size(); ++i) {
    peak = std::max(peak, std::abs(static_cast<int16_t>(frames[i] & 0xFFFF)));
  }
  return peak;
}

// Through the system's own audio into a recorded null sink (run by
// sound_session.sh). Catches, on the real output, a pause that loses or
// repeats samples, a gap at the track boundary, a seek that lands off its
// sample, a conversion that alters samples, and volume or mute that do not
// act on the stream.
TEST(SoundSession, RecordsEveryFrameInOrderWithVolumeAndMute) {
  const char* recording = getenv("ZANTO_RECORDING");
  if (!recording) {
    const char* why = getenv("ZANTO_SOUND_SKIP");
    GTEST_SKIP() << (why ? why : "runs in audio_sound_session, which starts a sound server");
  }
  Session s(nullptr);
  ASSERT_EQ(s.drive.Open(0, s.window.get(), &s.listener), DriveOpenResult::kOpened);
  ASSERT_TRUE(s.drive.HasOutput());
  ASSERT_TRUE(s.drive.Play(MakeTmsf(1, 0, 0, 0), 0));
  ASSERT_TRUE(s.RefreshUntil([](const DriveReading& r) { return r.positionKnown && TmsfToFrames(r.position) >= 40; }));
  DWORD at = 0;
  ASSERT_TRUE(s.drive.ReadPosition(&at));
  ASSERT_TRUE(s.drive.Stop());
  ASSERT_TRUE(s.drive.Play(at, 0));
  ASSERT_TRUE(s.EndsTold(1));
  s.drive.SetVolume(128);
  ASSERT_TRUE(s.drive.Play(MakeTmsf(2, 0, 0, 0), MakeTmsf(2, 0, 0, 15)));
  ASSERT_TRUE(s.EndsTold(2));
  s.drive.SetVolume(255);
  s.drive.SetMute(true);
  ASSERT_TRUE(s.drive.Play(MakeTmsf(1, 0, 0, 0), MakeTmsf(1, 0, 0, 15)));
  ASSERT_TRUE(s.EndsTold(3));
  s.drive.SetMute(false);
  ASSERT_TRUE(s.drive.Play(MakeTmsf(2, 0, 0, 30), MakeTmsf(2, 0, 0, 38)));  // a seek
  ASSERT_TRUE(s.EndsTold(4));

  const ToneSectorSource disc(kDisc);
  const std::vector<uint32_t> whole = disc.Frames(0, kAudioEndLba);
  const std::vector<uint32_t> seek = disc.Frames(180, 188);
  const size_t halfCount = 15 * kSamplesPerSector;
  const size_t total = whole.size() + halfCount + seek.size();
  HeardSound sound;
  // The recording lags the clock by the server's latency.
  for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(20)) {
    sound = Heard(RecordedFrames(recording));
    if (sound.frames.size() >= total) break;
  }
  printf("runs of inserted silence: %d\n", sound.silentRuns);
  const std::vector<uint32_t>& heard = sound.frames;
  ASSERT_EQ(heard.size(), total);
  EXPECT_EQ(FirstDifference(std::vector<uint32_t>(heard.begin(), heard.begin() + whole.size()), whole), whole.size());
  int half = Peak(heard, whole.size(), halfCount);
  EXPECT_GT(half, 8000 * 3 / 10);
  EXPECT_LT(half, 8000 * 7 / 10);
  EXPECT_EQ(FirstDifference(std::vector<uint32_t>(heard.end() - seek.size(), heard.end()), seek), seek.size());
}

}  // namespace
