// The frames `inspect --frames A:B` lists.
#pragma once

#include <optional>
#include <string>

namespace larkfold {

// Frames first to last - 1. "A:B" lists A to B - 1, "A:" from A to the end,
// ":B" from the start to B - 1, and "A" frame A alone.
struct FrameRange {
  int first = 0;
  int last = 0;  // one past the last frame; kToTheEnd for the end of the file

  static constexpr int kToTheEnd = -1;

  // The range clipped to a file of `frameCount` frames.
  FrameRange ClippedTo(int frameCount) const;
};

// Empty when the text is not a range of whole non-negative frame numbers with
// A < B.
std::optional<FrameRange> ParseFrameRange(const std::string& text);

}  // namespace larkfold
