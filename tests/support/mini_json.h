// A small strict JSON reader for the tests: it refuses anything that is not
// JSON, so a report that parses here parses anywhere.
#pragma once

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace larkfold::testing {

struct Json {
  enum class Type { null, boolean, number, string, array, object } type = Type::null;
  bool boolean = false;
  double number = 0.0;
  std::string string;
  std::vector<Json> array;
  std::map<std::string, Json> object;

  bool Has(const std::string& key) const { return object.count(key) != 0; }
  const Json& operator[](const std::string& key) const {
    const auto found = object.find(key);
    if (type != Type::object || found == object.end())
      throw std::runtime_error("no member " + key);
    return found->second;
  }
  const Json& operator[](std::size_t index) const { return array.at(index); }
};

class JsonReader {
 public:
  // Throws std::runtime_error, naming the offset, on anything that is not one JSON value.
  static Json Parse(const std::string& text) {
    JsonReader reader(text);
    Json value = reader.Value();
    reader.Space();
    if (reader.at_ != text.size())
      reader.Fail("text after the value");
    return value;
  }

 private:
  explicit JsonReader(const std::string& text) : text_(text) {}

  [[noreturn]] void Fail(const std::string& why) const {
    throw std::runtime_error("JSON: " + why + " at offset " + std::to_string(at_));
  }
  void Space() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t'))
      ++at_;
  }
  char Peek() {
    Space();
    if (at_ >= text_.size())
      Fail("unexpected end");
    return text_[at_];
  }
  void Expect(char c) {
    if (Peek() != c)
      Fail(std::string("expected ") + c);
    ++at_;
  }
  bool Word(const char* word) {
    const std::string w(word);
    if (text_.compare(at_, w.size(), w) != 0)
      return false;
    at_ += w.size();
    return true;
  }

  Json Value() {
    Json value;
    const char c = Peek();
    if (c == '{') {
      value.type = Json::Type::object;
      ++at_;
      if (Peek() == '}') {
        ++at_;
        return value;
      }
      for (;;) {
        if (Peek() != '"')
          Fail("expected a key");
        const std::string key = String();
        Expect(':');
        if (!value.object.emplace(key, Value()).second)
          Fail("duplicate key " + key);
        if (Peek() == ',') {
          ++at_;
          continue;
        }
        Expect('}');
        return value;
      }
    }
    if (c == '[') {
      value.type = Json::Type::array;
      ++at_;
      if (Peek() == ']') {
        ++at_;
        return value;
      }
      for (;;) {
        value.array.push_back(Value());
        if (Peek() == ',') {
          ++at_;
          continue;
        }
        Expect(']');
        return value;
      }
    }
    if (c == '"') {
      value.type = Json::Type::string;
      value.string = String();
      return value;
    }
    if (Word("true") || Word("false")) {
      value.type = Json::Type::boolean;
      value.boolean = text_[at_ - 4] == 't';  // "true" ends four characters back
      return value;
    }
    if (Word("null"))
      return value;
    return Number();
  }

  std::string String() {
    ++at_;  // the opening quote
    std::string out;
    while (at_ < text_.size() && text_[at_] != '"') {
      const unsigned char c = static_cast<unsigned char>(text_[at_]);
      if (c < 0x20)
        Fail("raw control character in a string");
      if (c != '\\') {
        out += text_[at_++];
        continue;
      }
      ++at_;
      if (at_ >= text_.size())
        Fail("unfinished escape");
      const char e = text_[at_++];
      switch (e) {
        case '"':
          out += '"';
          break;
        case '\\':
          out += '\\';
          break;
        case '/':
          out += '/';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          if (at_ + 4 > text_.size())
            Fail("short \\u escape");
          const long code = std::strtol(text_.substr(at_, 4).c_str(), nullptr, 16);
          at_ += 4;
          if (code >= 0x80)
            Fail("the tests only need ASCII \\u escapes");
          out += static_cast<char>(code);
          break;
        }
        default:
          Fail("unknown escape");
      }
    }
    if (at_ >= text_.size())
      Fail("unterminated string");
    ++at_;
    return out;
  }

  Json Number() {
    const std::size_t start = at_;
    if (at_ < text_.size() && text_[at_] == '-')
      ++at_;
    auto digits = [&] {
      const std::size_t from = at_;
      while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9')
        ++at_;
      return at_ - from;
    };
    const std::size_t intStart = at_;
    if (digits() == 0)
      Fail("expected a value");
    if (text_[intStart] == '0' && at_ - intStart > 1)
      Fail("leading zero");
    if (at_ < text_.size() && text_[at_] == '.') {
      ++at_;
      if (digits() == 0)
        Fail("digits after the point");
    }
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
      ++at_;
      if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-'))
        ++at_;
      if (digits() == 0)
        Fail("digits in the exponent");
    }
    Json value;
    value.type = Json::Type::number;
    value.number = std::strtod(text_.substr(start, at_ - start).c_str(), nullptr);
    return value;
  }

  const std::string& text_;
  std::size_t at_ = 0;
};

}  // namespace larkfold::testing
