#include "platform/win32/wide_text.h"

#include <gtest/gtest.h>

namespace larkfold {
namespace {

struct Case {
  const char* why;
  std::wstring wide;
  std::string utf8;
};

// Both directions of one table: what Windows gives and what the program holds.
const Case kCases[] = {
    {"ASCII", L"C:\\data\\song.dat", "C:\\data\\song.dat"},
    {"Japanese", L"音源ＦＭ", "\xE9\x9F\xB3\xE6\xBA\x90\xEF\xBC\xA6\xEF\xBC\xAD"},
    {"a pair of surrogates is one four-byte character", L"\xD83C\xDFB5", "\xF0\x9F\x8E\xB5"},
    {"a lone high surrogate keeps its three-byte form", L"a\xD83C.dat", "a\xED\xA0\xBC.dat"},
    {"a lone low surrogate keeps its three-byte form", L"\xDFB5", "\xED\xBE\xB5"},
    {"a low surrogate before a high one pairs with nothing", L"\xDFB5\xD83C",
     "\xED\xBE\xB5\xED\xA0\xBC"},
    {"the empty text", L"", ""},
};

TEST(WideText, ConvertsBothWays) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(Utf8FromWide(c.wide), c.utf8);
    EXPECT_EQ(WideFromUtf8(c.utf8), c.wide);
  }
}

TEST(WideText, EveryUtf16UnitComesBackUnchanged) {
  for (unsigned unit = 1; unit <= 0xFFFF; ++unit) {
    const std::wstring wide(1, static_cast<wchar_t>(unit));
    ASSERT_EQ(WideFromUtf8(Utf8FromWide(wide)), wide) << "unit " << unit;
  }
}

// The path rules keep the high half of a split pair in its three-byte form;
// put back together with its low half, it is the pair again.
TEST(WideText, SeparatelyHeldHalvesOfAPairJoinAgain) {
  EXPECT_EQ(WideFromUtf8("\xED\xA0\xBC\xED\xBE\xB5"), std::wstring(L"\xD83C\xDFB5"));
}

TEST(WideText, BytesThatAreNoCharacterBecomeReplacementCharacters) {
  struct Bad {
    const char* why;
    std::string utf8;
    std::wstring wide;
  };
  const Bad cases[] = {
      {"a lone continuation byte", "a\x80z", L"a\xFFFDz"},
      {"a sequence cut short at the end", "a\xE3\x81", L"a\xFFFD\xFFFD"},
      {"an over-long form of '/'", "\xC0\xAF", L"\xFFFD\xFFFD"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"},
  };
  for (const Bad& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(WideFromUtf8(c.utf8), c.wide);
  }
}

}  // namespace
}  // namespace larkfold
