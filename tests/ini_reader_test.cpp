#include "ini_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace cleaner {
namespace {

struct IniCase {
  const char* why;
  std::string text;
  const char* section;
  const char* key;
  std::size_t size;
  std::string expected;  // "" for not found
};

const IniCase kCases[] = {
    {"plain", "[Entry]\nNumber=3\n", "Entry", "Number", 8, "3"},
    {"CRLF", "[Entry]\r\nNumber=3\r\n", "Entry", "Number", 8, "3"},
    {"CR alone ends a line", "[Entry]\rNumber=3\r", "Entry", "Number", 8, "3"},
    {"lines before any header", "Number=2\n[Entry]\n", "", "Number", 8, "2"},
    {"an empty header repeats the nameless section", "A=1\n[]\nNumber=2\n", "", "Number", 8, ""},
    {"no final line end", "[Entry]\nNumber=3", "Entry", "Number", 8, "3"},
    {"byte-order mark", "\xEF\xBB\xBF[Entry]\nNumber=3\n", "Entry", "Number", 8, "3"},
    {"section case", "[ENTRY]\nNumber=3\n", "entry", "Number", 8, "3"},
    {"key case", "[Entry]\nnUMBER=3\n", "Entry", "Number", 8, "3"},
    {"blanks around names", "  [  Entry  ]  \n\t Number \t= 3\n", "Entry", "Number", 8, "3"},
    {"blanks around value", "[Path]\n1=   C:\\Temp  \t\n", "Path", "1", 255, "C:\\Temp"},
    {"blanks inside value stay", "[Path]\n1=C:\\My Files\n", "Path", "1", 255, "C:\\My Files"},
    {"double quotes", "[Path]\n1=\"  C:\\Temp  \"\n", "Path", "1", 255, "  C:\\Temp  "},
    {"single quotes", "[Path]\n1='x'\n", "Path", "1", 255, "x"},
    {"unmatched quote stays", "[Path]\n1=\"x\n", "Path", "1", 255, "\"x"},
    {"mixed quotes stay", "[Path]\n1=\"x'\n", "Path", "1", 255, "\"x'"},
    {"lone quote stays", "[Path]\n1=\"\n", "Path", "1", 255, "\""},
    {"only one pair removed", "[Path]\n1=\"\"x\"\"\n", "Path", "1", 255, "\"x\""},
    {"empty value", "[Entry]\nNumber=\n", "Entry", "Number", 8, ""},
    {"empty quoted value", "[Entry]\nNumber=\"\"\n", "Entry", "Number", 8, ""},
    {"missing key", "[Entry]\nCount=3\n", "Entry", "Number", 8, ""},
    {"missing section", "[Other]\nNumber=3\n", "Entry", "Number", 8, ""},
    {"key of another section", "[Other]\nNumber=3\n[Entry]\n", "Entry", "Number", 8, ""},
    {"leading-zero key is another key", "[Path]\n01=x\n", "Path", "1", 255, ""},
    {"first key wins", "[Entry]\nNumber=1\nNumber=2\n", "Entry", "Number", 8, "1"},
    {"first section wins", "[Entry]\nA=1\n[Entry]\nNumber=2\n", "Entry", "Number", 8, ""},
    {"key without = has no value", "[Entry]\nNumber\nNumber=2\n", "Entry", "Number", 8, ""},
    {"comment line", "[Entry]\n;Number=2\nNumber=3\n", "Entry", "Number", 8, "3"},
    {"keys before any section", "Number=2\n[Entry]\nNumber=3\n", "Entry", "Number", 8, "3"},
    {"header without ]", "[Entry\nNumber=3\n", "Entry", "Number", 8, ""},
    {"last ] closes the header", "[En]try]\nNumber=3\n", "En]try", "Number", 8, "3"},
    {"= in the value", "[Path]\n1=a=b\n", "Path", "1", 255, "a=b"},
    {"cut to size - 1", "[Entry]\nNumber=12345678\n", "Entry", "Number", 8, "1234567"},
    {"exactly size - 1", "[Entry]\nNumber=1234567\n", "Entry", "Number", 8, "1234567"},
    {"quotes go before the cut", "[Entry]\nNumber=\"12\"\n", "Entry", "Number", 8, "12"},
    {"long value cut", "[Path]\n1=" + std::string(1000, 'x') + "\n", "Path", "1", 255,
     std::string(254, 'x')},
    {"bytes pass unconverted", "[Path]\n1=C:\\\x83\x5C\xE9\n", "Path", "1", 255,
     "C:\\\x83\x5C\xE9"},
};

TEST(IniReader, FindsValuesTheWayTheProfileApiDoes) {
  for (const IniCase& c : kCases) {
    char buffer[1024];
    const std::size_t copied = LookUpIniText(c.text, c.section, c.key, buffer, c.size);
    EXPECT_EQ(std::string(buffer), c.expected) << c.why;
    EXPECT_EQ(copied, c.expected.size()) << c.why;
  }
}

TEST(IniReader, ListsTheKeysOfTheFirstSectionOfAName) {
  IniKeyList list("Path");
  FeedIniText("[Path]\n1=a\n 01 = b\n\n2\n[path]\n3=c\n", list);
  EXPECT_EQ(list.keys(), (std::vector<std::string>{"1", "01", "2"}));
}

}  // namespace
}  // namespace cleaner
