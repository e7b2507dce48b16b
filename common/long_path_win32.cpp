#include <windows.h>

#include <string>

#include "common/long_path.h"

namespace common {
namespace {

constexpr std::size_t kClassicLimit = MAX_PATH - 12;  // CreateDirectoryW's limit
constexpr std::wstring_view kPrefix = L"\\\\?\\";
constexpr std::wstring_view kUncPrefix = L"\\\\?\\UNC\\";

}  // namespace

std::filesystem::path withLongPathPrefix(const std::filesystem::path& path) {
  const std::wstring& text = path.native();
  if (text.size() < kClassicLimit || text.starts_with(kPrefix) || text.starts_with(L"\\\\.\\")) {
    return path;
  }
  // The prefix switches off Windows' own clean-up of the path, so it is done
  // here first: the full path, "/" as "\", "." and ".." resolved.
  std::wstring full(text.size() + MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetFullPathNameW(text.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) return path;
    if (length < full.size()) {
      full.resize(length);
      break;
    }
    full.assign(length, L'\0');
  }
  if (full.starts_with(L"\\\\")) return std::wstring(kUncPrefix) + full.substr(2);
  return std::wstring(kPrefix) + full;
}

std::filesystem::path withoutLongPathPrefix(const std::filesystem::path& path) {
  const std::wstring& text = path.native();
  if (text.starts_with(kUncPrefix)) return L"\\\\" + text.substr(kUncPrefix.size());
  if (text.starts_with(kPrefix)) return text.substr(kPrefix.size());
  return path;
}

}  // namespace common
