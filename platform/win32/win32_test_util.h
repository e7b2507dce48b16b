#pragma once
// Helpers of the Windows backend tests: running other Windows programs (the
// system's reg.exe as an independent registry writer and reader, and
// win32-test-helper.exe as a second program on the clipboard) and waiting.

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handles.h"
#include "tests/scratch.h"

namespace win32_test {

// A program started with its standard output (or error) on a pipe to us.
struct StartedProgram {
  platform_win32::UniqueHandle process;  // null when it could not start
  platform_win32::UniqueHandle output;   // the read end of its standard output (or error)
  DWORD id = 0;
  DWORD startError = 0;  // why it could not start (GetLastError of the pipe or the start)
};

// Starts the command line (the program name first, searched as CreateProcess
// does).
inline StartedProgram startProgram(std::wstring commandLine, bool standardError = false) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
    StartedProgram failed;
    failed.startError = GetLastError();
    return failed;
  }
  StartedProgram started{nullptr, platform_win32::UniqueHandle(readEnd)};
  const platform_win32::UniqueHandle writer(writeEnd);  // closed here: the child holds its own
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = standardError ? GetStdHandle(STD_OUTPUT_HANDLE) : writeEnd;
  startup.hStdError = standardError ? writeEnd : GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &startup, &process)) {
    CloseHandle(process.hThread);
    started.process.reset(process.hProcess);
    started.id = process.dwProcessId;
  } else {
    started.startError = GetLastError();
  }
  return started;
}

struct ProgramRun {
  DWORD exitCode = 0xFFFFFFFF;  // this value also when the program could not start
  std::string output;           // its standard output, as bytes
  DWORD startError = 0;         // why it could not start (GetLastError)
};

// Runs the command line to its end, collecting its standard output.
inline ProgramRun runProgram(std::wstring commandLine) {
  ProgramRun run;
  const StartedProgram program = startProgram(std::move(commandLine));
  if (!program.process) {
    run.startError = program.startError;
    return run;
  }
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(program.output.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) {
    run.output.append(buffer, got);
  }
  WaitForSingleObject(program.process.get(), INFINITE);
  if (!GetExitCodeProcess(program.process.get(), &run.exitCode)) run.startError = GetLastError();
  return run;
}

// Runs reg.exe with the arguments (UTF-8); its exit code.
inline DWORD reg(const std::string& arguments) {
  const ProgramRun run = runProgram(L"reg.exe " + platform_win32::wideFromUtf8(arguments));
  if (run.startError != 0) {
    std::fprintf(stderr, "reg.exe %s: no exit code (error %lu)\n", arguments.c_str(),
                 static_cast<unsigned long>(run.startError));
  }
  return run.exitCode;
}

// Text a console program printed in the OEM code page, as UTF-8.
inline std::string fromOemCodePage(const std::string& bytes) {
  if (bytes.empty()) return {};
  std::wstring wide(bytes.size(), L'\0');
  const int length = MultiByteToWideChar(CP_OEMCP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return platform_win32::utf8FromWide(wide);
}

using test_support::waitFor;

}  // namespace win32_test
