#pragma once
// The short form of a path on Linux: the canonical absolute path (symbolic
// links, "." and ".." resolved), the empty text when the path does not exist.

#include "common/short_path.h"

namespace platform_linux {

class RealpathShortPath : public common::ShortPathResolver {
 public:
  std::string shortPathOf(std::string_view path) const override;
  char pathSeparator() const override { return '/'; }
};

}  // namespace platform_linux
