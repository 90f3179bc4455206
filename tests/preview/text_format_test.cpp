#include "preview/text_format.h"

#include <gtest/gtest.h>

namespace larkfold {
namespace {

TEST(AppendFormatted, KeepsALongPathWhole) {
  // A report line names its file, and a path may be thousands of bytes long.
  const std::string path(5000, 'p');
  std::string out = "> ";
  AppendFormatted(out, "%s: DAT recording\n", path.c_str());
  EXPECT_EQ(out, "> " + path + ": DAT recording\n");
}

TEST(AppendFormatted, FormatsWideIntegersOnEveryRuntime) {
  std::string out;
  AppendFormatted(out, "%lld bytes, %6d, %.3f", 640000000000LL, 42, 2.5);
  EXPECT_EQ(out, "640000000000 bytes,     42, 2.500");
}

}  // namespace
}  // namespace larkfold
