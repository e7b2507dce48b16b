// A second Windows program for the backend tests:
//   win32-test-helper clipboard        prints the clipboard's CF_UNICODETEXT as UTF-8
//   win32-test-helper hold-clipboard MS opens the clipboard, prints "offen", keeps it MS ms
//   win32-test-helper sleep MS         waits MS ms
//   win32-test-helper cut FILE LENGTH MS
//                                      waits MS ms, then cuts FILE to LENGTH bytes

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/win32/wide_text.h"

namespace {

int printClipboard() {
  if (!OpenClipboard(nullptr)) return 3;
  int status = 4;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      const std::string utf8 = platform_win32::utf8FromWide(text);
      std::fwrite(utf8.data(), 1, utf8.size(), stdout);
      GlobalUnlock(data);
      status = 0;
    }
  }
  CloseClipboard();
  return status;
}

int holdClipboard(DWORD milliseconds) {
  if (!OpenClipboard(nullptr)) return 3;
  std::fputs("offen\n", stdout);
  std::fflush(stdout);
  Sleep(milliseconds);
  CloseClipboard();
  return 0;
}

// Cuts the file short as a program packing a table does, sharing it with
// whoever reads it.
int cutFile(const wchar_t* file, unsigned long long length, DWORD milliseconds) {
  Sleep(milliseconds);
  const HANDLE handle =
      CreateFileW(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return 3;
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(length);
  const bool cut = SetFilePointerEx(handle, at, nullptr, FILE_BEGIN) && SetEndOfFile(handle);
  CloseHandle(handle);
  return cut ? 0 : 4;
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  const std::string command = argc > 1 ? argv[1] : "";
  const auto milliseconds = static_cast<DWORD>(argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 0);
  if (command == "clipboard") return printClipboard();
  if (command == "hold-clipboard") return holdClipboard(milliseconds);
  if (command == "sleep") {
    Sleep(milliseconds);
    return 0;
  }
  if (command == "cut" && argc == 5) {
    int count = 0;  // the file's name in UTF-16, as given
    const std::unique_ptr<wchar_t*, decltype(&LocalFree)> wide(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    if (!wide || count != 5) return 2;
    return cutFile(wide.get()[2], std::strtoull(argv[3], nullptr, 10),
                   static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10)));
  }
  std::fputs("win32-test-helper: clipboard | hold-clipboard MS | sleep MS | cut FILE LENGTH MS\n",
             stderr);
  return 2;
}
