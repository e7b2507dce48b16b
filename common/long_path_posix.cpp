#include "common/long_path.h"

namespace common {

std::filesystem::path withLongPathPrefix(const std::filesystem::path& path) {
  return path;
}

std::filesystem::path withoutLongPathPrefix(const std::filesystem::path& path) {
  return path;
}

}  // namespace common
