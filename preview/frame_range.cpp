#include "preview/frame_range.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace larkfold {
namespace {

// A whole number of decimal digits only, or nothing for an empty text.
std::optional<int> ReadFrameNumber(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || text[0] == '-' || text[0] == '+' || error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

FrameRange FrameRange::ClippedTo(int frameCount) const {
  FrameRange clipped;
  clipped.first = std::min(first, frameCount);
  clipped.last = last == kToTheEnd ? frameCount : std::min(last, frameCount);
  return clipped;
}

std::optional<FrameRange> ParseFrameRange(const std::string& text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) {
    const std::optional<int> frame = ReadFrameNumber(text);
    if (!frame || *frame == std::numeric_limits<int>::max()) {
      return std::nullopt;
    }
    return FrameRange{*frame, *frame + 1};
  }
  const std::string from = text.substr(0, colon);
  const std::string to = text.substr(colon + 1);
  FrameRange range{0, FrameRange::kToTheEnd};
  if (!from.empty()) {
    const std::optional<int> first = ReadFrameNumber(from);
    if (!first) {
      return std::nullopt;
    }
    range.first = *first;
  }
  if (!to.empty()) {
    const std::optional<int> last = ReadFrameNumber(to);
    if (!last || *last <= range.first) {
      return std::nullopt;
    }
    range.last = *last;
  }
  return range;
}

}  // namespace larkfold
