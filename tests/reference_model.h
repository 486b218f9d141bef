// An independent model of what a run must delete, for the property tests: plain set
// computations written from the rules, sharing no code with the program.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace cleaner::testing {

// Whether `name` matches the wildcard `pattern`: "*" any run, "?" one character (one
// UTF-8 character where the bytes spell one), a final ".*" may also match nothing, and a
// final "." asks for a name without a dot. Letters fold when `fold_case`.
bool ReferenceMatch(const std::string& pattern, const std::string& name, bool fold_case);

struct ModelEntry {
  bool has_path = false, has_file_type = false;
  std::string path;       // a folder name under the root, or "" for none
  std::string file_type;  // the pattern
};

struct ModelFile {
  std::string folder;  // a folder name under the root
  std::string name;
  bool read_only = false;
};

// The files that a run over `entries` deletes: for each entry, the folder and pattern in
// force after carrying values over, every file directly in the folder that matches and
// is not read-only.
// `listed`, when given, holds "folder/pattern/name" for every name that the system's
// directory search lists: Wine's search misses some names that Windows' lists.
std::set<std::string> ExpectedDeletions(const std::vector<ModelEntry>& entries,
                                        const std::vector<ModelFile>& files, bool fold_case,
                                        const std::set<std::string>* listed = nullptr);

}  // namespace cleaner::testing
