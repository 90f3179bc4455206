#include "preview/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace larkfold {

void JsonWriter::NewLine() {
  text_ += '\n';
  text_.append(levels_.size() * 2, ' ');
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!levels_.empty()) {
    Level& level = levels_.back();
    if (!level.empty) {
      text_ += level.oneLine ? ", " : ",";
    }
    if (!level.oneLine) {
      NewLine();
    }
    level.empty = false;
  }
}

void JsonWriter::Open(char bracket, bool oneLine) {
  BeforeValue();
  text_ += bracket;
  levels_.push_back(Level{true, oneLine});
}

void JsonWriter::Close(char bracket) {
  const Level level = levels_.back();
  levels_.pop_back();
  if (!level.empty && !level.oneLine) {
    NewLine();
  }
  text_ += bracket;
}

void JsonWriter::BeginObject() {
  Open('{', false);
}
void JsonWriter::EndObject() {
  Close('}');
}
void JsonWriter::BeginArray(bool oneLine) {
  Open('[', oneLine);
}
void JsonWriter::EndArray() {
  Close(']');
}

void JsonWriter::Key(std::string_view name) {
  BeforeValue();
  Quote(name);
  text_ += ": ";
  afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
  BeforeValue();
  Quote(text);
}

void JsonWriter::Quote(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        quoted += "\\\"";
        break;
      case '\\':
        quoted += "\\\\";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\t':
        quoted += "\\t";
        break;
      case '\r':
        quoted += "\\r";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", byte);
          quoted += escape;
        } else {
          quoted += c;
        }
    }
  }
  quoted += '"';
  text_ += quoted;
}

void JsonWriter::Number(std::int64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
}

void JsonWriter::Number(double value) {
  BeforeValue();
  if (!std::isfinite(value)) {
    text_ += "null";
    return;
  }
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  text_.append(digits, result.ptr);
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
}

void JsonWriter::Null() {
  BeforeValue();
  text_ += "null";
}

}  // namespace larkfold
