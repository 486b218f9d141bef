// Faults around a run: files and folders that vanish under the sweep, settings files that
// are not files, huge settings, folders the program may not read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "run.h"
#include "scenario_runner.h"

namespace cleaner::testing {
namespace {

using Tree = std::set<std::string>;

// Lets a test act in the middle of a sweep, then deletes as the cleaner does.
class MeddlingActions : public RunActions {
 public:
  std::function<void(const std::string& target, ListedVerdict verdict)> on_listed;
  std::function<void(std::int32_t index)> on_entry;
  std::vector<CleanEntry> entries;

  void Listed(const std::string&, const std::string& target, ListedVerdict verdict) override {
    if (on_listed) on_listed(target, verdict);
  }
  void EntryStarting(std::int32_t index, const CleanEntry& entry, bool, bool) override {
    entries.push_back(entry);
    if (on_entry) on_entry(index);
  }
};

TEST(Faults, FilesThatVanishBeforeTheirDeletionArePassedOver) {
  ScratchDir dir;
  for (int i = 0; i < 40; ++i) WriteFile(dir / ("f/" + std::to_string(i) + ".tmp"));
  WriteFile(dir / "f/keep.txt");
  MeddlingActions actions;
  int vanished = 0;
  actions.on_listed = [&](const std::string& target, ListedVerdict verdict) {
    // Every other file is deleted by someone else just before the sweep gets to it.
    if (verdict == ListedVerdict::kDelete && vanished++ % 2 == 0) unlink(target.c_str());
  };
  SweepFolder(dir / "f", "*.tmp", actions);
  EXPECT_EQ(vanished, 40);
  EXPECT_EQ(ListTree(dir / "f"), Tree{"keep.txt"});
}

TEST(Faults, AFolderRemovedDuringItsSweepEndsTheSweepQuietly) {
  ScratchDir dir;
  for (int i = 0; i < 200; ++i) WriteFile(dir / ("f/" + std::to_string(i) + ".tmp"));
  WriteFile(dir / "g/other.tmp");
  MeddlingActions actions;
  bool removed = false;
  actions.on_listed = [&](const std::string&, ListedVerdict) {
    if (!removed) std::filesystem::remove_all(dir / "f");
    removed = true;
  };
  SweepFolder(dir / "f", "*.tmp", actions);
  EXPECT_FALSE(Exists(dir / "f"));
  EXPECT_TRUE(Exists(dir / "g/other.tmp"));
}

TEST(Faults, ASettingsFileRemovedDuringTheRunLeavesTheLastValuesInForce) {
  ScratchDir dir;
  for (const char* name : {"one/a.tmp", "one/a.bak", "two/b.tmp"}) WriteFile(dir / name);
  WriteFile(dir / "cleaner.ini", "[Entry]\nNumber=3\n[Path]\n1=" + (dir / "one") +
                                     "\n2=" + (dir / "two") + "\n[FileType]\n1=*.tmp\n3=*.bak\n");
  MeddlingActions actions;
  actions.on_entry = [&](std::int32_t index) {
    if (index == 1) unlink((dir / "cleaner.ini").c_str());
  };
  RunEntries(dir / "cleaner.ini", actions);
  ASSERT_EQ(actions.entries.size(), 3u);
  for (const CleanEntry& entry : actions.entries) {
    EXPECT_EQ(entry.Path, dir / "one");
    EXPECT_EQ(entry.FileType, "*.tmp");
  }
  EXPECT_EQ(ListTree(dir.path()), (Tree{"one/", "one/a.bak", "two/", "two/b.tmp"}));
}

TEST(Faults, AnotherProcessDeletingTheSameFilesChangesNothingElse) {
  ScratchDir root;
  const auto target = NativeTarget();
  constexpr int kFiles = 5000;
  for (int i = 0; i < kFiles; ++i) {
    WriteFile(root / ("f/" + std::to_string(i) + ".tmp"));
    WriteFile(root / ("f/" + std::to_string(i) + ".keep"));
  }
  const std::string program = InstallProgram(*target, "cleaner", root / "app");
  WriteFile(root / "app/cleaner.ini",
            "[Entry]\nNumber=1\n[Path]\n1=" + (root / "f") + "\n[FileType]\n1=*.tmp\n");
  RunningProcess cleaner = target->Start(program, {}, root.path());
  for (int i = kFiles - 1; i >= 0; --i)
    unlink((root / ("f/" + std::to_string(i) + ".tmp")).c_str());
  const ProcessResult result = WaitProcess(cleaner);
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(ListTree(root / "f").size(), static_cast<std::size_t>(kFiles));
  EXPECT_TRUE(Exists(root / "f/0.keep"));
}

TEST(Faults, AFolderTheProgramMayNotReadIsPassedOver) {
  ScratchDir root;
  const auto target = NativeTarget();
  WriteFile(root / "locked/a.tmp");
  WriteFile(root / "open/b.tmp");
  const std::string program = InstallProgram(*target, "cleaner", root / "app");
  WriteFile(root / "app/cleaner.ini", "[Entry]\nNumber=2\n[Path]\n1=" + (root / "locked") +
                                          "\n2=" + (root / "open") + "\n[FileType]\n1=*.tmp\n");
  chmod(root.path().c_str(), 0755);
  chmod((root / "locked").c_str(), 0);
  chmod((root / "open").c_str(), 0777);
  // Root reads every folder: the program runs as nobody to meet a refusal.
  const int uid = geteuid() == 0 ? 65534 : -1;
  RunningProcess run = StartProcess({program}, root.path(), {}, uid);
  const ProcessResult result = WaitProcess(run);
  chmod((root / "locked").c_str(), 0700);
  EXPECT_EQ(result.exit_code, 0) << result.std_err;
  EXPECT_TRUE(Exists(root / "locked/a.tmp"));
  EXPECT_FALSE(Exists(root / "open/b.tmp"));
}

// Settings files that are not what they seem, for both builds.
class OddSettings : public ::testing::TestWithParam<std::shared_ptr<Target>> {
 protected:
  void SetUp() override {
    WriteFile(root_ / "f/a.tmp");
    WriteFile(root_ / "f/b.txt");
    program_ = InstallProgram(*GetParam(), "cleaner", root_ / "app");
  }
  std::string Settings() const { return root_ / "app/cleaner.ini"; }
  std::string Entries() const {
    return SettingsFor("[Entry]\nNumber=1\n[Path]\n1={root}/f\n[FileType]\n1=*.tmp\n", *GetParam(),
                       root_.path());
  }
  ProcessResult Run() const { return GetParam()->Run(program_, {}, root_.path()); }

