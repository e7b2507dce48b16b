// act-standin.exe: the stand-in ACT! for Windows.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <memory>

#include "platform/win32/wide_text.h"
#include "standin/win32/standin_app.h"

int main() {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(
      CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
  std::vector<std::string> arguments;
  for (int i = 0; wide && i < count; ++i) {
    arguments.push_back(platform_win32::utf8FromWide(wide.get()[i]));
  }
  return standin_win32::runStandin(arguments);
}
