#pragma once
// A file opened for reading at chosen positions: the engine's one seam to the
// operating system's files, with one backend per platform
// (read_only_file_posix.cpp, read_only_file_win32.cpp) and fakes in tests.
//
// ACT! keeps its tables open and writes to them while we read, so the file
// is opened without any lock or sharing restriction (on Windows: sharing for
// reading, writing and deleting), nothing is mapped, and the size is asked
// for anew whenever it matters: the file may grow or shrink at any moment.
// While ACT! saves a record it locks byte ranges of the file; on Windows a
// read that touches such a range fails, which a read reports as kLocked.
// Failures are values, never exceptions; the table and memo readers turn
// them into engine errors.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
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

  struct Read {
    enum class Fault {
      kNone,
      kLocked,   // another process holds a lock on part of the range
      kIoError,  // the system could not read
    };
    std::size_t bytes = 0;  // read into the buffer (when kNone)
    Fault fault = Fault::kNone;
  };

  // Opens the system's file at path. On success returns it and sets status
  // to kOk; otherwise returns nullptr and sets status to the cause.
  static std::unique_ptr<ReadOnlyFile> open(const std::filesystem::path& path, Status& status);
  // How the table and memo readers open their files: open() but in tests.
  using Opener =
      std::function<std::unique_ptr<ReadOnlyFile>(const std::filesystem::path&, Status&)>;

  virtual ~ReadOnlyFile() = default;
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // The file's size in bytes now, or nullopt when the system cannot tell.
  virtual std::optional<std::uint64_t> size() const = 0;

  // A second handle on this same open file (not looked up again by its path,
  // which may name another file by now), for a reader on another thread;
  // nullptr when the system refuses one.
  virtual std::unique_ptr<ReadOnlyFile> reopen() const = 0;

  // Reads into `buffer` from `offset` on: bytes fewer than buffer.size()
  // only where the file ends. Never reads outside the buffer. Safe to call
  // from several threads; where the system reads from a position the handle
  // keeps (Windows), the calls on one handle take turns.
  virtual Read readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const = 0;

  // Tells the system that the file is about to be read front to back, so it
  // reads ahead generously. Only a hint; Windows takes it only when a file is
  // opened, so there every file carries it from the start.
  virtual void adviseSequential() const {}

 protected:
  ReadOnlyFile() = default;
};

}  // namespace dbengine
