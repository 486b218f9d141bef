// The preview against the cleaner: on identical trees, the preview's "delete" lines name
// exactly the files that the cleaner then deletes, and the preview changes nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "scenario_runner.h"

namespace cleaner::testing {
namespace {

using Tree = std::set<std::string>;

// The paths of the preview's "delete" lines, relative to the scratch root.
Tree PreviewDeletions(const std::string& output, const Target& target, const std::string& root,
                      const std::string& cwd) {
  Tree deleted;
  const std::string host_root = target.HostPath(root);
  std::stringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("  delete     ", 0) != 0) continue;
    std::string path = line.substr(13);
    if (path.rfind(host_root, 0) == 0) {
      path = path.substr(host_root.size() + 1);
    } else {
      path = cwd.empty() ? path : cwd + "/" + path;  // relative to the current folder
    }
    for (char& c : path) {
      if (c == '\\') c = '/';
    }
    // A doubled separator (a folder given with a final one) names the same file.
    for (std::size_t at; (at = path.find("//")) != std::string::npos;) path.erase(at, 1);
    deleted.insert(path);
  }
  return deleted;
}

class PreviewMatchesTheCleaner : public ::testing::TestWithParam<TargetScenario> {};

TEST_P(PreviewMatchesTheCleaner, OnEveryScenario) {
  const TargetScenario& c = GetParam();
  ScratchDir preview_root, cleaner_root;
  LayOut(*c.scenario, *c.target, "cleaner", preview_root.path());
  const std::string preview = InstallProgram(*c.target, "cleaner-preview", preview_root / "app");
  const Tree before = TreeWithoutPrograms(preview_root.path());
  const ProcessResult shown = c.target->Run(preview, {}, preview_root / c.scenario->cwd);
  EXPECT_EQ(shown.exit_code, c.scenario->exit_code) << shown.std_out << shown.std_err;
  EXPECT_EQ(TreeWithoutPrograms(preview_root.path()), before) << "the preview changed the tree";

  const std::string cleaner = LayOut(*c.scenario, *c.target, "cleaner", cleaner_root.path());
  c.target->Run(cleaner, c.scenario->args, cleaner_root / c.scenario->cwd);
  Tree deleted;
  const Tree after = TreeWithoutPrograms(cleaner_root.path());
  for (const std::string& path : before) {
    if (!after.count(path)) deleted.insert(path);
  }
  EXPECT_EQ(PreviewDeletions(shown.std_out, *c.target, preview_root.path(), c.scenario->cwd),
            deleted)
      << shown.std_out;
}

INSTANTIATE_TEST_SUITE_P(, PreviewMatchesTheCleaner, ::testing::ValuesIn(AllTargetScenarios()),
                         [](const auto& info) { return TestName(info.param); });

// One settings file, and what the preview must say of it.
struct WarningCase {
  const char* name;
  std::vector<std::string> files;
  std::string settings;  // "" for no settings file
  int exit_code;
  std::vector<std::string> said;  // each must appear in the output
};

const std::string kLong(300, 'l');

std::vector<WarningCase> WarningCases() {
  return {
      {"NoFolderYet",
       {"f/a"},
       "[Entry]\nNumber=2\n[Path]\n2={root}/f\n[FileType]\n1=*\n",
       0,
       {"warning: no entry up to this one names a folder: the entry is passed over",
        "folder:    (none yet)"}},
      {"CountBeyondTheEntries",
       {"f/a"},
       "[Entry]\nNumber=5\n[Path]\n1={root}/f\n[FileType]\n2=*\n",
       0,
       {"warning: entries 3 to 5 have no values of their own and repeat entry 2",
        "(carried over from entry 1)"}},
      {"CutValue",
       {"f/a"},
       "[Entry]\nNumber=1\n[Path]\n1={root}/f\n[FileType]\n1=" + kLong + "\n",
       0,
       {"warning: the pattern is 300 characters long and is cut to its first 254"}},
      {"CutCount",
       {},
       "[Entry]\nNumber=00000001\n",
       0,
       {"warning: the count is 8 characters long and is cut to its first 7",
        "The count is not positive"}},
      {"FolderPart",
       {"f/sub/a.txt"},
       "[Entry]\nNumber=1\n[Path]\n1={root}/f\n[FileType]\n1=sub/*.txt\n",
       0,
       {"warning: the pattern has a folder part", "  delete     "}},
      {"KeyWithALeadingZero",
       {},
       "[Entry]\nNumber=1\n[Path]\n01={root}/f\n1={root}/f\n",
       0,
       {"warning: [Path] key \"01\" belongs to no entry"}},
      {"SettingsFileDeletesItself",
       {"g/b"},
       "[Entry]\nNumber=2\n[Path]\n1={root}/app\n2={root}/g\n[FileType]\n1=*.ini\n2=*\n",
       0,
       {"warning: this entry deletes the settings file itself",
        "Summary: 2 entries, 1 files would be deleted"}},
      {"MissingSettingsFile",
       {},
       "",
       0,
       {"warning: the settings file is missing or cannot be read",
        "[Entry] Number is missing or empty"}},
      {"BadCount",
       {"f/a"},
       "[Entry]\nNumber=abc\n[Path]\n1={root}/f\n[FileType]\n1=*\n",
       1,
       {"error: EConvertError: 'abc' は整数ではありません.", "exit code 1"}},
      {"Folders",
       {"f/sub.d/x", "f/a.d"},
       "[Entry]\nNumber=1\n[Path]\n1={root}/f\n[FileType]\n1=*.d\n",
       0,
       {"(a folder)", "Summary: 1 entries, 1 files would be deleted, 1 passed over."}},
  };
}

