#include "standin/win32/com_registration.h"

#include <array>

#include "platform/win32/win32_handles.h"

namespace standin_win32 {
namespace {

std::wstring clsidText() {
  std::array<wchar_t, 40> text{};
  StringFromGUID2(kStandinClsid, text.data(), static_cast<int>(text.size()));
  return text.data();
}

std::wstring classKey() {
  return L"CLSID\\" + clsidText();
}

// Sets the default value of `root`\`path` (created as needed).
LSTATUS setDefault(HKEY root, const std::wstring& path, const std::wstring& text) {
  return RegSetKeyValueW(root, path.c_str(), nullptr, REG_SZ, text.c_str(),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

LSTATUS writeBelow(HKEY root, const std::wstring& command) {
  platform_win32::UniqueKey classes;
  HKEY opened = nullptr;
  LSTATUS status = RegCreateKeyExW(root, L"Software\\Classes", 0, nullptr, 0, KEY_WRITE, nullptr,
                                   &opened, nullptr);
  if (status != ERROR_SUCCESS) return status;
  classes.reset(opened);
  const std::wstring progId = kProgId;
  for (const auto& [path, text] :
       {std::pair{progId, std::wstring(L"Stand-in für ACT!")},
        std::pair{progId + L"\\CLSID", clsidText()}, std::pair{classKey(), progId},
        std::pair{classKey() + L"\\ProgID", progId},
        std::pair{classKey() + L"\\LocalServer32", command}}) {
    status = setDefault(classes.get(), path, text);
    if (status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

// The LocalServer32 command COM would use now, as the merged view shows it.
std::wstring effectiveCommand() {
  std::array<wchar_t, 1024> text{};
  DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  const std::wstring path = classKey() + L"\\LocalServer32";
  if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text.data(),
                   &bytes) != ERROR_SUCCESS) {
    return {};
  }
  return text.data();
}

LSTATUS removeBelow(HKEY root) {
  LSTATUS first = ERROR_SUCCESS;
  for (const std::wstring& path :
       {std::wstring(L"Software\\Classes\\") + kProgId, L"Software\\Classes\\" + classKey()}) {
    const LSTATUS status = RegDeleteTreeW(root, path.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND && first == ERROR_SUCCESS) {
      first = status;
    }
    // RegDeleteTreeW empties the key; the key itself goes here.
    const LSTATUS gone = RegDeleteKeyW(root, path.c_str());
    if (gone != ERROR_SUCCESS && gone != ERROR_FILE_NOT_FOUND && first == ERROR_SUCCESS) {
      first = gone;
    }
  }
  return first;
}

}  // namespace

LSTATUS writeRegistration(const std::wstring& serverPath) {
  const std::wstring command = L"\"" + serverPath + L"\"";
  const LSTATUS status = writeBelow(HKEY_CURRENT_USER, command);
  if (status != ERROR_SUCCESS) return status;
  if (effectiveCommand() == command) return ERROR_SUCCESS;
  return writeBelow(HKEY_LOCAL_MACHINE, command);
}

LSTATUS removeRegistration() {
  const LSTATUS user = removeBelow(HKEY_CURRENT_USER);
  const LSTATUS machine = removeBelow(HKEY_LOCAL_MACHINE);
  return user != ERROR_SUCCESS ? user : machine;
}

}  // namespace standin_win32
