#pragma once
// The shell on Linux. What a call does:
//
//   - a web or e-mail address (any "scheme:" text), a folder, and a file that
//     is not a program: opened with the desktop's opener, `xdg-open` (verbs
//     null, "open" and "explore", any letter case);
//   - a program (a file that begins like an ELF binary or a "#!" script, or a
//     name without "/" found on PATH): started with posix_spawn, its
//     parameters split into arguments as a shell splits words (quotes,
//     backslashes; see shell_words.h) without running a shell, in the start
//     folder as working directory;
//   - the verb "print": the file handed to `lp`.
// With kMaskDoEnvSubst, $NAME, ${NAME} and %NAME% in the file and the start
// folder are expanded first. A relative file is taken relative to the start
// folder. The show state is not used: X11 lets the started program decide.
//
// Codes on failure (success is 42, as any code above 32):
//    2  the file does not exist (also: no program of that name on PATH; the
//       opener said the file is missing or its arguments were bad)
//    3  the start folder, or the folder the file should be in, does not
//       exist or is no folder; a path too long or with a symbolic-link loop
//    5  no permission (to enter the start folder, to run the program)
//    8  out of memory (ENOMEM, E2BIG)
//   11  a program the system cannot run (ENOEXEC)
//   26  the program file is being written (ETXTBSY)
//   31  nothing is there to handle it: an unknown verb, "print" of a folder
//       or address, the opener or `lp` missing or failing (exit code not 0)
//    0  any other system failure (out of resources)
//
// The opener and `lp` may not return until the program they start has ended
// (a browser). A call waits for them only a short bounded time, so that an
// early failure still comes back as a code; a helper still running then
// counts as started. Processes that nobody holds a handle to are reaped
// without blocking on later calls and when the object goes, so no zombies
// pile up. Never blocks longer than that bound; never throws by design.
// Use from one thread.

#include <sys/types.h>

#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "platform/shell_backend.h"

namespace platform_linux {

class LinuxShell : public platform::ShellBackend {
 public:
  struct Options {
    // How long a call waits for the opener or `lp` to fail early.
    std::chrono::milliseconds earlyExitWait{1000};
    std::string opener = "xdg-open";  // looked up on PATH when it has no "/"
    std::string printer = "lp";
  };

  LinuxShell();
  explicit LinuxShell(Options options);
  ~LinuxShell() override;
  LinuxShell(const LinuxShell&) = delete;
  LinuxShell& operator=(const LinuxShell&) = delete;

  std::int32_t shellExecute(platform::WindowHandle owner, std::optional<std::string_view> verb,
                            std::string_view file, std::optional<std::string_view> parameters,
                            std::optional<std::string_view> startFolder,
                            std::int32_t show) override;
  platform::ShellExecuteExResult shellExecuteEx(platform::WindowHandle owner, std::uint32_t mask,
                                                std::optional<std::string_view> verb,
                                                std::string_view file,
                                                std::optional<std::string_view> parameters,
                                                std::optional<std::string_view> startFolder,
                                                std::int32_t show) override;
  // The handle is the process id. Reaps the process once it has ended.
  bool processStillActive(platform::ProcessHandle process) override;
  void releaseProcess(platform::ProcessHandle process) override;

 private:
  struct Launch {
    std::int32_t code = 0;
    pid_t process = 0;  // still running and not yet handed to anybody
  };
  Launch launch(std::optional<std::string_view> verb, std::string file,
                std::optional<std::string_view> parameters, std::string startFolder);
  Launch runHelper(const std::vector<std::string>& argv, const std::string& startFolder);
  void reapDetached();

  Options options_;
  std::set<pid_t> handedOut_;    // a caller holds the handle
  std::vector<pid_t> detached_;  // nobody asks; reaped once ended
};

}  // namespace platform_linux
