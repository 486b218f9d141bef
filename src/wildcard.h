// File-name wildcard matching with the rules of the Windows directory search.
#pragma once

#include <cstddef>
#include <string_view>

namespace cleaner {

struct NameRules {
  // Letters compare without regard to ASCII case (Windows) or exactly (POSIX).
  bool fold_case;
  // Length in bytes of the character that starts at `text`, at least 1. A double-byte or
  // multi-byte character is one character to "?" and is never case-folded.
  std::size_t (*char_length)(const char* text, std::size_t remaining);
};

// "*" matches any run of characters, "?" exactly one. A pattern ending in ".*" also
// matches names that end where that dot stands, so "*.*" matches every name; a pattern
// ending in "." matches only names without a dot.
bool MatchesWildcard(std::string_view pattern, std::string_view name, const NameRules& rules);

}  // namespace cleaner
