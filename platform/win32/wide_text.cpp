#include "platform/win32/wide_text.h"

#include <cstdint>

namespace larkfold {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Decodes the sequence at text[at]; sets `length` to the bytes it takes. The
// lower bounds refuse over-long forms; three-byte surrogates are allowed.
char32_t DecodeAt(std::string_view text, std::size_t at, std::size_t& length) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
  const unsigned char lead = byte(0);
  length = 1;
  if (lead < 0x80) {
    return lead;
  }
  std::size_t needed;
  char32_t value;
  char32_t lowest;
  if (lead >= 0xC2 && lead <= 0xDF) {
    needed = 2, value = lead & 0x1F, lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    needed = 3, value = lead & 0x0F, lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    needed = 4, value = lead & 0x07, lowest = 0x10000;
  } else {
    return kReplacement;
  }
  if (at + needed > text.size()) {
    return kReplacement;
  }
  for (std::size_t k = 1; k < needed; ++k) {
    if (!IsContinuation(byte(k))) {
      return kReplacement;
    }
    value = value << 6 | (byte(k) & 0x3F);
  }
  if (value < lowest || value > 0x10FFFF) {
    return kReplacement;
  }
  length = needed;
  return value;
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
