// The start-up failure message for every combination of skin, parser and
// picture status, and the warning for a skin that is hard to use.
#include "app/messages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/application.h"
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "skin/skin_model.h"
#include "window/skin_status.h"

namespace {

class SkinFailureMessage : public ::testing::Test {
 protected:
  void SetUp() override { appInstance = GetModuleHandleA(nullptr); }

  static std::string Text(UINT id) {
    char text[512];
    LoadText(GetModuleHandleA(nullptr), id, text);
    return text;
  }

  static std::string Compose(int skinStatus, int parseStatus, int line = 0,
                             ImageStatus picture = ImageOk, PictureSize size = {},
                             bool defaultUsed = false) {
    SkinFailure failure;
    failure.skinStatus = skinStatus;
    failure.parseStatus = parseStatus;
    failure.lineNumber = line;
    failure.errorText = "BackgroundImage ( C:\\skins\\b.bmp )";
    failure.pictureStatus = picture;
    failure.refusedSize = size;
    char out[kComposedMessageSize];
    memset(out, 'q', sizeof(out));
    ComposeSkinFailure(failure, "C:\\skins\\a.rc", defaultUsed, out, sizeof(out));
    return out;
  }
};

const char kPicture[] = "\nBackgroundImage ( C:\\skins\\b.bmp )";
const char kResource[] = "\nC:\\skins\\a.rc";

TEST_F(SkinFailureMessage, ResourceFileFailuresNameTheFile) {
  EXPECT_EQ(Compose(SkinResourceFailed, ParseOutOfMemory), Text(IDS_NO_MEMORY));
  EXPECT_EQ(Compose(SkinResourceFailed, ParseCannotOpen), Text(IDS_RESOURCE_OPEN_FAILED) + kResource);
  EXPECT_EQ(Compose(SkinResourceFailed, ParseReadFailed), Text(IDS_RESOURCE_READ_FAILED) + kResource);
  EXPECT_EQ(Compose(SkinResourceFailed, ParseOk), Text(IDS_RESOURCE_READ_FAILED) + kResource);
  // Refused unread: the second line says why, with the limit.
  std::string tooLarge = Text(IDS_REASON_FILE_TOO_LARGE);
  tooLarge.replace(tooLarge.find("%d"), 2, "4");
  EXPECT_EQ(Compose(SkinResourceFailed, ParseTooLarge),
            Text(IDS_RESOURCE_READ_FAILED) + "\n" + tooLarge + kResource);
}

TEST_F(SkinFailureMessage, LineTooLongCarriesTheLineNumber) {
  std::string message = Compose(SkinResourceFailed, ParseLineTooLong, 17);
  std::string format = Text(IDS_RESOURCE_LINE_TOO_LONG);
  size_t at = format.find("%d");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(message, format.substr(0, at) + "17" + format.substr(at + 2) + kResource);
}

// Faults caught: a reason missing or another status's, the too-large line
// without its size or naming the wrong limit (a side of 16385 broke the side
// limit, 8192 x 8192 the 64 MB one), the picture's name dropped.
TEST_F(SkinFailureMessage, ImageFailureSaysWhyAndNamesThePicture) {
  const struct {
    ImageStatus status;
    UINT reason;
  } reasons[] = {
      {ImageCannotOpen, IDS_REASON_CANNOT_OPEN}, {ImageReadFailed, IDS_REASON_READ_FAILED},
      {ImageBadData, IDS_REASON_BROKEN},         {ImageOutOfMemory, IDS_NO_MEMORY},
      {ImageUnknownFormat, IDS_REASON_NO_PLUGIN}, {ImagePluginFailed, IDS_REASON_PLUGIN_FAILED},
  };
  for (const auto& r : reasons) {
    EXPECT_EQ(Compose(SkinImageFailed, ParseOk, 0, r.status),
              Text(IDS_IMAGE_FAILED) + "\n" + Text(r.reason) + kPicture) << r.status;
  }
  char side[256], bytes[256];
  FormatText(side, sizeof(side), Text(IDS_REASON_SIDE_TOO_LONG).c_str(), 16385, 1, 16384);
  FormatText(bytes, sizeof(bytes), Text(IDS_REASON_TOO_MANY_BYTES).c_str(), 8192, 8192, 64);
  EXPECT_EQ(Compose(SkinImageFailed, ParseOk, 0, ImageTooLarge, {16385, 1}),
            Text(IDS_IMAGE_FAILED) + "\n" + side + kPicture);
  EXPECT_EQ(Compose(SkinImageFailed, ParseOk, 0, ImageTooLarge, {8192, 8192}),
            Text(IDS_IMAGE_FAILED) + "\n" + bytes + kPicture);
  // An empty shape has its own message, which says why itself.
  EXPECT_EQ(Compose(SkinEmptyShape, ParseOk), Text(IDS_SKIN_NO_SHAPE) + kPicture);
}

TEST_F(SkinFailureMessage, EveryOtherStatusIsAWindowFailure) {
  for (int status : {SkinOk, SkinRegionFailed, SkinSetRegionFailed, SkinWindowFailed,
                     SkinTooltipFailed, SkinBackBufferFailed, SkinWorkImageFailed}) {
    for (int parse = ParseOk; parse <= ParseLineTooLong; ++parse) {
      EXPECT_EQ(Compose(status, parse), Text(IDS_WINDOW_FAILED)) << status << "/" << parse;
    }
  }
}

// Faults caught: a write past the buffer, and the default-skin line lost
// behind a long path (it is the line that tells the user what happens next).
TEST_F(SkinFailureMessage, LongPathsAreCutInsideTheBufferAndTheDefaultLineStays) {
  std::string path(1000, 'p');
  char out[kComposedMessageSize + 8];
  for (bool defaultUsed : {false, true}) {
    memset(out, 'z', sizeof(out));
    SkinFailure failure;
    failure.skinStatus = SkinResourceFailed;
    failure.parseStatus = ParseCannotOpen;
    ComposeSkinFailure(failure, path.c_str(), defaultUsed, out, kComposedMessageSize);
    EXPECT_EQ(strlen(out), kComposedMessageSize - 1);
    for (size_t i = kComposedMessageSize; i < sizeof(out); ++i) EXPECT_EQ(out[i], 'z');
    const std::string tail = "\n" + Text(IDS_DEFAULT_SKIN_USED);
    EXPECT_EQ(std::string(out).rfind(tail) == strlen(out) - tail.size(), defaultUsed);
  }
  EXPECT_EQ(Compose(SkinImageFailed, ParseOk, 0, ImageCannotOpen, {}, true),
            Text(IDS_IMAGE_FAILED) + "\n" + Text(IDS_REASON_CANNOT_OPEN) + kPicture + "\n" +
                Text(IDS_DEFAULT_SKIN_USED));
}

// Faults caught: a warning for a skin that fits, the sizes or the limit left
// out or swapped.
TEST_F(SkinFailureMessage, FitWarningsGiveTheSizesAndTheFile) {
  char out[kComposedMessageSize], expected[kComposedMessageSize];
  ComposeSkinFitWarning(BackgroundFits, 380, 124, {1280, 994}, "C:\\a.rc", out, sizeof(out));
  EXPECT_STREQ(out, "");
  ComposeSkinFitWarning(BackgroundTooSmall, 16384, 1, {1280, 994}, "C:\\a.rc", out, sizeof(out));
  FormatText(expected, sizeof(expected), Text(IDS_SKIN_TOO_SMALL).c_str(), 16384, 1, 8);
  EXPECT_EQ(std::string(out), std::string(expected) + "\nC:\\a.rc");
  ComposeSkinFitWarning(BackgroundBeyondScreens, 2000, 300, {1280, 994}, "C:\\a.rc", out,
                        sizeof(out));
  FormatText(expected, sizeof(expected), Text(IDS_SKIN_BEYOND_SCREEN).c_str(), 2000, 300, 1280, 994);
  EXPECT_EQ(std::string(out), std::string(expected) + "\nC:\\a.rc");
}

}  // namespace
