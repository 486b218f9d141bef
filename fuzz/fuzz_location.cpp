// The settings file's location for arbitrary executable paths, with and without a
// double-byte code page: always the path up to its extension, then ".ini".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings.h"

namespace {

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
bool NoLeadBytes(unsigned char) { return false; }

void Check(const std::string& path, std::string_view stops, cleaner::LeadBytePredicate lead) {
  const std::string ini = cleaner::SettingsFileFor(path, stops, lead);
  if (ini.size() < 4 || ini.compare(ini.size() - 4, 4, ".ini") != 0) std::abort();
  const std::string kept = ini.substr(0, ini.size() - 4);
  if (path.compare(0, kept.size(), kept) != 0) std::abort();
  // What was dropped is an extension: it starts with a dot and holds no separator.
  const std::string dropped = path.substr(kept.size());
  if (!dropped.empty() && dropped[0] != '.') std::abort();
  if (lead == NoLeadBytes && dropped.find_first_of(std::string(stops)) != std::string::npos) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  Check(path, "\\:", IsCp932LeadByte);
  Check(path, "\\:", NoLeadBytes);
  Check(path, "/", NoLeadBytes);
  return 0;
}
