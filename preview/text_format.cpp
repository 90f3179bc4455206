#include "preview/text_format.h"

#include <cstdarg>
#include <cstdio>

namespace larkfold {

void AppendFormatted(std::string& out, const char* format, ...) {
  // Measured first: a line may carry a path of any length.
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (length > 0) {
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(length) + 1);
    std::vsnprintf(out.data() + start, static_cast<std::size_t>(length) + 1, format, again);
    out.resize(start + static_cast<std::size_t>(length));
  }
  va_end(again);
}

}  // namespace larkfold
