#include <cstdio>

#include "info/new_file.h"

namespace info {

bool writeNewFile(const std::filesystem::path& path, std::string_view bytes) {
  // "x" fails on anything already there, also a dangling link.
  std::FILE* file = std::fopen(path.c_str(), "wbx");
  if (file == nullptr) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  bool closed = std::fclose(file) == 0;
  return written && closed;
}

}  // namespace info
