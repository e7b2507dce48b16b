#pragma once
// Resolves paths as the real backend does for existing files, without the
// file system: known paths map to their short form, everything else is absent.

#include <map>
#include <string>

#include "common/short_path.h"

namespace fakes {

class FakeShortPathResolver : public common::ShortPathResolver {
 public:
  std::string shortPathOf(std::string_view path) const override {
    auto it = known.find(std::string(path));
    return it == known.end() ? std::string() : it->second;
  }
  char pathSeparator() const override { return separator; }

  std::map<std::string, std::string> known;
  char separator = '/';
};

}  // namespace fakes
