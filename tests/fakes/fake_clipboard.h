#pragma once

#include <string>

#include "common/clipboard.h"

namespace fakes {

class FakeClipboard : public common::Clipboard {
 public:
  void clear() override {
    text.clear();
    ++clears;
  }
  void setText(std::string_view t) override { text = std::string(t); }

  std::string text = "untouched";
  int clears = 0;
};

}  // namespace fakes
