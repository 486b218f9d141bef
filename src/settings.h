// The settings file: where it lies, how its values are read, and the count's syntax.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "path.h"

namespace cleaner {

// The settings file of the executable at `executable_path`: the same path with ".ini" in
// place of its extension. `stops` are the platform's path separators.
std::string SettingsFileFor(const std::string& executable_path, std::string_view stops,
                            LeadBytePredicate is_lead_byte);

// The settings file beside the running executable; empty when the executable's path
// cannot be had whole.
std::string IniFileName();

// Reads one value through the platform's profile API into `value` (empty when nothing
// was found). `size` is the room for the value, terminator included, so a longer value
// is cut to size - 1 bytes. A key present with an empty value counts as not found.
bool ReadIniValue(const std::string& section, const std::string& key, std::string& value,
                  const std::string& file_name, std::size_t size);

// Converts the entry count: leading blanks, then an optional sign and decimal digits, or
// "$" and hexadecimal digits, and nothing after. Raises EConvertError otherwise, or when
// the value does not fit in 32 bits.
std::int32_t StrToInt(const std::string& text);

}  // namespace cleaner
