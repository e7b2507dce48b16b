// ReadOnlyFile on Windows: ACT! goes on writing, renaming and deleting its
// tables while we read them, and names may be long and hold any character.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "dbengine/storage/read_only_file.h"
#include "dbengine/storage/table_builder_test_util.h"

namespace dbengine {
namespace {

TEST(ReadOnlyFileOnWindows, NeverBlocksAWriterAndTakesLongAndUnicodeNames) {
  testing::ScratchFolder scratch;
  std::filesystem::path folder = scratch.path();
  for (int i = 0; i < 10; ++i) folder /= L"Ordner mit langem Namen Nummer " + std::to_wstring(i);
  std::filesystem::create_directories(folder);
  const std::filesystem::path path = folder / L"Kontakte Müller Ω.dbf";
  ASSERT_GT(path.native().size(), 300u);
  const HANDLE created = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(created, INVALID_HANDLE_VALUE);
  CloseHandle(created);

  ReadOnlyFile::Status status = ReadOnlyFile::Status::kUnreadable;
  const auto file = ReadOnlyFile::open(path, status);
  ASSERT_TRUE(file) << static_cast<int>(status);
  EXPECT_EQ(file->size(), 0u);

  // Another program opens the file for writing, as ACT! does, and appends.
  const HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE) << GetLastError();
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(writer, "Zeile", 5, &written, nullptr));
  CloseHandle(writer);
  EXPECT_EQ(file->size(), 5u);
  std::vector<std::uint8_t> buffer(8);
  EXPECT_EQ(file->readAt(1, buffer), 4u);
  EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 4), "eile");

  // It may rename and delete it while we hold it open.
  const std::filesystem::path renamed = folder / L"umbenannt.dbf";
  EXPECT_TRUE(MoveFileW(path.c_str(), renamed.c_str())) << GetLastError();
  EXPECT_TRUE(DeleteFileW(renamed.c_str())) << GetLastError();
}

}  // namespace
}  // namespace dbengine
