// CdAudioDevice against the virtual CD drive through the real winmm: the
// drive logs every command it receives, so each test checks both what the
// device answers and exactly what was sent.
#include "cd/cd_audio_device.h"

#include <gtest/gtest.h>

#include "cd/cd_drives.h"
#include "cd/msf.h"
#include "support/virtual_disc.h"

namespace {

std::string OpenLine(DWORD result = 0) {
  return Line("OPEN_DRIVER flags=0x%08X type=%u => %lu", unsigned(MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID),
              unsigned(MCI_DEVTYPE_CD_AUDIO), result);
}
std::string CloseLine() { return Line("CLOSE_DRIVER flags=0x%08X => 0", unsigned(MCI_WAIT)); }
std::string StatusLine(DWORD item, DWORD result = 0) {
  return Line("STATUS flags=0x%08X item=%lu => %lu", unsigned(MCI_STATUS_ITEM), item, result);
}
std::string TrackStatusLine(DWORD item, DWORD track) {
  return Line("STATUS flags=0x%08X item=%lu track=%lu => 0", unsigned(MCI_STATUS_ITEM | MCI_TRACK), item, track);
}
std::string TimeFormatLine(DWORD format) {
  return Line("SET flags=0x%08X timeformat=%lu => 0", unsigned(MCI_SET_TIME_FORMAT), format);
}
std::string PlayLine(HWND window, DWORD tmsf, DWORD result = 0) {
  return Line("PLAY flags=0x%08X callback=0x%08X from=0x%08lX => %lu", unsigned(MCI_FROM | MCI_NOTIFY),
              unsigned(reinterpret_cast<DWORD_PTR>(window)), tmsf, result);
}

using Lines = std::vector<std::string>;

// Five tracks; track 1 starts at 00:02:00, track 3 at 07:19:30, the disc lasts 15:48:00.
DiscContents FiveTracks() {
  DiscContents disc;
  disc.tracks = {"04:12:30", "03:05:00", "00:59:74", "05:00:01", "02:30:45"};
  return disc;
}

class CdAudioDeviceTest : public ::testing::Test {
 protected:
  void OpenDevice() {
    ASSERT_EQ(device.Open(), 0u);
    ASSERT_EQ(drive.TakeLog(), Lines{OpenLine()})
        << "is the virtual drive registered as cdaudio? (scripts/wine-env.sh)";
  }

