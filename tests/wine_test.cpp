// What only the Windows program has, run for real under Wine: file attributes, sharing,
// short names, the error box, and an ANSI code page with double-byte characters.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <regex>
#include <thread>

#include "scenario_runner.h"

namespace cleaner::testing {
namespace {

using Tree = std::set<std::string>;

std::string Helper(const std::string& name) {
  return std::string(CLEANER_WIN32_DIR) + "/tests/win32/" + name + ".exe";
}

class WineOnly : public ::testing::Test {
 protected:
  // Lays out the program with a one-entry settings file that sweeps root/f.
  std::string Install(const std::string& pattern) {
    const std::string program = InstallProgram(*wine_, "cleaner", root_ / "app");
    WriteFile(root_ / "app/cleaner.ini",
              SettingsFor("[Entry]\nNumber=1\n[Path]\n1={root}/f\n[FileType]\n1=" + pattern + "\n",
                          *wine_, root_.path()));
    return program;
  }
  // Sets a file's attributes through the Windows API and returns what it then reports.
  std::string SetAttributes(const std::string& file, const char* attributes) {
    const ProcessResult result =
        wine_->Run(Helper("probe"), {"attrib", wine_->HostPath(file), attributes}, root_.path());
    return result.std_out.substr(0, result.std_out.find_first_of("\r\n"));
  }
  Tree Folder() const { return ListTree(root_ / "f"); }

