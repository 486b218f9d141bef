#include "wildcard.h"

namespace cleaner {
namespace {

bool SameChar(std::string_view a, std::string_view b, bool fold_case) {
  if (a.size() != b.size()) return false;
  if (a.size() != 1 || !fold_case) return a == b;
  auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
  return fold(a[0]) == fold(b[0]);
}

std::string_view CharAt(std::string_view text, std::size_t at, const NameRules& rules) {
  std::size_t length = rules.char_length(text.data() + at, text.size() - at);
  if (length == 0 || length > text.size() - at) length = 1;
  return text.substr(at, length);
}

// Plain "*" and "?" matching, with backtracking to the last "*" only: linear in memory,
// and quadratic at worst in time for short names and patterns.
bool MatchPlain(std::string_view pattern, std::string_view name, const NameRules& rules) {
  std::size_t p = 0, n = 0;
  std::size_t star_p = std::string_view::npos, star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star_p = ++p;
      star_n = n;
      continue;
    }
    const std::string_view name_char = CharAt(name, n, rules);
    if (p < pattern.size()) {
      const std::string_view pattern_char = CharAt(pattern, p, rules);
      if (pattern_char == "?" || SameChar(pattern_char, name_char, rules.fold_case)) {
        p += pattern_char.size();
        n += name_char.size();
        continue;
      }
    }
    if (star_p == std::string_view::npos) return false;
    star_n += CharAt(name, star_n, rules).size();
    n = star_n;
    p = star_p;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name, const NameRules& rules) {
  if (pattern.empty()) return false;
  if (pattern.back() == '.') {
    std::string_view stem = pattern;
    while (!stem.empty() && stem.back() == '.') stem.remove_suffix(1);
    return name.find('.') == std::string_view::npos && MatchPlain(stem, name, rules);
  }
  if (MatchPlain(pattern, name, rules)) return true;
  // A final ".*" may also match nothing at all: strip it and try once more.
  std::string_view stem = pattern;
  while (!stem.empty() && stem.back() == '*') stem.remove_suffix(1);
  if (stem.size() == pattern.size() || stem.empty() || stem.back() != '.') return false;
  stem.remove_suffix(1);
  return MatchPlain(stem, name, rules);
}

}  // namespace cleaner
