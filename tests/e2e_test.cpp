// Runs the built program as a process on real folders, once per build: native, and the
// Windows program under Wine where the build has it.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "scenario_runner.h"

namespace cleaner::testing {
namespace {

class EndToEnd : public ::testing::TestWithParam<TargetScenario> {};

TEST_P(EndToEnd, LeavesExactlyWhatTheSettingsSpare) {
  const TargetScenario& c = GetParam();
  ScratchDir root;
  const std::string program = LayOut(*c.scenario, *c.target, "cleaner", root.path());
  const ProcessResult result = c.target->Run(program, c.scenario->args, root / c.scenario->cwd);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_code, c.scenario->exit_code) << result.std_err;
  EXPECT_EQ(TreeWithoutPrograms(root.path()), c.scenario->left);
  if (!c.target->IsWindows() && c.scenario->exit_code == 0) {
    EXPECT_EQ(result.std_out + result.std_err, "") << "the program is silent";
  }
}

INSTANTIATE_TEST_SUITE_P(, EndToEnd, ::testing::ValuesIn(AllTargetScenarios()),
                         [](const auto& info) { return TestName(info.param); });

TEST(EndToEndNative, ABadCountIsReportedOnStandardError) {
  ScratchDir root;
  const auto target = NativeTarget();
  const std::string program = InstallProgram(*target, "cleaner", root / "app");
  WriteFile(root / "app/cleaner.ini", "[Entry]\nNumber=12ab\n");
  const ProcessResult result = target->Run(program, {}, root.path());
  EXPECT_EQ(result.exit_code, 1);
  const std::regex report(
      "ｱﾌﾟﾘｹｰｼｮﾝ ｴﾗｰ\n"
      "EConvertErrorがﾓｼﾞｭｰﾙ cleaner の [0-9A-F]{8} で発生しました。\n"
      "'12ab' は整数ではありません\\.\n");
  EXPECT_TRUE(std::regex_match(result.std_err, report)) << result.std_err;
}

}  // namespace
}  // namespace cleaner::testing
