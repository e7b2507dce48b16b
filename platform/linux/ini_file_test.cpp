#include "platform/linux/ini_file.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace platform_linux {
namespace {

// Texts that must survive as key, section name and value alike.
using namespace std::string_view_literals;
const std::string_view kAwkwardTexts[] = {"",
                                          " Meyer",
                                          "Meyer ",
                                          "  ",
                                          "\t",
                                          "a = b",
                                          "; not a comment",
                                          "# not a comment",
                                          "[x]",
                                          "]",
                                          "C:\\Pfad\\\\doppelt\\",
                                          "\\s \\n \\x41",
                                          "Grüße aus Köln ÄÖÜ ß € \xF0\x9F\x98\x80",
                                          "zwei\nZeilen\r\nund\tTab",
                                          "Zeile\r",
                                          "mit\0NUL"sv,
                                          "\x01\x1f\x7f",
                                          "\xff\xfe kein UTF-8"};

TEST(IniText, OrdinaryTextsStayReadable) {
  EXPECT_EQ(escapeIniText("Müller & Söhne; Köln = Süd", IniField::Value),
            "Müller & Söhne; Köln = Süd");
  EXPECT_EQ(escapeIniText(" zwei Wörter ", IniField::Value), "\\szwei Wörter\\s");
  EXPECT_EQ(escapeIniText("a=b", IniField::Key), "a\\=b");
  EXPECT_EQ(escapeIniText(";x;", IniField::Key), "\\;x;");
  EXPECT_EQ(escapeIniText("[a]", IniField::Section), "[a\\]");
  EXPECT_EQ(escapeIniText("C:\\ACT", IniField::Value), "C:\\\\ACT");
}

TEST(IniText, RejectsBrokenEscapes) {
  for (std::string_view bad : {"\\", "a\\", "\\q", "\\x", "\\x4", "\\xg1", "\\S"}) {
    EXPECT_FALSE(unescapeIniText(bad)) << bad;
  }
}

// Every text as section, key and value at once, and in random combinations.
TEST(IniFile, ReadsWhatItWrites) {
  IniFile file = IniFile::parse("");
  std::mt19937 random(7);
  std::map<std::pair<std::string, std::string>, std::string> written;
  for (std::string_view section : kAwkwardTexts) {
    const std::string_view other = kAwkwardTexts[random() % std::size(kAwkwardTexts)];
    for (auto [key, value] : {std::pair{section, section}, std::pair{other, section}}) {
      file.setValue(section, key, value);
      written[{std::string(section), std::string(key)}] = value;
    }
  }
  IniFile reread = IniFile::parse(file.text());
  for (const auto& [where, value] : written) {
    EXPECT_EQ(reread.value(where.first, where.second), value) << file.text();
  }
}

TEST(IniFile, SkipsDamagedLines) {
  const std::string text =
      "orphan=before any section\n"
      "[Suchbegriffe]\n"
      "  0 = Meyer  \n"
      "no equals sign\n"
      "bad=\\q escape\n"
      "; 1=comment\n"
      "# 2=comment\n"
      "3=dritter\r\n"
      "[unterminated\n"
      "hidden=under a broken section\n"
      "[Debug]x\n"
      "also=hidden\n" +
      std::string("\x01\xff\xfe garbage \0 = \n", 17) +
      "[SUCHBEGRIFFE]\n"
      "0=Abel\n"
      "4";
  IniFile file = IniFile::parse(text);
  EXPECT_EQ(file.value("Suchbegriffe", "0"), "Abel") << "the later line wins, case ignored";
  EXPECT_EQ(file.value("suchbegriffe", "3"), "dritter");
  for (auto [section, key] : {std::pair{"Suchbegriffe", "1"},
                              {"Suchbegriffe", "2"},
                              {"Suchbegriffe", "bad"},
                              {"Suchbegriffe", "4"},
                              {"unterminated", "hidden"},
                              {"Debug", "also"},
                              {"", "orphan"}}) {
    EXPECT_FALSE(file.value(section, key)) << section << "/" << key;
  }
  EXPECT_EQ(file.text(), text);
}

TEST(IniFile, SettingAKeyTouchesOnlyItsLine) {
  const std::string text =
      "; Verlauf\n"
      "[Suchbegriffe]\n"
      "0 = Meyer\n"
      "1=Abel\n"
      "\n"
      "[Debug]\n"
      "Debug=\n";
  const std::tuple<const char*, std::string_view, std::string_view, std::string_view, std::string>
      cases[] = {
          {"existing key", "suchbegriffe", "0", "Zorn",
           "; Verlauf\n[Suchbegriffe]\n0=Zorn\n1=Abel\n\n[Debug]\nDebug=\n"},
          {"new key in a section", "Suchbegriffe", "2", " x",
           "; Verlauf\n[Suchbegriffe]\n0 = Meyer\n1=Abel\n2=\\sx\n\n[Debug]\nDebug=\n"},
          {"new section", "Neu", "k", "v", text + "\n[Neu]\nk=v\n"},
      };
  for (const auto& [what, section, key, value, expected] : cases) {
    IniFile file = IniFile::parse(text);
    file.setValue(section, key, value);
    EXPECT_EQ(file.text(), expected) << what;
  }
}

}  // namespace
}  // namespace platform_linux
