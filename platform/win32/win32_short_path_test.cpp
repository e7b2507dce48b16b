// Short paths of real files in Wine's file system.

#include "platform/win32/win32_short_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/path_text.h"
#include "tests/scratch.h"

namespace platform_win32 {
namespace {

namespace fs = std::filesystem;

TEST(Win32ShortPathOnWine, ShortFormsOfNamesWithBlanksUmlautsAndGreatLength) {
  test_support::ScratchFolder scratch;
  const fs::path folder = scratch.path() / L"Datenbank für Müller";
  fs::path deep = scratch.path();
  for (int i = 0; i < 12; ++i) deep /= L"ein recht langer Ordnername " + std::to_wstring(i);
  // (Wine's file functions take long paths as they are; Windows' own would
  // want the prefix the resolver adds.)
  fs::create_directories(deep);
  fs::create_directories(folder);
  const fs::path table = folder / L"Kontakte Übersicht.dbf", deepTable = deep / L"KONTAKTE.dbf";
  test_support::writeFile(table, "Tabelle");
  test_support::writeFile(deepTable, "tief");
  ASSERT_GT(deepTable.native().size(), 400u);

  Win32ShortPath paths;
  for (const auto& [path, content] : {std::pair{table, "Tabelle"}, std::pair{deepTable, "tief"}}) {
    SCOPED_TRACE(common::utf8FromPath(path));
    const std::string shortPath = paths.shortPathOf(common::utf8FromPath(path));
    // 8.3 names: no blanks, nothing beyond ASCII, and the same file.
    EXPECT_EQ(shortPath.find_first_of(" \x80\xc3"), std::string::npos);
    EXPECT_LT(shortPath.size(), common::utf8FromPath(path).size());
    EXPECT_EQ(test_support::readFile(common::pathFromUtf8(shortPath)), content);
  }

  // "/" is taken as "\"; missing paths and the empty text give the empty text.
  std::string forward = common::utf8FromPath(table);
  std::replace(forward.begin(), forward.end(), '\\', '/');
  EXPECT_EQ(paths.shortPathOf(forward), paths.shortPathOf(common::utf8FromPath(table)));
  EXPECT_EQ(paths.shortPathOf(common::utf8FromPath(folder / L"FEHLT.dbf")), "");
  EXPECT_EQ(paths.shortPathOf(""), "");
}

}  // namespace
}  // namespace platform_win32
