// Windows backend of ReadOnlyFile: CreateFileW (with the sequential-scan
// hint), SetFilePointerEx and ReadFile, GetFileSizeEx, ReOpenFile where
// Windows has it (Vista and later; on XP the scans share the one handle).
//
// The file is shared for reading, writing and deleting, so that ACT!, which
// keeps its tables open and writes to them, is never blocked by us. Paths
// are wide (the path's native UTF-16), and long ones carry the "\\?\" prefix.

#include <windows.h>

#include <algorithm>
#include <limits>

#include "common/long_path.h"
#include "dbengine/storage/read_only_file.h"

namespace dbengine {
namespace {

HANDLE handleOf(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

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
  return std::unique_ptr<ReadOnlyFile>(new ReadOnlyFile(reinterpret_cast<std::intptr_t>(file)));
}

ReadOnlyFile::~ReadOnlyFile() {
  CloseHandle(handleOf(handle_));
}

std::optional<std::uint64_t> ReadOnlyFile::size() const {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handleOf(handle_), &size) || size.QuadPart < 0) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::optional<std::size_t> ReadOnlyFile::readAt(std::uint64_t offset,
                                                std::span<std::uint8_t> buffer) const {
  // The position is set with SetFilePointerEx rather than handed over in an
  // OVERLAPPED: under Wine every ReadFile with an OVERLAPPED costs a round
  // trip to its server, which made a scan of a 1 GB table twice as slow.
  // The file position belongs to the handle, so one read at a time on it;
  // a concurrent reader takes a handle of its own (reopen).
  const std::lock_guard<std::mutex> lock(positionMutex_);
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(handleOf(handle_), at, nullptr, FILE_BEGIN)) return std::nullopt;
  std::size_t done = 0;
  while (done < buffer.size()) {
    const auto wanted = static_cast<DWORD>(
        std::min<std::size_t>(buffer.size() - done, std::numeric_limits<DWORD>::max()));
    DWORD got = 0;
    if (!ReadFile(handleOf(handle_), buffer.data() + done, wanted, &got, nullptr)) {
      if (GetLastError() == ERROR_HANDLE_EOF) break;
      return std::nullopt;
    }
    if (got == 0) break;  // the end of the file
    done += got;
  }
  return done;
}

std::unique_ptr<ReadOnlyFile> ReadOnlyFile::reopen() const {
  // Without ReOpenFile there is no second handle on the same open file:
  // opening the path again might reach another file by now, and a
  // duplicated handle shares the position.
  const ReOpenFileFn reopenFile = reOpenFile();
  if (reopenFile == nullptr) return nullptr;
  const HANDLE file =
      reopenFile(handleOf(handle_), GENERIC_READ,
                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_FLAG_SEQUENTIAL_SCAN);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::unique_ptr<ReadOnlyFile>(new ReadOnlyFile(reinterpret_cast<std::intptr_t>(file)));
}

void ReadOnlyFile::adviseSequential() const {
  // Given when the file was opened (FILE_FLAG_SEQUENTIAL_SCAN).
}

}  // namespace dbengine
