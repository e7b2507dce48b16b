// ReadOnlyFile on Windows: ACT! renames and deletes its tables while we read
// them, locks parts of them while it saves, and names may be long and hold
// any character. (That it goes on writing them is database_shrinking_test.cpp.)

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "dbengine/storage/read_only_file.h"
#include "tests/scratch.h"

namespace dbengine {
namespace {

TEST(ReadOnlyFileOnWindows, TakesLongAndUnicodeNamesAndLetsOthersRenameAndDelete) {
  test_support::ScratchFolder scratch;
  std::filesystem::path folder = scratch.path();
  for (int i = 0; i < 10; ++i) folder /= L"Ordner mit langem Namen Nummer " + std::to_wstring(i);
  std::filesystem::create_directories(folder);
  const std::filesystem::path path = folder / L"Kontakte Müller Ω.dbf";
  ASSERT_GT(path.native().size(), 300u);
  std::ofstream(path) << "Zeile";

  ReadOnlyFile::Status status = ReadOnlyFile::Status::kUnreadable;
  const auto file = ReadOnlyFile::open(path, status);
  ASSERT_TRUE(file) << static_cast<int>(status);
  std::vector<std::uint8_t> buffer(8);
  EXPECT_EQ(file->readAt(1, buffer).bytes, 4u);
  EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 4), "eile");
  const std::filesystem::path renamed = folder / L"umbenannt.dbf";
  EXPECT_TRUE(MoveFileW(path.c_str(), renamed.c_str())) << GetLastError();
  EXPECT_TRUE(DeleteFileW(renamed.c_str())) << GetLastError();
}

TEST(ReadOnlyFileOnWindows, ARangeAnotherHandleLockedReadsAsLocked) {
  test_support::ScratchFolder scratch;
  const std::filesystem::path path = scratch.path() / L"gesperrt.dbf";
  std::ofstream(path) << "0123456789";
  ReadOnlyFile::Status status = ReadOnlyFile::Status::kUnreadable;
  const auto file = ReadOnlyFile::open(path, status);
  ASSERT_TRUE(file);
  // As ACT! locks: another handle, with write access, an exclusive lock.
  const HANDLE other =
      CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  OVERLAPPED at{};
  at.Offset = 2;
  ASSERT_TRUE(LockFileEx(other, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 4, 0, &at));
  std::vector<std::uint8_t> buffer(10);
  const ReadOnlyFile::Read locked = file->readAt(0, buffer);
  EXPECT_EQ(file->readAt(6, std::span(buffer).first(4)).bytes, 4u);  // beside the lock
  CloseHandle(other);
  if (locked.fault == ReadOnlyFile::Read::Fault::kNone) GTEST_SKIP() << "Wine enforces no locks";
  EXPECT_EQ(locked.fault, ReadOnlyFile::Read::Fault::kLocked);
}

}  // namespace
}  // namespace dbengine
