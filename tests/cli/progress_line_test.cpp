#include "cli/progress_line.h"

#include <gtest/gtest.h>

namespace larkfold {
namespace {

// Each Japanese character takes two columns: "残り時間約12秒" is 14 wide.
TEST(FormatProgressLine, ShowsTheRemainingTimeABarAndThePosition) {
  EXPECT_EQ(FormatProgressLine(12.7, 50, 100, 36), "残り時間約12秒 [#####.....] 50/100");
  EXPECT_EQ(FormatProgressLine(0.999999, 0, 35999, 80).substr(0, 21), "残り時間約0秒 [");
}

TEST(FormatProgressLine, FitsANarrowTerminalAndKeepsTheBarAtMostFortyWide) {
  EXPECT_EQ(FormatProgressLine(3.0, 1234, 35999, 20), "残り時間約3秒 1234/35999");
  const std::string wide = FormatProgressLine(3.0, 35999, 35999, 500);
  EXPECT_NE(wide.find("[" + std::string(40, '#') + "]"), std::string::npos) << wide;
}

}  // namespace
}  // namespace larkfold
