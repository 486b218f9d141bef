#include "wildcard.h"

#include <gtest/gtest.h>

#include <string>

#include "cp932.h"

namespace cleaner {
namespace {

std::size_t SingleByte(const char*, std::size_t) { return 1; }

const NameRules kExact = {false, SingleByte};
const NameRules kFolded = {true, SingleByte};
const NameRules kJapanese = {true, testing::Cp932CharLength};

struct MatchCase {
  const char* pattern;
  const char* name;
  bool exact;   // case-sensitive, as on POSIX
  bool folded;  // without regard to ASCII case, as on Windows
};

const MatchCase kCases[] = {
    {"*", "report.txt", true, true},
    {"*", ".hidden", true, true},
    {"*.*", "report.txt", true, true},
    {"*.*", "README", true, true},
    {"*.*", ".profile", true, true},
    {"*.txt", "a.txt", true, true},
    {"*.txt", "a.TXT", false, true},
    {"*.txt", "a.txt.bak", false, false},
    {"*.txt", "a.txtx", false, false},
    {"*.txt", ".txt", true, true},
    {"*.tmp", "a.tmp.txt", false, false},
    {"a?c", "abc", true, true},
    {"a?c", "ac", false, false},
    {"a?c", "abbc", false, false},
    {"?", "", false, false},
    {"??.log", "ab.log", true, true},
    {"??.log", "a.log", false, false},
    {"*.", "README", true, true},
    {"*.", "read.me", false, false},
    {"abc.", "abc", true, true},
    {"abc.", "abc.d", false, false},
    {"abc.*", "abc", true, true},
    {"abc.*", "abc.d", true, true},
    {"abc.*", "abcd", false, false},
    {"a*.*", "abc", true, true},
    {"*~", "notes.txt~", true, true},
    {"*~", "notes.txt", false, false},
    {"*a*b*c*", "xxaxxbxxcxx", true, true},
    {"*a*b*c*", "xxaxxcxxbxx", false, false},
    {"report.txt", "report.txt", true, true},
    {"report.txt", "Report.TXT", false, true},
    {"report.txt", "report.txt2", false, false},
    {"*.htm", "report.html", false, false},
    {"", "anything", false, false},
    {"[ab]*", "a.txt", false, false},
    {"[ab]*", "[ab].txt", true, true},
};

TEST(Wildcard, MatchesByTheDirectorySearchRules) {
  for (const MatchCase& c : kCases) {
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name, kExact), c.exact)
        << "pattern '" << c.pattern << "' name '" << c.name << "' exact";
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name, kFolded), c.folded)
        << "pattern '" << c.pattern << "' name '" << c.name << "' folded";
  }
}

TEST(Wildcard, DoubleByteCharactersAreOneCharacterAndNeverFolded) {
  const std::string so = testing::kSo;  // trail byte 0x5C
  // "?" takes the whole double-byte character.
  EXPECT_TRUE(MatchesWildcard("?.txt", so + ".txt", kJapanese));
  EXPECT_FALSE(MatchesWildcard("??.txt", so + ".txt", kJapanese));
  // 0x82 0x61 and 0x82 0x41 are two different characters whose trail bytes happen to be
  // "a" and "A": folding them would match the wrong file.
  EXPECT_FALSE(MatchesWildcard("\x82\x61.txt", "\x82\x41.txt", kJapanese));
  EXPECT_TRUE(MatchesWildcard("\x82\x61*", "\x82\x61\x82\x62.txt", kJapanese));
  // A star may not stop in the middle of a character.
  EXPECT_FALSE(
      MatchesWildcard("*\x5C"
                      "a",
                      so + "a", kJapanese));
}

TEST(Wildcard, LongNamesStayCheap) {
  const std::string name(5000, 'a');
  EXPECT_FALSE(MatchesWildcard("*a*a*a*a*a*b", name, kExact));
  EXPECT_TRUE(MatchesWildcard("*a*a*a*a*a", name, kExact));
}

}  // namespace
}  // namespace cleaner
