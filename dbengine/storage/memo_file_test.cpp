#include "dbengine/storage/memo_file.h"

#include <gtest/gtest.h>

#include "dbengine/storage/engine_error.h"
#include "dbengine/storage/table_builder_test_util.h"

namespace dbengine {
namespace {

using testing::errorNumberOf;
using testing::ScratchFolder;

std::string foxProMemo(std::uint16_t blockSize, const std::string& blockData) {
  std::string out(512, '\0');
  out[6] = static_cast<char>(blockSize >> 8);
  out[7] = static_cast<char>(blockSize & 0xFF);
  return out + blockData;
}

std::string bigEndian(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16 & 0xFF),
          static_cast<char>(v >> 8 & 0xFF), static_cast<char>(v & 0xFF)};
}

// Each format's ordinary memos are dbengine/real_tables_test.cpp's; here the edges.
TEST(MemoFile, ReadsEmptyAndUnendedMemos) {
  const std::tuple<const char*, MemoFormat, std::string, std::uint32_t, std::string> cases[] = {
      {"FoxPro, empty", MemoFormat::kFoxPro, foxProMemo(64, bigEndian(1) + bigEndian(0)), 8, ""},
      {"FoxPro, cut at its length", MemoFormat::kFoxPro,
       foxProMemo(64, bigEndian(1) + bigEndian(5) + "Hallo!!"), 8, "Hallo"},
      {"dBase III, no end mark", MemoFormat::kDbase3, std::string(512, '\0') + "bis zum Ende", 1,
       "bis zum Ende"},
  };
  for (const auto& [what, format, file, block, text] : cases) {
    ScratchFolder folder;
    const auto memo = MemoFile::open(folder.write("m.memo", file), format);
    EXPECT_EQ(memo->read(block), text) << what;
  }
}

// Blocks outside the file, lengths past its end, unusable headers.
TEST(MemoFile, RejectsReadsOutsideTheFile) {
  struct Case {
    const char* what;
    MemoFormat format;
    std::string file;
    std::uint32_t block;
  };
  const Case cases[] = {
      {"block in the header", MemoFormat::kFoxPro, foxProMemo(64, std::string(64, 'x')), 7},
      {"block 0", MemoFormat::kDbase3, std::string(1024, 'x'), 0},
      {"block past the end", MemoFormat::kFoxPro, foxProMemo(64, std::string(64, 'x')), 9},
      {"huge block number", MemoFormat::kFoxPro, foxProMemo(64, std::string(64, 'x')), 0xFFFFFFFF},
      {"length past the end", MemoFormat::kFoxPro,
       foxProMemo(64, bigEndian(1) + bigEndian(57) + std::string(56, 'x')), 8},
      {"block header cut", MemoFormat::kFoxPro, foxProMemo(64, bigEndian(1)), 8},
      {"dBase IV length past the end", MemoFormat::kDbase4,
       std::string(512, '\0') + std::string("\xFF\xFF\x08\x00\xFF\0\0\0abc", 11), 1},
      {"dBase IV length below its header", MemoFormat::kDbase4,
       std::string(512, '\0') + std::string("\xFF\xFF\x08\x00\x07\0\0\0abc", 11), 1},
  };
  for (const Case& c : cases) {
    ScratchFolder folder;
    const auto memo = MemoFile::open(folder.write("m.memo", c.file), c.format);
    EXPECT_EQ(errorNumberOf([&] { memo->read(c.block); }), errc::kDamagedMemo) << c.what;
  }
}

TEST(MemoFile, RejectsUnusableFilesAtOpen) {
  struct Case {
    const char* what;
    MemoFormat format;
    std::string file;
  };
  const Case cases[] = {
      {"shorter than the header", MemoFormat::kFoxPro, std::string(100, '\0')},
      {"empty", MemoFormat::kDbase3, ""},
      {"block size 0", MemoFormat::kFoxPro, std::string(512, '\0')},
      {"dBase IV block bigger than the file", MemoFormat::kDbase4,
       std::string(20, '\0') + "\x00\x10" + std::string(100, '\0')},
  };
  ScratchFolder folder;
  for (const Case& c : cases) {
    const auto path = folder.write("m.memo", c.file);
    EXPECT_EQ(errorNumberOf([&] { MemoFile::open(path, c.format); }), errc::kDamagedMemo) << c.what;
  }
  EXPECT_EQ(
      errorNumberOf([&] { MemoFile::open(folder.path() / "fehlt.fpt", MemoFormat::kFoxPro); }),
      errc::kFileNotFound);
}

// The ending's letter case is real_tables_test.cpp's (memotest.dbf with
// memotest.FPT); here the name's, the group table's, and no memo of that ending.
TEST(MemoFile, FindsTheMemoOfAnyTableWhateverTheLetterCase) {
  ScratchFolder folder;
  folder.write("kontakte.FPT", "");
  std::error_code ec;
  EXPECT_TRUE(std::filesystem::equivalent(MemoFile::find(folder.path() / "Kontakte.gdb", ".FPT"),
                                          folder.path() / "kontakte.FPT", ec));
  EXPECT_EQ(MemoFile::find(folder.path() / "KONTAKTE.DBF", ".dbt"), std::filesystem::path());
}

}  // namespace
}  // namespace dbengine
