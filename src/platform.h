// The operations the program needs from its platform. One implementation is built:
// platform_win32.cpp over the Windows API, or platform_posix.cpp over POSIX.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "wildcard.h"

namespace cleaner::platform {

// Put between a folder and a name.
extern const char kSeparator;
// Characters that end a path component ("\" and ":" on Windows, "/" on POSIX).
extern const char* const kPathStops;
// Separators that may stand between folders inside a file-name pattern.
extern const char* const kFolderStops;
// The longest path a deletion takes whole; a longer one would be cut to name another file.
extern const std::size_t kMaxTargetPath;
// How the platform's directory search compares a name with a pattern.
extern const NameRules kNameRules;

// The full path of the running executable; empty when it cannot be had whole.
std::string OwnExecutablePath();

// Whether `byte` starts a double-byte character in the system's ANSI code page.
bool IsLeadByte(unsigned char byte);

// GetPrivateProfileString with the empty string as default: copies at most size - 1
// bytes of the value and a terminator into `buffer`, returns the number copied,
// terminator excluded; 0 for a missing file, section or key.
std::size_t ReadProfileString(const char* section, const char* key, char* buffer, std::size_t size,
                              const char* file_name);

// The key names of `section`, in file order; empty for a missing file or section.
std::vector<std::string> ReadProfileKeys(const char* section, const char* file_name);

// A directory search over a folder and a file-name pattern, as FindFirstFile does it:
// every entry that the system lists, "." and ".." and folders included.
struct Listing;
// Starts a search and yields its first name; nullptr, with nothing left open, when the
// search cannot start (no match, no folder, a malformed pattern, access refused).
Listing* FindFirst(const std::string& search_pattern, std::string* first_name);
// The next name; false when none is left.
bool FindNext(Listing* listing, std::string* name);
void FindClose(Listing* listing);

// Whether a name that the search listed can be named by a path at all: Windows drops a
// final dot or blank from a path, and then would name another file.
bool IsNameReachable(const std::string& name);

// Whether `path` is a folder, following links; a failed query counts as no folder.
bool IsFolder(const std::string& path);
// Whether `path` is a file the system refuses to delete as read-only. A link is judged
// by itself, not by what it points to.
bool IsReadOnly(const std::string& path);
// Deletes a file, never a folder and never what a link points to; raises EInOutError
// with the platform's error code when it cannot.
void DeleteFileOrRaise(const std::string& path);

// The report of an unhandled error. Each piece of text is UTF-8, or native: bytes in
// the system's ANSI code page on Windows, bytes as they are on POSIX.
struct TextPiece {
  std::string bytes;
  bool native;
};
// Shows the report and returns once it has been seen (dismissed, or written out).
void ShowErrorReport(const std::string& caption_utf8, const std::vector<TextPiece>& text);

// For the preview: whether two paths name the same directory entry (a link is judged
// by itself), whether a settings file can be opened for reading, native text as UTF-8,
// and a console that shows UTF-8.
bool SameFile(const std::string& a, const std::string& b);
bool IsReadableFile(const std::string& path);
std::string NativeToUtf8(const std::string& text);
void PrepareUtf8Console();

// Offset of a code address from the start of the executable's image.
std::size_t ModuleOffset(const void* code_address);

// Ends the process at once with `exit_code`.
[[noreturn]] void EndProcess(int exit_code);

}  // namespace cleaner::platform
