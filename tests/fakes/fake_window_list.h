#pragma once
// The desktop's top-level windows, in enumeration order; every other handle
// is no window. With a journal, each enumeration notes "windows" there.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/utf8.h"
#include "common/window_list.h"

namespace fakes {

struct FakeWindow {
  common::WindowHandle handle;
  bool visible;
  std::string className, title;
  std::optional<std::int32_t> reportedLength = std::nullopt;  // when it disagrees with the title
};

class FakeWindowList : public common::WindowList {
 public:
  void enumerate(const std::function<bool(common::WindowHandle)>& visit) override {
    if (journal != nullptr) journal->push_back("windows");
    for (const FakeWindow& w : windows)
      if (!visit(w.handle)) return;
  }
  bool isVisible(common::WindowHandle h) override { return find(h) && find(h)->visible; }
  bool isWindow(common::WindowHandle h) override { return find(h) != nullptr; }
  std::string className(common::WindowHandle h) override {
    return find(h) ? find(h)->className : "";
  }
  std::int32_t titleLength(common::WindowHandle h) override {
    if (find(h) == nullptr) return 0;
    return find(h)->reportedLength.value_or(
        static_cast<std::int32_t>(common::utf8Length(find(h)->title)));
  }
  std::string title(common::WindowHandle h) override { return find(h) ? find(h)->title : ""; }

  std::vector<FakeWindow> windows;
  std::vector<std::string>* journal = nullptr;

 private:
  const FakeWindow* find(common::WindowHandle h) const {
    for (const FakeWindow& w : windows)
      if (w.handle == h) return &w;
    return nullptr;
  }
};

}  // namespace fakes
