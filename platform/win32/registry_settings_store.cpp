#include "platform/win32/registry_settings_store.h"

#include <optional>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handles.h"

namespace platform_win32 {
namespace {

bool usableName(std::string_view name) {
  return !name.empty() && name.find('\\') == std::string_view::npos;
}

std::optional<std::wstring> keyPathOf(std::string_view application, std::string_view section) {
  if (!usableName(application) || !usableName(section)) return std::nullopt;
  return L"Software\\VB and VBA Program Settings\\" + wideFromUtf8(application) + L"\\" +
         wideFromUtf8(section);
}

// The REG_SZ value's text without its terminating NUL; nothing when the key
// or value is missing, unreadable or of another type.
std::optional<std::wstring> storedText(const std::wstring& path, std::string_view key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  const UniqueKey hkey(opened);
  const std::wstring name = wideFromUtf8(key);
  std::wstring text;
  for (;;) {
    DWORD type = REG_NONE;
    auto size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LSTATUS status = RegQueryValueExW(hkey.get(), name.c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(text.data()), &size);
    if (type != REG_SZ) return std::nullopt;
    if (status == ERROR_MORE_DATA) {
      text.assign((size + 1) / sizeof(wchar_t), L'\0');
      continue;
    }
    if (status != ERROR_SUCCESS) return std::nullopt;
    text.resize(size / sizeof(wchar_t));
    break;
  }
  if (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

}  // namespace

std::string RegistrySettingsStore::read(std::string_view application, std::string_view section,
                                        std::string_view key, std::string_view fallback) const {
  try {
    const std::optional<std::wstring> path = keyPathOf(application, section);
    const std::optional<std::wstring> text = path ? storedText(*path, key) : std::nullopt;
    return text ? utf8FromWide(*text) : std::string(fallback);
  } catch (...) {
    // Out of memory: the store counts as unreadable. The fallback is tried once more.
    try {
      return std::string(fallback);
    } catch (...) {
      return {};
    }
  }
}

bool RegistrySettingsStore::write(std::string_view application, std::string_view section,
                                  std::string_view key, std::string_view value) {
  try {
    const std::optional<std::wstring> path = keyPathOf(application, section);
    if (!path) return false;
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path->c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &created, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    const UniqueKey hkey(created);
    const std::wstring name = wideFromUtf8(key);
    const std::wstring text = wideFromUtf8(value);
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(hkey.get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
  } catch (...) {
    return false;  // out of memory; nothing was changed
  }
}

}  // namespace platform_win32
