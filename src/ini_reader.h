// An INI reader that finds values the way the Windows profile API does. The POSIX build
// reads its settings through it; the Windows build calls the real API instead.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cleaner {

// Follows an INI file, a line at a time, into the first section called `section` and to
// the end of that section. Lines before the first header belong to a section without a
// name.
class IniSectionScan {
 public:
  explicit IniSectionScan(std::string_view section);

  // Takes one line without its line end; true when it is a key line of the section, with
  // its name and, when it has "=", its value (blanks dropped, quotes kept).
  bool KeyLine(std::string_view line, std::string_view* name, std::string_view* value,
               bool* has_value);
  bool done() const { return state_ == State::kDone; }
  void Finish() { state_ = State::kDone; }

 private:
  std::string section_;
  enum class State { kBeforeSection, kInSection, kDone } state_ = State::kBeforeSection;
};

// Looks up one key, fed the file a line at a time. Names compare without regard to ASCII
// case; blanks around names and values are dropped; one pair of matching quotes around a
// value is removed. Only the first section of the name counts, and in it the first key.
class IniLookup {
 public:
  IniLookup(std::string_view section, std::string_view key);

  // Takes one line without its line end. Returns false once the answer is known, after
  // which the rest of the file need not be read.
  bool Feed(std::string_view line);

  bool found() const { return found_; }
  // The value when found(), quotes removed, not yet cut to any size.
  const std::string& value() const { return value_; }

 private:
  IniSectionScan scan_;
  std::string key_;
  bool found_ = false;
  std::string value_;
};

// Collects the key names of the first section called `section`, in file order.
class IniKeyList {
 public:
  explicit IniKeyList(std::string_view section);
  bool Feed(std::string_view line);
  const std::vector<std::string>& keys() const { return keys_; }

 private:
  IniSectionScan scan_;
  std::vector<std::string> keys_;
};

// Feeds `text` to `consumer` line by line, a UTF-8 byte-order mark skipped; CR, LF and
// CRLF each end a line.
template <typename Consumer>
void FeedIniText(std::string_view text, Consumer& consumer) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    if (!consumer.Feed(text.substr(0, end))) return;
    if (end == std::string_view::npos) return;
    text.remove_prefix(end + 1);
  }
}

// The profile API's answer for one key of an INI text: the value cut to size - 1 bytes
// into `buffer` (when size > 0) and the number of bytes copied.
std::size_t LookUpIniText(std::string_view text, std::string_view section, std::string_view key,
                          char* buffer, std::size_t size);

// Copies a found value into a buffer of `size` bytes the profile API's way.
std::size_t CopyIniValue(const IniLookup& lookup, char* buffer, std::size_t size);

}  // namespace cleaner
