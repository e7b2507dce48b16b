#pragma once
// The system clipboard, plain text only.

#include <string_view>

namespace common {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void clear() = 0;
  // Puts UTF-8 text on the clipboard, replacing what was there. Never throws.
  virtual void setText(std::string_view text) = 0;
};

}  // namespace common
