// The wildcard matcher against the tests' independent reference, on arbitrary patterns
// and names (separated by a NUL byte), with the POSIX rules and case folding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform.h"
#include "reference_model.h"
#include "wildcard.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\0');
  if (split == std::string::npos || split > 64 || size - split > 300) return 0;
  const std::string pattern = input.substr(0, split);
  const std::string name = input.substr(split + 1);
  const cleaner::NameRules exact = cleaner::platform::kNameRules;
  const cleaner::NameRules folded = {true, exact.char_length};
  if (cleaner::MatchesWildcard(pattern, name, exact) !=
      cleaner::testing::ReferenceMatch(pattern, name, false)) {
    std::abort();
  }
  if (cleaner::MatchesWildcard(pattern, name, folded) !=
      cleaner::testing::ReferenceMatch(pattern, name, true)) {
    std::abort();
  }
  return 0;
}