  VirtualDisc drive{FiveTracks()};
  CdAudioDevice device;
};

TEST_F(CdAudioDeviceTest, OpenAndCloseSendTheirCommandOnlyOnce) {
  EXPECT_EQ(device.Close(), 0u);  // closed: nothing to send
  EXPECT_TRUE(drive.TakeLog().empty());

  OpenDevice();
  EXPECT_TRUE(device.isOpen);
  MCIDEVICEID id = device.deviceId;
  EXPECT_NE(id, 0u);

  EXPECT_EQ(device.Open(), 0u);
  EXPECT_TRUE(drive.TakeLog().empty());
  EXPECT_EQ(device.deviceId, id);

  EXPECT_EQ(device.Close(), 0u);
  EXPECT_EQ(drive.TakeLog(), Lines{CloseLine()});
  EXPECT_FALSE(device.isOpen);
  EXPECT_EQ(device.deviceId, 0u);
  EXPECT_EQ(device.Close(), 0u);
  EXPECT_TRUE(drive.TakeLog().empty());
}

TEST_F(CdAudioDeviceTest, DestructionClosesTheDevice) {
  {
    CdAudioDevice other;
    ASSERT_EQ(other.Open(), 0u);
  }
  EXPECT_EQ(drive.TakeLog(), (Lines{OpenLine(), CloseLine()}));
  OpenDevice();  // the drive is free again
}

TEST_F(CdAudioDeviceTest, StatusQueriesSendOneStatusCommandEach) {
  OpenDevice();
  DWORD mode = 0;
  int track = 0, count = 0;
  EXPECT_EQ(device.GetMode(mode), 0u);
  EXPECT_EQ(device.GetCurrentTrack(track), 0u);
  EXPECT_EQ(device.GetTrackCount(count), 0u);
  EXPECT_EQ(mode, static_cast<DWORD>(MCI_MODE_STOP));
  EXPECT_EQ(track, 1);
  EXPECT_EQ(count, 5);
  EXPECT_EQ(drive.TakeLog(), (Lines{StatusLine(MCI_STATUS_MODE), StatusLine(MCI_STATUS_CURRENT_TRACK),
                                    StatusLine(MCI_STATUS_NUMBER_OF_TRACKS)}));
}

TEST_F(CdAudioDeviceTest, PositionsAreAskedInMsfRightAfterSettingIt) {
  OpenDevice();
  DWORD start = 0, current = 0;
  EXPECT_EQ(device.GetPosition(start, 3, TRUE), 0u);
  EXPECT_EQ(device.GetPosition(current, 3, FALSE), 0u);
  EXPECT_EQ(start, MakeMsf(7, 19, 30));
  EXPECT_EQ(current, MakeMsf(0, 2, 0));
  EXPECT_EQ(drive.TakeLog(),
            (Lines{TimeFormatLine(MCI_FORMAT_MSF), TrackStatusLine(MCI_STATUS_POSITION, 3),
                   TimeFormatLine(MCI_FORMAT_MSF), StatusLine(MCI_STATUS_POSITION)}));
}

// Catches a time format sent before every query (each one a request to the
// drive), a stale one after an MSF query switched it, and a position that is
// not the track and the time within it.
TEST_F(CdAudioDeviceTest, TmsfIsSetOnceAndOnePositionGivesTrackAndTime) {
  OpenDevice();
  NotifyWindow window;
  DWORD at = 0, msf = 0;
  ASSERT_EQ(device.PlayFrom(window.hwnd(), MakeTmsf(3, 0, 30, 0)), 0u);
  ASSERT_EQ(device.GetTrackPosition(at), 0u);
  EXPECT_EQ(MakeTmsf(TmsfTrack(at), TmsfMinutes(at), TmsfSeconds(at), 0), MakeTmsf(3, 0, 30, 0)) << "0:30 into track 3";
  ASSERT_EQ(device.GetPosition(msf, 0, FALSE), 0u);
  ASSERT_EQ(device.GetTrackPosition(at), 0u);
  ASSERT_EQ(device.GetTrackPosition(at), 0u);
  EXPECT_EQ(drive.TakeLog(), (Lines{TimeFormatLine(MCI_FORMAT_TMSF), PlayLine(window.hwnd(), MakeTmsf(3, 0, 30, 0)),
                                    StatusLine(MCI_STATUS_POSITION), TimeFormatLine(MCI_FORMAT_MSF),
                                    StatusLine(MCI_STATUS_POSITION), TimeFormatLine(MCI_FORMAT_TMSF),
                                    StatusLine(MCI_STATUS_POSITION), StatusLine(MCI_STATUS_POSITION)}));
  device.Stop();
}

TEST_F(CdAudioDeviceTest, TrackLengthsHoldTheWholeDiscThenEachTrack) {
  OpenDevice();
  ASSERT_EQ(device.ReadTrackLengths(), 0u);
  ASSERT_EQ(device.trackLengths.count, 6);
  // The last track and the whole disc come one frame short, as the system's driver gives them.
  const DWORD expected[] = {MakeMsf(15, 47, 74), MakeMsf(4, 12, 30), MakeMsf(3, 5, 0),
                            MakeMsf(0, 59, 74), MakeMsf(5, 0, 1), MakeMsf(2, 30, 44)};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(*static_cast<DWORD*>(device.trackLengths.At(i)), expected[i]) << i;
  // Lengths come as MSF in the player's TMSF format too.
  Lines log{StatusLine(MCI_STATUS_NUMBER_OF_TRACKS), TimeFormatLine(MCI_FORMAT_TMSF), StatusLine(MCI_STATUS_LENGTH)};
  for (DWORD track = 1; track <= 5; ++track) log.push_back(TrackStatusLine(MCI_STATUS_LENGTH, track));
  EXPECT_EQ(drive.TakeLog(), log);

  // A disc without tracks still has its whole-disc entry.
  DiscContents empty;
  drive.Write(empty);
  ASSERT_EQ(device.ReadTrackLengths(), 0u);
  EXPECT_EQ(device.trackLengths.count, 1);
  EXPECT_EQ(*static_cast<DWORD*>(device.trackLengths.At(0)), 0u);
}

// Catches a disc read with other commands than the player always sent, a
// start that leaves out a track before it, a data track taken for audio,
// and a half-read disc handed out when the drive is not ready.
TEST_F(CdAudioDeviceTest, TheDiscIsReadOnceWithEachTracksStartLengthAndType) {
  OpenDevice();
  DiscContents contents = FiveTracks();
  contents.tracks[1] += " data";
  contents.identity = "4242";
  drive.Write(contents);
  DiscInfo disc;
  ASSERT_EQ(device.ReadDiscInfo(disc), 0u);
  EXPECT_EQ(disc.identity, 4242);
  ASSERT_EQ(disc.trackCount, 5);
  const int startSeconds[] = {0, 252, 437, 497, 797};  // whole seconds into the disc
  for (int t = 1; t <= 5; ++t) {
    EXPECT_EQ(disc.tracks[t].data, t == 2) << t;
    EXPECT_TRUE(disc.tracks[t].lengthKnown) << t;
    EXPECT_EQ(disc.tracks[t].lengthFrames, MsfToFrames(disc.tracks[t].length)) << t;
    EXPECT_EQ(disc.tracks[t].startFrames / kFramesPerSecond, startSeconds[t - 1]) << t;
  }
  EXPECT_EQ(disc.tracks[4].length, MakeMsf(5, 0, 1));
  EXPECT_EQ(disc.tracks[3].startFrames, MsfToFrames(MakeMsf(7, 17, 30)));
  Lines log{StatusLine(MCI_STATUS_NUMBER_OF_TRACKS), TimeFormatLine(MCI_FORMAT_TMSF), StatusLine(MCI_STATUS_LENGTH)};
  for (DWORD track = 1; track <= 5; ++track) log.push_back(TrackStatusLine(MCI_STATUS_LENGTH, track));
  log.push_back(StatusLine(MCI_STATUS_NUMBER_OF_TRACKS));
  log.push_back(Line("INFO flags=0x%08X retsize=17 => 0", unsigned(MCI_INFO_MEDIA_IDENTITY)));
  for (DWORD track = 1; track <= 5; ++track) log.push_back(TrackStatusLine(MCI_CDA_STATUS_TYPE_TRACK, track));
  EXPECT_EQ(drive.TakeLog(), log);

  contents.present = false;
  drive.Write(contents);
  EXPECT_EQ(device.ReadDiscInfo(disc), static_cast<MCIERROR>(MCIERR_DEVICE_NOT_READY));
  EXPECT_EQ(disc.trackCount, 5) << "a failed read leaves the disc as it was";
}

TEST_F(CdAudioDeviceTest, FailuresReturnTheErrorAndLeaveOutValuesAlone) {
  // Not open: winmm refuses before any driver sees a command.
  DWORD mode = 1234;
  EXPECT_EQ(device.GetMode(mode), static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID));
  EXPECT_EQ(mode, 1234u);

