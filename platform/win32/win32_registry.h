#pragma once
// The registry on Windows: the registry reader's three calls carried out by
// RegOpenKeyExW, RegQueryValueExW and RegCloseKey.
//
// Texts cross the seam as UTF-8 (registry_backend.h): key paths and value
// names are turned into UTF-16 on the way in and the data of the string types
// (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) into UTF-8 on the way out, sizes
// counting its bytes. So a text that the ANSI code page cannot hold works as
// well as any other. Other types come back as stored.
//
// Root keys are the predefined 32-bit handle values, passed through. The open
// keys are owned here, behind small numbers handed out by openKey, and closed
// by closeKey or when the backend goes away. Safe to use from several threads.

#include <map>
#include <mutex>

#include "platform/registry_backend.h"
#include "platform/win32/win32_handles.h"

namespace platform_win32 {

class Win32Registry : public platform::RegistryBackend {
 public:
  platform::RegistryOpenResult openKey(platform::RegistryRootKey root, std::string_view keyPath,
                                       std::uint32_t access) override;
  platform::RegistryQueryResult queryValueInfo(platform::RegistryKeyHandle key,
                                               std::string_view valueName) override;
  platform::RegistryQueryResult queryValueData(platform::RegistryKeyHandle key,
                                               std::string_view valueName,
                                               std::span<std::uint8_t> buffer) override;
  platform::RegistryStatus closeKey(platform::RegistryKeyHandle key) override;

 private:
  struct Value {
    platform::RegistryStatus status = platform::kRegistryNotFound;
    std::uint32_t type = platform::kRegNone;
    std::string bytes;       // the data, string types in UTF-8
    std::uint32_t size = 0;  // its size; larger than bytes only for a value too large to hold
  };
  static Value failed(platform::RegistryStatus status) {
    Value value;
    value.status = status;
    return value;
  }
  Value read(platform::RegistryKeyHandle key, std::string_view valueName) const;

  mutable std::mutex mutex_;
  std::map<platform::RegistryKeyHandle, UniqueKey> openKeys_;
  platform::RegistryKeyHandle nextHandle_ = 0x100;
};

}  // namespace platform_win32
