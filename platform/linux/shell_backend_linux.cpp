#include "platform/linux/shell_backend_linux.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <thread>

#include "platform/linux/shell_words.h"

extern char** environ;

namespace platform_linux {
namespace {

constexpr std::int32_t kStarted = 42;
constexpr std::int32_t kFileNotFound = 2;
constexpr std::int32_t kPathNotFound = 3;
constexpr std::int32_t kNoAssociation = 31;

std::int32_t codeOfErrno(int err) {
  switch (err) {
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG:
      return kPathNotFound;
    case EACCES:
    case EPERM:
      return 5;
    case ENOMEM:
    case E2BIG:
      return 8;
    case ENOEXEC:
      return 11;
    case ETXTBSY:
      return 26;
    default:
      return 0;
  }
}

std::string lowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool isAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "scheme:rest" with a scheme of at least two characters, so that a Windows
// drive letter ("C:") is no address.
bool isAddress(std::string_view file) {
  std::size_t colon = file.find(':');
  if (colon == std::string_view::npos || colon < 2 || !isAsciiLetter(file[0])) return false;
  for (std::size_t i = 1; i < colon; ++i) {
    char c = file[i];
    if (!isAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') {
      return false;
    }
  }
  return true;
}

bool isDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A path that does not exist: is it only the file that is missing (2), or
// already the folder it should be in (3)?
std::int32_t missingPathCode(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  std::string parent = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
  return isDirectory(parent) ? kFileNotFound : kPathNotFound;
}

// Programs are recognised by their first bytes, not by the execute bit, since
// whole file systems (shared Windows drives) mark every document executable.
bool looksLikeProgram(const std::string& path, mode_t mode) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return (mode & 0111) != 0;  // an execute-only binary
  char head[4] = {};
  ssize_t n = ::read(fd, head, sizeof head);
  ::close(fd);
  if (n >= 4 && std::memcmp(head,
                            "\x7f"
                            "ELF",
                            4) == 0)
    return true;
  return n >= 2 && head[0] == '#' && head[1] == '!';
}

std::optional<std::string> findOnPath(const std::string& name) {
  const char* pathVariable = std::getenv("PATH");
  std::string_view entries =
      pathVariable != nullptr ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
  while (true) {
    std::size_t colon = entries.find(':');
    std::string_view folder = entries.substr(0, colon);
    std::string candidate(folder.empty() ? std::string_view(".") : folder);
    candidate += '/';
    candidate += name;
    struct stat st {};
    if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        ::access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    if (colon == std::string_view::npos) return std::nullopt;
    entries.remove_prefix(colon + 1);
  }
}

std::string absolutePath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.string();
}

