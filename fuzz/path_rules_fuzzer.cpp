// The rules applied to the DAT path as text, on arbitrary bytes (a path is
// whatever the user typed or the system handed over, well-formed UTF-8 or not):
// trimming keeps a prefix and removes only white space, the "dat" test looks at
// the last three bytes alone, and the VOI path drops the last four characters
// (code points here; a malformed byte counts as one) and appends ".voi".
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "convert/path_rules.h"

namespace {

void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Where each character starts, when the text is a sequence of lead bytes each
// followed by its number of continuation bytes; nothing when it is not.
bool SplitCharacters(std::string_view text, std::vector<std::size_t>& starts) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    if (lead < 0x80) {
      length = 1;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
    } else {
      return false;
    }
    if (i + length > text.size()) {
      return false;
    }
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
        return false;
      }
    }
    starts.push_back(i);
    i += length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const std::string trimmed = larkfold::TrimTrailingWhiteSpace(text);
  Require(text.substr(0, trimmed.size()) == trimmed, "trimming keeps a prefix");
  Require(trimmed.empty() || !IsSpace(trimmed.back()), "trimming removes all trailing space");
  for (std::size_t i = trimmed.size(); i < text.size(); ++i) {
    Require(IsSpace(text[i]), "trimming removes only white space");
  }

  const bool dat = size >= 3 && Lower(text[size - 3]) == 'd' && Lower(text[size - 2]) == 'a' &&
                   Lower(text[size - 1]) == 't';
  Require(larkfold::EndsInDat(text) == dat, "the last three characters read dat");

  const std::string voi = larkfold::VoiPathFor(text);
  Require(voi.size() >= 4 && voi.compare(voi.size() - 4, 4, ".voi") == 0, "the path ends in .voi");
  const std::string_view kept = std::string_view(voi).substr(0, voi.size() - 4);
  Require(text.substr(0, kept.size()) == kept, "the VOI path keeps a prefix of the DAT path");
  const std::size_t dropped = size - kept.size();
  Require(dropped >= std::min<std::size_t>(4, size) && dropped <= 16,
          "four characters are one to four bytes each");

  std::vector<std::size_t> starts;
  if (SplitCharacters(text, starts)) {
    const std::size_t expected = starts.size() > 4 ? starts[starts.size() - 4] : 0;
    Require(kept.size() == expected, "the last four characters of well-formed text are dropped");
  }
  return 0;
}