  OpenDevice();
  ASSERT_EQ(device.ReadTrackLengths(), 0u);
  DiscContents noDisc = FiveTracks();
  noDisc.present = false;
  drive.Write(noDisc);
  drive.TakeLog();

  int count = -7, track = -7, identity = -7;
  DWORD position = 0xABCD;
  EXPECT_EQ(device.GetTrackCount(count), static_cast<MCIERROR>(MCIERR_DEVICE_NOT_READY));
  EXPECT_EQ(device.GetCurrentTrack(track), static_cast<MCIERROR>(MCIERR_DEVICE_NOT_READY));
  EXPECT_EQ(device.GetPosition(position, 2, TRUE), static_cast<MCIERROR>(MCIERR_DEVICE_NOT_READY));
  EXPECT_EQ(device.GetMediaIdentity(identity), static_cast<MCIERROR>(MCIERR_DEVICE_NOT_READY));
  EXPECT_EQ(count, -7);
  EXPECT_EQ(track, -7);
  EXPECT_EQ(identity, -7);
  EXPECT_EQ(position, 0xABCDu);

  // The list is emptied first and stays empty when the count cannot be read.
  EXPECT_EQ(device.ReadTrackLengths(), static_cast<MCIERROR>(MCIERR_DEVICE_NOT_READY));
  EXPECT_EQ(device.trackLengths.count, 0);
  drive.TakeLog();
  NotifyWindow window;
  EXPECT_EQ(device.PlayFrom(window.hwnd(), MakeTmsf(1, 0, 0, 0)), static_cast<MCIERROR>(MCIERR_DEVICE_NOT_READY));
  EXPECT_EQ(drive.TakeLog(), (Lines{TimeFormatLine(MCI_FORMAT_TMSF),
                                    PlayLine(window.hwnd(), MakeTmsf(1, 0, 0, 0), MCIERR_DEVICE_NOT_READY)}));
}

