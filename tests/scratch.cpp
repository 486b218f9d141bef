#include "scratch.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace cleaner::testing {

ScratchDir::ScratchDir() {
  std::string templ = (fs::temp_directory_path() / "cleaner-test-XXXXXX").string();
  if (mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = templ;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  // Give back write permission so that read-only test files can go too.
  for (auto it = fs::recursive_directory_iterator(path_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    if (!it->is_symlink()) chmod(it->path().c_str(), 0700);
  }
  fs::remove_all(path_, ignored);
}

void MakeDirs(const std::string& path) { fs::create_directories(path); }

void WriteFile(const std::string& path, const std::string& content) {
  const fs::path parent = fs::path(path).parent_path();
  if (!parent.empty()) fs::create_directories(parent);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  if (!out) throw std::runtime_error("cannot write " + path);
}

bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::set<std::string> ListTree(const std::string& root) {
  std::set<std::string> entries;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
       ++it) {
    std::string relative = it->path().lexically_relative(root).string();
    if (it->is_directory() && !it->is_symlink()) relative += "/";
    entries.insert(relative);
  }
  return entries;
}

}  // namespace cleaner::testing
