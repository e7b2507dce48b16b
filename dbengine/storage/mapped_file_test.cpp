#include "dbengine/storage/mapped_file.h"

#include <gtest/gtest.h>

#include <string>

#include "dbengine/storage/table_builder_test_util.h"

namespace dbengine {
namespace {

using testing::ScratchFolder;

TEST(MappedFile, OpenReportsWhyItFailed) {
  ScratchFolder folder;
  const auto file = folder.write("a.bin", "abc");
  const auto empty = folder.write("empty.bin", "");
  struct Case {
    std::filesystem::path path;
    MappedFile::Status status;
    std::size_t size;
  };
  const Case cases[] = {
      {file, MappedFile::Status::kOk, 3},
      {empty, MappedFile::Status::kOk, 0},
      {folder.path() / "missing.bin", MappedFile::Status::kNotFound, 0},
      {file / "below-a-file", MappedFile::Status::kNotFound, 0},
      {folder.path(), MappedFile::Status::kNotAFile, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.string());
    MappedFile::Status status = MappedFile::Status::kUnreadable;
    const auto mapped = MappedFile::open(c.path, status);
    EXPECT_EQ(status, c.status);
    ASSERT_EQ(mapped != nullptr, c.status == MappedFile::Status::kOk);
    if (mapped) {
      EXPECT_EQ(mapped->size(), c.size);
    }
  }
}

// The sequential hint must accept any range, also one that is not
// page-aligned, empty or past the end, and leave the contents as they are.
TEST(MappedFile, SequentialHintLeavesContentsAlone) {
  ScratchFolder folder;
  std::string bytes(3 * 4096 + 123, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 % 251);
  MappedFile::Status status = MappedFile::Status::kUnreadable;
  const auto mapped = MappedFile::open(folder.write("pages.bin", bytes), status);
  ASSERT_EQ(status, MappedFile::Status::kOk);
  const std::size_t ranges[][2] = {{0, 0}, {100, 4096}, {4095, 2}, {4096, 1 << 30}, {1 << 30, 10}};
  for (const auto& range : ranges) mapped->adviseSequential(range[0], range[1]);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(mapped->data()), mapped->size()), bytes);
}

}  // namespace
}  // namespace dbengine
