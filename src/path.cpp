#include "path.h"

namespace cleaner {

std::size_t LastDelimiter(std::string_view text, std::string_view delimiters,
                          LeadBytePredicate is_lead_byte) {
  // Scanned forwards: only from the start can a trail byte be told from a lead byte.
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (is_lead_byte(byte) && i + 1 < text.size()) {
      ++i;
    } else if (delimiters.find(text[i]) != std::string_view::npos) {
      last = i;
    }
  }
  return last;
}

std::string ChangeFileExt(std::string_view path, std::string_view extension, std::string_view stops,
                          LeadBytePredicate is_lead_byte) {
  std::string delimiters(".");
  delimiters.append(stops);
  const std::size_t found = LastDelimiter(path, delimiters, is_lead_byte);
  std::string result(path);
  if (found != std::string_view::npos && path[found] == '.') result.erase(found);
  result.append(extension);
  return result;
}

std::string ExtractFilePath(std::string_view path, std::string_view stops,
                            LeadBytePredicate is_lead_byte) {
  const std::size_t found = LastDelimiter(path, stops, is_lead_byte);
  return std::string(found == std::string_view::npos ? "" : path.substr(0, found + 1));
}

std::string ExtractFileName(std::string_view path, std::string_view stops,
                            LeadBytePredicate is_lead_byte) {
  const std::size_t found = LastDelimiter(path, stops, is_lead_byte);
  return std::string(found == std::string_view::npos ? path : path.substr(found + 1));
}

}  // namespace cleaner
