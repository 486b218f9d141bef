// Asks the real Windows API what the tests compare the POSIX layer with:
//   probe profile QUERIES OUT   each line of QUERIES is FILE<TAB>SECTION<TAB>KEY<TAB>SIZE;
//                               each line of OUT is the count copied, a tab and the value
//                               in hexadecimal
//   probe find PATTERNS OUT     for each line of PATTERNS, its line number, a tab and, in
//                               hexadecimal, each long name that FindFirstFileA lists
//   probe attrib FILE ATTRIBUTES  sets a file's attributes (hexadecimal), then prints them
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char byte : bytes) {
    hex += digits[byte >> 4];
    hex += digits[byte & 15];
  }
  return hex;
}

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  std::string field;
  while (std::getline(stream, field, separator)) fields.push_back(field);
  return fields;
}

int Profile(const char* queries, const char* out_name) {
  std::ifstream in(queries, std::ios::binary);
  std::ofstream out(out_name, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    const std::vector<std::string> fields = Split(line, '\t');
    if (fields.size() != 4) return 3;
    const DWORD size = static_cast<DWORD>(std::stoul(fields[3]));
    std::vector<char> buffer(size + 1, '\0');
    const DWORD copied = GetPrivateProfileStringA(fields[1].c_str(), fields[2].c_str(), "",
                                                  buffer.data(), size, fields[0].c_str());
    out << copied << '\t' << Hex(buffer.data()) << '\n';
  }
  return 0;
}

int Find(const char* patterns, const char* out_name) {
  std::ifstream in(patterns, std::ios::binary);
  std::ofstream out(out_name, std::ios::binary);
  std::string pattern;
  for (int number = 0; std::getline(in, pattern); ++number) {
    WIN32_FIND_DATAA data;
    const HANDLE listing = FindFirstFileA(pattern.c_str(), &data);
    if (listing == INVALID_HANDLE_VALUE) continue;
    do {
      out << number << '\t' << Hex(data.cFileName) << '\n';
    } while (FindNextFileA(listing, &data));
    FindClose(listing);
  }
  return 0;
}

int Attrib(const char* file, const char* attributes) {
  SetFileAttributesA(file, std::stoul(attributes, nullptr, 16));
  printf("%lx\n", GetFileAttributesA(file));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "profile") return Profile(argv[2], argv[3]);
  if (argc == 4 && std::string(argv[1]) == "find") return Find(argv[2], argv[3]);
  if (argc == 4 && std::string(argv[1]) == "attrib") return Attrib(argv[2], argv[3]);
  return 2;
}
