#include "preview/text_format.h"

#include <cstdarg>
#include <cstdio>

namespace larkfold {

void AppendFormatted(std::string& out, const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  out += text;
}

}  // namespace larkfold