  ScratchDir root_;
  std::string program_;
};

TEST_P(OddSettings, ASettingsFileThatIsNoFileReadsAsMissing) {
  for (const char* kind : {"folder", "fifo", "endless device", "empty device", "dangling link"}) {
    const std::string k = kind;
    std::filesystem::remove_all(Settings());
    if (k == "folder") MakeDirs(Settings());
    if (k == "fifo") {
      ASSERT_EQ(mkfifo(Settings().c_str(), 0600), 0);
    }
    if (k == "endless device") {
      ASSERT_EQ(symlink("/dev/zero", Settings().c_str()), 0);
    }
    if (k == "empty device") {
      ASSERT_EQ(symlink("/dev/null", Settings().c_str()), 0);
    }
    if (k == "dangling link") {
      ASSERT_EQ(symlink("/nonexistent/x.ini", Settings().c_str()), 0);
    }
    const ProcessResult result = Run();
    EXPECT_FALSE(result.timed_out) << kind;
    EXPECT_EQ(result.exit_code, 0) << kind;
    EXPECT_EQ(ListTree(root_ / "f"), (Tree{"a.tmp", "b.txt"})) << kind;
  }
}

TEST_P(OddSettings, AHugeSettingsFileIsReadToItsEnd) {
  // 50 MB of comment lines before the entries.
  std::string text;
  const std::string junk = ";" + std::string(98, 'x') + "\n";
  text.reserve(50u << 20);
  while (text.size() < (50u << 20)) text += junk;
  WriteFile(Settings(), GetParam()->SettingsText(text) + Entries());
  const ProcessResult result = Run();
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(ListTree(root_ / "f"), Tree{"b.txt"});
}

TEST_P(OddSettings, AMegabyteLineOrValueIsCutNotFatal) {
  const std::string megabyte(1u << 20, 'm');
  // A 1 MB line before the entries, and a 1 MB value for an entry that is never used.
  WriteFile(Settings(),
            GetParam()->SettingsText("[Other]\nx=" + megabyte + "\n" + megabyte + "\n") +
                Entries() + GetParam()->SettingsText("[Path]\n2=" + megabyte + "\n"));
  ProcessResult result = Run();
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(ListTree(root_ / "f"), Tree{"b.txt"});
  // A 1 MB folder is cut to 254 characters and names no folder: nothing happens.
  WriteFile(root_ / "f/a.tmp");
  WriteFile(Settings(), GetParam()->SettingsText(
                            "[Entry]\nNumber=1\n[Path]\n1=" + GetParam()->HostPath(root_ / "f") +
                            megabyte + "\n[FileType]\n1=*\n"));
  result = Run();
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(ListTree(root_ / "f"), (Tree{"a.tmp", "b.txt"}));
}

INSTANTIATE_TEST_SUITE_P(, OddSettings, ::testing::ValuesIn(AllTargets()),
                         [](const auto& info) { return info.param->Name(); });

}  // namespace
}  // namespace cleaner::testing
