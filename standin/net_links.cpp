#include "standin/net_links.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <algorithm>

#include "common/cp1252.h"
#include "platform/linux/reg_file_backend.h"

namespace standin {

QString defaultNetLinksFolder() {
  QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
  if (dataHome.isEmpty()) dataHome = QDir::homePath() + QStringLiteral("/.local/share");
  return dataHome + QStringLiteral("/act-standin/netlinks");
}

std::optional<WebLink> parseWebLink(std::string_view fileBytes) {
  const std::string_view line = fileBytes.substr(0, fileBytes.find_first_of("\r\n"));
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  WebLink link{QString::fromStdString(common::cp1252ToUtf8(line.substr(1, close - 1))),
               QString::fromStdString(common::cp1252ToUtf8(line.substr(close + 1))).trimmed()};
  if (link.address.isEmpty()) return std::nullopt;
  return link;
}

std::vector<WebLink> readWebLinks(const QString& folder) {
  QDir dir(folder);
  dir.setNameFilters({QStringLiteral("*.web")});
  dir.setFilter(QDir::Files | QDir::Readable);
  dir.setSorting(QDir::Name);
  std::vector<WebLink> links;
  for (const QString& name : dir.entryList()) {
    QFile file(dir.filePath(name));
    // A link file is one short line; anything larger is not one of ours.
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QByteArray bytes = file.read(4096);
    if (auto link = parseWebLink(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
      links.push_back(std::move(*link));
    }
  }
  return links;
}

bool announceNetLinksFolder(const QString& folder, const std::string& userRegPath) {
  if (!QDir().mkpath(folder)) return false;
  QString path = QDir(folder).absolutePath();
  while (path.size() > 1 && path.endsWith(u'/')) path.chop(1);
  const std::string bytes = path.toStdString();
  platform_linux::RegFileBackend registry(userRegPath);
  const auto status = registry.setValue(
      platform::kHkeyCurrentUser, "Software\\Symantec\\ACT!", "NetLinks File Type",
      platform::kRegSz,
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  return status == platform::kRegistrySuccess;
}

}  // namespace standin
