#include "assign/search_choice.h"

#include <cstdlib>

namespace larkfold {

std::optional<SearchMethod> ParseSearchMethod(std::string_view text) {
  if (text == "fast") {
    return SearchMethod::fast;
  }
  if (text == "exhaustive") {
    return SearchMethod::exhaustive;
  }
  return std::nullopt;
}

SearchMethod SearchMethodFromEnvironment() {
  const char* value = std::getenv("LARKFOLD_SEARCH");
  return value != nullptr ? ParseSearchMethod(value).value_or(SearchMethod::fast)
                          : SearchMethod::fast;
}

}  // namespace larkfold
