#include "platform/win32/win32_short_path.h"

#include <windows.h>

#include <algorithm>

#include "common/long_path.h"
#include "platform/native_short_path.h"
#include "platform/win32/wide_text.h"

namespace platform_win32 {

std::string Win32ShortPath::shortPathOf(std::string_view path) const {
  if (path.empty()) return {};
  try {
    return shortForm(path);
  } catch (...) {
    return {};  // out of memory: as a path that cannot be resolved
  }
}

std::string Win32ShortPath::shortForm(std::string_view path) {
  std::wstring wide = wideFromUtf8(path);
  std::replace(wide.begin(), wide.end(), L'/', L'\\');
  const std::wstring request = common::withLongPathPrefix(wide).native();

  std::wstring shortPath(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetShortPathNameW(request.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0) return {};
    if (length < shortPath.size()) {
      shortPath.resize(length);
      break;
    }
    shortPath.assign(length, L'\0');  // too small: `length` counts the final NUL
  }
  if (request != wide) shortPath = common::withoutLongPathPrefix(shortPath).native();
  return utf8FromWide(shortPath);
}

}  // namespace platform_win32

namespace platform {

common::ShortPathResolver& nativeShortPathResolver() {
  static platform_win32::Win32ShortPath resolver;
  return resolver;
}

}  // namespace platform
