#include "skin/skin_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Parses crafted bytes the way LoadResourceFile parses a file's content.
bool Parse(SkinModel& model, const std::string& bytes) {
  std::vector<char> buffer(bytes.begin(), bytes.end());
  buffer.push_back('\0');
  return model.ParseText(buffer.data(), bytes.size());
}

TEST(SkinModelParse, EmptyTextGivesDefaults) {
  SkinModel m;
  EXPECT_TRUE(Parse(m, ""));
  EXPECT_EQ(m.status, ParseOk);
  EXPECT_EQ(m.fontTransparent, 1);
  EXPECT_EQ(m.osuwariBaseLine, -1);
}

}  // namespace
