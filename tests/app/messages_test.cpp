// The start-up failure message for every combination of skin, parser and
// picture status.
#include "app/messages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/application.h"
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "skin/skin_model.h"
#include "support/test_support.h"
#include "window/skin_status.h"

namespace {

class SkinFailureMessage : public ::testing::Test {
 protected:
  void SetUp() override { appInstance = GetModuleHandleA(nullptr); }

  static std::string Compose(int skinStatus, int parseStatus, int line = 0,
                             ImageStatus picture = ImageOk, PictureSize size = {}) {
    SkinFailure failure{skinStatus, parseStatus, line, "BackgroundImage ( C:\\skins\\b.bmp )",
                        picture, size};
    char out[kComposedMessageSize];
    memset(out, 'q', sizeof(out));
    ComposeSkinFailure(failure, "C:\\skins\\a.rc", false, out, sizeof(out));
    return out;
  }
};

const char kPicture[] = "\nBackgroundImage ( C:\\skins\\b.bmp )";

TEST_F(SkinFailureMessage, ResourceFileFailuresNameTheFile) {
  EXPECT_EQ(Compose(SkinResourceFailed, ParseOutOfMemory), ResourceText(IDS_NO_MEMORY));
  EXPECT_EQ(Compose(SkinResourceFailed, ParseCannotOpen), ResourceText(IDS_RESOURCE_OPEN_FAILED) + "\nC:\\skins\\a.rc");
  EXPECT_EQ(Compose(SkinResourceFailed, ParseReadFailed), ResourceText(IDS_RESOURCE_READ_FAILED) + "\nC:\\skins\\a.rc");
  EXPECT_EQ(Compose(SkinResourceFailed, ParseOk), ResourceText(IDS_RESOURCE_READ_FAILED) + "\nC:\\skins\\a.rc");
  // Refused unread: the second line says why, with the limit.
  std::string tooLarge = ResourceText(IDS_REASON_FILE_TOO_LARGE);
  tooLarge.replace(tooLarge.find("%d"), 2, "4");
  EXPECT_EQ(Compose(SkinResourceFailed, ParseTooLarge),
            ResourceText(IDS_RESOURCE_READ_FAILED) + "\n" + tooLarge + "\nC:\\skins\\a.rc");
}

TEST_F(SkinFailureMessage, LineTooLongCarriesTheLineNumber) {
  std::string message = Compose(SkinResourceFailed, ParseLineTooLong, 17);
  std::string format = ResourceText(IDS_RESOURCE_LINE_TOO_LONG);
  size_t at = format.find("%d");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(message, format.substr(0, at) + "17" + format.substr(at + 2) + "\nC:\\skins\\a.rc");
}

// Faults caught: a reason missing or another status's, the too-large line
// without its size or naming the side limit for 8192 x 8192, which broke the
// 64 MB one, the picture's name dropped.
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
              ResourceText(IDS_IMAGE_FAILED) + "\n" + ResourceText(r.reason) + kPicture) << r.status;
  }
  // The side limit's text is the start-up session's.
  char bytes[256];
  FormatText(bytes, sizeof(bytes), ResourceText(IDS_REASON_TOO_MANY_BYTES).c_str(), 8192, 8192, 64);
  EXPECT_EQ(Compose(SkinImageFailed, ParseOk, 0, ImageTooLarge, {8192, 8192}),
            ResourceText(IDS_IMAGE_FAILED) + "\n" + bytes + kPicture);
  // An empty shape has its own message, naming the background the same way.
  EXPECT_EQ(Compose(SkinEmptyShape, ParseOk), ResourceText(IDS_SKIN_NO_SHAPE) + "\nBackgroundImage ( C:\\skins\\b.bmp )");
}

TEST_F(SkinFailureMessage, EveryOtherStatusIsAWindowFailure) {
  for (int status : {SkinOk, SkinRegionFailed, SkinSetRegionFailed, SkinWindowFailed,
                     SkinTooltipFailed, SkinBackBufferFailed, SkinWorkImageFailed}) {
    for (int parse = ParseOk; parse <= ParseLineTooLong; ++parse) {
      EXPECT_EQ(Compose(status, parse), ResourceText(IDS_WINDOW_FAILED)) << status << "/" << parse;
    }
  }
}

TEST_F(SkinFailureMessage, LongPathsAreCutInsideTheBuffer) {
  std::string path(1000, 'p');
  char out[kComposedMessageSize + 8];
  memset(out, 'z', sizeof(out));
  SkinFailure failure;
  failure.skinStatus = SkinResourceFailed;
  failure.parseStatus = ParseCannotOpen;
  ComposeSkinFailure(failure, path.c_str(), false, out, kComposedMessageSize);
  EXPECT_EQ(strlen(out), kComposedMessageSize - 1);
  for (size_t i = kComposedMessageSize; i < sizeof(out); ++i) EXPECT_EQ(out[i], 'z');
  // The default-skin line, which says what happens next, is kept whole.
  ComposeSkinFailure(failure, path.c_str(), true, out, kComposedMessageSize);
  const std::string tail = "\n" + ResourceText(IDS_DEFAULT_SKIN_USED);
  EXPECT_EQ(std::string(out).substr(strlen(out) - tail.size()), tail);
}

}  // namespace
