// Reads the error box that another program shows, then dismisses it:
//   box_reader OUT
// waits for a dialog window, writes its caption, a line break and its message text to
// OUT in UTF-8, and presses its OK button.
#include <windows.h>

#include <string>

namespace {

std::wstring TextOf(HWND window) {
  wchar_t text[4096];
  const int length = GetWindowTextW(window, text, 4096);
  return std::wstring(text, length > 0 ? length : 0);
}

BOOL CALLBACK CollectLongestStatic(HWND child, LPARAM found) {
  wchar_t class_name[64];
  GetClassNameW(child, class_name, 64);
  auto* longest = reinterpret_cast<std::wstring*>(found);
  const std::wstring text = TextOf(child);
  if (lstrcmpiW(class_name, L"Static") == 0 && text.size() > longest->size()) *longest = text;
  return TRUE;
}

std::string Utf8(const std::wstring& wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  for (int waited = 0; waited < 60000; waited += 50) {
    const HWND box = FindWindowW(L"#32770", nullptr);
    if (box != nullptr) {
      Sleep(200);  // let the box lay out its text
      std::wstring message;
      EnumChildWindows(box, CollectLongestStatic, reinterpret_cast<LPARAM>(&message));
      const std::string report = Utf8(TextOf(box)) + "\n" + Utf8(message);
      const HANDLE out = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      DWORD written;
      WriteFile(out, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
      CloseHandle(out);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(50);
  }
  return 1;
}
