#include "preview/frame_range.h"

#include <gtest/gtest.h>

namespace larkfold {
namespace {

TEST(ParseFrameRange, ReadsTheFourFormsAndRefusesTheRest) {
  struct Case {
    const char* text;
    bool valid;
    int first;
    int last;
    const char* why;
  };
  const Case cases[] = {
      {"10:20", true, 10, 20, "frames 10 to 19"},
      {"10:", true, 10, FrameRange::kToTheEnd, "from 10 to the end"},
      {":5", true, 0, 5, "the first five"},
      {":", true, 0, FrameRange::kToTheEnd, "every frame"},
      {"7", true, 7, 8, "one frame"},
      {"0", true, 0, 1, "the first frame"},
      {"5:5", false, 0, 0, "an empty range"},
      {"9:3", false, 0, 0, "backwards"},
      {"-1:3", false, 0, 0, "a negative frame"},
      {"+1:3", false, 0, 0, "a sign"},
      {"1.5:3", false, 0, 0, "not a whole number"},
      {"a:b", false, 0, 0, "not numbers"},
      {"", false, 0, 0, "nothing"},
      {"1:2:3", false, 0, 0, "two colons"},
      {"99999999999", false, 0, 0, "beyond int"},
  };
  for (const Case& c : cases) {
    const std::optional<FrameRange> range = ParseFrameRange(c.text);
    ASSERT_EQ(range.has_value(), c.valid) << c.text << ": " << c.why;
    if (range) {
      EXPECT_EQ(range->first, c.first) << c.why;
      EXPECT_EQ(range->last, c.last) << c.why;
    }
  }
}

TEST(ParseFrameRange, ClipsToTheFile) {
  EXPECT_EQ(ParseFrameRange("5:")->ClippedTo(8).last, 8);
  EXPECT_EQ(ParseFrameRange("5:100")->ClippedTo(8).last, 8);
  const FrameRange beyond = ParseFrameRange("20:30")->ClippedTo(8);
  EXPECT_EQ(beyond.first, beyond.last);  // nothing to list
}

}  // namespace
}  // namespace larkfold
