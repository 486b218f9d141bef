#include "ini_reader.h"

#include <cstring>

namespace cleaner {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// One line of an INI file: a section header, a key with or without "=", or nothing.
struct IniLine {
  enum class Kind { kNothing, kSection, kKey } kind = Kind::kNothing;
  std::string_view name;
  std::string_view value;
  bool has_value = false;
};

IniLine ParseLine(std::string_view raw) {
  IniLine line;
  const std::string_view text = Trim(raw);
  if (text.empty()) return line;
  if (text.front() == '[') {
    const std::size_t close = text.rfind(']');
    if (close != std::string_view::npos && close > 0) {
      line.kind = IniLine::Kind::kSection;
      line.name = Trim(text.substr(1, close - 1));
      return line;
    }
    // A header without "]" reads as a key line, as the profile API reads it.
  }
  line.kind = IniLine::Kind::kKey;
  const std::size_t equals = text.find('=');
  line.name = Trim(text.substr(0, equals));
  if (equals != std::string_view::npos) {
    line.has_value = true;
    line.value = Trim(text.substr(equals + 1));
  }
  return line;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

IniLookup::IniLookup(std::string_view section, std::string_view key)
    : section_(Trim(section)), key_(Trim(key)) {
  if (section_.empty()) state_ = State::kInSection;
}

bool IniLookup::Feed(std::string_view raw) {
  if (state_ == State::kDone) return false;
  const IniLine line = ParseLine(raw);
  if (line.kind == IniLine::Kind::kSection) {
    // Only the first section of the name is searched.
    if (state_ == State::kInSection) state_ = State::kDone;
    else if (SameName(line.name, section_)) state_ = State::kInSection;
  } else if (line.kind == IniLine::Kind::kKey && state_ == State::kInSection &&
             SameName(line.name, key_)) {
    // The first key of the name answers, even one without "=", which has no value.
    found_ = line.has_value;
    if (found_) value_.assign(Unquote(line.value));
    state_ = State::kDone;
  }
  return state_ != State::kDone;
}

IniKeyList::IniKeyList(std::string_view section) : section_(Trim(section)) {
  if (section_.empty()) state_ = State::kInSection;
}

bool IniKeyList::Feed(std::string_view raw) {
  if (state_ == State::kDone) return false;
  const IniLine line = ParseLine(raw);
  if (line.kind == IniLine::Kind::kSection) {
    if (state_ == State::kInSection) state_ = State::kDone;
    else if (SameName(line.name, section_)) state_ = State::kInSection;
  } else if (line.kind == IniLine::Kind::kKey && state_ == State::kInSection) {
    keys_.emplace_back(line.name);
  }
  return state_ != State::kDone;
}

std::size_t CopyIniValue(const IniLookup& lookup, char* buffer, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view value = lookup.found() ? std::string_view(lookup.value()) : "";
  const std::size_t copied = value.size() < size - 1 ? value.size() : size - 1;
  std::memcpy(buffer, value.data(), copied);
  buffer[copied] = '\0';
  return copied;
}

std::size_t LookUpIniText(std::string_view text, std::string_view section, std::string_view key,
                          char* buffer, std::size_t size) {
  IniLookup lookup(section, key);
  FeedIniText(text, lookup);
  return CopyIniValue(lookup, buffer, size);
}

}  // namespace cleaner
