// Scratch folders of real files for the tests.
#pragma once

#include <set>
#include <string>

namespace cleaner::testing {

// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

 private:
  std::string path_;
};

// Writes `content` to `path`, making the folders on the way.
void WriteFile(const std::string& path, const std::string& content = "x");
void MakeDirs(const std::string& path);
bool Exists(const std::string& path);
std::string ReadWholeFile(const std::string& path);
// Every file and folder below `root`, as paths relative to it ("sub/" for a folder).
std::set<std::string> ListTree(const std::string& root);

}  // namespace cleaner::testing
