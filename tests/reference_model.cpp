#include "reference_model.h"

#include <cstdint>

namespace cleaner::testing {
namespace {

// Characters as numbers: a valid UTF-8 sequence is one, any other byte stands alone.
std::vector<std::uint32_t> Characters(const std::string& text, bool fold_case) {
  std::vector<std::uint32_t> characters;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    std::size_t length = byte >= 0xF0 && byte <= 0xF4   ? 4
                         : byte >= 0xE0 && byte <= 0xEF ? 3
                         : byte >= 0xC2 && byte <= 0xDF ? 2
                                                        : 1;
    for (std::size_t k = 1; k < length; ++k) {
      if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
        length = 1;
      }
    }
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < length; ++k)
      value = value << 8 | static_cast<unsigned char>(text[i + k]);
    if (fold_case && value >= 'a' && value <= 'z') value -= 'a' - 'A';
    characters.push_back(value);
    i += length;
  }
  return characters;
}

// Classic table of which pattern prefixes match which name prefixes.
bool TableMatch(const std::string& pattern, const std::string& name, bool fold_case) {
  const std::vector<std::uint32_t> p = Characters(pattern, fold_case);
  const std::vector<std::uint32_t> n = Characters(name, fold_case);
  std::vector<std::vector<bool>> match(p.size() + 1, std::vector<bool>(n.size() + 1, false));
  match[0][0] = true;
  for (std::size_t i = 1; i <= p.size(); ++i) {
    for (std::size_t j = 0; j <= n.size(); ++j) {
      if (p[i - 1] == '*') {
        match[i][j] = match[i - 1][j] || (j > 0 && match[i][j - 1]);
      } else if (j > 0) {
        match[i][j] = match[i - 1][j - 1] && (p[i - 1] == '?' || p[i - 1] == n[j - 1]);
      }
    }
  }
  return match[p.size()][n.size()];
}

}  // namespace

bool ReferenceMatch(const std::string& pattern, const std::string& name, bool fold_case) {
  if (pattern.empty()) return false;
  if (pattern.back() == '.') {
    const std::size_t stem = pattern.find_last_not_of('.');
    if (name.find('.') != std::string::npos) return false;
    return TableMatch(stem == std::string::npos ? "" : pattern.substr(0, stem + 1), name,
                      fold_case);
  }
  if (TableMatch(pattern, name, fold_case)) return true;
  const std::size_t last = pattern.find_last_not_of('*');
  if (last == std::string::npos || last == pattern.size() - 1 || pattern[last] != '.') {
    return false;
  }
  return TableMatch(pattern.substr(0, last), name, fold_case);
}

std::set<std::string> ExpectedDeletions(const std::vector<ModelEntry>& entries,
                                        const std::vector<ModelFile>& files, bool fold_case,
                                        const std::set<std::string>* listed) {
  std::set<std::string> deleted;
  std::string path, file_type;
  for (const ModelEntry& entry : entries) {
    if (entry.has_path && !entry.path.empty()) path = entry.path;
    if (entry.has_file_type && !entry.file_type.empty()) file_type = entry.file_type;
    if (path.empty()) continue;
    for (const ModelFile& file : files) {
      if (file.folder == path && !file.read_only && file.name != "." && file.name != ".." &&
          ReferenceMatch(file_type, file.name, fold_case) &&
          (listed == nullptr || listed->count(path + "/" + file_type + "/" + file.name))) {
        deleted.insert(file.folder + "/" + file.name);
      }
    }
  }
  return deleted;
}

}  // namespace cleaner::testing
