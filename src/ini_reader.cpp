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

IniSectionScan::IniSectionScan(std::string_view section) : section_(Trim(section)) {
  if (section_.empty()) state_ = State::kInSection;
}

bool IniSectionScan::KeyLine(std::string_view raw, std::string_view* name, std::string_view* value,
                             bool* has_value) {
  if (state_ == State::kDone) return false;
  const IniLine line = ParseLine(raw);
  if (line.kind == IniLine::Kind::kSection) {
    // Only the first section of the name is searched.
    if (state_ == State::kInSection)
      state_ = State::kDone;
    else if (SameName(line.name, section_))
      state_ = State::kInSection;
    return false;
  }
  if (line.kind != IniLine::Kind::kKey || state_ != State::kInSection) return false;
  *name = line.name;
  *value = line.value;
  *has_value = line.has_value;
  return true;
}

IniLookup::IniLookup(std::string_view section, std::string_view key)
    : scan_(section), key_(Trim(key)) {}

bool IniLookup::Feed(std::string_view line) {
  std::string_view name, text;
  bool has_value = false;
  if (scan_.KeyLine(line, &name, &text, &has_value) && SameName(name, key_)) {
    // The first key of the name answers, even one without "=", which has no value.
    found_ = has_value;
    if (found_) value_.assign(Unquote(text));
    scan_.Finish();
  }
  return !scan_.done();
}

IniKeyList::IniKeyList(std::string_view section) : scan_(section) {}

bool IniKeyList::Feed(std::string_view line) {
  std::string_view name, value;
  bool has_value = false;
  if (scan_.KeyLine(line, &name, &value, &has_value)) keys_.emplace_back(name);
  return !scan_.done();
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
