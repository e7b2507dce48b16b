#pragma once
// A file opened for reading at chosen positions: the engine's one seam to the
// operating system's files, with one backend per platform
// (read_only_file_posix.cpp, read_only_file_win32.cpp).
//
// ACT! keeps its tables open and writes to them while we read, so the file
// is opened without any lock or sharing restriction (on Windows: sharing for
// reading, writing and deleting), nothing is mapped, and the size is asked
// for anew whenever it matters: the file may grow or shrink at any moment.
// Failures are values, never exceptions; the table and memo readers turn
// them into engine errors.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <span>

namespace dbengine {

class ReadOnlyFile {
 public:
  enum class Status {
    kOk,
    kNotFound,    // no file at that path
    kNotAFile,    // a folder or another non-regular file
    kUnreadable,  // exists but cannot be opened (permissions, I/O)
  };

  // Opens the file at path. On success returns it and sets status to kOk;
  // otherwise returns nullptr and sets status to the cause.
  static std::unique_ptr<ReadOnlyFile> open(const std::filesystem::path& path, Status& status);

  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // The file's size in bytes now, or nullopt when the system cannot tell.
  std::optional<std::uint64_t> size() const;

  // A second handle on this same open file (not looked up again by its path,
  // which may name another file by now), for a reader on another thread;
  // nullptr when the system refuses one.
  std::unique_ptr<ReadOnlyFile> reopen() const;

  // Reads into `buffer` from `offset` on. Returns the number of bytes read,
  // fewer than buffer.size() only where the file ends; nullopt on an I/O
  // error. Never reads outside the buffer. Safe to call from several
  // threads; where the system reads from a position the handle keeps
  // (Windows), the calls on one handle take turns.
  std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const;

  // Tells the system that the file is about to be read front to back, so it
  // reads ahead generously. Only a hint; Windows takes it only when a file is
  // opened, so there every file carries it from the start.
  void adviseSequential() const;

 private:
  explicit ReadOnlyFile(std::intptr_t handle) : handle_(handle) {}
  std::intptr_t handle_;  // a descriptor (POSIX) or a HANDLE (Windows)
  mutable std::mutex positionMutex_;  // Windows: one read at a time moves the position
};

}  // namespace dbengine
