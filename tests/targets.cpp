#include "targets.h"

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace cleaner::testing {
namespace {

class Native : public Target {
 public:
  std::string Name() const override { return "native"; }
  std::string ProgramName(const std::string& base) const override { return base; }
  std::string BuiltProgram(const std::string& base) const override {
    return std::string(CLEANER_NATIVE_DIR) + "/" + base;
  }
  std::string HostPath(const std::string& posix_path) const override { return posix_path; }
  std::string SettingsText(const std::string& text) const override { return text; }
  RunningProcess Start(const std::string& program, const std::vector<std::string>& args,
                       const std::string& cwd,
                       const std::vector<std::string>& extra_env) const override {
    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), args.begin(), args.end());
    return StartProcess(argv, cwd, extra_env);
  }
  bool IsWindows() const override { return false; }
};

#ifdef CLEANER_WIN32_DIR
class Wine : public Target {
 public:
  std::string Name() const override { return "wine"; }
  std::string ProgramName(const std::string& base) const override { return base + ".exe"; }
  std::string BuiltProgram(const std::string& base) const override {
    return std::string(CLEANER_WIN32_DIR) + "/" + base + ".exe";
  }
  // Wine's drive Z: is the root of the POSIX file system.
  std::string HostPath(const std::string& posix_path) const override {
    std::string path = "Z:" + posix_path;
    for (char& c : path) {
      if (c == '/') c = '\\';
    }
    return path;
  }
  std::string SettingsText(const std::string& text) const override {
    std::string crlf;
    for (char c : text) {
      if (c == '\n') crlf += '\r';
      crlf += c;
    }
    return crlf;
  }
  RunningProcess Start(const std::string& program, const std::vector<std::string>& args,
                       const std::string& cwd,
                       const std::vector<std::string>& extra_env) const override {
    std::vector<std::string> argv = {"wine", program};
    argv.insert(argv.end(), args.begin(), args.end());
    // Without a display no error box can block the run; the tests that read the box
    // give their own.
    std::vector<std::string> env = {"WINEDEBUG=-all", "DISPLAY="};
    env.insert(env.end(), extra_env.begin(), extra_env.end());
    return StartProcess(argv, cwd, env);
  }
  bool IsWindows() const override { return true; }
};
#endif

}  // namespace

std::shared_ptr<Target> NativeTarget() { return std::make_shared<Native>(); }

std::shared_ptr<Target> WineTarget() {
#ifdef CLEANER_WIN32_DIR
  return std::make_shared<Wine>();
#else
  return nullptr;
#endif
}

std::vector<std::shared_ptr<Target>> AllTargets() {
  std::vector<std::shared_ptr<Target>> targets = {NativeTarget()};
  if (auto wine = WineTarget()) targets.push_back(wine);
  return targets;
}

std::string InstallProgram(const Target& target, const std::string& base,
                           const std::string& folder) {
  const std::string built = target.BuiltProgram(base);
  if (!fs::exists(built)) throw std::runtime_error("the built program is missing: " + built);
  fs::create_directories(folder);
  const std::string copy = folder + "/" + target.ProgramName(base);
  fs::copy_file(built, copy, fs::copy_options::overwrite_existing);
  return copy;
}

}  // namespace cleaner::testing
