#include "platform/linux/realpath_short_path.h"

#include <cstdlib>
#include <memory>

#include "platform/native_short_path.h"

namespace platform_linux {

std::string RealpathShortPath::shortPathOf(std::string_view path) const {
  if (path.empty()) return {};
  const std::string text(path);
  // realpath(…, nullptr) allocates a buffer of the length needed: no limit.
  std::unique_ptr<char, decltype(&std::free)> resolved(realpath(text.c_str(), nullptr), &std::free);
  return resolved ? std::string(resolved.get()) : std::string();
}

}  // namespace platform_linux

namespace platform {

common::ShortPathResolver& nativeShortPathResolver() {
  static platform_linux::RealpathShortPath resolver;
  return resolver;
}

}  // namespace platform
