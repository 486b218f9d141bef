#include "scenario_runner.h"

namespace cleaner::testing {

void PrintTo(const TargetScenario& c, std::ostream* out) {
  *out << c.target->Name() << " " << c.scenario->name;
}

std::string TestName(const TargetScenario& c) { return c.target->Name() + "_" + c.scenario->name; }

std::vector<TargetScenario> AllTargetScenarios() {
  std::vector<TargetScenario> cases;
  for (const auto& target : AllTargets()) {
    for (const Scenario& scenario : EndToEndScenarios()) cases.push_back({target, &scenario});
  }
  return cases;
}

std::string SettingsFor(const std::string& settings, const Target& target,
                        const std::string& root) {
  std::string text;
  for (std::size_t at = 0; at < settings.size();) {
    if (settings.compare(at, 6, "{root}") == 0) {
      // A path from the root up to the end of its line, spelled the target's way.
      const std::size_t end = settings.find_first_of("\n\"", at);
      text += target.HostPath(root + settings.substr(at + 6, end - at - 6));
      at = end;
    } else {
      text += settings[at++];
    }
  }
  if (target.IsWindows()) {
    for (char& c : text) {
      if (c == '/') c = '\\';
    }
  }
  return target.SettingsText(text);
}

std::string LayOut(const Scenario& scenario, const Target& target, const std::string& base,
                   const std::string& root) {
  for (const std::string& file : scenario.files) {
    if (file.back() == '/')
      MakeDirs(root + "/" + file);
    else
      WriteFile(root + "/" + file);
  }
  const std::string program = InstallProgram(target, base, root + "/app");
  if (!scenario.settings.empty()) {
    WriteFile(root + "/app/" + base + ".ini", SettingsFor(scenario.settings, target, root));
  }
  return program;
}

std::set<std::string> TreeWithoutPrograms(const std::string& root) {
  std::set<std::string> tree = ListTree(root);
  for (const char* program : {"cleaner", "cleaner.exe", "cleaner-preview", "cleaner-preview.exe"}) {
    tree.erase(std::string("app/") + program);
  }
  return tree;
}

}  // namespace cleaner::testing
