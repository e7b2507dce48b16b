// POSIX backend of ReadOnlyFile: open(O_RDONLY | O_NONBLOCK), pread (which
// keeps no position, so readers on several threads need no turns) and dup.
//
// Linux has no lock that pread honours (mandatory locks are gone since
// kernel 5.15); where a system has them, O_NONBLOCK makes a read of a locked
// range fail with EAGAIN instead of waiting, which is kLocked.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "dbengine/storage/read_only_file.h"

namespace dbengine {

namespace {

class PosixFile final : public ReadOnlyFile {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override { ::close(fd_); }
  std::optional<std::uint64_t> size() const override;
  std::unique_ptr<ReadOnlyFile> reopen() const override;
  Read readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const override;
  void adviseSequential() const override { ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL); }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<ReadOnlyFile> ReadOnlyFile::open(const std::filesystem::path& path,
                                                 Status& status) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
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
  return std::make_unique<PosixFile>(fd);
}

std::optional<std::uint64_t> PosixFile::size() const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

ReadOnlyFile::Read PosixFile::readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const {
  std::size_t done = 0;
  while (done < buffer.size()) {
    const ssize_t n =
        ::pread(fd_, buffer.data() + done, buffer.size() - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return {0, errno == EAGAIN || errno == EWOULDBLOCK ? Read::Fault::kLocked
                                                         : Read::Fault::kIoError};
    }
    if (n == 0) break;  // the end of the file
    done += static_cast<std::size_t>(n);
  }
  return {done};
}

std::unique_ptr<ReadOnlyFile> PosixFile::reopen() const {
  const int fd = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixFile>(fd);
}

}  // namespace dbengine
