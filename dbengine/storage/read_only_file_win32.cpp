// Windows backend of ReadOnlyFile: CreateFileW (with the sequential-scan
// hint), SetFilePointerEx and ReadFile, GetFileSizeEx, ReOpenFile where
// Windows has it (Vista and later; on XP the scans share the one handle).
//
// The file is shared for reading, writing and deleting, so that ACT!, which
// keeps its tables open and writes to them, is never blocked by us. Paths
// are wide (the path's native UTF-16), and long ones carry the "\\?\" prefix.
// A read that touches a range another process has locked (LockFileEx; ACT!
// does so while it saves) fails with ERROR_LOCK_VIOLATION: kLocked.

#include <windows.h>

#include <algorithm>
#include <limits>
#include <mutex>

#include "common/long_path.h"
#include "dbengine/storage/read_only_file.h"

namespace dbengine {
namespace {

ReadOnlyFile::Status statusOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
      return ReadOnlyFile::Status::kNotFound;
    default:
      return ReadOnlyFile::Status::kUnreadable;
  }
}

using ReOpenFileFn = HANDLE(WINAPI*)(HANDLE, DWORD, DWORD, DWORD);

// kernel32's ReOpenFile, or null on Windows XP, which lacks it: looked up
// rather than imported, so the program still starts there.
ReOpenFileFn reOpenFile() {
  static const ReOpenFileFn function = [] {
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    // GetProcAddress gives every function the same pointer type.
    return kernel32 == nullptr ? nullptr
                               : reinterpret_cast<ReOpenFileFn>(reinterpret_cast<void*>(
                                     GetProcAddress(kernel32, "ReOpenFile")));
  }();
  return function;
}

class Win32File final : public ReadOnlyFile {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}
  ~Win32File() override { CloseHandle(handle_); }
  std::optional<std::uint64_t> size() const override;
  std::unique_ptr<ReadOnlyFile> reopen() const override;
  Read readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const override;
  // The sequential-scan hint is given when the file is opened.

 private:
  HANDLE handle_;
  mutable std::mutex positionMutex_;  // one read at a time moves the position
};

}  // namespace

std::unique_ptr<ReadOnlyFile> ReadOnlyFile::open(const std::filesystem::path& path,
                                                 Status& status) {
  const std::wstring name = common::withLongPathPrefix(path).native();
  // A folder opens only with FILE_FLAG_BACKUP_SEMANTICS; without it Windows
  // refuses it as access denied, so ask what is there first.
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    status = statusOf(GetLastError());
    return nullptr;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    status = Status::kNotAFile;
    return nullptr;
  }
  // Tables are scanned front to back. Windows takes that hint only here, for
  // every use of the handle; memo and single-record reads stay correct with
  // it, as it only steers the cache.
  const HANDLE file = CreateFileW(
      name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    status = statusOf(GetLastError());
    return nullptr;
  }
  if (GetFileType(file) != FILE_TYPE_DISK) {  // a device or a pipe
    CloseHandle(file);
    status = Status::kNotAFile;
    return nullptr;
  }
  status = Status::kOk;
  return std::make_unique<Win32File>(file);
}

std::optional<std::uint64_t> Win32File::size() const {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle_, &size) || size.QuadPart < 0) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
}

ReadOnlyFile::Read Win32File::readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const {
  // The position is set with SetFilePointerEx rather than handed over in an
  // OVERLAPPED: under Wine every ReadFile with an OVERLAPPED costs a round
  // trip to its server, which made a scan of a 1 GB table twice as slow.
  // The file position belongs to the handle, so one read at a time on it;
  // a concurrent reader takes a handle of its own (reopen).
  const std::lock_guard<std::mutex> lock(positionMutex_);
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN)) return {0, Read::Fault::kIoError};
  std::size_t done = 0;
  while (done < buffer.size()) {
    const auto wanted = static_cast<DWORD>(
        std::min<std::size_t>(buffer.size() - done, std::numeric_limits<DWORD>::max()));
    DWORD got = 0;
    if (!ReadFile(handle_, buffer.data() + done, wanted, &got, nullptr)) {
      const DWORD error = GetLastError();
      if (error == ERROR_HANDLE_EOF) break;
      return {0, error == ERROR_LOCK_VIOLATION ? Read::Fault::kLocked : Read::Fault::kIoError};
    }
    if (got == 0) break;  // the end of the file
    done += got;
  }
  return {done};
}

std::unique_ptr<ReadOnlyFile> Win32File::reopen() const {
  // Without ReOpenFile there is no second handle on the same open file:
  // opening the path again might reach another file by now, and a
  // duplicated handle shares the position.
  const ReOpenFileFn reopenFile = reOpenFile();
  if (reopenFile == nullptr) return nullptr;
  const HANDLE file =
      reopenFile(handle_, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                 FILE_FLAG_SEQUENTIAL_SCAN);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32File>(file);
}

}  // namespace dbengine
