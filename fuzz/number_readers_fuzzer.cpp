// The readers of the speed and volume fields on arbitrary text, against a
// plain model of what they accept: the longest prefix of the number's form,
// converted by the C library (correctly rounded, and infinite beyond the
// double range), or the integer's digits saturated at the 32-bit range.
// The text is not terminated, so a reader that looks past its end is caught.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "convert/number_readers.h"

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsSign(char c) {
  return c == '+' || c == '-';
}

bool IsExponentLetter(char c) {
  return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// White space, a sign, digits with at most one point (one digit at least), and
// an exponent letter with an optional sign and at least one digit; written
// with "e" for strtod. Empty when the text holds no number.
std::string NumberPrefix(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) {
    ++i;
  }
  std::string number;
  if (i < text.size() && IsSign(text[i])) {
    number += text[i++];
  }
  bool point = false;
  bool digit = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      digit = true;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
    number += text[i];
  }
  if (!digit) {
    return std::string();
  }
  if (i < text.size() && IsExponentLetter(text[i])) {
    std::string exponent = "e";
    std::size_t j = i + 1;
    if (j < text.size() && IsSign(text[j])) {
      exponent += text[j++];
    }
    const std::size_t digitsStart = j;
    while (j < text.size() && IsDigit(text[j])) {
      exponent += text[j++];
    }
    if (j > digitsStart) {
      number += exponent;
    }
  }
  return number;
}

double ModelNumber(std::string_view text) {
  const std::string number = NumberPrefix(text);
  return number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
}

std::int32_t ModelInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && IsSign(text[i])) {
    negative = text[i++] == '-';
  }
  constexpr std::int64_t kBeyond = std::int64_t{1} << 40;
  std::int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    magnitude = std::min(kBeyond, magnitude * 10 + (text[i] - '0'));
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const double read = larkfold::ReadDecimalNumber(text);
  const double model = ModelNumber(text);
  if (std::memcmp(&read, &model, sizeof read) != 0) {
    std::fprintf(stderr, "number: read %.17g, model %.17g (prefix \"%s\")\n", read, model,
                 NumberPrefix(text).c_str());
    std::abort();
  }

  const std::int32_t readInteger = larkfold::ReadDecimalInteger(text);
  const std::int32_t modelInteger = ModelInteger(text);
  if (readInteger != modelInteger) {
    std::fprintf(stderr, "integer: read %d, model %d\n", readInteger, modelInteger);
    std::abort();
  }
  return 0;
}
