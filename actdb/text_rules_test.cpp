// The text rules of the query class: path parts, comma lists and the
// case-insensitive pattern.

#include <gtest/gtest.h>

#include "actdb/case_pattern.h"
#include "actdb/comma_list.h"
#include "actdb/path_parts.h"

namespace actdb {
namespace {

TEST(PathParts, SplitsFolderAndBaseName) {
  const std::tuple<const char*, char, const char*, const char*> cases[] = {
      {"C:\\ACT\\DATABASE\\KONTAKTE.DBF", '\\', "C:\\ACT\\DATABASE", "KONTAKTE"},
      {"/home/anna/act/KONTAKTE.dbf", '/', "/home/anna/act", "KONTAKTE"},
      {"/home/anna/act/Müller & Söhne.dbf", '/', "/home/anna/act", "Müller & Söhne"},
      {"/db/k.dbf", '/', "/db", "k"},
      {"/db/.dbf", '/', "/db", ""},
      // Only the leading separator: it is never found, the folder is empty.
      {"/KONTAKTE.dbf", '/', "", "KONTAKTE"},
      {"KONTAKTE.dbf", '/', "", "ONTAKTE"},  // no separator: p stays 1
      // A file name shorter than its ending has no base name.
      {"/db/abc", '/', "/db", "<none>"},
      {"/db/", '/', "/db", "<none>"},
      {"", '/', "", "<none>"},
  };
  for (const auto& [path, separator, folder, base] : cases) {
    EXPECT_EQ(folderOf(path, separator), folder) << path;
    EXPECT_EQ(baseNameOf(path, separator).value_or("<none>"), base) << path;
  }
}

TEST(CommaList, CountsAndTrimsItems) {
  EXPECT_EQ(listCount("", ","), 0);
  EXPECT_EQ(listCount("COMPANY", ","), 1);
  EXPECT_EQ(listCount("COMPANY,NAME", ","), 2);
  EXPECT_EQ(listCount(" CITY , STATE ", ","), 2);
  EXPECT_EQ(listCount("A,,B", ","), 3);
  EXPECT_EQ(listCount("A,", ","), 2);
  // A separator in the first position is not counted.
  EXPECT_EQ(listCount(",A", ","), 1);

  EXPECT_EQ(listItem(" CITY , STATE ", ",", 1), "CITY");
  EXPECT_EQ(listItem(" CITY , STATE ", ",", 2), "STATE");
  EXPECT_EQ(listItem("COMPANY,NAME", ",", 0), "");
  EXPECT_EQ(listItem("COMPANY,NAME", ",", 3), "");
  EXPECT_EQ(listItem("A,,B", ",", 2), "");
  EXPECT_EQ(listItem("A,,B", ",", 3), "B");
  EXPECT_EQ(listItem("", ",", 1), "");
}

TEST(CasePattern, PairsEachLetterWithItsOtherCase) {
  // A character outside Windows-1252 counts as "?"; an apostrophe is doubled for SQL.
  const std::pair<const char*, const char*> cases[] = {
      {"mü", "[mM][üÜ]"}, {"M", "[Mm]"}, {"Ä1-x", "[Ää]1-[xX]"},
      {"ß", "ß"},         {"ÿ", "ÿ"},    {"×÷", "[×÷][÷×]"},
      {"", ""},           {" ", " "},    {"*?#[", "*?#["},
      {"€", "€"},         {"ł", "?"},    {"O'Neil", "[Oo]''[Nn][eE][iI][lL]"}};
  for (const auto& [fragment, pattern] : cases)
    EXPECT_EQ(caseInsensitivePattern(fragment), pattern) << fragment;
}

}  // namespace
}  // namespace actdb
