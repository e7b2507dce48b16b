// Short paths of real files in Wine's file system.

#include "platform/win32/win32_short_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/path_text.h"

namespace platform_win32 {
namespace {

namespace fs = std::filesystem;

TEST(Win32ShortPathOnWine, ShortFormsOfNamesWithBlanksUmlautsAndGreatLength) {
  const fs::path root = fs::temp_directory_path() / L"Spurlix Kurzname";
  const fs::path folder = root / L"Datenbank für Müller";
  const fs::path table = folder / L"Kontakte Übersicht.dbf";
  fs::path deep = root;
  for (int i = 0; i < 12; ++i) deep /= L"ein recht langer Ordnername " + std::to_wstring(i);
  const fs::path deepTable = deep / L"KONTAKTE.dbf";
  // (Wine's file functions take long paths as they are; Windows' own would
  // want the prefix the resolver adds.)
  fs::create_directories(deep);
  fs::create_directories(folder);
  std::ofstream(table) << "Tabelle";
  std::ofstream(deepTable) << "tief";
  ASSERT_GT(deepTable.native().size(), 400u);

  Win32ShortPath paths;
  for (const auto& [path, content] : {std::pair{table, "Tabelle"}, std::pair{deepTable, "tief"}}) {
    SCOPED_TRACE(common::utf8FromPath(path));
    const std::string shortPath = paths.shortPathOf(common::utf8FromPath(path));
    // 8.3 names: no blanks, nothing beyond ASCII, and the same file.
    EXPECT_EQ(shortPath.find_first_of(" \x80\xc3"), std::string::npos);
    EXPECT_LT(shortPath.size(), common::utf8FromPath(path).size());
    std::string read;
    std::ifstream(common::pathFromUtf8(shortPath)) >> read;
    EXPECT_EQ(read, content);
  }

  // "/" is taken as "\"; missing paths and the empty text give the empty text.
  std::string forward = common::utf8FromPath(table);
  std::replace(forward.begin(), forward.end(), '\\', '/');
  EXPECT_EQ(paths.shortPathOf(forward), paths.shortPathOf(common::utf8FromPath(table)));
  EXPECT_EQ(paths.shortPathOf(common::utf8FromPath(folder / L"FEHLT.dbf")), "");
  EXPECT_EQ(paths.shortPathOf(""), "");
  std::error_code ignored;  // the run's prefix goes anyway; this stops at the long names
  fs::remove_all(root, ignored);
}

}  // namespace
}  // namespace platform_win32
