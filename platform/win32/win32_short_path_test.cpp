// Short paths of real files in Wine's file system.

#include "platform/win32/win32_short_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/long_path.h"
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
  fs::create_directories(common::withLongPathPrefix(deep));
  fs::create_directories(folder);
  std::ofstream(table) << "Tabelle";
  std::ofstream(common::withLongPathPrefix(deepTable)) << "tief";
  ASSERT_GT(deepTable.native().size(), 400u);

  Win32ShortPath paths;
  for (const fs::path& path : {table, deepTable}) {
    SCOPED_TRACE(common::utf8FromPath(path));
    const std::string shortPath = paths.shortPathOf(common::utf8FromPath(path));
    ASSERT_FALSE(shortPath.empty());
    // 8.3 names: no blanks, nothing beyond ASCII, and the same file.
    EXPECT_EQ(shortPath.find_first_of(" \x80\xc3"), std::string::npos);
    EXPECT_LT(shortPath.size(), common::utf8FromPath(path).size());
    EXPECT_TRUE(fs::equivalent(common::withLongPathPrefix(common::pathFromUtf8(shortPath)),
                               common::withLongPathPrefix(path)));
  }

  // "/" is taken as "\"; missing paths and the empty text give the empty text.
  std::string forward = common::utf8FromPath(table);
  std::replace(forward.begin(), forward.end(), '\\', '/');
  EXPECT_EQ(paths.shortPathOf(forward), paths.shortPathOf(common::utf8FromPath(table)));
  EXPECT_EQ(paths.shortPathOf(common::utf8FromPath(folder / L"FEHLT.dbf")), "");
  EXPECT_EQ(paths.shortPathOf(""), "");
  fs::remove_all(common::withLongPathPrefix(root));
}

}  // namespace
}  // namespace platform_win32
