#include <shlobj.h>
#include <windows.h>

#include <memory>

#include "platform/win32/wide_text.h"
#include "standin/user_store.h"

namespace standin {

std::filesystem::path defaultNetLinksFolder() {
  PWSTR folder = nullptr;
  const HRESULT status = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder);
  const std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> owned(folder, &CoTaskMemFree);
  if (FAILED(status)) return {};
  return std::filesystem::path(owned.get()) / L"act-standin" / L"netlinks";
}

bool writeUserString(std::string_view keyPath, std::string_view valueName, std::string_view value) {
  const std::wstring data = platform_win32::wideFromUtf8(value);
  const LSTATUS status =
      RegSetKeyValueW(HKEY_CURRENT_USER, platform_win32::wideFromUtf8(keyPath).c_str(),
                      platform_win32::wideFromUtf8(valueName).c_str(), REG_SZ, data.c_str(),
                      static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  return status == ERROR_SUCCESS;
}

std::optional<std::string> readUserString(std::string_view keyPath, std::string_view valueName) {
  const std::wstring key = platform_win32::wideFromUtf8(keyPath);
  const std::wstring name = platform_win32::wideFromUtf8(valueName);
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                   &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                   text.data(), &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  text.resize(text.find(L'\0'));
  return platform_win32::utf8FromWide(text);
}

}  // namespace standin
