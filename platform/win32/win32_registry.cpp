#include "platform/win32/win32_registry.h"

#include <algorithm>
#include <cstring>

#include "platform/registry.h"
#include "platform/win32/wide_text.h"

namespace platform_win32 {
namespace {

using platform::RegistryStatus;

HKEY rootKeyOf(platform::RegistryRootKey root) {
  // Predefined keys are 32-bit values, sign-extended in a 64-bit HKEY.
  return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<std::int32_t>(root)));
}

bool isStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

}  // namespace

platform::RegistryOpenResult Win32Registry::openKey(platform::RegistryRootKey root,
                                                    std::string_view keyPath,
                                                    std::uint32_t access) {
  HKEY opened = nullptr;
  const std::wstring path = wideFromUtf8(keyPath);
  const LSTATUS status = RegOpenKeyExW(rootKeyOf(root), path.c_str(), 0, access, &opened);
  if (status != ERROR_SUCCESS) return {static_cast<RegistryStatus>(status), 0};
  UniqueKey owned(opened);
  std::lock_guard lock(mutex_);
  const platform::RegistryKeyHandle handle = nextHandle_++;
  openKeys_.emplace(handle, std::move(owned));
  return {platform::kRegistrySuccess, handle};
}

// The whole value, read anew: it may change between the caller's queries, so
// each answer stands on its own. String data is turned into UTF-8 here, so
// that sizes count the bytes handed out.
Win32Registry::Value Win32Registry::read(platform::RegistryKeyHandle key,
                                         std::string_view valueName) const {
  HKEY hkey = nullptr;
  {
    std::lock_guard lock(mutex_);
    auto it = openKeys_.find(key);
    if (it == openKeys_.end()) return failed(platform::kRegistryInvalidHandle);
    hkey = it->second.get();
  }
  const std::wstring name = wideFromUtf8(valueName);
  Value value;
  std::string data;
  for (;;) {
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(data.size());
    LSTATUS status =
        RegQueryValueExW(hkey, name.c_str(), nullptr, &type,
                         data.empty() ? nullptr : reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_SUCCESS && data.empty() && size > 0) status = ERROR_MORE_DATA;
    if (status == ERROR_MORE_DATA && size > platform::kLargestRegistryValueBytes) {
      // Too large to hold: only the size is told, and the reader refuses it.
      return {platform::kRegistrySuccess, type, std::string(), size};
    }
    if (status == ERROR_MORE_DATA) {
      data.assign(size, '\0');
      continue;
    }
    if (status != ERROR_SUCCESS) return failed(static_cast<RegistryStatus>(status));
    data.resize(size);
    value = {platform::kRegistrySuccess, type, std::move(data)};
    break;
  }
  if (isStringType(value.type)) {
    std::wstring wide(value.bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(wide.data(), value.bytes.data(), wide.size() * sizeof(wchar_t));
    value.bytes = utf8FromWide(wide);
  }
  value.size = static_cast<std::uint32_t>(value.bytes.size());
  return value;
}

platform::RegistryQueryResult Win32Registry::queryValueInfo(platform::RegistryKeyHandle key,
                                                            std::string_view valueName) {
  const Value value = read(key, valueName);
  if (value.status != platform::kRegistrySuccess) return {value.status, platform::kRegNone, 0};
  return {platform::kRegistrySuccess, value.type, value.size};
}

platform::RegistryQueryResult Win32Registry::queryValueData(platform::RegistryKeyHandle key,
                                                            std::string_view valueName,
                                                            std::span<std::uint8_t> buffer) {
  const Value value = read(key, valueName);
  if (value.status != platform::kRegistrySuccess) return {value.status, platform::kRegNone, 0};
  if (value.size > buffer.size()) return {platform::kRegistryMoreData, value.type, value.size};
  std::copy(value.bytes.begin(), value.bytes.end(), buffer.begin());
  return {platform::kRegistrySuccess, value.type, value.size};
}

platform::RegistryStatus Win32Registry::closeKey(platform::RegistryKeyHandle key) {
  std::lock_guard lock(mutex_);
  return openKeys_.erase(key) == 1 ? platform::kRegistrySuccess : platform::kRegistryInvalidHandle;
}

}  // namespace platform_win32
