#include "standin/net_links.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/path_text.h"
#include "standin/user_store.h"
#include "tests/scratch.h"

namespace standin {
namespace {

TEST(WebLink, ParsesCaptionAndAddress) {
  const struct {
    std::string_view text;
    const char* caption;
    const char* address;
  } cases[] = {
      {"[ACT! Add-ons (&deutsch)]http://example.org/a\r\n", "ACT! Add-ons (&deutsch)",
       "http://example.org/a"},
      {"[Forum]https://example.org/f", "Forum", "https://example.org/f"},
      {"[]http://x\nzweite Zeile", "", "http://x"},
      {"[M\xfcller]  http://x  \r\n", "Müller", "http://x"},
  };
  for (const auto& c : cases) {
    const auto link = parseWebLink(c.text);
    ASSERT_TRUE(link.has_value()) << c.text;
    EXPECT_EQ(link->caption, c.caption);
    EXPECT_EQ(link->address, c.address);
  }
  for (std::string_view bad :
       {"", "Forum]http://x", "[Forum http://x", "[Forum]\r\n", "\r\n[Forum]http://x"}) {
    EXPECT_FALSE(parseWebLink(bad).has_value()) << bad;
  }
}

TEST(WebLink, ReadsTheFolderInNameOrderSkippingOtherFiles) {
  test_support::ScratchFolder folder;
  folder.write("0100morefe.web", "[ACT! deutsches &Forum]http://f\r\n");
  folder.write("0100morede.web", "[ACT! Add-ons (&deutsch)]http://d\r\n");
  folder.write("B.WEB", "[Gross]http://g\r\n");
  folder.write("kaputt.web", "kein Link");
  folder.write("notiz.txt", "[Text]http://t\r\n");
  std::filesystem::create_directory(folder.path() / "ordner.web");
  std::vector<std::string> captions;
  for (const WebLink& link : readWebLinks(folder.path())) captions.push_back(link.caption);
  EXPECT_EQ(captions, std::vector<std::string>(
                          {"ACT! Add-ons (&deutsch)", "ACT! deutsches &Forum", "Gross"}));
  EXPECT_TRUE(readWebLinks(folder.path() / "fehlt").empty());
}

TEST(WebLink, AnnouncesTheFolderInTheRegistry) {
  test_support::ScratchFolder home;
  // On Linux the registry file lives below XDG_CONFIG_HOME; Windows ignores it.
  static std::string setting;
  setting = "XDG_CONFIG_HOME=" + common::utf8FromPath(home.path() / "config");
  putenv(setting.data());
  const std::filesystem::path links = home.path() / "daten" / common::pathFromUtf8("netlinks ä");
  ASSERT_TRUE(announceNetLinksFolder(links / ""));
  EXPECT_TRUE(std::filesystem::is_directory(links));
  EXPECT_EQ(readUserString(kActKey, kNetLinksValue),
            common::utf8FromPath(std::filesystem::absolute(links).make_preferred()));
  EXPECT_EQ(readUserString(kActKey, "fehlt"), std::nullopt);

  home.write("datei", "");
  EXPECT_FALSE(announceNetLinksFolder(home.path() / "datei" / "netlinks"));
}

}  // namespace
}  // namespace standin