class PreviewWarnings : public ::testing::TestWithParam<std::shared_ptr<Target>> {};

TEST_P(PreviewWarnings, SayWhatAUserMustKnow) {
  const Target& target = *GetParam();
  for (const WarningCase& c : WarningCases()) {
    ScratchDir root;
    const Scenario scenario = {c.name, c.files, c.settings, {}, "", c.exit_code, {}};
    LayOut(scenario, target, "cleaner", root.path());
    const std::string preview = InstallProgram(target, "cleaner-preview", root / "app");
    const Tree before = TreeWithoutPrograms(root.path());
    const ProcessResult shown = target.Run(preview, {}, root.path());
    EXPECT_EQ(shown.exit_code, c.exit_code) << c.name;
    for (const std::string& text : c.said) {
      EXPECT_NE(shown.std_out.find(text), std::string::npos)
          << c.name << ": no \"" << text << "\" in\n"
          << shown.std_out;
    }
    EXPECT_EQ(TreeWithoutPrograms(root.path()), before) << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(, PreviewWarnings, ::testing::ValuesIn(AllTargets()),
                         [](const auto& info) { return info.param->Name(); });

TEST(Preview, ReadsTheSettingsFileItIsGiven) {
  const auto target = NativeTarget();
  ScratchDir root;
  WriteFile(root / "f/a.tmp");
  WriteFile(root / "elsewhere.ini",
            "[Entry]\nNumber=1\n[Path]\n1=" + (root / "f") + "\n[FileType]\n1=*.tmp\n");
  const std::string preview = InstallProgram(*target, "cleaner-preview", root / "app");
  const ProcessResult shown = target->Run(preview, {root / "elsewhere.ini"}, root.path());
  EXPECT_EQ(shown.exit_code, 0);
  EXPECT_NE(shown.std_out.find("  delete     " + (root / "f/a.tmp")), std::string::npos)
      << shown.std_out;
  EXPECT_TRUE(Exists(root / "f/a.tmp"));
}

TEST(Preview, SaysWhyEachListedFileIsPassedOver) {
  const auto target = NativeTarget();
  ScratchDir root;
  WriteFile(root / "f/ro.tmp");
  chmod((root / "f/ro.tmp").c_str(), 0444);
  MakeDirs(root / "f/dir.tmp");
  WriteFile(root / "f/ok.tmp");
  WriteFile(root / "app/cleaner.ini",
            "[Entry]\nNumber=1\n[Path]\n1=" + (root / "f") + "\n[FileType]\n1=*\n");
  const std::string preview = InstallProgram(*target, "cleaner-preview", root / "app");
  const std::string out = target->Run(preview, {}, root.path()).std_out;
  for (const std::string& line :
       {"  pass over  " + (root / "f/ro.tmp") + "  (read-only)",
        "  pass over  " + (root / "f/dir.tmp") + "  (a folder)", std::string("  (\".\" or \"..\")"),
        "  delete     " + (root / "f/ok.tmp")}) {
    EXPECT_NE(out.find(line), std::string::npos) << line << " in\n" << out;
  }
}

#ifdef CLEANER_WIN32_DIR
TEST(Preview, UnderWineNamesTheFilesListedOnlyThroughTheirShortNames) {
  const auto target = WineTarget();
  ScratchDir root;
  WriteFile(root / "f/index.htm");
  WriteFile(root / "f/report.html");
  WriteFile(root / "app/cleaner.ini",
            SettingsFor("[Entry]\nNumber=1\n[Path]\n1={root}/f\n[FileType]\n1=*.htm\n", *target,
                        root.path()));
  const std::string preview = InstallProgram(*target, "cleaner-preview", root / "app");
  const std::string out = target->Run(preview, {}, root.path()).std_out;
  const std::string folder = target->HostPath(root / "f");
  EXPECT_NE(out.find("  pass over  report.html  (matched only through its short name)"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("  delete     " + folder + "\\index.htm"), std::string::npos) << out;
}
#endif

}  // namespace
}  // namespace cleaner::testing
