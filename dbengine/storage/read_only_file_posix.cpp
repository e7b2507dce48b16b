// POSIX backend of ReadOnlyFile: open(O_RDONLY), pread (which keeps no
// position, so readers on several threads need no turns) and dup.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "dbengine/storage/read_only_file.h"

namespace dbengine {

namespace {
int descriptor(std::intptr_t handle) {
  return static_cast<int>(handle);
}
}  // namespace

std::unique_ptr<ReadOnlyFile> ReadOnlyFile::open(const std::filesystem::path& path,
                                                 Status& status) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    status = (errno == ENOENT || errno == ENOTDIR) ? Status::kNotFound
             : errno == EISDIR                     ? Status::kNotAFile
                                                   : Status::kUnreadable;
    return nullptr;
  }
  struct stat info {};
  const bool known = ::fstat(fd, &info) == 0;
  if (!known || !S_ISREG(info.st_mode)) {
    status = known ? Status::kNotAFile : Status::kUnreadable;
    ::close(fd);
    return nullptr;
  }
  status = Status::kOk;
  return std::unique_ptr<ReadOnlyFile>(new ReadOnlyFile(fd));
}

ReadOnlyFile::~ReadOnlyFile() {
  ::close(descriptor(handle_));
}

std::optional<std::uint64_t> ReadOnlyFile::size() const {
  struct stat info {};
  if (::fstat(descriptor(handle_), &info) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::size_t> ReadOnlyFile::readAt(std::uint64_t offset,
                                                std::span<std::uint8_t> buffer) const {
  std::size_t done = 0;
  while (done < buffer.size()) {
    const ssize_t n = ::pread(descriptor(handle_), buffer.data() + done, buffer.size() - done,
                              static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) break;  // the end of the file
    done += static_cast<std::size_t>(n);
  }
  return done;
}

std::unique_ptr<ReadOnlyFile> ReadOnlyFile::reopen() const {
  const int fd = ::fcntl(descriptor(handle_), F_DUPFD_CLOEXEC, 0);
  if (fd < 0) return nullptr;
  return std::unique_ptr<ReadOnlyFile>(new ReadOnlyFile(fd));
}

void ReadOnlyFile::adviseSequential() const {
  ::posix_fadvise(descriptor(handle_), 0, 0, POSIX_FADV_SEQUENTIAL);
}

}  // namespace dbengine