TEST_F(CdAudioDeviceTest, MediaIdentityIsReadAsADecimalNumber) {
  OpenDevice();
  struct Case {
    const char* text;
    int identity;
  } cases[] = {{"255", 255}, {"no digits", 0}, {"  -42abc", -42}, {"4294967295", -1}, {"1234567890123456", 1015724736}};
  for (const Case& c : cases) {
    DiscContents disc = FiveTracks();
    disc.identity = c.text;
    drive.Write(disc);
    int identity = 77;
    EXPECT_EQ(device.GetMediaIdentity(identity), 0u) << c.text;
    EXPECT_EQ(identity, c.identity) << c.text;
  }
  std::string infoLine = Line("INFO flags=0x%08X retsize=17 => 0", unsigned(MCI_INFO_MEDIA_IDENTITY));
  EXPECT_EQ(drive.TakeLog(), Lines(5, infoLine));

  // Seventeen characters do not fit: the driver's error comes back unchanged.
  DiscContents disc = FiveTracks();
  disc.identity = "12345678901234567";
  drive.Write(disc);
  int identity = 77;
  EXPECT_EQ(device.GetMediaIdentity(identity), static_cast<MCIERROR>(MCIERR_PARAM_OVERFLOW));
  EXPECT_EQ(identity, 77);
}

TEST_F(CdAudioDeviceTest, DoorCommandsOpenAndCloseTheTray) {
  OpenDevice();
  DWORD mode = 0;
  EXPECT_EQ(device.OpenDoor(), 0u);
  EXPECT_EQ(device.GetMode(mode), 0u);
  EXPECT_EQ(mode, static_cast<DWORD>(MCI_MODE_OPEN));
  // The tray state is the drive's, so other programs see it too.
  EXPECT_NE(drive.Text().find("tray = open"), std::string::npos);

  EXPECT_EQ(device.CloseDoor(), 0u);
  EXPECT_EQ(device.GetMode(mode), 0u);
  EXPECT_EQ(mode, static_cast<DWORD>(MCI_MODE_STOP));
  EXPECT_EQ(drive.TakeLog(),
            (Lines{Line("SET flags=0x%08X => 0", unsigned(MCI_SET_DOOR_OPEN)), StatusLine(MCI_STATUS_MODE),
                   Line("SET flags=0x%08X => 0", unsigned(MCI_SET_DOOR_CLOSED)), StatusLine(MCI_STATUS_MODE)}));
}

TEST_F(CdAudioDeviceTest, EjectingAndInsertingWhileOpenChangesTheMode) {
  OpenDevice();
  DWORD mode = 0;
  DiscContents disc = FiveTracks();
  disc.present = false;
  drive.Write(disc);
  EXPECT_EQ(device.GetMode(mode), 0u);
  EXPECT_EQ(mode, static_cast<DWORD>(MCI_MODE_NOT_READY));

  disc.trayOpen = true;
  drive.Write(disc);
  EXPECT_EQ(device.GetMode(mode), 0u);
  EXPECT_EQ(mode, static_cast<DWORD>(MCI_MODE_OPEN));

  // Another disc goes in.
  DiscContents other;
  other.tracks = {"10:00:00", "20:00:00"};
  drive.Write(other);
  int count = 0;
  EXPECT_EQ(device.GetMode(mode), 0u);
  EXPECT_EQ(mode, static_cast<DWORD>(MCI_MODE_STOP));
  EXPECT_EQ(device.GetTrackCount(count), 0u);
  EXPECT_EQ(count, 2);
}

