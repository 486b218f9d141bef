// The builds of the program that the end-to-end tests run: the native executable, and the
// Windows executable under Wine. Each knows how its settings files spell a path.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "process.h"

namespace cleaner::testing {

class Target {
 public:
  virtual ~Target() = default;
  virtual std::string Name() const = 0;
  // File name of the program, and the built program to copy from.
  virtual std::string ProgramName(const std::string& base) const = 0;
  virtual std::string BuiltProgram(const std::string& base) const = 0;
  // `posix_path` as the settings file of this build names it.
  virtual std::string HostPath(const std::string& posix_path) const = 0;
  // A settings text with "\n" line ends, in this build's line ends.
  virtual std::string SettingsText(const std::string& text) const = 0;
  virtual RunningProcess Start(const std::string& program, const std::vector<std::string>& args,
                               const std::string& cwd,
                               const std::vector<std::string>& extra_env = {}) const = 0;
  ProcessResult Run(const std::string& program, const std::vector<std::string>& args,
                    const std::string& cwd, const std::vector<std::string>& extra_env = {}) const {
    RunningProcess process = Start(program, args, cwd, extra_env);
    return WaitProcess(process);
  }
  virtual bool IsWindows() const = 0;
};

// The targets this test binary was built to check: always native; Windows under Wine
// when the build was configured with the Windows program.
std::vector<std::shared_ptr<Target>> AllTargets();
std::shared_ptr<Target> NativeTarget();
std::shared_ptr<Target> WineTarget();  // nullptr when not configured

// Copies the built program into `folder` and returns the copy's path.
std::string InstallProgram(const Target& target, const std::string& base,
                           const std::string& folder);

}  // namespace cleaner::testing
