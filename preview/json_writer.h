// A small writer of JSON text: objects, arrays, strings, numbers, booleans
// and null, with commas and indentation kept for the caller.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace larkfold {

class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  // An array of numbers is kept on one line when `oneLine` is set.
  void BeginArray(bool oneLine = false);
  void EndArray();

  // The name of the next member of the current object.
  void Key(std::string_view name);

  void String(std::string_view text);  // UTF-8; control characters escaped
  void Number(std::int64_t value);
  void Number(double value);  // shortest text that reads back exactly; null if not finite
  void Bool(bool value);
  void Null();

  // The finished text, ending in a newline.
  std::string Text() const { return text_ + "\n"; }

 private:
  void BeforeValue();
  void Quote(std::string_view text);
  void Open(char bracket, bool oneLine);
  void Close(char bracket);
  void NewLine();

  struct Level {
    bool empty = true;
    bool oneLine = false;
  };
  std::string text_;
  std::vector<Level> levels_;
  bool afterKey_ = false;
};

}  // namespace larkfold
