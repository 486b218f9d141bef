#include "settings.h"

#include <gtest/gtest.h>

#include <string>

#include "cp932.h"
#include "errors.h"
#include "scratch.h"

namespace cleaner {
namespace {

bool NoLeadBytes(unsigned char) { return false; }

struct CountCase {
  const char* text;
  std::int32_t value;
};

const CountCase kGoodCounts[] = {
    {"0", 0},
    {"3", 3},
    {"+3", 3},
    {"-1", -1},
    {"007", 7},
    {"   12", 12},
    {"$10", 16},
    {"$ff", 255},
    {"$FF", 255},
    {"$7FFFFFFF", 2147483647},
    {"$FFFFFFFF", -1},
    {"$80000000", -2147483647 - 1},
    {"$000000010", 16},
    {"2147483647", 2147483647},
    {"-2147483648", -2147483647 - 1},
    {"+0", 0},
    {"-0", 0},
};

TEST(StrToInt, AcceptsTheCountSyntax) {
  for (const CountCase& c : kGoodCounts) {
    EXPECT_EQ(StrToInt(c.text), c.value) << "'" << c.text << "'";
  }
}

const char* const kBadCounts[] = {
    "",     "   ",  "abc",  "3x",         "3.0",         "3 ",         " 3 ",
    "\t3",  "-$10", "+$10", "$",          "$g",          "+",          "-",
    "0x10", "x10",  "1e3",  "2147483648", "-2147483649", "$100000000", "99999999999999999999",
    "3\n",  "٣",
};

TEST(StrToInt, RejectsEverythingElseWithTheTextQuoted) {
  for (const char* text : kBadCounts) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "'" << text << "' converted";
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.Argument(), text);
      EXPECT_EQ(std::string(error.what()), "'" + std::string(text) + "' は整数ではありません");
      EXPECT_STREQ(error.ClassName(), "EConvertError");
    }
  }
}

struct LocationCase {
  std::string executable;
  std::string settings;
};

TEST(SettingsFileFor, ReplacesOrAppendsTheExtensionOnWindowsPaths) {
  using testing::kHyo;
  using testing::kSo;
  const LocationCase cases[] = {
      {"C:\\Tools\\cleaner.exe", "C:\\Tools\\cleaner.ini"},
      {"C:\\Tools\\cleaner", "C:\\Tools\\cleaner.ini"},
      {"C:\\My.Tools\\cleaner", "C:\\My.Tools\\cleaner.ini"},
      {"C:\\Tools\\clean.er.exe", "C:\\Tools\\clean.er.ini"},
      {"C:cleaner", "C:cleaner.ini"},
      {"cleaner.", "cleaner.ini"},
      // The trail byte 0x5C of a double-byte character is not a separator...
      {std::string("C:\\") + kSo + ".exe", std::string("C:\\") + kSo + ".ini"},
      {std::string("C:\\a.b\\") + kHyo, std::string("C:\\a.b\\") + kHyo + ".ini"},
      // ...nor is a trail byte that looks like a dot (0x2E never trails, 0x3A neither).
      {std::string("C:\\x") + kSo + "y.z\\cleaner",
       std::string("C:\\x") + kSo + "y.z\\cleaner.ini"},
  };
  for (const LocationCase& c : cases) {
    EXPECT_EQ(SettingsFileFor(c.executable, "\\:", testing::IsCp932LeadByte), c.settings)
        << c.executable;
  }
  // "a.b" + "ソ" + "c" is one file name with the extension ".bソc": read without the code
  // page, the trail byte 0x5C would end the folder name and hide that extension.
  const std::string name = std::string("C:\\a.b") + kSo + "c";
  EXPECT_EQ(SettingsFileFor(name, "\\:", testing::IsCp932LeadByte), "C:\\a.ini");
  EXPECT_EQ(SettingsFileFor(name, "\\:", NoLeadBytes), name + ".ini");
}

TEST(SettingsFileFor, PosixPaths) {
  const LocationCase cases[] = {
      {"/opt/tools/cleaner", "/opt/tools/cleaner.ini"},
      {"/opt/my.tools/cleaner", "/opt/my.tools/cleaner.ini"},
      {"/opt/tools/cleaner.bin", "/opt/tools/cleaner.ini"},
      {"/opt/tools/.cleaner", "/opt/tools/.ini"},
      {"/opt/tools/a:b", "/opt/tools/a:b.ini"},
  };
  for (const LocationCase& c : cases) {
    EXPECT_EQ(SettingsFileFor(c.executable, "/", NoLeadBytes), c.settings) << c.executable;
  }
}

TEST(ReadIniValue, ReadsARealFileAndCutsToTheRoomGiven) {
  testing::ScratchDir dir;
  const std::string ini = dir / "cleaner.ini";
  testing::WriteFile(ini, "[Entry]\r\nNumber=12345678\r\n[Path]\r\n1=" + std::string(300, 'p') +
                              "\r\n2=\r\n01=wrong\r\n");
  std::string value = "stale";
  EXPECT_TRUE(ReadIniValue("Entry", "Number", value, ini, 8));
  EXPECT_EQ(value, "1234567");
  EXPECT_TRUE(ReadIniValue("Path", "1", value, ini, 255));
  EXPECT_EQ(value, std::string(254, 'p'));
  EXPECT_FALSE(ReadIniValue("Path", "2", value, ini, 255));  // present but empty
  EXPECT_EQ(value, "");
  EXPECT_FALSE(ReadIniValue("Path", "3", value, ini, 255));
  EXPECT_FALSE(ReadIniValue("Entry", "Number", value, dir / "missing.ini", 8));
  EXPECT_EQ(value, "");
}

}  // namespace
}  // namespace cleaner
