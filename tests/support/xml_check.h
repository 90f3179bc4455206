// A small well-formedness check of XML for the tests: one root element, tags
// nested and closed in order, attributes quoted and unique, and no bare '<'
// or '&' in text. Counts the elements by name on the way.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace larkfold::testing {

struct XmlCheck {
  std::string error;  // empty when well-formed
  std::map<std::string, int> elements;
  // The attributes of every element, in document order.
  std::vector<std::pair<std::string, std::map<std::string, std::string>>> tags;
};

inline bool IsEntity(const std::string& text, std::size_t at) {
  for (const char* entity : {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"}) {
    if (text.compare(at, std::string(entity).size(), entity) == 0)
      return true;
  }
  return text.compare(at, 2, "&#") == 0 && text.find(';', at) != std::string::npos;
}

inline XmlCheck CheckXml(const std::string& text) {
  XmlCheck check;
  std::vector<std::string> open;
  bool rootSeen = false;
  std::size_t at = 0;
  auto fail = [&](const std::string& why) {
    check.error = why + " at offset " + std::to_string(at);
    return check;
  };
  if (text.compare(0, 5, "<?xml") == 0)
    at = text.find("?>") + 2;
  while (at < text.size()) {
    const char c = text[at];
    if (c == '&') {
      if (!IsEntity(text, at))
        return fail("bare &");
      ++at;
      continue;
    }
    if (c != '<') {
      if (open.empty() && c != ' ' && c != '\n' && c != '\r' && c != '\t')
        return fail("text outside the root");
      ++at;
      continue;
    }
    const std::size_t end = text.find('>', at);
    if (end == std::string::npos)
      return fail("unclosed tag");
    std::string tag = text.substr(at + 1, end - at - 1);
    if (tag.find('<') != std::string::npos)
      return fail("'<' inside a tag");
    at = end + 1;
    if (tag[0] == '/') {
      if (open.empty() || open.back() != tag.substr(1))
        return fail("closing " + tag.substr(1) + " out of order");
      open.pop_back();
      continue;
    }
    const bool selfClosing = tag.back() == '/';
    if (selfClosing)
      tag.pop_back();
    const std::size_t nameEnd = tag.find_first_of(" \n\t");
    const std::string name = tag.substr(0, nameEnd);
    if (name.empty())
      return fail("a tag without a name");
    if (open.empty() && rootSeen)
      return fail("a second root element");
    rootSeen = true;
    std::map<std::string, std::string> attributes;
    std::size_t a = nameEnd == std::string::npos ? tag.size() : nameEnd;
    while (a < tag.size()) {
      while (a < tag.size() && (tag[a] == ' ' || tag[a] == '\n' || tag[a] == '\t'))
        ++a;
      if (a >= tag.size())
        break;
      const std::size_t equals = tag.find('=', a);
      if (equals == std::string::npos || equals + 1 >= tag.size() || tag[equals + 1] != '"')
        return fail("an unquoted attribute in " + name);
      const std::size_t close = tag.find('"', equals + 2);
      if (close == std::string::npos)
        return fail("an unterminated attribute in " + name);
      const std::string key = tag.substr(a, equals - a);
      const std::string value = tag.substr(equals + 2, close - equals - 2);
      for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '<' || (value[i] == '&' && !IsEntity(value, i)))
          return fail("a bare < or & in an attribute of " + name);
      }
      if (!attributes.emplace(key, value).second)
        return fail("attribute " + key + " twice in " + name);
      a = close + 1;
    }
    ++check.elements[name];
    check.tags.emplace_back(name, attributes);
    if (!selfClosing)
      open.push_back(name);
  }
  if (!open.empty())
    return fail(open.back() + " never closed");
  if (!rootSeen)
    return fail("no root element");
  return check;
}

}  // namespace larkfold::testing
