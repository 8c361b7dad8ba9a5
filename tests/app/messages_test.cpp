// The start-up failure message for every combination of skin and parser status.
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

  static std::string Compose(int skinStatus, int parseStatus, int line = 0) {
    char out[kComposedMessageSize];
    memset(out, 'q', sizeof(out));
    ComposeSkinFailure(skinStatus, parseStatus, line, "C:\\skins\\a.rc", "BackgroundImage ( C:\\skins\\b.bmp )",
                       out, sizeof(out));
    return out;
  }
};

TEST_F(SkinFailureMessage, ResourceFileFailuresNameTheFile) {
  EXPECT_EQ(Compose(SkinResourceFailed, ParseOutOfMemory), Text(IDS_NO_MEMORY));
  EXPECT_EQ(Compose(SkinResourceFailed, ParseCannotOpen), Text(IDS_RESOURCE_OPEN_FAILED) + "\nC:\\skins\\a.rc");
  EXPECT_EQ(Compose(SkinResourceFailed, ParseReadFailed), Text(IDS_RESOURCE_READ_FAILED) + "\nC:\\skins\\a.rc");
  EXPECT_EQ(Compose(SkinResourceFailed, ParseOk), Text(IDS_RESOURCE_READ_FAILED) + "\nC:\\skins\\a.rc");
  EXPECT_EQ(Compose(SkinResourceFailed, ParseTooLarge), Text(IDS_RESOURCE_READ_FAILED) + "\nC:\\skins\\a.rc");
}

TEST_F(SkinFailureMessage, LineTooLongCarriesTheLineNumber) {
  std::string message = Compose(SkinResourceFailed, ParseLineTooLong, 17);
  std::string format = Text(IDS_RESOURCE_LINE_TOO_LONG);
  size_t at = format.find("%d");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(message, format.substr(0, at) + "17" + format.substr(at + 2) + "\nC:\\skins\\a.rc");
}

TEST_F(SkinFailureMessage, ImageFailureNamesThePicture) {
  EXPECT_EQ(Compose(SkinImageFailed, ParseOk), Text(IDS_IMAGE_FAILED) + "\nBackgroundImage ( C:\\skins\\b.bmp )");
  // An empty shape has its own message, naming the background the same way.
  EXPECT_EQ(Compose(SkinEmptyShape, ParseOk), Text(IDS_SKIN_NO_SHAPE) + "\nBackgroundImage ( C:\\skins\\b.bmp )");
}

TEST_F(SkinFailureMessage, EveryOtherStatusIsAWindowFailure) {
  for (int status : {SkinOk, SkinRegionFailed, SkinSetRegionFailed, SkinWindowFailed,
                     SkinTooltipFailed, SkinBackBufferFailed, SkinWorkImageFailed}) {
    for (int parse = ParseOk; parse <= ParseLineTooLong; ++parse) {
      EXPECT_EQ(Compose(status, parse), Text(IDS_WINDOW_FAILED)) << status << "/" << parse;
    }
  }
}

TEST_F(SkinFailureMessage, LongPathsAreCutInsideTheBuffer) {
  std::string path(1000, 'p');
  char out[kComposedMessageSize + 8];
  memset(out, 'z', sizeof(out));
  ComposeSkinFailure(SkinResourceFailed, ParseCannotOpen, 0, path.c_str(), "", out, kComposedMessageSize);
  EXPECT_EQ(strlen(out), kComposedMessageSize - 1);
  for (size_t i = kComposedMessageSize; i < sizeof(out); ++i) EXPECT_EQ(out[i], 'z');
}

}  // namespace
