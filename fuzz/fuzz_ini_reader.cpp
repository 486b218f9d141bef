// The INI reader on arbitrary files: the first byte picks the room, then a section, a
// key and the file's text, separated by NUL bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "ini_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::size_t room = data[0] % 300;
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t first = rest.find('\0');
  if (first == std::string_view::npos) return 0;
  const std::string_view section = rest.substr(0, first);
  rest.remove_prefix(first + 1);
  const std::size_t second = rest.find('\0');
  if (second == std::string_view::npos) return 0;
  const std::string_view key = rest.substr(0, second);
  const std::string_view text = rest.substr(second + 1);

  std::vector<char> buffer(room + 1, '\x7F');
  const std::size_t copied = cleaner::LookUpIniText(text, section, key, buffer.data(), room);
  // Never more than room - 1 bytes and a terminator; never a byte past the room.
  if (room == 0 ? copied != 0 : (copied > room - 1 || buffer[copied] != '\0')) std::abort();
  if (buffer[room] != '\x7F') std::abort();

  cleaner::IniKeyList keys(section);
  cleaner::FeedIniText(text, keys);
  return 0;
}
