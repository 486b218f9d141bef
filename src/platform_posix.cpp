// The platform over POSIX: the same contract as the Windows API calls, "/" as separator.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "errors.h"
#include "ini_reader.h"
#include "platform.h"

// The start of the image, provided by the linker under this reserved name.
extern "C" char __executable_start;  // NOLINT(bugprone-reserved-identifier)

namespace cleaner::platform {
namespace {

// File names are bytes; "?" takes a whole UTF-8 character where the bytes spell one.
std::size_t Utf8CharLength(const char* text, std::size_t remaining) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  if (length > remaining) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

// A settings file is read whole only when it is a regular file, and never past this:
// a FIFO or a device reads as missing, and a file that keeps growing cannot hold the
// run. Lines longer than kMaxLine keep only their start.
constexpr std::size_t kMaxSettingsRead = std::size_t{256} << 20;
constexpr std::size_t kMaxLine = std::size_t{4} << 20;

int OpenRegularFile(const char* file_name) {
  struct stat info;
  if (stat(file_name, &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  const int fd = open(file_name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return -1;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return -1;
  }
  return fd;
}

// Feeds the lines of a settings file to `consumer`; false when it cannot be read.
template <typename Consumer>
bool FeedIniFile(const char* file_name, Consumer& consumer) {
  const int fd = OpenRegularFile(file_name);
  if (fd < 0) return false;
  std::string line;
  bool line_full = false, first_chunk = true, wants_more = true;
  std::size_t total = 0;
  char chunk[1 << 16];
  while (wants_more && total < kMaxSettingsRead) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    total += static_cast<std::size_t>(got);
    std::string_view data(chunk, static_cast<std::size_t>(got));
    if (first_chunk && data.substr(0, 3) == "\xEF\xBB\xBF") data.remove_prefix(3);
    first_chunk = false;
    while (wants_more && !data.empty()) {
      const std::size_t end = data.find_first_of("\r\n");
      const std::string_view piece = data.substr(0, end);
      if (!line_full) {
        line.append(piece.substr(0, kMaxLine - line.size()));
        line_full = line.size() == kMaxLine;
      }
      if (end == std::string_view::npos) break;
      wants_more = consumer.Feed(line);
      line.clear();
      line_full = false;
      data.remove_prefix(end + 1);
    }
  }
  if (wants_more && !line.empty()) consumer.Feed(line);
  close(fd);
  return true;
}

}  // namespace

const char kSeparator = '/';
const char* const kPathStops = "/";
const char* const kFolderStops = "/";
const std::size_t kMaxTargetPath = PATH_MAX - 1;
const NameRules kNameRules = {false, Utf8CharLength};

std::string OwnExecutablePath() {
  char path[PATH_MAX + 1];
  const ssize_t length = readlink("/proc/self/exe", path, PATH_MAX + 1);
  // readlink cuts silently: a result that fills the buffer may have been cut.
  return length > 0 && length <= PATH_MAX ? std::string(path, static_cast<std::size_t>(length))
                                          : std::string();
}

bool IsLeadByte(unsigned char) { return false; }

std::size_t ReadProfileString(const char* section, const char* key, char* buffer, std::size_t size,
                              const char* file_name) {
  IniLookup lookup(section, key);
  FeedIniFile(file_name, lookup);
  return CopyIniValue(lookup, buffer, size);
}

std::vector<std::string> ReadProfileKeys(const char* section, const char* file_name) {
  IniKeyList list(section);
  FeedIniFile(file_name, list);
  return list.keys();
}

struct Listing {
  DIR* dir;
  std::string pattern;
};

namespace {

bool ReadMatching(Listing* listing, std::string* name) {
  while (const dirent* entry = readdir(listing->dir)) {
    if (MatchesWildcard(listing->pattern, entry->d_name, kNameRules)) {
      name->assign(entry->d_name);
      return true;
    }
  }
  return false;
}

}  // namespace

Listing* FindFirst(const std::string& search_pattern, std::string* first_name) {
  const std::size_t split = search_pattern.rfind('/');
  std::string folder = ".";
  if (split == 0)
    folder = "/";
  else if (split != std::string::npos)
    folder = search_pattern.substr(0, split);
  std::string pattern = search_pattern.substr(split == std::string::npos ? 0 : split + 1);
  if (pattern.empty()) return nullptr;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return nullptr;
  auto* listing = new Listing{dir, std::move(pattern)};
  if (!ReadMatching(listing, first_name)) {
    FindClose(listing);
    return nullptr;
  }
  return listing;
}

bool FindNext(Listing* listing, std::string* name) { return ReadMatching(listing, name); }

void FindClose(Listing* listing) {
  if (listing == nullptr) return;
  closedir(listing->dir);
  delete listing;
}

bool IsNameReachable(const std::string&) { return true; }

namespace {

// A file without any write permission is the POSIX picture of a read-only file.
bool HasNoWriteBit(const struct stat& info) {
  return !S_ISLNK(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// The sweep asks whether a target is a folder and then deletes it. The lstat made for
// the first question answers the second, which saves a system call per file; it is used
// once, for the very next deletion of the same path.
struct {
  std::string path;
  struct stat info;
  bool valid = false;
} last_query;

}  // namespace

bool IsReadOnly(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0 && HasNoWriteBit(info);
}

bool IsFolder(const std::string& path) {
  struct stat info;
  last_query.valid = false;
  if (lstat(path.c_str(), &info) != 0) return false;
  last_query.path = path;
  last_query.info = info;
  last_query.valid = true;
  if (!S_ISLNK(info.st_mode)) return S_ISDIR(info.st_mode);
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void DeleteFileOrRaise(const std::string& path) {
  struct stat info;
  if (last_query.valid && last_query.path == path) {
    info = last_query.info;
  } else if (lstat(path.c_str(), &info) != 0) {
    RaiseInOutError(errno);
  }
  last_query.valid = false;
  // Refused even for root, as Windows refuses a read-only file to an administrator.
  if (HasNoWriteBit(info)) RaiseInOutError(EACCES);
  if (S_ISDIR(info.st_mode)) RaiseInOutError(EISDIR);
  if (unlink(path.c_str()) != 0) RaiseInOutError(errno);
}

void ShowErrorReport(const std::string& caption_utf8, const std::vector<TextPiece>& text) {
  std::string report = caption_utf8 + "\n";
  for (const TextPiece& piece : text) report += piece.bytes;
  report += "\n";
  std::fwrite(report.data(), 1, report.size(), stderr);
  std::fflush(stderr);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first, second;
  return lstat(a.c_str(), &first) == 0 && lstat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool IsReadableFile(const std::string& path) {
  const int fd = OpenRegularFile(path.c_str());
  if (fd >= 0) close(fd);
  return fd >= 0;
}

std::string NativeToUtf8(const std::string& text) { return text; }

void PrepareUtf8Console() {}

std::size_t ModuleOffset(const void* code_address) {
  const auto address = reinterpret_cast<std::uintptr_t>(code_address);
  const auto base = reinterpret_cast<std::uintptr_t>(&__executable_start);
  return address >= base ? address - base : 0;
}

void EndProcess(int exit_code) {
  std::fflush(nullptr);
  std::exit(exit_code);
}

}  // namespace cleaner::platform
