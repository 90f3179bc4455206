#include "convert/number_readers.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace larkfold {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t SkipSpace(std::string_view text, std::size_t i) {
  while (i < text.size() && IsSpace(text[i])) {
    ++i;
  }
  return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) {
    ++i;
  }
  return i;
}

// from_chars reports both ends of the double range as out of range without a
// value; atof gives infinity for the one and zero for the other. The magnitude
// is decided by the power of ten of the first non-zero digit.
double OutOfRangeValue(std::string_view mantissa, std::string_view exponent) {
  std::int64_t digitsBeforePoint = 0;
  std::int64_t index = 0;
  std::int64_t firstNonZero = -1;
  bool seenPoint = false;
  for (char c : mantissa) {
    if (c == '.') {
      seenPoint = true;
      continue;
    }
    if (!seenPoint) {
      ++digitsBeforePoint;
    }
    if (firstNonZero < 0 && c != '0') {
      firstNonZero = index;
    }
    ++index;
  }
  if (firstNonZero < 0) {
    return 0.0;
  }
  std::int64_t exponentValue = 0;
  std::size_t i = 0;
  const bool negativeExponent = !exponent.empty() && exponent[0] == '-';
  if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
    i = 1;
  }
  for (; i < exponent.size(); ++i) {
    if (exponentValue < 1'000'000'000) {
      exponentValue = exponentValue * 10 + (exponent[i] - '0');
    }
  }
  const std::int64_t power =
      digitsBeforePoint - 1 - firstNonZero + (negativeExponent ? -exponentValue : exponentValue);
  return power > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

}  // namespace

double ReadDecimalNumber(std::string_view text) {
  std::size_t i = SkipSpace(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  const std::size_t mantissaStart = i;
  bool seenPoint = false;
  bool seenDigit = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      seenDigit = true;
    } else if (text[i] == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (!seenDigit) {
    return 0.0;
  }
  const std::string_view mantissa = text.substr(mantissaStart, i - mantissaStart);

  // An exponent letter counts only when digits follow it (after an optional sign).
  std::string_view exponent;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      ++j;
    }
    const std::size_t end = SkipDigits(text, j);
    if (end > j) {
      exponent = text.substr(i + 1, end - i - 1);
    }
  }

  std::string number(mantissa);
  if (!exponent.empty()) {
    number += 'e';
    number += exponent;
  }
  double value = 0.0;
  const std::from_chars_result parsed =
      std::from_chars(number.data(), number.data() + number.size(), value);
  if (parsed.ec == std::errc::result_out_of_range) {
    value = OutOfRangeValue(mantissa, exponent);
  }
  return negative ? -value : value;
}

std::int32_t ReadDecimalInteger(std::string_view text) {
  std::size_t i = SkipSpace(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kLimit) {
      magnitude = kLimit;
    }
  }
  if (negative) {
    return static_cast<std::int32_t>(-magnitude);
  }
  return static_cast<std::int32_t>(magnitude > std::numeric_limits<std::int32_t>::max()
                                       ? std::numeric_limits<std::int32_t>::max()
                                       : magnitude);
}

}  // namespace larkfold
