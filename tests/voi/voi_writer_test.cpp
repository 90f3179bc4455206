#include "voi/voi_writer.h"

#include <gtest/gtest.h>

#include "convert/messages.h"
#include "tests/support/fake_platform_test.h"

namespace larkfold {
namespace {

using VoiWriterTest = testing::FakePlatformTest;

const std::uint8_t kImage[] = {4, 5, 0, 0, 1, 2, 3};

TEST_F(VoiWriterTest, WritesTheBytesUnderThePath) {
  EXPECT_EQ(WriteVoiFile("out.voi", kImage, 7), "");
  EXPECT_EQ(fake::Files().files.at("out.voi").bytes, std::string("\x04\x05\0\0\x01\x02\x03", 7));
  EXPECT_EQ(fake::Files().pendingTemporaries, 0);
}

TEST_F(VoiWriterTest, EveryFailureGivesOneMessageAndKeepsThePreviousFile) {
  const struct {
    bool refuseCreate, failWrite, shortWrite, failCommit;
    const char* why;
  } cases[] = {
      {true, false, false, false, "cannot create"},
      {false, true, false, false, "write fails"},
      {false, false, true, false, "disk full"},
      {false, false, false, true, "flush, close or replace fails"},
  };
  for (const auto& c : cases) {
    fake::Reset();
    fake::Files().files["out.voi"].bytes = "previous";
    fake::Files().refuseCreate = c.refuseCreate;
    fake::Files().failWrite = c.failWrite;
    fake::Files().shortWrite = c.shortWrite;
    fake::Files().failCommit = c.failCommit;
    EXPECT_EQ(WriteVoiFile("out.voi", kImage, 7), messages::kCannotCreate) << c.why;
    EXPECT_EQ(fake::Files().files.at("out.voi").bytes, "previous") << c.why;
    EXPECT_EQ(fake::Files().pendingTemporaries, 0) << c.why;
  }
}

}  // namespace
}  // namespace larkfold
