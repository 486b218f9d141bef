// Code page 932 (Japanese Shift-JIS) as the tests need it: which bytes lead a
// double-byte character.
#pragma once

#include <cstddef>

namespace cleaner::testing {

inline bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

inline std::size_t Cp932CharLength(const char* text, std::size_t remaining) {
  return remaining >= 2 && IsCp932LeadByte(static_cast<unsigned char>(text[0])) ? 2 : 1;
}

// "ソ" and "表" both end in 0x5C, the backslash.
constexpr const char* kSo = "\x83\x5C";
constexpr const char* kHyo = "\x95\x5C";

}  // namespace cleaner::testing
