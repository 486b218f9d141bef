// The platform over the Windows API. Paths and values stay byte strings in the ANSI code
// page and go to the A functions unconverted.
#include <windows.h>

#include "errors.h"
#include "platform.h"

// The start of the executable's image, provided by the linker under this reserved name.
extern "C" IMAGE_DOS_HEADER __ImageBase;  // NOLINT(bugprone-reserved-identifier)

namespace cleaner::platform {
namespace {

std::size_t DbcsCharLength(const char* text, std::size_t remaining) {
  return remaining >= 2 && IsDBCSLeadByte(static_cast<BYTE>(text[0])) ? 2 : 1;
}

std::wstring Widen(const std::string& bytes, UINT code_page) {
  if (bytes.empty()) return std::wstring();
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), size, wide.data(), length);
  return wide;
}

}  // namespace

const char kSeparator = '\\';
const char* const kPathStops = "\\:";
const char* const kFolderStops = "\\/";
const std::size_t kMaxTargetPath = MAX_PATH - 1;
const NameRules kNameRules = {true, DbcsCharLength};

std::string OwnExecutablePath() {
  // A buffer of 261: a path of 260 characters fits; a longer one comes back cut, and a
  // cut path is no path at all.
  char path[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, length < sizeof path ? length : 0);
}

bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

std::size_t ReadProfileString(const char* section, const char* key, char* buffer, std::size_t size,
                              const char* file_name) {
  return GetPrivateProfileStringA(section, key, "", buffer, static_cast<DWORD>(size), file_name);
}

std::vector<std::string> ReadProfileKeys(const char* section, const char* file_name) {
  // The names come as one list of terminated strings; a full buffer means it was cut.
  std::vector<char> buffer(1 << 16);
  DWORD copied;
  while ((copied = GetPrivateProfileStringA(section, nullptr, "", buffer.data(),
                                            static_cast<DWORD>(buffer.size()), file_name)) ==
             buffer.size() - 2 &&
         buffer.size() < (1u << 26)) {
    buffer.resize(buffer.size() * 4);
  }
  std::vector<std::string> keys;
  for (const char* name = buffer.data(); *name != '\0' && name < buffer.data() + copied;
       name += keys.back().size() + 1) {
    keys.emplace_back(name);
  }
  return keys;
}

struct Listing {
  HANDLE handle;
};

Listing* FindFirst(const std::string& search_pattern, std::string* first_name) {
  WIN32_FIND_DATAA data;
  HANDLE handle = FindFirstFileA(search_pattern.c_str(), &data);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  first_name->assign(data.cFileName);
  return new Listing{handle};
}

bool FindNext(Listing* listing, std::string* name) {
  WIN32_FIND_DATAA data;
  if (!FindNextFileA(listing->handle, &data)) return false;
  name->assign(data.cFileName);
  return true;
}

void FindClose(Listing* listing) {
  if (listing == nullptr) return;
  ::FindClose(listing->handle);
  delete listing;
}

bool IsNameReachable(const std::string& name) {
  return !name.empty() && name.back() != '.' && name.back() != ' ';
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

void DeleteFileOrRaise(const std::string& path) {
  if (!DeleteFileA(path.c_str())) RaiseInOutError(static_cast<int>(GetLastError()));
}

void ShowErrorReport(const std::string& caption_utf8, const std::vector<TextPiece>& text) {
  // Shown through the wide API, so that the Japanese text reads right whatever the
  // system's code page; the settings file's bytes are converted from the ANSI code page.
  std::wstring message;
  for (const TextPiece& piece : text)
    message += Widen(piece.bytes, piece.native ? CP_ACP : CP_UTF8);
  MessageBoxW(nullptr, message.c_str(), Widen(caption_utf8, CP_UTF8).c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

bool SameFile(const std::string& a, const std::string& b) {
  char full_a[MAX_PATH], full_b[MAX_PATH];
  const DWORD length_a = GetFullPathNameA(a.c_str(), MAX_PATH, full_a, nullptr);
  const DWORD length_b = GetFullPathNameA(b.c_str(), MAX_PATH, full_b, nullptr);
  return length_a > 0 && length_a < MAX_PATH && length_b > 0 && length_b < MAX_PATH &&
         lstrcmpiA(full_a, full_b) == 0;
}

bool IsReadableFile(const std::string& path) {
  if (IsFolder(path)) return false;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::string NativeToUtf8(const std::string& text) {
  const std::wstring wide = Widen(text, CP_ACP);
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

void PrepareUtf8Console() { SetConsoleOutputCP(CP_UTF8); }

std::size_t ModuleOffset(const void* code_address) {
  const auto address = reinterpret_cast<std::uintptr_t>(code_address);
  const auto base = reinterpret_cast<std::uintptr_t>(&__ImageBase);
  return address >= base ? address - base : 0;
}

void EndProcess(int exit_code) { ExitProcess(static_cast<UINT>(exit_code)); }

}  // namespace cleaner::platform
