#include "platform/win32/wide_text.h"

#include <cstdint>

namespace larkfold {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The lead bytes of the longer sequences: how many bytes follow from them,
// the bits they carry, and the least value (smaller ones are over-long forms).
// Three-byte surrogates are allowed, as WTF-8 holds lone ones that way.
struct LeadByte {
  unsigned char first, last;
  std::size_t length;
  unsigned char bits;
  char32_t least;
};
constexpr LeadByte kLeadBytes[] = {
    {0xC2, 0xDF, 2, 0x1F, 0x80},
    {0xE0, 0xEF, 3, 0x0F, 0x800},
    {0xF0, 0xF4, 4, 0x07, 0x10000},
};

// Decodes the sequence at text[at]; sets `length` to the bytes it takes.
char32_t DecodeAt(std::string_view text, std::size_t at, std::size_t& length) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
  length = 1;
  if (byte(0) < 0x80) {
    return byte(0);
  }
  for (const LeadByte& lead : kLeadBytes) {
    if (byte(0) < lead.first || byte(0) > lead.last) {
      continue;
    }
    if (at + lead.length > text.size()) {
      return kReplacement;
    }
    char32_t value = byte(0) & lead.bits;
    for (std::size_t k = 1; k < lead.length; ++k) {
      if (!IsContinuation(byte(k))) {
        return kReplacement;
      }
      value = value << 6 | (byte(k) & 0x3F);
    }
    if (value < lead.least || value > 0x10FFFF) {
      return kReplacement;
    }
    length = lead.length;
    return value;
  }
  return kReplacement;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t length;
    const char32_t c = DecodeAt(text, at, length);
    at += length;
    if (c >= 0x10000) {
      wide += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      wide += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      wide += static_cast<wchar_t>(c);
    }
  }
  return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t unit = static_cast<std::uint16_t>(text[i]);
    if (IsHighSurrogate(unit) && i + 1 < text.size()) {
      const char32_t next = static_cast<std::uint16_t>(text[i + 1]);
      if (IsLowSurrogate(next)) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendUtf8(out, unit);
  }
  return out;
}

}  // namespace larkfold