// Catches either profile's end of a play wrong: the older driver's notice
// missing, doubled or leaving the drive "playing"; today's driver sending a
// notice after all, stopping by itself, moving on past the end, drifting on
// the STOP that ends its hold, or resuming a pause.
TEST_F(CdAudioDeviceTest, PlayRunsFromTheTrackToTheEndOfTheDiscAndEndsAsEachDriverDoes) {
  DiscContents disc;
  disc.tracks = {"00:04:00", "00:04:00", "00:04:00", "00:04:00", "00:04:00"};
  drive.Write(disc);
  drive.SetSpeed(10.0);  // twelve disc seconds from track 3 take 1.2 s
  const DWORD discEnd = MakeMsf(0, 22, 0);  // 00:02:00 + five tracks of four seconds
  for (DriveProfile profile : {DriveProfile::kClassic, DriveProfile::kModern}) {
    bool classic = profile == DriveProfile::kClassic;
    SCOPED_TRACE(classic ? "classic" : "modern");
    drive.SetProfile(profile);
    drive.Write(disc);
    device.Close();
    drive.TakeLog();
    OpenDevice();
    NotifyWindow window;
    DWORD from = MakeTmsf(3, 0, 0, 0);
    ASSERT_EQ(device.PlayFrom(window.hwnd(), from), 0u);
    DWORD started = GetTickCount();
    EXPECT_EQ(drive.TakeLog(), (Lines{TimeFormatLine(MCI_FORMAT_TMSF), PlayLine(window.hwnd(), from)}));

    // Poll as the player does: the mode stays "play" across the track changes
    // and, with the older driver, turns to "stop" only at the very end.
    std::vector<int> tracksSeen;
    std::vector<DWORD> modesSeen;
    DWORD position = 0;
    bool ended = PumpUntil(5000, [&] {
      if (!window.statuses().empty()) return true;
      DWORD mode = 0;
      int track = 0;
      if (device.GetMode(mode) == 0 && device.GetCurrentTrack(track) == 0) {
        if (modesSeen.empty() || modesSeen.back() != mode) modesSeen.push_back(mode);
        if (tracksSeen.empty() || tracksSeen.back() != track) tracksSeen.push_back(track);
      }
      return !classic && device.GetPosition(position, 0, FALSE) == 0 && position == discEnd;
    });
    DWORD elapsed = GetTickCount() - started;
    ASSERT_TRUE(ended);
    ASSERT_FALSE(modesSeen.empty());
    EXPECT_EQ(modesSeen[0], static_cast<DWORD>(MCI_MODE_PLAY));
    if (modesSeen.size() > 1 || !classic) {
      EXPECT_EQ(modesSeen, classic ? (std::vector<DWORD>{MCI_MODE_PLAY, MCI_MODE_STOP})
                                   : std::vector<DWORD>{MCI_MODE_PLAY});
    }
    EXPECT_EQ(tracksSeen, (std::vector<int>{3, 4, 5}));
    EXPECT_GE(elapsed, 1000u);

    // The mode, the position and the notices so far, after 300 ms for late ones.
    auto now = [&] {
      DWORD mode = 0;
      PumpMessages(300);
      device.GetMode(mode);
      device.GetPosition(position, 0, FALSE);
      return Line("%lu %08lX %u", mode, position, static_cast<unsigned>(window.statuses().size()));
    };
    const unsigned notices = classic ? 1u : 0u;
    EXPECT_EQ(now(), Line("%d %08lX %u", classic ? MCI_MODE_STOP : MCI_MODE_PLAY, discEnd, notices)) << "held at the end";
    EXPECT_EQ(device.Stop(), 0u);
    EXPECT_EQ(now(), Line("%d %08lX %u", MCI_MODE_STOP, discEnd, notices)) << "the STOP of a held play";
    if (classic) {
      EXPECT_EQ(window.statuses()[0], static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
    }

    MCI_GENERIC_PARMS generic = {};
    EXPECT_EQ(mciSendCommandA(device.deviceId, MCI_RESUME, 0, reinterpret_cast<DWORD_PTR>(&generic)),
              classic ? 0u : static_cast<MCIERROR>(MCIERR_UNSUPPORTED_FUNCTION));
  }
}

TEST_F(CdAudioDeviceTest, ANewerPlaySupersedesAndStopAbortsTheNotice) {
  OpenDevice();
  NotifyWindow first, second;
  ASSERT_EQ(device.PlayFrom(first.hwnd(), MakeTmsf(1, 0, 0, 0)), 0u);
  ASSERT_EQ(device.PlayFrom(second.hwnd(), MakeTmsf(2, 1, 0, 0)), 0u);
  DWORD mode = 0;
  int track = 0;
  EXPECT_EQ(device.GetMode(mode), 0u);
  EXPECT_EQ(mode, static_cast<DWORD>(MCI_MODE_PLAY));
  EXPECT_EQ(device.GetCurrentTrack(track), 0u);
  EXPECT_EQ(track, 2);
  drive.TakeLog();
  EXPECT_EQ(device.Stop(), 0u);
  EXPECT_EQ(drive.TakeLog(), Lines{Line("STOP flags=0x%08X => 0", unsigned(MCI_WAIT))});
  PumpMessages(100);
  EXPECT_EQ(first.statuses(), std::vector<WPARAM>{MCI_NOTIFY_SUPERSEDED});
  EXPECT_EQ(second.statuses(), std::vector<WPARAM>{MCI_NOTIFY_ABORTED});
  EXPECT_EQ(device.GetMode(mode), 0u);
  EXPECT_EQ(mode, static_cast<DWORD>(MCI_MODE_STOP));
}

TEST_F(CdAudioDeviceTest, OpeningTheTrayCutsAPlayShort) {
  OpenDevice();
  NotifyWindow window;
  ASSERT_EQ(device.PlayFrom(window.hwnd(), MakeTmsf(4, 0, 0, 0)), 0u);
  EXPECT_EQ(device.OpenDoor(), 0u);
  PumpMessages(100);
  EXPECT_EQ(window.statuses(), std::vector<WPARAM>{MCI_NOTIFY_ABORTED});
}

std::string ProbePath() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text(path, length);
  return text.substr(0, text.find_last_of('\\') + 1) + "cd_open_probe.exe";
}

