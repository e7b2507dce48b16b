#pragma once
// The stable "short" form of a file path that the database layer addresses a
// database by. On Linux this is the canonical absolute path; on Windows the
// 8.3 form.

#include <string>
#include <string_view>

namespace common {

class ShortPathResolver {
 public:
  virtual ~ShortPathResolver() = default;
  // The short form of an existing path (UTF-8), or the empty text when the path
  // does not exist or cannot be resolved. No length limit. Never throws.
  virtual std::string shortPathOf(std::string_view path) const = 0;
  // The separator between a folder and a name in paths of this platform.
  virtual char pathSeparator() const = 0;
};

}  // namespace common
