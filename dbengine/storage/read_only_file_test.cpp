#include "dbengine/storage/read_only_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dbengine/storage/table_builder_test_util.h"

namespace dbengine {
namespace {

using testing::ScratchFolder;

TEST(ReadOnlyFile, OpenSaysWhyItFailedAndReadsStopAtTheEnd) {
  ScratchFolder folder;
  const auto file = folder.write("a.bin", "abcdef");
  struct Case {
    std::filesystem::path path;
    ReadOnlyFile::Status status;
  };
  const Case cases[] = {
      {folder.write("empty.bin", ""), ReadOnlyFile::Status::kOk},
      {folder.path() / "missing.bin", ReadOnlyFile::Status::kNotFound},
      {folder.path(), ReadOnlyFile::Status::kNotAFile},
  };
  for (const Case& c : cases) {
    ReadOnlyFile::Status status = ReadOnlyFile::Status::kUnreadable;
    EXPECT_EQ(ReadOnlyFile::open(c.path, status) != nullptr, c.status == ReadOnlyFile::Status::kOk);
    EXPECT_EQ(status, c.status) << c.path;
  }

  ReadOnlyFile::Status status = ReadOnlyFile::Status::kUnreadable;
  const auto opened = ReadOnlyFile::open(file, status);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->size(), 6u);
  std::vector<std::uint8_t> buffer(4, 'x');
  EXPECT_EQ(opened->readAt(1, buffer), 4u);
  EXPECT_EQ(std::string(buffer.begin(), buffer.end()), "bcde");
  EXPECT_EQ(opened->readAt(4, buffer), 2u);  // only "ef" is left
  EXPECT_EQ(opened->readAt(100, buffer), 0u);

  // The file is not locked: it can be replaced while open, and the size
  // follows what is there now.
  folder.write("a.bin", "ab");
  EXPECT_EQ(opened->size(), 2u);
}

}  // namespace
}  // namespace dbengine
