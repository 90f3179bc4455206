#include "convert/number_readers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace larkfold {
namespace {

struct NumberCase {
  const char* text;
  double value;
  const char* why;
};

TEST(ReadDecimalNumber, ReadsTheLongestNumericPrefixAsAtofDoes) {
  const NumberCase cases[] = {
      {"1.0", 1.0, "plain"},
      {"0.9", 0.9, "lower bound as typed"},
      {"1.1", 1.1, "upper bound as typed"},
      {"1.05x", 1.05, "characters after the number are ignored"},
      {"1.05   ", 1.05, "trailing blanks are ignored"},
      {" \t\n\v\f\r1.05", 1.05, "all six white-space characters are skipped"},
      {"+1.05", 1.05, "plus sign"},
      {"-0.5", -0.5, "minus sign"},
      {"1e0", 1.0, "e exponent"},
      {"1d0", 1.0, "d exponent"},
      {"11d-1", 1.1, "d exponent with a value: a reader ignoring d would give 11"},
      {"9d-1", 0.9, "d exponent, negative"},
      {"9D-1", 0.9, "capital D"},
      {"1E+0", 1.0, "capital E with a sign"},
      {"1e", 1.0, "an exponent letter without digits is not part of the number"},
      {"1e+", 1.0, "nor is a letter and a sign"},
      {"1.0e-1x", 0.1, "exponent then garbage"},
      {".5", 0.5, "point before the digits"},
      {"5.", 5.0, "point after the digits"},
      {"1.2.3", 1.2, "a second point ends the number"},
      {"", 0.0, "empty text"},
      {"abc", 0.0, "letters only"},
      {".", 0.0, "a point alone is no number"},
      {"+", 0.0, "a sign alone is no number"},
      {"- 1", 0.0, "no blank between sign and digits"},
      {"inf", 0.0, "no infinity word"},
      {"infinity", 0.0, "no infinity word"},
      {"nan", 0.0, "no not-a-number word"},
      {"0x1p0", 0.0, "no hexadecimal: reads as the 0 before the x"},
      {"0x10", 0.0, "no hexadecimal integer"},
      {"\xEF\xBC\x91.\xEF\xBC\x90", 0.0, "full-width digits are no digits"},
      {"1,5", 1.0, "the decimal point is always '.'"},
      {"0.1000000000000000055511151231257827", 0.1, "long digit strings round to nearest"},
      {"1e-400", 0.0, "underflow gives zero"},
      {"-1e-400", -0.0, "underflow keeps the sign"},
      {"4.9406564584124654e-324", 4.9406564584124654e-324, "smallest subnormal"},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(ReadDecimalNumber(c.text), c.value) << "\"" << c.text << "\": " << c.why;
  }
}

TEST(ReadDecimalNumber, OverflowGivesInfinityOfTheRightSign) {
  EXPECT_EQ(ReadDecimalNumber("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadDecimalNumber("-1e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadDecimalNumber("1e99999999999999999999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadDecimalNumber("0.0001e-99999999999999999999"), 0.0);
}

TEST(ReadDecimalNumber, GivesTheNearestDoubleAtTheSpeedBounds) {
  // The checks compare with the doubles nearest 0.9 and 1.1, so the reader
  // must round to exactly those.
  EXPECT_EQ(ReadDecimalNumber("0.90"), 0.9);
  EXPECT_EQ(ReadDecimalNumber("1.10000000000000000000001"), 1.1);
  EXPECT_LT(ReadDecimalNumber("0.8999999999999999"), 0.9);
  EXPECT_GT(ReadDecimalNumber("1.1000000000000003"), 1.1);
}

struct IntegerCase {
  const char* text;
  std::int32_t value;
  const char* why;
};

TEST(ReadDecimalInteger, ReadsLeadingDigitsAsAtoiDoes) {
  const IntegerCase cases[] = {
      {"100", 100, "plain"},
      {"150.9", 150, "stops at the point"},
      {"100%", 100, "stops at the percent sign"},
      {"  +20", 20, "blanks and sign"},
      {"-5", -5, "negative"},
      {"", 0, "empty"},
      {"abc", 0, "no digits"},
      {"1e3", 1, "no exponent for integers"},
      {"\xEF\xBC\x91\xEF\xBC\x90\xEF\xBC\x90", 0, "full-width digits"},
      {"2147483647", 2147483647, "largest int32"},
      {"2147483648", 2147483647, "saturates above"},
      {"4294967396", 2147483647, "would wrap to 100 in 32 bits; saturates instead"},
      {"99999999999999999999999", 2147483647, "very long"},
      {"-2147483648", -2147483647 - 1, "smallest int32"},
      {"-99999999999999999999999", -2147483647 - 1, "saturates below"},
  };
  for (const IntegerCase& c : cases) {
    EXPECT_EQ(ReadDecimalInteger(c.text), c.value) << "\"" << c.text << "\": " << c.why;
  }
}

}  // namespace
}  // namespace larkfold
