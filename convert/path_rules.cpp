#include "convert/path_rules.h"

#include <cstdint>

#include "platform/text.h"

namespace larkfold {
namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80)
    return 1;
  if ((lead & 0xE0) == 0xC0)
    return 2;
  if ((lead & 0xF0) == 0xE0)
    return 3;
  if ((lead & 0xF8) == 0xF0)
    return 4;
  return 0;
}

// The last character of text[0, end): where it starts and how many path
// characters it counts for. A byte that is not part of a well-formed sequence
// counts as one character of its own.
struct LastCharacter {
  std::size_t start;
  int units;
};

LastCharacter FindLastCharacter(std::string_view text, std::size_t end) {
  std::size_t start = end - 1;
  while (start > 0 && end - start < 4 && IsContinuation(static_cast<unsigned char>(text[start]))) {
    --start;
  }
  const std::size_t length = SequenceLength(static_cast<unsigned char>(text[start]));
  if (length != end - start) {
    return {end - 1, 1};
  }
  const int units = (length == 4 && kPathCharactersAreUtf16Units) ? 2 : 1;
  return {start, units};
}

// Keeps the leading half of a character outside the basic plane, for a rule
// that drops only its trailing UTF-16 unit. The lone high surrogate is stored
// the way Windows paths keep one when they are held as UTF-8 (WTF-8).
std::string HighSurrogateOf(std::string_view sequence) {
  const std::uint32_t codePoint =
      (std::uint32_t{static_cast<unsigned char>(sequence[0])} & 0x07) << 18 |
      (std::uint32_t{static_cast<unsigned char>(sequence[1])} & 0x3F) << 12 |
      (std::uint32_t{static_cast<unsigned char>(sequence[2])} & 0x3F) << 6 |
      (std::uint32_t{static_cast<unsigned char>(sequence[3])} & 0x3F);
  const std::uint32_t high = 0xD800 + ((codePoint - 0x10000) >> 10);
  std::string encoded;
  encoded += static_cast<char>(0xE0 | (high >> 12));
  encoded += static_cast<char>(0x80 | ((high >> 6) & 0x3F));
  encoded += static_cast<char>(0x80 | (high & 0x3F));
  return encoded;
}

std::string DropLastCharacters(std::string_view text, int count) {
  std::string kept(text);
  while (count > 0 && !kept.empty()) {
    const LastCharacter last = FindLastCharacter(kept, kept.size());
    if (last.units <= count) {
      kept.erase(last.start);
      count -= last.units;
    } else {
      kept =
          kept.substr(0, last.start) + HighSurrogateOf(std::string_view(kept).substr(last.start));
      count = 0;
    }
  }
  return kept;
}

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string TrimTrailingWhiteSpace(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0) {
    const char c = text[end - 1];
    if (c != ' ' && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r') {
      break;
    }
    --end;
  }
  return std::string(text.substr(0, end));
}

bool EndsInDat(std::string_view path) {
  // "dat" is three ASCII bytes, and an ASCII byte is always a character of its
  // own, so the last three characters read "dat" exactly when the last three
  // bytes do.
  if (path.size() < 3) {
    return false;
  }
  const std::string_view tail = path.substr(path.size() - 3);
  return AsciiLower(tail[0]) == 'd' && AsciiLower(tail[1]) == 'a' && AsciiLower(tail[2]) == 't';
}

std::string VoiPathFor(std::string_view datPath) {
  return DropLastCharacters(datPath, 4) + ".voi";
}

}  // namespace larkfold
