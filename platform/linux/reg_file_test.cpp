#include "platform/linux/reg_file.h"

#include <gtest/gtest.h>

#include "platform/linux/reg_case_fold.h"
#include "tests/scratch.h"

namespace platform_linux {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string wineFile(std::string_view name = "wine_user.reg") {
  return test_support::readFile(SPURLIX_TEST_DATA "/registry/" + std::string(name));
}

Bytes utf16z(std::u16string_view text) {
  std::u16string withNul(text);
  withNul.push_back(u'\0');
  return utf16leBytes(withNul);
}

const std::u16string kTestKey = u"software\\SPURLIXTEST\\mixedcase KEY";

TEST(RegFile, FindsKeysByPathWithoutRegardToCase) {
  auto file = RegFile::parse(wineFile());
  ASSERT_TRUE(file);
  const std::pair<std::u16string_view, bool> cases[] = {
      {u"", true},
      {u"Software", true},  // named only by the keys below it
      {u"SOFTWARE\\spurlixtest", true},
      {kTestKey, true},
      {u"Software\\SpurlixTest\\MixedCase Key\\sub", true},
      {u"Software\\Spurlix", false},  // a prefix of a name is not a key
      {u"Software\\Symantec\\ACT!\\NetLinks File Type", false},
      {u"\\Software", false},
      {u"Software\\\\Symantec", false},
      {u"Elsewhere", false},
  };
  for (const auto& [path, exists] : cases) {
    EXPECT_EQ(file->hasKey(path), exists) << std::string(path.begin(), path.end());
  }
  EXPECT_TRUE(file->valuesOf(u"Software")->empty());
  EXPECT_FALSE(file->valuesOf(u"Elsewhere"));
}

TEST(RegFile, RejectsTextsThatAreNoRegistryFile) {
  const std::string_view bad[] = {
      "",
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n",
      "Windows Registry Editor Version 5.00\n",
      "WINE REGISTRY Version 1\n",
      std::string_view("\x7f"
                       "ELF\x02\x01\x01\0\0\0",
                       10),
  };
  for (std::string_view text : bad) EXPECT_FALSE(RegFile::parse(text)) << text;
}

TEST(RegFile, SkipsMalformedLinesAsWineDoes) {
  const std::string text =
      "WINE REGISTRY Version 2\r\n"
      "\"Orphan\"=\"before any key\"\r\n"
      "[A] 1\r\n"
      "\"Good\"=\"1\"\r\n"
      "\"Bad\"=dword:zz\r\n"
      "  \"Indented\"=\"not a value line\"\r\n"
      "garbage \x01\xff\r\n"
      "\"Dup\"=\"first\"\r\n"
      "[B\\unterminated 1\r\n"
      "\"Lost\"=\"under a bad section\"\r\n"
      "[A] 2\r\n"
      "\"Dup\"=\"second\"\r\n"
      "\"Hex\"=hex:01,\\\r\n"
      "  02\r\n";
  auto file = RegFile::parse(text);
  ASSERT_TRUE(file);
  auto values = file->valuesOf(u"a");
  ASSERT_TRUE(values);
  EXPECT_EQ(values->size(), 3u);
  EXPECT_EQ(values->at(u"good"), (RegValue{1, utf16z(u"1")}));
  EXPECT_EQ(values->at(u"dup"), (RegValue{1, utf16z(u"second")}));
  EXPECT_EQ(values->at(u"hex"), (RegValue{3, {1, 2}}));
  EXPECT_FALSE(file->hasKey(u"B"));
  EXPECT_EQ(file->text(), text);
}

// Writing changes the value's own line, or adds lines, and nothing else.
TEST(RegFile, SetsValuesKeepingEveryOtherByte) {
  const std::string original = wineFile();
  const std::string plainLine = "\"Plain\"=\"C:\\\\Programme\\\\ACT\\\\NetLinks\"\n";
  const std::string umlautsLine =
      "\"Umlauts\"=\"Gr\\xfc\\x00dfe aus K\\xf6ln, Stra\\x00dfe 5 \\x20ac \\xbc\"\n";
  ASSERT_NE(original.find(plainLine), std::string::npos);
  ASSERT_NE(original.find(umlautsLine), std::string::npos);

  struct Case {
    const char* what;
    std::u16string key, name;
    RegValue value;
    std::string expected;
  };
  auto replaced = [&](const std::string& line, const std::string& by) {
    std::string text = original;
    return text.replace(text.find(line), line.size(), by);
  };
  const Case cases[] = {
      {"existing value, other case",
       kTestKey,
       u"PLAIN",
       {1, utf16z(u"D:\\Neu \"ü\" Ł")},
       replaced(plainLine, "\"PLAIN\"=\"D:\\\\Neu \\\"\\xfc\\\" \\x141\"\n")},
      {"new value in an existing key",
       kTestKey,
       u"Neu",
       {4, {1, 0, 0, 0}},
       replaced(umlautsLine, umlautsLine + "\"Neu\"=dword:00000001\n")},
      {"new key",
       u"Software\\Neu[1]",
       u"",
       {3, {}},
       original + "[Software\\\\Neu\\[1\\]] 1700000000\n#time=1da1747c66d0000\n@=hex:\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto file = RegFile::parse(original);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->setValue(c.key, c.name, c.value, 1700000000));
    EXPECT_EQ(file->text(), c.expected);
    auto reread = RegFile::parse(file->text());
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->valuesOf(c.key)->at(foldCase(c.name)), c.value);
    EXPECT_EQ(reread->valuesOf(kTestKey)->size(), file->valuesOf(kTestKey)->size());
  }
}

TEST(RegFile, AppendsToAFileWithoutFinalLineBreak) {
  auto file = RegFile::parse("WINE REGISTRY Version 2\n[A] 1\n\"x\"=\"1\"");
  ASSERT_TRUE(file);
  ASSERT_TRUE(file->setValue(u"A", u"y", {4, {2, 0, 0, 0}}, 5));
  EXPECT_EQ(file->text(), "WINE REGISTRY Version 2\n[A] 1\n\"x\"=\"1\"\n\"y\"=dword:00000002\n");
}

}  // namespace
}  // namespace platform_linux
