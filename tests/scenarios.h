// Whole runs of the program from a settings file, shared by every end-to-end table: the
// files before, the settings, and the files after.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace cleaner::testing {

struct Scenario {
  const char* name;
  // Files to make under the scratch root; a name ending in "/" is a folder.
  std::vector<std::string> files;
  // The settings file beside the program, "\n" line ends; "{root}" stands for the
  // scratch root and "/" for the separator. Empty for no settings file at all.
  std::string settings;
  std::vector<std::string> args;
  // The current folder of the run, relative to the root ("" for the root).
  std::string cwd;
  int exit_code;
  // What is left under the root afterwards, the program itself not counted; the program
  // and its settings file live in "app/".
  std::set<std::string> left;
};

const std::vector<Scenario>& EndToEndScenarios();

}  // namespace cleaner::testing