// Owns the spawn attributes and file actions for one posix_spawn call.
class SpawnSetup {
 public:
  SpawnSetup() {
    ok_ = ::posix_spawnattr_init(&attributes_) == 0;
    ok_ = ::posix_spawn_file_actions_init(&actions_) == 0 && ok_;
  }
  ~SpawnSetup() {
    ::posix_spawn_file_actions_destroy(&actions_);
    ::posix_spawnattr_destroy(&attributes_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  // Returns 0 or an errno value.
  int prepare(const std::string& workingFolder, bool quiet) {
    if (!ok_) return ENOMEM;
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    // The child starts with default signal handling in a session of its
    // own, so it neither inherits our blocked signals nor dies with our
    // terminal.
    int rc = ::posix_spawnattr_setsigmask(&attributes_, &none);
    if (rc == 0) rc = ::posix_spawnattr_setsigdefault(&attributes_, &all);
    if (rc == 0) {
      rc = ::posix_spawnattr_setflags(
          &attributes_,
          static_cast<short>(POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID));
    }
    if (rc == 0 && !workingFolder.empty()) {
      rc = ::posix_spawn_file_actions_addchdir_np(&actions_, workingFolder.c_str());
    }
    if (quiet) {
      if (rc == 0) rc = ::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
      if (rc == 0) rc = ::posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
      if (rc == 0) rc = ::posix_spawn_file_actions_adddup2(&actions_, 1, 2);
    }
    return rc;
  }

  // Returns 0 or an errno value.
  int spawn(const std::string& path, bool searchPath, const std::vector<std::string>& argv,
            pid_t& pid) {
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    return searchPath
               ? ::posix_spawnp(&pid, path.c_str(), &actions_, &attributes_, args.data(), environ)
               : ::posix_spawn(&pid, path.c_str(), &actions_, &attributes_, args.data(), environ);
  }

 private:
  bool ok_ = false;
  posix_spawnattr_t attributes_{};
  posix_spawn_file_actions_t actions_{};
};

// Did the process end? Reaps it if so. A process that is not our child (any
// more) counts as ended.
bool hasEnded(pid_t pid, int* status = nullptr) {
  int localStatus = 0;
  pid_t r;
  do {
    r = ::waitpid(pid, &localStatus, WNOHANG);
  } while (r < 0 && errno == EINTR);
  if (status != nullptr) *status = localStatus;
  return r != 0;
}

// A path handed to a helper as an argument must not look like an option.
std::string asArgument(const std::string& path) {
  if (!path.starts_with('-')) return path;
  std::string safe = "./";
  safe += path;
  return safe;
}

}  // namespace

LinuxShell::LinuxShell() : LinuxShell(Options{}) {}
LinuxShell::LinuxShell(Options options) : options_(std::move(options)) {}

LinuxShell::~LinuxShell() {
  for (pid_t pid : handedOut_) detached_.push_back(pid);
  handedOut_.clear();
  reapDetached();
  // Whatever still runs is left to run; it is reaped by init once we are gone.
}

void LinuxShell::reapDetached() {
  std::erase_if(detached_, [](pid_t pid) { return hasEnded(pid); });
}

LinuxShell::Launch LinuxShell::runHelper(const std::vector<std::string>& argv,
                                         const std::string& startFolder) {
  SpawnSetup setup;
  pid_t pid = 0;
  int rc = setup.prepare(startFolder, /*quiet=*/true);
  if (rc == 0) rc = setup.spawn(argv[0], argv[0].find('/') == std::string::npos, argv, pid);
  if (rc == ENOENT) return {kNoAssociation, 0};
  if (rc != 0) return {codeOfErrno(rc), 0};

  const bool isOpener = argv[0] == options_.opener;
  const auto deadline = std::chrono::steady_clock::now() + options_.earlyExitWait;
  while (true) {
    int status = 0;
    if (hasEnded(pid, &status)) {
      if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return {kStarted, 0};
      // The opener's exit codes: 1 bad arguments, 2 file missing, 3 no
      // handler, 4 the handler failed.
      if (isOpener && WIFEXITED(status) && WEXITSTATUS(status) <= 2) return {kFileNotFound, 0};
      return {kNoAssociation, 0};
    }
    if (std::chrono::steady_clock::now() >= deadline) return {kStarted, pid};
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

LinuxShell::Launch LinuxShell::launch(std::optional<std::string_view> verb, std::string file,
                                      std::optional<std::string_view> parameters,
                                      std::string startFolder) {
  const std::string action = verb ? lowerAscii(*verb) : "open";
  const bool print = action == "print";
  if (!print && action != "open" && action != "explore") return {kNoAssociation, 0};

  if (!startFolder.empty()) {
    struct stat st {};
    if (::stat(startFolder.c_str(), &st) != 0) {
      return {errno == ENOENT ? kPathNotFound : codeOfErrno(errno), 0};
    }
    if (!S_ISDIR(st.st_mode)) return {kPathNotFound, 0};
    if (::access(startFolder.c_str(), X_OK) != 0) return {5, 0};
  }

  if (isAddress(file)) {
    if (print) return {kNoAssociation, 0};
    return runHelper({options_.opener, file}, startFolder);
  }
  if (file.empty()) return {kFileNotFound, 0};

  std::string path = file;
  if (!file.starts_with('/') && !startFolder.empty()) {
    path = startFolder;
    path += '/';
    path += file;
  }
  path = absolutePath(path);

  auto startProgram = [&](const std::string& program) -> Launch {
    std::vector<std::string> argv{file};
    if (parameters) {
      for (std::string& word : splitShellWords(*parameters)) argv.push_back(std::move(word));
    }
    SpawnSetup setup;
    pid_t pid = 0;
    int rc = setup.prepare(startFolder, /*quiet=*/false);
    if (rc == 0) rc = setup.spawn(program, /*searchPath=*/false, argv, pid);
    if (rc != 0) return {codeOfErrno(rc), 0};
    return {kStarted, pid};
  };

  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    int err = errno;
    if (err == ENOENT && !print && file.find('/') == std::string::npos) {
      // A bare name that is no file here: a program on PATH, as the
      // Windows shell finds programs by name.
      if (std::optional<std::string> program = findOnPath(file)) {
        return startProgram(absolutePath(*program));
      }
      return {kFileNotFound, 0};
    }
    return {err == ENOENT ? missingPathCode(path) : codeOfErrno(err), 0};
  }
  if (S_ISDIR(st.st_mode)) {
    if (print) return {kNoAssociation, 0};
    return runHelper({options_.opener, asArgument(path)}, startFolder);
  }
  if (print) return runHelper({options_.printer, asArgument(path)}, startFolder);
  if (S_ISREG(st.st_mode) && looksLikeProgram(path, st.st_mode)) return startProgram(path);
  return runHelper({options_.opener, asArgument(path)}, startFolder);
}

std::int32_t LinuxShell::shellExecute(platform::WindowHandle /*owner*/,
                                      std::optional<std::string_view> verb, std::string_view file,
                                      std::optional<std::string_view> parameters,
                                      std::optional<std::string_view> startFolder,
                                      std::int32_t /*show*/) {
  reapDetached();
  Launch launched = launch(verb, std::string(file), parameters,
                           startFolder ? std::string(*startFolder) : std::string());
  if (launched.process != 0) detached_.push_back(launched.process);
  return launched.code;
}

platform::ShellExecuteExResult LinuxShell::shellExecuteEx(
    platform::WindowHandle /*owner*/, std::uint32_t mask, std::optional<std::string_view> verb,
    std::string_view file, std::optional<std::string_view> parameters,
    std::optional<std::string_view> startFolder, std::int32_t /*show*/) {
  reapDetached();
  std::string fileText(file);
  std::string folderText = startFolder ? std::string(*startFolder) : std::string();
  if ((mask & platform::kMaskDoEnvSubst) != 0) {
    fileText = expandEnvironment(fileText);
    folderText = expandEnvironment(folderText);
  }
  Launch launched = launch(verb, std::move(fileText), parameters, std::move(folderText));
  if (launched.process == 0) return {launched.code, 0};
  if ((mask & platform::kMaskNoCloseProcess) == 0) {
    detached_.push_back(launched.process);
    return {launched.code, 0};
  }
  handedOut_.insert(launched.process);
  return {launched.code, static_cast<platform::ProcessHandle>(launched.process)};
}

bool LinuxShell::processStillActive(platform::ProcessHandle process) {
  reapDetached();
  auto pid = static_cast<pid_t>(process);
  auto it = handedOut_.find(pid);
  if (process == 0 || it == handedOut_.end()) return false;
  if (!hasEnded(pid)) return true;
  handedOut_.erase(it);
  return false;
}

void LinuxShell::releaseProcess(platform::ProcessHandle process) {
  auto pid = static_cast<pid_t>(process);
  if (process != 0 && handedOut_.erase(pid) != 0) detached_.push_back(pid);
  reapDetached();
}

}  // namespace platform_linux
