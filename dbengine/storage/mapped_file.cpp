// POSIX backend of MappedFile: open + fstat + mmap(PROT_READ, MAP_PRIVATE).
// The descriptor is closed right after mapping; the mapping keeps the file's
// contents reachable until munmap.

#include "dbengine/storage/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace dbengine {

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<MappedFile> MappedFile::open(const std::filesystem::path& path, Status& status) {
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    status = (errno == ENOENT || errno == ENOTDIR) ? Status::kNotFound
             : errno == EISDIR                     ? Status::kNotAFile
                                                   : Status::kUnreadable;
    return nullptr;
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) {
    status = Status::kUnreadable;
    return nullptr;
  }
  if (!S_ISREG(info.st_mode)) {
    status = Status::kNotAFile;
    return nullptr;
  }
  const auto size = static_cast<std::size_t>(info.st_size);
  if (size == 0) {
    status = Status::kOk;
    return std::unique_ptr<MappedFile>(new MappedFile(nullptr, 0));
  }
  void* address = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd.get(), 0);
  if (address == MAP_FAILED) {
    status = Status::kUnreadable;
    return nullptr;
  }
  status = Status::kOk;
  return std::unique_ptr<MappedFile>(
      new MappedFile(static_cast<const std::uint8_t*>(address), size));
}

MappedFile::~MappedFile() {
  if (data_ != nullptr) {
    // munmap wants a non-const pointer; the mapping was made by us.
    ::munmap(const_cast<std::uint8_t*>(data_), size_);
  }
}

void MappedFile::adviseSequential(std::size_t offset, std::size_t length) const {
  if (data_ == nullptr || length == 0 || offset >= size_) return;
  // madvise needs a page-aligned start.
  const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  const std::size_t alignedStart = offset - offset % page;
  const std::size_t end = offset + length < size_ ? offset + length : size_;
  ::madvise(const_cast<std::uint8_t*>(data_) + alignedStart, end - alignedStart, MADV_SEQUENTIAL);
}

}  // namespace dbengine
