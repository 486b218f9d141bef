#include "settings.h"

#include <vector>

#include "errors.h"
#include "platform.h"

namespace cleaner {

std::string SettingsFileFor(const std::string& executable_path, std::string_view stops,
                            LeadBytePredicate is_lead_byte) {
  return ChangeFileExt(executable_path, ".ini", stops, is_lead_byte);
}

std::string IniFileName() {
  const std::string own = platform::OwnExecutablePath();
  if (own.empty()) return std::string();
  return SettingsFileFor(own, platform::kPathStops, platform::IsLeadByte);
}

bool ReadIniValue(const std::string& section, const std::string& key, std::string& value,
                  const std::string& file_name, std::size_t size) {
  std::vector<char> buffer(size == 0 ? 1 : size, '\0');
  const std::size_t copied = platform::ReadProfileString(section.c_str(), key.c_str(),
                                                         buffer.data(), size, file_name.c_str());
  value.assign(buffer.data());
  return copied > 0;
}

namespace {

int DigitValue(char c, int base) {
  int digit = -1;
  if (c >= '0' && c <= '9') digit = c - '0';
  if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
  if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
  return digit;
}

}  // namespace

std::int32_t StrToInt(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  bool negative = false;
  int base = 10;
  if (at < text.size() && text[at] == '$') {
    base = 16;
    ++at;
  } else if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  const std::uint64_t limit =
      base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  std::uint64_t magnitude = 0;
  const std::size_t first_digit = at;
  for (; at < text.size(); ++at) {
    const int digit = DigitValue(text[at], base);
    if (digit < 0) RaiseConvertError(text);
    magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    if (magnitude > limit) RaiseConvertError(text);
  }
  if (at == first_digit) RaiseConvertError(text);
  // Hexadecimal spells the 32-bit pattern; a decimal magnitude is within range here.
  const auto pattern = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
  return static_cast<std::int32_t>(pattern);
}

}  // namespace cleaner
