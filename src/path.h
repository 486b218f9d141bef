// Byte-string path helpers that respect double-byte characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cleaner {

using LeadBytePredicate = bool (*)(unsigned char byte);

// Position of the last byte of `text` that is one of `delimiters`, or npos. The second
// byte of a double-byte character is never taken for a delimiter: in code page 932 it
// can be 0x5C, the backslash.
std::size_t LastDelimiter(std::string_view text, std::string_view delimiters,
                          LeadBytePredicate is_lead_byte);

// `path` with its extension replaced by `extension`, or with `extension` appended when
// the last component has none. `stops` are the characters that end a file name's
// search for its extension (the path separators).
std::string ChangeFileExt(std::string_view path, std::string_view extension, std::string_view stops,
                          LeadBytePredicate is_lead_byte);

// `path` up to and with its last separator ("" when it has none).
std::string ExtractFilePath(std::string_view path, std::string_view stops,
                            LeadBytePredicate is_lead_byte);

// The last component of `path`.
std::string ExtractFileName(std::string_view path, std::string_view stops,
                            LeadBytePredicate is_lead_byte);

}  // namespace cleaner
