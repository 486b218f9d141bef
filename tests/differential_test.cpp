// The POSIX layer against the real Windows API under Wine: the INI reader against
// GetPrivateProfileStringA, the wildcard matcher against FindFirstFileA. Where the two
// disagree on purpose, the case says so and why; every other case must agree.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ini_reader.h"
#include "scratch.h"
#include "targets.h"
#include "wildcard.h"
#include "wine_probe.h"

namespace cleaner::testing {
namespace {

struct Query {
  const char* section;
  const char* key;
  std::size_t size;
};

struct IniCase {
  const char* name;
  std::string text;
  std::vector<Query> queries;
  // Non-empty where the POSIX reader departs from Wine on purpose: the reason.
  const char* difference = "";
};

const std::vector<Query> kCount = {{"Entry", "Number", 8}};
const std::vector<Query> kPath = {{"Path", "1", 255}};

std::vector<IniCase> IniCases() {
  return {
      {"plain", "[Entry]\nNumber=3\n", kCount},
      {"crlf", "[Entry]\r\nNumber=3\r\n", kCount},
      {"no final line end", "[Entry]\r\nNumber=3", kCount},
      {"utf-8 byte-order mark", "\xEF\xBB\xBF[Entry]\r\nNumber=3\r\n", kCount},
      {"section case", "[eNTRY]\r\nNumber=3\r\n", kCount},
      {"key case", "[Entry]\r\nNUMBER=3\r\n", kCount},
      {"blanks inside the brackets", "[  Entry\t]\r\nNumber=3\r\n", kCount},
      {"blanks before the header", "  \t[Entry]\r\nNumber=3\r\n", kCount},
      {"blanks around the key", " \t Number \t =3\r\n", kCount},
      {"blanks around the key in a section", "[Entry]\r\n \t Number \t =3\r\n", kCount},
      {"blanks around the value", "[Path]\r\n1= \t C:\\Temp \t \r\n", kPath},
      {"blanks inside the value", "[Path]\r\n1=C:\\My  Files\r\n", kPath},
      {"double quotes", "[Path]\r\n1=\" C:\\Temp \"\r\n", kPath},
      {"single quotes", "[Path]\r\n1=' C:\\Temp '\r\n", kPath},
      {"quotes with blanks outside", "[Path]\r\n1=  \"x\"  \r\n", kPath},
      {"unmatched quote", "[Path]\r\n1=\"C:\\Temp\r\n", kPath},
      {"closing quote only", "[Path]\r\n1=C:\\Temp\"\r\n", kPath},
      {"mixed quotes", "[Path]\r\n1=\"C:\\Temp'\r\n", kPath},
      {"lone quote", "[Path]\r\n1=\"\r\n", kPath},
      {"doubled quotes", "[Path]\r\n1=\"\"x\"\"\r\n", kPath},
      {"quote inside", "[Path]\r\n1=a\"b\"c\r\n", kPath},
      {"empty value", "[Entry]\r\nNumber=\r\n", kCount},
      {"empty quoted value", "[Entry]\r\nNumber=\"\"\r\n", kCount},
      {"semicolon comment", "[Entry]\r\n;Number=2\r\nNumber=3\r\n", kCount},
      {"hash comment", "[Entry]\r\n#Number=2\r\nNumber=3\r\n", kCount},
      {"comment after the value", "[Entry]\r\nNumber=3 ; three\r\n", kCount},
      {"repeated section", "[Entry]\r\nOther=1\r\n[Entry]\r\nNumber=3\r\n", kCount},
      {"repeated key", "[Entry]\r\nNumber=3\r\nNumber=4\r\n", kCount},
      {"repeated key after an empty one", "[Entry]\r\nNumber=\r\nNumber=4\r\n", kCount},
      {"line without equals", "[Entry]\r\nNumber\r\nNumber=4\r\n", kCount},
      {"key before any section", "Number=2\r\n[Entry]\r\nNumber=3\r\n", kCount},
      {"header without closing bracket", "[Entry\r\nNumber=3\r\n", kCount},
      {"bracket inside the header",
       "[En]try]\r\nNumber=3\r\n",
       {{"En]try", "Number", 8}, {"En", "Number", 8}}},
      {"text after the header", "[Entry] old\r\nNumber=3\r\n", kCount},
      {"empty section name",
       "[]\r\nNumber=3\r\n[Entry]\r\nNumber=4\r\n",
       {{"", "Number", 8}, {"Entry", "Number", 8}}},
      {"equals in the value", "[Path]\r\n1=a=b\r\n", kPath},
      {"old mac line ends", "[Entry]\rNumber=3\r", kCount},
      {"mixed line ends", "[Entry]\nOther=1\r\nNumber=3\n", kCount},
      {"blank and empty lines", "\r\n   \r\n[Entry]\r\n\r\n \t \r\nNumber=3\r\n\r\n", kCount},
      {"blank inside a key", "[Entry]\r\nNum ber=3\r\n", {{"Entry", "Num ber", 8}}},
      {"blank inside a section", "[En try]\r\nNumber=3\r\n", {{"En try", "Number", 8}}},
      {"count of seven digits", "[Entry]\r\nNumber=1234567\r\n", kCount},
      {"count of eight digits", "[Entry]\r\nNumber=12345678\r\n", kCount},
      {"quoted count longer than its room", "[Entry]\r\nNumber=\"123456789\"\r\n", kCount},
      {"quoted count filling its room", "[Entry]\r\nNumber=\"1234567\"\r\n", kCount,
       "Wine cuts the value to size - 1 with its closing quote, then drops one more character "
       "for the quote; the quoted text fits the room whole and is read whole"},
      {"quoted count one short of its room", "[Entry]\r\nNumber=\"123456\"\r\n", kCount},
      {"value of 254", "[Path]\r\n1=" + std::string(254, 'p') + "\r\n", kPath},
      {"value of 255", "[Path]\r\n1=" + std::string(255, 'p') + "\r\n", kPath},
      {"value of 5000", "[Path]\r\n1=" + std::string(5000, 'p') + "\r\n", kPath},
      {"long line before the key", "[Path]\r\nx=" + std::string(70000, 'q') + "\r\n1=v\r\n", kPath},
      {"control-z", "[Entry]\r\nNumber=3\x1A\r\n", kCount},
      {"leading-zero key", "[Path]\r\n01=x\r\n", kPath},
      {"plus key", "[Path]\r\n+1=x\r\n", kPath},
      {"tab-separated key", "[Path]\r\n1\t=\tx\r\n", kPath},
      {"non-ascii bytes in a value", "[Path]\r\n1=C:\\caf\xE9\r\n", kPath},
      {"utf-16 byte-order mark", std::string("\xFF\xFE[\0E\0]\0\r\0\n\0", 12), {{"E", "x", 8}}},
  };
}

TEST(Differential, IniReaderAgreesWithGetPrivateProfileString) {
  ScratchDir dir;
  const auto wine = WineTarget();
  const std::vector<IniCase> cases = IniCases();
  std::string queries;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const std::string file = dir / ("case" + std::to_string(i) + ".ini");
    WriteFile(file, cases[i].text);
    for (const Query& q : cases[i].queries) {
      queries += wine->HostPath(file) + "\t" + q.section + "\t" + q.key + "\t" +
                 std::to_string(q.size) + "\n";
    }
  }
  const std::vector<std::string> answers = Lines(Probe("profile", queries, dir));
  std::size_t answer = 0;
  for (const IniCase& c : cases) {
    for (const Query& q : c.queries) {
      ASSERT_LT(answer, answers.size());
      const std::string& line = answers[answer++];
      const std::size_t tab = line.find('\t');
      const std::size_t real_count = std::stoul(line.substr(0, tab));
      const std::string real_value = Unhex(line.substr(tab + 1));
      std::vector<char> buffer(q.size + 1, '\0');
      const std::size_t count = LookUpIniText(c.text, q.section, q.key, buffer.data(), q.size);
      const bool agrees = count == real_count && real_value == buffer.data();
      if (*c.difference == '\0') {
        EXPECT_TRUE(agrees) << c.name << " [" << q.section << "] " << q.key << ": Wine gives "
                            << real_count << " '" << real_value << "', ours " << count << " '"
                            << buffer.data() << "'";
      } else {
        EXPECT_FALSE(agrees) << c.name << " now agrees; drop its difference: " << c.difference;
      }
    }
  }
  EXPECT_GE(cases.size(), 40u);
}

}  // namespace
}  // namespace cleaner::testing

