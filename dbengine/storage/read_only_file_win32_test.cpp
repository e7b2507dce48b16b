// ReadOnlyFile on Windows: ACT! renames and deletes its tables while we read
// them, and names may be long and hold any character. (That it goes on
// writing them is database_shrinking_test.cpp.)

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
  EXPECT_EQ(file->readAt(1, buffer), 4u);
  EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 4), "eile");
  const std::filesystem::path renamed = folder / L"umbenannt.dbf";
  EXPECT_TRUE(MoveFileW(path.c_str(), renamed.c_str())) << GetLastError();
  EXPECT_TRUE(DeleteFileW(renamed.c_str())) << GetLastError();
}

}  // namespace
}  // namespace dbengine
