// A second Windows program for the backend tests:
//   win32-test-helper clipboard        prints the clipboard's CF_UNICODETEXT as UTF-8
//   win32-test-helper hold-clipboard MS opens the clipboard, prints "offen", keeps it MS ms
//   win32-test-helper sleep MS         waits MS ms

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
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
  std::fputs("win32-test-helper: clipboard | hold-clipboard MS | sleep MS\n", stderr);
  return 2;
}