// Runs the probe program and gives back its exit code, the MCI error its Open got.
DWORD RunProbe() {
  std::string command = "\"" + ProbePath() + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    ADD_FAILURE() << "cannot start " << ProbePath();
    return 0xFFFFFFFF;
  }
  DWORD code = 0xFFFFFFFF;
  if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

TEST_F(CdAudioDeviceTest, AnotherProgramCannotOpenTheDriveWhileItIsHeld) {
  OpenDevice();
  EXPECT_EQ(RunProbe(), static_cast<DWORD>(MCIERR_MUST_USE_SHAREABLE));
  // The refusal is the drive's, and the probe's Open asked for nothing else.
  EXPECT_EQ(drive.TakeLog(), Lines{OpenLine(MCIERR_MUST_USE_SHAREABLE)});

  // A second device in this same program is refused as well (by winmm, which
  // knows the device is already open here).
  CdAudioDevice second;
  EXPECT_NE(second.Open(), 0u);
  EXPECT_FALSE(second.isOpen);
  EXPECT_EQ(second.deviceId, 0u);

  ASSERT_EQ(device.Close(), 0u);
  EXPECT_EQ(RunProbe(), 0u);
}

// The test prefix maps D: and E: as CD-ROM drives; the default drive is D:
// and holds FiveTracks, E: holds its own disc.
TEST_F(CdAudioDeviceTest, ADriveLetterOpensThatDriveAndOnlyACdRomLetterOpens) {
  ASSERT_EQ(FirstCdDrive(), 'D') << "does the prefix map CD-ROM letters? (scripts/wine-env.sh)";
  DiscContents twoTracks;
  twoTracks.tracks = {"01:00:00", "02:00:00"};
  VirtualDisc second(twoTracks, 1.0, 'E');
  int count = 0;

  ASSERT_EQ(device.Open('E'), 0u);
  EXPECT_EQ(device.GetTrackCount(count), 0u);
  EXPECT_EQ(count, 2) << "the element name did not choose the second drive";
  EXPECT_TRUE(drive.TakeLog().empty()) << "the default drive heard the second drive's commands";
  EXPECT_EQ(CdDriveInUse(device), 'E');

  // Both drives at once: each is its own drive.
  CdAudioDevice first;
  ASSERT_EQ(first.Open(), 0u);
  EXPECT_EQ(first.GetTrackCount(count), 0u);
  EXPECT_EQ(count, 5);
  EXPECT_EQ(CdDriveInUse(first), 'D') << "the default device stands for the first CD-ROM letter";
  // D: is the default drive under another name: held already.
  CdAudioDevice sameDrive;
  EXPECT_EQ(sameDrive.Open('D'), static_cast<MCIERROR>(MCIERR_MUST_USE_SHAREABLE));
  ASSERT_EQ(first.Close(), 0u);
  ASSERT_EQ(sameDrive.Open('d'), 0u) << "a small letter names the same drive";
  ASSERT_EQ(sameDrive.Close(), 0u);
  ASSERT_EQ(device.Close(), 0u);
  drive.TakeLog();

  // Not a CD-ROM drive, or no letter at all: refused as the system's driver refuses them.
  for (char letter : {'C', 'Q', '1'}) {
    EXPECT_EQ(device.Open(letter), static_cast<MCIERROR>(MCIERR_INVALID_FILE)) << letter;
    EXPECT_FALSE(device.isOpen);
  }
}

}  // namespace
