#pragma once
// The clipboard on Windows: OpenClipboard, EmptyClipboard and
// SetClipboardData(CF_UNICODETEXT). Windows keeps the text after the program
// ends and offers it to others also as CF_TEXT.
//
// Another program may hold the clipboard open for a moment; opening it is
// then retried for up to one second before the call gives up silently (the
// clipboard is then unchanged). A call right after one that gave up tries
// once and does not wait again, so clear() and setText() in a row wait one
// second in all. Each call opens and closes the clipboard through a window
// of its own, made and destroyed within the call.

#include <chrono>
#include <optional>

#include "common/clipboard.h"

namespace platform_win32 {

class Win32Clipboard : public common::Clipboard {
 public:
  void clear() override;
  void setText(std::string_view text) override;

  // How long opening the clipboard is retried while another program holds
  // it (clipboard viewers and managers hold it for moments only).
  static constexpr std::chrono::milliseconds kOpenPatience{1000};

 private:
  // How long this call may wait: nothing within a patience of the last give-up.
  std::chrono::milliseconds patience() const;
  // Remembers whether this call gave up; returns `opened`.
  bool noteOpened(bool opened);

  std::optional<std::chrono::steady_clock::time_point> gaveUpAt_;  // the last call's give-up
};

}  // namespace platform_win32
