#pragma once

#include <optional>
#include <string_view>

namespace larkfold {

// How the channel assignment finds each frame's ordering. Both give the same
// ordering for every frame; the exhaustive search is the reference.
enum class SearchMethod { fast, exhaustive };

// "fast" or "exhaustive"; nothing for any other text.
std::optional<SearchMethod> ParseSearchMethod(std::string_view text);

// The method named by LARKFOLD_SEARCH, fast when it is unset or names none.
SearchMethod SearchMethodFromEnvironment();

}  // namespace larkfold