  std::shared_ptr<Target> wine_ = WineTarget();
  ScratchDir root_;
};

TEST_F(WineOnly, HiddenAndSystemFilesAreDeleted) {
  for (const char* name : {"hidden.tmp", "system.tmp", "both.tmp", "keep.txt"}) {
    WriteFile(root_ / ("f/" + std::string(name)));
  }
  // 0x20 archive is added by the system; what counts is that the bits took.
  ASSERT_EQ(SetAttributes(root_ / "f/hidden.tmp", "2"), "22");
  ASSERT_EQ(SetAttributes(root_ / "f/system.tmp", "4"), "24");
  ASSERT_EQ(SetAttributes(root_ / "f/both.tmp", "6"), "26");
  const std::string program = Install("*.tmp");
  EXPECT_EQ(wine_->Run(program, {}, root_.path()).exit_code, 0);
  EXPECT_EQ(Folder(), Tree{"keep.txt"});
}

TEST_F(WineOnly, AReadOnlyFileStaysAndTheFilesAfterItGo) {
  for (int i = 0; i < 30; ++i) WriteFile(root_ / ("f/f" + std::to_string(i) + ".log"));
  for (int i = 0; i < 30; i += 10) {
    ASSERT_EQ(SetAttributes(root_ / ("f/f" + std::to_string(i) + ".log"), "1"), "21");
  }
  const std::string program = Install("*.log");
  EXPECT_EQ(wine_->Run(program, {}, root_.path()).exit_code, 0);
  EXPECT_EQ(Folder(), (Tree{"f0.log", "f10.log", "f20.log"}));
}

TEST_F(WineOnly, AFileHeldOpenWithoutDeleteSharingStays) {
  for (const char* name : {"a.tmp", "held.tmp", "z.tmp"})
    WriteFile(root_ / ("f/" + std::string(name)));
  RunningProcess holder =
      wine_->Start(Helper("hold_open"),
                   {wine_->HostPath(root_ / "f/held.tmp"), wine_->HostPath(root_ / "ready"),
                    wine_->HostPath(root_ / "release")},
                   root_.path());
  for (int waited = 0; !Exists(root_ / "ready") && waited < 30000; waited += 20) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(Exists(root_ / "ready"));
  const std::string program = Install("*.tmp");
  EXPECT_EQ(wine_->Run(program, {}, root_.path()).exit_code, 0);
  EXPECT_EQ(Folder(), Tree{"held.tmp"});
  WriteFile(root_ / "release");
  EXPECT_EQ(WaitProcess(holder).exit_code, 0);
}

TEST_F(WineOnly, AMatchThroughTheShortNameAloneNeverDeletes) {
  for (const char* name : {"index.htm", "report.html", "notes.txt", "notes.txt~", "a.tmpx"}) {
    WriteFile(root_ / ("f/" + std::string(name)));
  }
  const std::string program = InstallProgram(*wine_, "cleaner", root_ / "app");
  WriteFile(root_ / "app/cleaner.ini", SettingsFor("[Entry]\nNumber=3\n[Path]\n1={root}/f\n"
                                                   "[FileType]\n1=*.htm\n2=*.txt\n3=*.tmp\n",
                                                   *wine_, root_.path()));
  EXPECT_EQ(wine_->Run(program, {}, root_.path()).exit_code, 0);
  // The system lists report.html for *.htm (its alias is REPORT~1.HTM): the
  // differential test shows it does; only the names themselves decide here.
  EXPECT_EQ(Folder(), (Tree{"a.tmpx", "notes.txt~", "report.html"}));
}

TEST_F(WineOnly, ANameThatNoPathCanReachIsPassedOver) {
  // Windows drops the final dot of a path, so deleting "foo." would delete "foo", which
  // the pattern does not match.
  WriteFile(root_ / "f/foo.");
  WriteFile(root_ / "f/foo");
  const std::string program = Install("f?o?");
  EXPECT_EQ(wine_->Run(program, {}, root_.path()).exit_code, 0);
  EXPECT_EQ(Folder(), (Tree{"foo", "foo."}));
}

TEST_F(WineOnly, TheErrorBoxShowsTheReportAndTheRunEndsWithOne) {
  const char* display = std::getenv("CLEANER_TEST_DISPLAY");
  ASSERT_TRUE(display != nullptr && *display != '\0')
      << "CLEANER_TEST_DISPLAY must name an X display (scripts/test starts Xvfb)";
  WriteFile(root_ / "f/a.tmp");
  const std::string program = InstallProgram(*wine_, "cleaner", root_ / "app");
  WriteFile(root_ / "app/cleaner.ini",
            SettingsFor("[Entry]\nNumber=abc\n[Path]\n1={root}/f\n[FileType]\n1=*\n", *wine_,
                        root_.path()));
  const std::vector<std::string> on_display = {std::string("DISPLAY=") + display};
  // Wine's desktop takes the display of the program that starts it, and one started
  // without a display cannot show windows: restart the shared server so that the
  // cleaner below starts the desktop on the display.
  RunProcess({"wineserver", "-k"}, root_.path());
  RunProcess({"wineserver", "-w"}, root_.path());
  RunProcess({"wineserver", "-p"}, root_.path());
  RunningProcess cleaner = wine_->Start(program, {}, root_.path(), on_display);
  const ProcessResult reader = wine_->Run(
      Helper("box_reader"), {wine_->HostPath(root_ / "box.txt")}, root_.path(), on_display);
  ASSERT_EQ(reader.exit_code, 0) << "no error box appeared";
  const ProcessResult result = WaitProcess(cleaner, 30);
  EXPECT_EQ(result.exit_code, 1);
  const std::regex box(
      "ｱﾌﾟﾘｹｰｼｮﾝ ｴﾗｰ\n"
      "EConvertErrorがﾓｼﾞｭｰﾙ cleaner\\.exe の [0-9A-F]{8} で発生しました。\r?\n"
      "'abc' は整数ではありません\\.");
  const std::string text = ReadWholeFile(root_ / "box.txt");
  EXPECT_TRUE(std::regex_match(text, box)) << text;
  EXPECT_EQ(Folder(), Tree{"a.tmp"});
}

TEST_F(WineOnly, WithoutADisplayABadCountStillEndsWithOne) {
  WriteFile(root_ / "f/a.tmp");
  const std::string program = InstallProgram(*wine_, "cleaner", root_ / "app");
  WriteFile(root_ / "app/cleaner.ini", "[Entry]\r\nNumber=3.0\r\n");
  const ProcessResult result = wine_->Run(program, {}, root_.path());
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(Folder(), Tree{"a.tmp"});
}

TEST_F(WineOnly, FindsItsSettingsInAFolderWithADoubleByteName) {
  // "ソ" is 0x83 0x5C in code page 932: its second byte is the backslash.
  const std::string so = "\xE3\x82\xBD";  // UTF-8 on disk
  const std::string so_932 = "\x83\x5C";  // what the ANSI functions see
  WriteFile(root_ / (so + "/data" + so + "/a.tmp"));
  WriteFile(root_ / (so + "/data" + so + "/b.txt"));
  const std::string program = InstallProgram(*wine_, "cleaner", root_ / (so + "/app" + so));
  WriteFile(root_ / (so + "/app" + so + "/cleaner.ini"),
            "[Entry]\r\nNumber=1\r\n[Path]\r\n1=" + wine_->HostPath(root_.path()) + "\\" + so_932 +
                "\\data" + so_932 + "\r\n[FileType]\r\n1=*.tmp\r\n");
  const ProcessResult result =
      wine_->Run(program, {}, root_.path(), {"LANG=ja_JP.UTF-8", "LC_ALL=ja_JP.UTF-8"});
  EXPECT_EQ(result.exit_code, 0) << result.std_err;
  EXPECT_EQ(ListTree(root_ / (so + "/data" + so)), Tree{"b.txt"});
}

}  // namespace
}  // namespace cleaner::testing
