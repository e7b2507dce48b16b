#pragma once
// The short form of a path on Windows: GetShortPathNameW, each component in
// its 8.3 form where the file system keeps one. The empty text when the path
// does not exist.
//
// Paths are taken in Windows form: "/" counts as "\" and is given back as "\".
// There is no length limit: the buffer grows as the function asks, and a path
// too long for the classic limit of 260 characters is handed over with the
// "\\?\" prefix (which the answer then does not carry).

#include "common/short_path.h"

namespace platform_win32 {

class Win32ShortPath : public common::ShortPathResolver {
 public:
  std::string shortPathOf(std::string_view path) const override;
  char pathSeparator() const override { return '\\'; }

 private:
  static std::string shortForm(std::string_view path);
};

}  // namespace platform_win32
