#include "platform/linux/xdg_config_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <vector>

namespace platform_linux {
namespace {

int closeKeepingErrno(int fd) {
  int saved = errno;
  ::close(fd);
  errno = saved;
  return -1;
}

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string baseNameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string temporaryPrefix(const std::string& path) {
  return "." + baseNameOf(path) + ".tmp-";
}

// Opens a new, unique temporary file beside `path`.
int createTemporaryBeside(const std::string& path, std::string& temporaryPath) {
  static std::atomic<unsigned> counter{0};
  const std::string stem =
      folderOf(path) + "/" + temporaryPrefix(path) + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryPath = stem + std::to_string(counter++);
    int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void syncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // The rename has happened; a failed sync cannot undo it.
  ::close(fd);
}

}  // namespace

std::string folderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string xdgConfigHome() {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  if (configHome != nullptr && configHome[0] == '/') return configHome;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.config";
  long bufferSize = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(bufferSize > 0 ? static_cast<std::size_t>(bufferSize) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return std::string(found->pw_dir) + "/.config";
  }
  return {};
}

FileContents readWholeFile(const std::string& path, std::size_t maxBytes) {
  FileContents result;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    result.error = errno;
    result.status = errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
    return result;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    result.error = S_ISDIR(info.st_mode) ? EISDIR : errno;
    ::close(fd);
    return result;
  }
  char chunk[65536];
  while (true) {
    ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0) {
      if (errno == EINTR) continue;
      result.error = errno;
      result.bytes.clear();
      ::close(fd);
      return result;
    }
    if (got == 0) break;
    if (result.bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
      result.error = EFBIG;
      result.bytes.clear();
      ::close(fd);
      return result;
    }
    result.bytes.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(fd);
  result.status = ReadStatus::Ok;
  return result;
}

int makeDirectories(const std::string& path) {
  if (path.empty()) return ENOENT;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
  std::string parent = folderOf(path);
  if (parent != path && parent != "." && parent != "/") {
    if (int error = makeDirectories(parent)) return error;
  }
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return errno;
  return 0;
}

int replaceFileAtomically(const std::string& path, std::string_view contents) {
  std::string temporaryPath;
  int fd = createTemporaryBeside(path, temporaryPath);
  if (fd < 0) return errno;
  struct stat existing {};
  bool ok = true;
  if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
  }
  ok = ok && writeAll(fd, contents) && ::fsync(fd) == 0;
  if (!ok) closeKeepingErrno(fd);
  ok = ok && ::close(fd) == 0;
  ok = ok && ::rename(temporaryPath.c_str(), path.c_str()) == 0;
  if (!ok) {
    int error = errno;
    ::unlink(temporaryPath.c_str());
    return error != 0 ? error : EIO;
  }
  syncFolder(folderOf(path));
  return 0;
}

void removeLeftoverTemporaries(const std::string& path) {
  const std::string folder = folderOf(path);
  const std::string prefix = temporaryPrefix(path);
  DIR* entries = ::opendir(folder.c_str());
  if (entries == nullptr) return;
  while (const dirent* entry = ::readdir(entries)) {
    if (std::string_view(entry->d_name).starts_with(prefix)) {
      ::unlinkat(::dirfd(entries), entry->d_name, 0);
    }
  }
  ::closedir(entries);
}

FolderLock::FolderLock(const std::string& folder) {
  fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ::close(fd_);
      fd_ = -1;
      return;
    }
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace platform_linux
