// The count conversion on arbitrary text: it converts or raises EConvertError, and what
// it converts reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "errors.h"
#include "settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::int32_t value;
  try {
    value = cleaner::StrToInt(text);
  } catch (const cleaner::EConvertError& error) {
    if (error.Argument() != text) std::abort();
    return 0;
  }
  // Read back independently: skip blanks, then decimal with sign or "$" hexadecimal.
  std::size_t at = text.find_first_not_of(' ');
  if (at == std::string::npos) std::abort();
  const bool hex = text[at] == '$';
  const std::string digits = text.substr(hex ? at + 1 : at);
  char* end = nullptr;
  const long long expected = std::strtoll(digits.c_str(), &end, hex ? 16 : 10);
  if (*end != '\0' || digits.find_first_of(" \t\n\v\f\r") != std::string::npos) std::abort();
  if (hex ? static_cast<std::uint32_t>(value) != static_cast<std::uint32_t>(expected)
          : value != expected) {
    std::abort();
  }
  return 0;
}
