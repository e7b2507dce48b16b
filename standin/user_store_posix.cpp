#include <algorithm>
#include <cstdlib>

#include "platform/linux/reg_file_backend.h"
#include "standin/user_store.h"

namespace standin {

std::filesystem::path defaultNetLinksFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && dataHome[0] != '\0') {
    return std::filesystem::path(dataHome) / "act-standin" / "netlinks";
  }
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : "") / ".local/share/act-standin/netlinks";
}

bool writeUserString(std::string_view keyPath, std::string_view valueName, std::string_view value) {
  platform_linux::RegFileBackend registry(platform_linux::RegFileBackend::defaultUserRegPath());
  const auto status = registry.setValue(
      platform::kHkeyCurrentUser, keyPath, valueName, platform::kRegSz,
      std::span(reinterpret_cast<const std::uint8_t*>(value.data()), value.size()));
  return status == platform::kRegistrySuccess;
}

std::optional<std::string> readUserString(std::string_view keyPath, std::string_view valueName) {
  platform_linux::RegFileBackend registry(platform_linux::RegFileBackend::defaultUserRegPath());
  const auto key = registry.openKey(platform::kHkeyCurrentUser, keyPath, platform::kKeyRead);
  if (key.status != platform::kRegistrySuccess) return std::nullopt;
  const std::string name(valueName);
  std::optional<std::string> text;
  const auto info = registry.queryValueInfo(key.key, name);
  if (info.status == platform::kRegistrySuccess && info.type == platform::kRegSz) {
    std::string bytes(info.size, '\0');
    const auto data = registry.queryValueData(
        key.key, name, std::span(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()));
    if (data.status == platform::kRegistrySuccess) {
      bytes.resize(std::min<std::size_t>(data.size, bytes.find('\0')));
      text = std::move(bytes);
    }
  }
  registry.closeKey(key.key);
  return text;
}

}  // namespace standin
