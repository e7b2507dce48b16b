#include "info/werbe_links.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "common/cp1252.h"
#include "info/new_file.h"
#include "info/vendor.h"
#include "platform/registry.h"

namespace info {
namespace {

namespace fs = std::filesystem;

struct WebLink {
  const char* fileName;
  const char* caption;  // with its brackets
  const char* address;
};

// In the order they are written.
constexpr WebLink kWebLinks[] = {
    {"0100morede.web", "[ACT! Add-ons (&deutsch)]", kAddOnCatalogue},
    {"0100morefe.web", "[ACT! deutsches &Forum]", kUserForum},
};

// A root name naming a network host ("\\server" on Windows; never on POSIX,
// where paths have no root name): its share belongs to the root as well.
bool isNetworkRootName(const fs::path& rootName) {
  const fs::path::string_type& name = rootName.native();
  const auto isSeparator = [](fs::path::value_type c) {
    return c == '/' || c == fs::path::preferred_separator;
  };
  return name.size() > 2 && isSeparator(name[0]) && isSeparator(name[1]) && name[2] != '?' &&
         name[2] != '.';
}

// The path, read by its parts alone, is the root of a file system or drive:
// "/", "C:\", "\\server\share", also spelled "/x/..", "C:\.\", "//".
bool spellsARoot(const fs::path& path) {
  const fs::path normal = path.lexically_normal();
  std::size_t below = 0;
  for (const fs::path& part : normal.relative_path()) {
    if (!part.empty()) ++below;
  }
  return below == 0 || (below == 1 && isNetworkRootName(normal.root_name()));
}

// The folder named by the registry value, or nothing when it is not a folder
// path we write into (see the header).
std::optional<fs::path> webLinkFolder(const platform::TaggedValue& value) {
  const std::string* text = std::get_if<std::string>(&value);
  if (text == nullptr || text->empty()) return std::nullopt;
  fs::path folder(std::u8string(text->begin(), text->end()));
  if (!folder.is_absolute() || spellsARoot(folder)) return std::nullopt;
  // Also not where it leads, when it exists (a link to the root, "act/.."
  // through a link on POSIX).
  std::error_code ec;
  const fs::path real = fs::canonical(folder, ec);
  if (!ec && spellsARoot(real)) return std::nullopt;
  return folder;
}

bool isOrdinaryFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

}  // namespace

void WerbeLinksAnlegen(platform::RegistryBackend& registry, common::MessageBoxes& boxes) {
  try {
    platform::TaggedValue value =
        platform::RegistryGetKeyValue(registry, boxes, platform::kHkeyCurrentUser,
                                      "Software\\Symantec\\ACT!", "NetLinks File Type");
    std::optional<fs::path> folder = webLinkFolder(value);
    if (!folder) return;
    for (const WebLink& link : kWebLinks) {
      fs::path path = *folder / link.fileName;
      if (isOrdinaryFile(path)) continue;
      std::string line = std::string(link.caption) + link.address + "\r\n";
      if (!writeNewFile(path, common::utf8ToCp1252(line))) return;
    }
  } catch (...) {
    // Out of memory while building a path: silent like every other failure.
  }
}

}  // namespace info
