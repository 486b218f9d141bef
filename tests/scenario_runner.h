// Lays out a scenario in a scratch folder and runs a program of a target on it.
#pragma once

#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "process.h"
#include "scenarios.h"
#include "scratch.h"
#include "targets.h"

namespace cleaner::testing {

// One scenario on one target, the parameter of the tables that run every scenario.
struct TargetScenario {
  std::shared_ptr<Target> target;
  const Scenario* scenario;
};
void PrintTo(const TargetScenario& c, std::ostream* out);
std::string TestName(const TargetScenario& c);
// Every scenario on every target this binary checks.
std::vector<TargetScenario> AllTargetScenarios();

// Makes the scenario's files and settings under `root`, with the program `base` of
// `target` installed in root/app. Returns the program's path.
std::string LayOut(const Scenario& scenario, const Target& target, const std::string& base,
                   const std::string& root);

// The settings text of a scenario as `target` spells its paths.
std::string SettingsFor(const std::string& settings, const Target& target, const std::string& root);

// The files under `root`, the programs in root/app not counted.
std::set<std::string> TreeWithoutPrograms(const std::string& root);

}  // namespace cleaner::testing
