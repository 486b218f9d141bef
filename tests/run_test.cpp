#include "run.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "errors.h"
#include "scratch.h"

namespace cleaner {
namespace {

using testing::Exists;
using testing::ListTree;
using testing::ScratchDir;
using testing::WriteFile;
using Tree = std::set<std::string>;

// Deletes as the cleaner does and remembers what the run reported.
class RecordingActions : public RunActions {
 public:
  struct Entry {
    std::int32_t index;
    CleanEntry entry;
  };
  std::vector<Entry> entries;
  std::vector<std::string> listed;
  int without_folder = 0;

  void EntryStarting(std::int32_t index, const CleanEntry& entry, bool, bool) override {
    entries.push_back({index, entry});
  }
  void PassedOverWithoutFolder() override { ++without_folder; }
  void Listed(const std::string& name, const std::string&, ListedVerdict) override {
    listed.push_back(name);
  }
};

TEST(SweepFolder, DeletesMatchingFilesHiddenOnesTooAndNeverFolders) {
  ScratchDir dir;
  for (const char* name : {"a.tmp", ".b.tmp", ".tmp", "c.txt", "d.tmp.txt", "sub.tmp/e.tmp",
                           "sub.tmp/deeper/f.tmp", "other/g.tmp"}) {
    WriteFile(dir / name);
  }
  SweepFolder(dir.path(), "*.tmp");
  EXPECT_EQ(ListTree(dir.path()),
            (Tree{"c.txt", "d.tmp.txt", "other/", "other/g.tmp", "sub.tmp/", "sub.tmp/deeper/",
                  "sub.tmp/deeper/f.tmp", "sub.tmp/e.tmp"}));
}

TEST(SweepFolder, EveryPatternForAllFilesTakesOnlyTheFilesDirectlyInside) {
  for (const char* pattern : {"*", "*.*"}) {
    ScratchDir dir;
    for (const char* name : {"a", ".b", "c.d.e", "sub/x", "sub.d/y"}) WriteFile(dir / name);
    SweepFolder(dir.path(), pattern);
    EXPECT_EQ(ListTree(dir.path()), (Tree{"sub/", "sub/x", "sub.d/", "sub.d/y"})) << pattern;
  }
}

TEST(SweepFolder, AReadOnlyFileStaysAndTheSweepGoesOn) {
  ScratchDir dir;
  for (int i = 0; i < 50; ++i) WriteFile(dir / ("f" + std::to_string(i) + ".log"));
  // Read-only files spread through the listing order, so that some are listed early.
  for (int i = 0; i < 50; i += 10) chmod((dir / ("f" + std::to_string(i) + ".log")).c_str(), 0444);
  RecordingActions actions;
  SweepFolder(dir.path(), "*.log", actions);
  EXPECT_EQ(ListTree(dir.path()), (Tree{"f0.log", "f10.log", "f20.log", "f30.log", "f40.log"}));
  EXPECT_EQ(actions.listed.size(), 50u);
}

TEST(SweepFolder, LinksAreRemovedNeverFollowed) {
  ScratchDir dir, outside;
  WriteFile(outside / "target.dat", "keep");
  WriteFile(outside / "folder/inner.dat");
  testing::MakeDirs(dir / "work");
  ASSERT_EQ(symlink((outside / "target.dat").c_str(), (dir / "work/to-file.dat").c_str()), 0);
  ASSERT_EQ(symlink((outside / "folder").c_str(), (dir / "work/to-folder.dat").c_str()), 0);
  ASSERT_EQ(symlink((outside / "gone").c_str(), (dir / "work/dangling.dat").c_str()), 0);
  ASSERT_EQ(symlink((outside / "target.dat").c_str(), (dir / "work/ro-link.dat").c_str()), 0);
  chmod((outside / "target.dat").c_str(), 0444);  // a link is judged by itself

  SweepFolder(dir / "work", "*.dat");
  EXPECT_EQ(ListTree(dir / "work"), (Tree{"to-folder.dat"}));
  EXPECT_EQ(testing::ReadWholeFile(outside / "target.dat"), "keep");
  EXPECT_TRUE(Exists(outside / "folder/inner.dat"));
}

TEST(SweepFolder, FolderPathForms) {
  ScratchDir dir;
  const Tree files = {"a.tmp", "b.txt"};
  struct {
    std::string path;
    std::string pattern;
    Tree left;
  } cases[] = {
      {dir / "f", "*.tmp", {"b.txt"}},
      {dir / "f/", "*.tmp", {"b.txt"}},  // a final separator is doubled, and accepted
      {dir / "f", "", files},            // an empty pattern lists nothing
      {dir / "f", "a.tmp/", files},
      {dir / "f/nowhere", "*", files},
      {dir / "f", "*.TMP", files},  // POSIX names are case-sensitive
      {dir / "f", "a.tmp", {"b.txt"}},
  };
  for (const auto& c : cases) {
    for (const std::string& name : files) WriteFile(dir / ("f/" + name));
    SweepFolder(c.path, c.pattern);
    EXPECT_EQ(ListTree(dir / "f"), c.left) << c.path << " " << c.pattern;
  }
}

TEST(SweepFolder, RelativeFolderIsTakenFromTheCurrentFolder) {
  ScratchDir dir;
  WriteFile(dir / "here/a.tmp");
  WriteFile(dir / "a.tmp");
  char* previous = getcwd(nullptr, 0);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  SweepFolder("here", "*.tmp");
  ASSERT_EQ(chdir(previous), 0);
  free(previous);
  EXPECT_EQ(ListTree(dir.path()), (Tree{"a.tmp", "here/"}));
}

TEST(SweepFolder, APatternWithAFolderPartDeletesWhatItListed) {
  ScratchDir dir;
  for (const char* name : {"a.txt", "sub/a.txt", "sub/b.txt", "sub/c.dat"}) WriteFile(dir / name);
  SweepFolder(dir.path(), "sub/*.txt");
  // Joining the listed names to the folder alone would have deleted the outer a.txt.
  EXPECT_EQ(ListTree(dir.path()), (Tree{"a.txt", "sub/", "sub/c.dat"}));
}

TEST(SweepFolder, WildcardsInAFolderPartListNothing) {
  ScratchDir dir;
  WriteFile(dir / "sub/a.txt");
  SweepFolder(dir.path(), "s*/a.txt");
  EXPECT_TRUE(Exists(dir / "sub/a.txt"));
}

TEST(SweepFolder, ATargetPathTooLongToDeleteWholeIsPassedOver) {
  ScratchDir dir;
  // Build a folder whose path leaves no room for the file name below the platform limit.
  std::string deep = dir.path();
  while (deep.size() < PATH_MAX - 300) {
    deep += "/" + std::string(200, 'd');
    ASSERT_EQ(mkdir(deep.c_str(), 0700), 0);
  }
  const std::string name = std::string(250, 'n') + ".tmp";
  const int folder = open(deep.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(folder, 0);
  const int file = openat(folder, name.c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(file, 0);
  close(file);
  WriteFile(deep + "/short.tmp");

  RecordingActions actions;
  SweepFolder(deep, "*.tmp", actions);
  struct stat info;
  EXPECT_EQ(fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW), 0);
  EXPECT_FALSE(Exists(deep + "/short.tmp"));
  EXPECT_EQ(actions.listed.size(), 2u);
  unlinkat(folder, name.c_str(), 0);
  close(folder);
}

TEST(SweepFolder, AFolderThatIsGoneOrUnreadableIsNothingToDo) {
  ScratchDir dir;
  WriteFile(dir / "locked/a.tmp");
  chmod((dir / "locked").c_str(), 0);
  RecordingActions actions;
  SweepFolder(dir / "missing", "*", actions);
  if (geteuid() != 0) SweepFolder(dir / "locked", "*", actions);
  EXPECT_TRUE(actions.listed.empty());
}

// Writes a settings file and runs the entries it names.
class RunEntriesTest : public ::testing::Test {
 protected:
  std::string ini() const { return dir_ / "cleaner.ini"; }
  std::string Folder(const std::string& name) const { return dir_ / name; }
  void WriteSettings(const std::string& text) { WriteFile(ini(), text); }
  void Run() { RunEntries(ini(), actions_); }

  ScratchDir dir_;
  RecordingActions actions_;
};

TEST_F(RunEntriesTest, CountSyntaxDecidesHowManyEntriesRun) {
  const struct {
    const char* count_line;
    std::size_t entries;
  } cases[] = {{"Number=2", 2},     {"Number=+3", 3},      {"Number=$3", 3}, {"Number=0", 0},
               {"Number=-1", 0},    {"Number=", 0},        {"", 0},          {"Number=  2", 2},
               {"Number=\"2\"", 2}, {"Number=00000002", 0}};  // cut to "0000000"
  for (const auto& c : cases) {
    actions_.entries.clear();
    WriteSettings("[Entry]\n" + std::string(c.count_line) + "\n[Path]\n1=" + Folder("x") + "\n");
    Run();
    EXPECT_EQ(actions_.entries.size(), c.entries) << c.count_line;
  }
}

TEST_F(RunEntriesTest, ABadCountStopsTheRunBeforeAnyEntry) {
  for (const char* count : {"abc", "3x", "3.0", "-$10", "$"}) {
    WriteFile(Folder("x/a.tmp"));
    WriteSettings("[Entry]\nNumber=" + std::string(count) + "\n[Path]\n1=" + Folder("x") +
                  "\n[FileType]\n1=*\n");
    EXPECT_THROW(Run(), EConvertError) << count;
    EXPECT_TRUE(Exists(Folder("x/a.tmp"))) << count;
    EXPECT_TRUE(actions_.entries.empty());
  }
}

TEST_F(RunEntriesTest, ValuesCarryOverUntilAnEntryGivesItsOwn) {
  for (const char* name : {"one/a.tmp", "one/a.bak", "one/a.log", "two/b.tmp", "two/b.bak",
                           "three/c.bak", "three/c.tmp"}) {
    WriteFile(Folder(name));
  }
  // Entry 2 has no values at all; entry 3 a folder only; entry 5 a pattern only.
  WriteSettings("[Entry]\nNumber=6\n[Path]\n1=" + Folder("one") + "\n3=" + Folder("two") +
                "\n6=" + Folder("three") + "\n4=\n[FileType]\n1=*.tmp\n5=*.bak\n");
  Run();
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"one", "*.tmp"}, {"one", "*.tmp"}, {"two", "*.tmp"},
      {"two", "*.tmp"}, {"two", "*.bak"}, {"three", "*.bak"}};
  ASSERT_EQ(actions_.entries.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(actions_.entries[i].index, static_cast<std::int32_t>(i + 1));
    EXPECT_EQ(actions_.entries[i].entry.Path, Folder(expected[i].first));
    EXPECT_EQ(actions_.entries[i].entry.FileType, expected[i].second);
  }
  EXPECT_EQ(ListTree(Folder("")), (Tree{"cleaner.ini", "one/", "one/a.bak", "one/a.log", "two/",
                                        "three/", "three/c.tmp"}));
}

TEST_F(RunEntriesTest, SeveralPatternsInOneFolder) {
  for (const char* name : {"a.tmp", "a.bak", "a.old", "a.txt"}) WriteFile(Folder("f/") + name);
  WriteSettings("[Entry]\nNumber=3\n[Path]\n1=" + Folder("f") +
                "\n[FileType]\n1=*.tmp\n2=*.bak\n3=*.old\n");
  Run();
  EXPECT_EQ(ListTree(Folder("f")), (Tree{"a.txt"}));
}

TEST_F(RunEntriesTest, AnEntryWithoutAnyFolderYetIsPassedOver) {
  WriteSettings("[Entry]\nNumber=2\n[Path]\n2=" + Folder("f") + "\n[FileType]\n1=*\n");
  WriteFile(Folder("f/a"));
  Run();
  EXPECT_EQ(actions_.without_folder, 1);
  EXPECT_FALSE(Exists(Folder("f/a")));
}

TEST_F(RunEntriesTest, TheSettingsFileMayDeleteItself) {
  WriteFile(Folder("other.ini"));
  WriteSettings("[Entry]\nNumber=3\n[Path]\n1=" + Folder("") + "\n2=/nonexistent\n" +
                "[FileType]\n1=*.ini\n3=*\n");
  Run();
  // Entries 2 and 3 read nothing once the file is gone, and repeat entry 1.
  ASSERT_EQ(actions_.entries.size(), 3u);
  EXPECT_EQ(actions_.entries[2].entry.Path, Folder(""));
  EXPECT_EQ(actions_.entries[2].entry.FileType, "*.ini");
  EXPECT_EQ(ListTree(Folder("")), Tree{});
}

TEST_F(RunEntriesTest, NoSettingsFileIsNoWork) {
  Run();
  EXPECT_TRUE(actions_.entries.empty());
}

TEST(RunEntries, WithoutASettingsFileNameNothingIsRead) {
  // An empty name would have the profile API read another file.
  class CountingReads : public RunActions {
   public:
    int reads = 0;
    bool Read(const std::string&, const std::string&, std::string&, const std::string&,
              std::size_t) override {
      ++reads;
      return false;
    }
  } actions;
  RunEntries("", actions);
  EXPECT_EQ(actions.reads, 0);
}

}  // namespace
}  // namespace cleaner
