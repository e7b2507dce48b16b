#include "standin/net_links.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>

#include "platform/linux/reg_file_backend.h"

namespace standin {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

TEST(WebLink, ParsesCaptionAndAddress) {
  struct Case {
    std::string_view text;
    const char* caption;
    const char* address;
  };
  const Case cases[] = {
      {"[ACT! Add-ons (&deutsch)]http://example.org/a\r\n", "ACT! Add-ons (&deutsch)",
       "http://example.org/a"},
      {"[Forum]https://example.org/f", "Forum", "https://example.org/f"},
      {"[]http://x\nzweite Zeile", "", "http://x"},
      {"[M\xfcller]  http://x  \r\n", "Müller", "http://x"},
  };
  for (const Case& c : cases) {
    const auto link = parseWebLink(c.text);
    ASSERT_TRUE(link.has_value()) << c.text;
    EXPECT_EQ(link->caption, QString::fromUtf8(c.caption));
    EXPECT_EQ(link->address, QString::fromUtf8(c.address));
  }
  for (std::string_view bad :
       {"", "Forum]http://x", "[Forum http://x", "[Forum]\r\n", "\r\n[Forum]http://x"}) {
    EXPECT_FALSE(parseWebLink(bad).has_value()) << bad;
  }
}

TEST(WebLink, ReadsTheFolderInNameOrderSkippingOtherFiles) {
  QTemporaryDir folder;
  writeFile(folder.filePath("0100morefe.web"), "[ACT! deutsches &Forum]http://f\r\n");
  writeFile(folder.filePath("0100morede.web"), "[ACT! Add-ons (&deutsch)]http://d\r\n");
  writeFile(folder.filePath("B.WEB"), "[Gross]http://g\r\n");
  writeFile(folder.filePath("kaputt.web"), "kein Link");
  writeFile(folder.filePath("notiz.txt"), "[Text]http://t\r\n");
  QDir(folder.path()).mkdir("ordner.web");
  QStringList captions;
  for (const WebLink& link : readWebLinks(folder.path())) captions << link.caption;
  EXPECT_EQ(captions, QStringList({"ACT! Add-ons (&deutsch)", "ACT! deutsches &Forum", "Gross"}));
  EXPECT_TRUE(readWebLinks(folder.filePath("fehlt")).empty());
}

TEST(WebLink, AnnouncesTheFolderInTheRegistry) {
  QTemporaryDir home;
  const QString links = home.filePath("daten/netlinks ä/");
  const std::string regPath = home.filePath("registry/user.reg").toStdString();
  ASSERT_TRUE(announceNetLinksFolder(links, regPath));
  EXPECT_TRUE(QDir(links).exists());

  platform_linux::RegFileBackend registry(regPath);
  const auto key = registry.openKey(platform::kHkeyCurrentUser, "Software\\Symantec\\ACT!", 0);
  ASSERT_EQ(key.status, platform::kRegistrySuccess);
  std::array<std::uint8_t, 512> buffer{};
  const auto value = registry.queryValueData(key.key, "NetLinks File Type", buffer);
  ASSERT_EQ(value.status, platform::kRegistrySuccess);
  EXPECT_EQ(value.type, platform::kRegSz);
  const std::string expected = home.filePath("daten/netlinks ä").toStdString() + '\0';
  EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + value.size), expected);
  registry.closeKey(key.key);

  EXPECT_FALSE(announceNetLinksFolder(home.filePath("x"), "/proc/kein/user.reg"));
}

}  // namespace
}  // namespace standin
