#include "convert/path_rules.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace larkfold {
namespace {

struct PathCase {
  const char* datPath;
  const char* voiPath;
  const char* why;
};

TEST(VoiPathFor, DropsTheLastFourCharactersAndAddsVoi) {
  const PathCase cases[] = {
      {"C:\\data\\song.dat", "C:\\data\\song.voi", "the usual case"},
      {"C:\\data\\SONG.DAT", "C:\\data\\SONG.voi", "the name keeps its case"},
      {"C:\\data\\songdat", "C:\\data\\son.voi", "four characters go, whatever they are"},
      {"dat", ".voi", "fewer than four characters"},
      {"", ".voi", "empty"},
      {"/home/u/曲.dat", "/home/u/曲.voi", "a multi-byte name before the extension"},
      {"/home/u/あdat", "/home/u/.voi", "a multi-byte character is one character"},
  };
  for (const PathCase& c : cases) {
    EXPECT_EQ(VoiPathFor(c.datPath), c.voiPath) << c.why;
  }
}

TEST(VoiPathFor, CountsACharacterOutsideTheBasicPlaneAsThePlatformDoes) {
  // U+1F3B5 takes four bytes in UTF-8 and two UTF-16 units.
  const std::string path =
      "x\xF0\x9F\x8E\xB5"
      "dat";
  if (kPathCharactersAreUtf16Units) {
    // Its trailing unit goes; the leading one stays, kept as WTF-8.
    EXPECT_EQ(VoiPathFor(path), "x\xED\xA0\xBC.voi");
  } else {
    EXPECT_EQ(VoiPathFor(path), "x.voi");
  }
}

TEST(VoiPathFor, CountsEachStrayByteAsACharacter) {
  EXPECT_EQ(VoiPathFor("ab\xFF\xFE"
                       "cd"),
            "ab.voi");
}

TEST(EndsInDat, LooksAtTheLastThreeCharactersInAnyCase) {
  EXPECT_TRUE(EndsInDat("a.dat"));
  EXPECT_TRUE(EndsInDat("a.DaT"));
  EXPECT_TRUE(EndsInDat("dat"));
  EXPECT_FALSE(EndsInDat("da"));
  EXPECT_FALSE(EndsInDat("a.dat "));
  EXPECT_FALSE(EndsInDat("a.ｄａｔ"));
}

TEST(TrimTrailingWhiteSpace, RemovesOnlyTrailingAsciiWhiteSpace) {
  EXPECT_EQ(TrimTrailingWhiteSpace(" a \t\r\n\v\f"), " a");
  EXPECT_EQ(TrimTrailingWhiteSpace("   "), "");
  EXPECT_EQ(TrimTrailingWhiteSpace("a\xE3\x80\x80"), "a\xE3\x80\x80");
}

}  // namespace
}  // namespace larkfold
