#include <windows.h>

#include "common/long_path.h"
#include "info/new_file.h"

namespace info {

bool writeNewFile(const std::filesystem::path& path, std::string_view bytes) {
  // CREATE_NEW fails on anything already there: a file, a folder, a link.
  const HANDLE file = CreateFileW(common::withLongPathPrefix(path).c_str(), GENERIC_WRITE, 0,
                                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool complete =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  const bool closed = CloseHandle(file) != 0;
  return complete && closed;
}

}  // namespace info
