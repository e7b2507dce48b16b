#include "platform/linux/realpath_short_path.h"

#include <cstdlib>
#include <memory>

namespace platform_linux {

std::string RealpathShortPath::shortPathOf(std::string_view path) const {
  if (path.empty()) return {};
  const std::string text(path);
  // realpath(…, nullptr) allocates a buffer of the length needed: no limit.
  std::unique_ptr<char, decltype(&std::free)> resolved(realpath(text.c_str(), nullptr), &std::free);
  return resolved ? std::string(resolved.get()) : std::string();
}

}  // namespace platform_linux
