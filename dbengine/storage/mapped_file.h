#pragma once
// A whole file mapped read-only into memory: the storage's one seam to the
// operating system. Failures are values (MappedFile::Status), never
// exceptions; the table and memo readers turn them into engine errors.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace dbengine {

class MappedFile {
 public:
  enum class Status {
    kOk,
    kNotFound,    // no file at that path
    kNotAFile,    // a folder or another non-regular file
    kUnreadable,  // exists but cannot be opened or mapped (permissions, I/O)
  };

  // Maps the file at path. On success returns the mapping and sets status to
  // kOk; otherwise returns nullptr and sets status to the cause. An empty
  // file maps successfully with size() 0 and data() nullptr.
  static std::unique_ptr<MappedFile> open(const std::filesystem::path& path, Status& status);

  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  const std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

  // Tells the kernel that [offset, offset + length) is about to be read front
  // to back, so it reads ahead generously. Only a hint: failures are ignored.
  void adviseSequential(std::size_t offset, std::size_t length) const;

 private:
  MappedFile(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace dbengine
