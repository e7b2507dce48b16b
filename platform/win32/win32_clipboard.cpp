#include "platform/win32/win32_clipboard.h"

#include <cstring>
#include <thread>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handles.h"

namespace platform_win32 {
namespace {

// The clipboard, open for one call. The window owns what is put on it: with
// no owner, SetClipboardData after EmptyClipboard fails.
class OpenClipboardSession {
 public:
  explicit OpenClipboardSession(std::chrono::milliseconds patience)
      : owner_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr)) {
    if (!owner_) return;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!(open_ = OpenClipboard(owner_.get()) != 0) &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  ~OpenClipboardSession() {
    if (open_) CloseClipboard();
  }
  OpenClipboardSession(const OpenClipboardSession&) = delete;
  OpenClipboardSession& operator=(const OpenClipboardSession&) = delete;

  bool open() const { return open_; }

 private:
  UniqueWindow owner_;  // destroyed after the clipboard is closed
  bool open_ = false;
};

struct GlobalFreer {
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
using UniqueGlobal = std::unique_ptr<std::remove_pointer_t<HGLOBAL>, GlobalFreer>;

// The text in movable global memory, as the clipboard takes it over.
UniqueGlobal globalTextOf(const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return nullptr;
  void* target = GlobalLock(memory.get());
  if (target == nullptr) return nullptr;
  std::memcpy(target, text.c_str(), bytes);
  GlobalUnlock(memory.get());
  return memory;
}

}  // namespace

std::chrono::milliseconds Win32Clipboard::patience() const {
  const bool justGaveUp = gaveUpAt_ && std::chrono::steady_clock::now() - *gaveUpAt_ < kOpenPatience;
  return justGaveUp ? std::chrono::milliseconds(0) : kOpenPatience;
}

bool Win32Clipboard::noteOpened(bool opened) {
  gaveUpAt_ = opened ? std::nullopt : std::optional(std::chrono::steady_clock::now());
  return opened;
}

void Win32Clipboard::clear() {
  OpenClipboardSession session(patience());
  if (noteOpened(session.open())) EmptyClipboard();
}

void Win32Clipboard::setText(std::string_view text) {
  std::wstring wide;
  try {
    wide = wideFromUtf8(text);
  } catch (...) {
    return;  // out of memory: the clipboard stays as it was
  }
  UniqueGlobal memory = globalTextOf(wide);
  if (!memory) return;
  OpenClipboardSession session(patience());
  if (!noteOpened(session.open()) || !EmptyClipboard()) return;
  // On success the clipboard owns the memory.
  if (SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr) memory.release();
}

}  // namespace platform_win32
