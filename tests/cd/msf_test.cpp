#include "cd/msf.h"

#include <gtest/gtest.h>
#include <mmsystem.h>

namespace {

TEST(Msf, PacksLikeTheMciMacrosAndReadsBack) {
  EXPECT_EQ(MakeMsf(12, 34, 56), static_cast<DWORD>(MCI_MAKE_MSF(12, 34, 56)));
  EXPECT_EQ(MakeTmsf(3, 12, 34, 56), static_cast<DWORD>(MCI_MAKE_TMSF(3, 12, 34, 56)));
  DWORD msf = MakeMsf(99, 59, 74);
  EXPECT_EQ(MsfMinutes(msf), 99);
  EXPECT_EQ(MsfSeconds(msf), 59);
  EXPECT_EQ(MsfFrames(msf), 74);
  EXPECT_EQ(msf >> 24, 0u);
  DWORD tmsf = MakeTmsf(99, 255, 59, 74);
  EXPECT_EQ(TmsfTrack(tmsf), 99);
  EXPECT_EQ(TmsfMinutes(tmsf), 255);
  EXPECT_EQ(TmsfSeconds(tmsf), 59);
  EXPECT_EQ(TmsfFrames(tmsf), 74);
  // A part too large for its byte must not spill into its neighbour.
  EXPECT_EQ(MakeMsf(1, 256 + 2, 3), MakeMsf(1, 2, 3));
  EXPECT_EQ(MakeTmsf(256 + 1, 0, 0, 0), MakeTmsf(1, 0, 0, 0));
}

TEST(Msf, ConvertsToAndFromFrames) {
  EXPECT_EQ(MsfToFrames(MakeMsf(0, 0, 0)), 0);
  EXPECT_EQ(MsfToFrames(MakeMsf(0, 1, 0)), 75);
  EXPECT_EQ(MsfToFrames(MakeMsf(1, 0, 0)), 4500);
  EXPECT_EQ(MsfToFrames(MakeMsf(0, 59, 74)), 4499);
  EXPECT_EQ(MsfToFrames(MakeMsf(99, 59, 74)), 99 * 4500 + 4499);
  EXPECT_EQ(FramesToMsf(4499), MakeMsf(0, 59, 74));
  EXPECT_EQ(FramesToMsf(4500), MakeMsf(1, 0, 0));
  EXPECT_EQ(FramesToMsf(99 * 4500 + 4499), MakeMsf(99, 59, 74));
  for (int frames : {0, 1, 74, 75, 4499, 4500, 123456}) EXPECT_EQ(MsfToFrames(FramesToMsf(frames)), frames);
}

TEST(MsfDifference, NegativeCountFollowsTheRule) {
  DWORD a = MakeMsf(0, 0, 74);
  DWORD b = MakeMsf(0, 1, 0);
  EXPECT_EQ(MsfDifference(a, b, kNegativeToZero), MakeMsf(0, 0, 0));
  EXPECT_EQ(MsfDifference(a, b, kNegativeToAbsolute), MakeMsf(0, 0, 1));
  EXPECT_EQ(MsfDifference(MakeMsf(0, 10, 0), MakeMsf(1, 0, 0), kNegativeToZero), MakeMsf(0, 0, 0));
  EXPECT_EQ(MsfDifference(MakeMsf(0, 10, 0), MakeMsf(1, 0, 0), kNegativeToAbsolute), MakeMsf(0, 50, 0));
}

TEST(MsfDifference, BorrowsAndCarriesAcrossParts) {
  // 1:00.00 - 0:59.74 is one frame: borrows through seconds and minutes.
  EXPECT_EQ(MsfDifference(MakeMsf(1, 0, 0), MakeMsf(0, 59, 74), kNegativeToZero), MakeMsf(0, 0, 1));
  // 2:00.00 - 0:00.01 = 1:59.74.
  EXPECT_EQ(MsfDifference(MakeMsf(2, 0, 0), MakeMsf(0, 0, 1), kNegativeToZero), MakeMsf(1, 59, 74));
  EXPECT_EQ(MsfDifference(MakeMsf(5, 30, 40), MakeMsf(5, 30, 40), kNegativeToAbsolute), MakeMsf(0, 0, 0));
  // A track starting at 3:12.50, 0:59.74 plus one frame into it: exactly one minute.
  EXPECT_EQ(MsfDifference(MakeMsf(4, 12, 50), MakeMsf(3, 12, 50), kNegativeToZero), MakeMsf(1, 0, 0));
}

TEST(MsfDifference, CoversAWholeNinetyNineMinuteDisc) {
  DWORD end = MakeMsf(99, 59, 74);
  DWORD start = MakeMsf(0, 2, 0);
  EXPECT_EQ(MsfDifference(end, start, kNegativeToZero), MakeMsf(99, 57, 74));
  EXPECT_EQ(MsfDifference(start, end, kNegativeToAbsolute), MakeMsf(99, 57, 74));
  EXPECT_EQ(MsfDifference(end, MakeMsf(0, 0, 0), kNegativeToZero), end);
}

// Catches a place packed with its seconds or frames in the wrong byte, or
// frames past a minute lost on the way back.
TEST(Msf, APlaceOnTheDiscGoesToTmsfAndBack) {
  const TrackPosition places[] = {{1, 0}, {3, 74}, {12, 75 * 60 + 1}, {99, 75 * 60 * 99 + 75 * 59 + 74}};
  for (const TrackPosition& at : places) {
    DWORD tmsf = ToTmsf(at);
    EXPECT_EQ(TmsfTrack(tmsf), at.track);
    TrackPosition back = FromTmsf(tmsf);
    EXPECT_EQ(back.track, at.track);
    EXPECT_EQ(back.frames, at.frames) << at.track;
  }
  EXPECT_EQ(ToTmsf({2, 75 * 61 + 3}), MakeTmsf(2, 1, 1, 3));
}

}  // namespace
