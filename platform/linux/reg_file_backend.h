#pragma once
// The registry on Linux: HKEY_CURRENT_USER is one Wine-format registry file
// (reg_file.h), by default ${XDG_CONFIG_HOME:-$HOME/.config}/registry/user.reg.
// Every other root key reads as absent.
//
// Reading is silent: a missing file, a file that is not a registry file, an
// unreadable one, a missing key or value all give kRegistryNotFound. Opening a
// key reads the file and keeps a snapshot of the key's values until closeKey,
// so the queries of one read agree with each other.
//
// Texts cross the seam as UTF-8 (registry_backend.h): the file stores
// UTF-16, so key paths, value names and string data are converted on the way
// in and out, and any text round-trips. Safe to use from several threads.

#include <map>
#include <mutex>
#include <span>
#include <string>

#include "platform/linux/reg_text.h"
#include "platform/registry_backend.h"

namespace platform_linux {

class RegFileBackend : public platform::RegistryBackend {
 public:
  // `userRegPath`: the file that holds HKEY_CURRENT_USER.
  explicit RegFileBackend(std::string userRegPath);

  // ${XDG_CONFIG_HOME:-$HOME/.config}/registry/user.reg; empty when no home
  // folder is known (every read then finds nothing and every write fails).
  static std::string defaultUserRegPath();

  platform::RegistryOpenResult openKey(platform::RegistryRootKey root, std::string_view keyPath,
                                       std::uint32_t access) override;
  platform::RegistryQueryResult queryValueInfo(platform::RegistryKeyHandle key,
                                               std::string_view valueName) override;
  platform::RegistryQueryResult queryValueData(platform::RegistryKeyHandle key,
                                               std::string_view valueName,
                                               std::span<std::uint8_t> buffer) override;
  platform::RegistryStatus closeKey(platform::RegistryKeyHandle key) override;

  // Stores a value: key path and value name are UTF-8, and so is the data of
  // the string types, stored as UTF-16 (a missing terminating NUL is added).
  // Other types are stored as given. Creates the
  // file, its folder and the key as needed; every other line of the file stays
  // as it was. The file is replaced atomically.
  // Returns kRegistrySuccess; kRegistryAccessDenied for another root key;
  // kRegistryInvalidParameter for an empty or malformed key path;
  // kRegistryBadDatabase when the existing file cannot be read or is not a
  // registry file (it is then left alone); kRegistryCannotWrite when the new
  // file could not be written (the old one stays).
  platform::RegistryStatus setValue(platform::RegistryRootKey root, std::string_view keyPath,
                                    std::string_view valueName, std::uint32_t type,
                                    std::span<const std::uint8_t> data);

 private:
  using Snapshot = std::map<std::u16string, RegValue>;  // folded name -> value as handed out

  const RegValue* find(platform::RegistryKeyHandle key, std::string_view valueName) const;

  std::string path_;
  mutable std::mutex mutex_;
  std::map<platform::RegistryKeyHandle, Snapshot> openKeys_;
  platform::RegistryKeyHandle nextHandle_ = 0x100;
};

// Largest registry file read; a bigger one reads as absent.
inline constexpr std::size_t kLargestRegistryFileBytes = 64u << 20;

}  // namespace platform_linux