namespace cleaner::testing {
namespace {

std::size_t SingleByte(const char*, std::size_t) { return 1; }

const char* const kNames[] = {
    "a",
    "ab",
    "abc",
    "abc.txt",
    "ABC.TXT2",
    "a.b.c",
    "a.log",
    "ab.log",
    "abc.log",
    "report.html",
    "index.htm",
    "notes.txt~",
    "README",
    "read.me",
    ".hidden",
    ".a.b",
    "x y.txt",
    "data.tar.gz",
    "file1.tmp",
    "file12.tmp",
    "FILE2.TMP",
    "tmp",
    "a.tmpx",
    "long name with dots...x",
    "verylongfilename.extension",
    "t.t",
    "_x_",
    "a-b",
    "12345678.123",
    "a.  t",
};

struct PatternCase {
  const char* pattern;
  // Where Wine's listing departs from the matcher on purpose: why. Where Wine lists more,
  // the sweep deletes only what the matcher accepts; where it lists less, Windows does not.
  const char* difference = "";
};

const PatternCase kPatterns[] = {
    {"*"},
    {"*.*"},
    {"*.txt",
     "Wine also matches the short aliases, as Windows does: ABC.TXT2 is ABC~1.TXT "
     "and notes.txt~ ends in .TXT"},
    {"*.TXT", "the short aliases, as for *.txt"},
    {"*.htm", "Wine also matches the short alias: report.html is REPORT~1.HTM to it"},
    {"*.tmp", "the short alias of a.tmpx ends in .TMP"},
    {"*.", "Wine reads a final dot as no dot at all and lists every name"},
    {"a*"},
    {"a*.*"},
    {"?"},
    {"??"},
    {"a?c"},
    {"a?.log"},
    {"??.log"},
    {"*.log"},
    {"file?.tmp"},
    {"file*.tmp"},
    {"*~"},
    {".*"},
    {"*.gz"},
    {"*.tar.*"},
    {"abc"},
    {"ABC.txt"},
    {"abc.*"},
    {"*e*"},
    {"*.???", "the short aliases all have an extension of three characters"},
    {"*.?"},
    {"read?me"},
    {"x y.*"},
    {"*.extension"},
    {"????????.???", "Wine takes the old spelling of every 8.3 name for every name"},
    {"*..*", "Wine folds the doubled dot away and lists every name"},
    {"*x"},
    {"t.t"},
    {"* ?",
     "Wine's * does not look past the first blank that could follow it, so it misses "
     "'a.  t'; Windows' search, and the matcher, try every position"},
};

TEST(Differential, WildcardMatcherAgreesWithFindFirstFile) {
  ScratchDir dir;
  const auto wine = WineTarget();
  for (const char* name : kNames) WriteFile(dir / ("names/" + std::string(name)));
  std::string patterns;
  for (const PatternCase& p : kPatterns) {
    patterns += wine->HostPath(dir / "names") + "\\" + p.pattern + "\n";
  }
  std::map<int, std::set<std::string>> listed;
  for (const std::string& line : Lines(Probe("find", patterns, dir))) {
    const std::size_t tab = line.find('\t');
    const std::string name = Unhex(line.substr(tab + 1));
    if (name != "." && name != "..") listed[std::stoi(line.substr(0, tab))].insert(name);
  }
  const NameRules folded = {true, SingleByte};
  for (int i = 0; i < static_cast<int>(std::size(kPatterns)); ++i) {
    std::set<std::string> matched;
    for (const char* name : kNames) {
      if (MatchesWildcard(kPatterns[i].pattern, name, folded)) matched.insert(name);
    }
    std::string only_wine, only_ours;
    for (const std::string& name : listed[i]) {
      if (!matched.count(name)) only_wine += " '" + name + "'";
    }
    for (const std::string& name : matched) {
      if (!listed[i].count(name)) only_ours += " '" + name + "'";
    }
    if (*kPatterns[i].difference == '\0') {
      EXPECT_EQ(only_wine, "") << kPatterns[i].pattern << ": listed by Wine only";
      EXPECT_EQ(only_ours, "") << kPatterns[i].pattern << ": matched but not listed by Wine";
    } else {
      EXPECT_NE(only_wine + only_ours, "")
          << kPatterns[i].pattern << " now agrees; drop: " << kPatterns[i].difference;
    }
  }
}

}  // namespace
}  // namespace cleaner::testing
