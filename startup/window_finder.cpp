#include "startup/window_finder.h"

#include "common/utf8.h"

namespace startup {
namespace {

// Module-wide state of the current search; see the header.
common::WindowList* g_windowList = nullptr;  // not owned
std::string g_wantedClass;
std::string g_wantedTitle;
common::WindowHandle g_foundWindow = 0;

constexpr std::size_t kClassNameLimit = 255;  // the class buffer of 256 with its final NUL
constexpr std::size_t kCaptionLimit = 50;

// Lower case as the Windows-1252 code page knows it: ASCII, the Latin-1
// capitals and the four capitals of 0x80..0x9F.
char32_t toLower(char32_t c) {
  if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  switch (c) {
    case 0x160:
      return 0x161;  // Š
    case 0x152:
      return 0x153;  // Œ
    case 0x17D:
      return 0x17E;  // Ž
    case 0x178:
      return 0xFF;  // Ÿ
    default:
      return c;
  }
}

}  // namespace

void SetWindowList(common::WindowList& windows) {
  g_windowList = &windows;
}

common::WindowHandle FindTopLevelWindow(std::string_view ClassText, std::string_view TitleText) {
  g_wantedClass = std::string(ClassText);
  g_wantedTitle = std::string(TitleText);
  g_foundWindow = 0;
  if (g_windowList != nullptr) {
    g_windowList->enumerate(
        [](common::WindowHandle hWnd) { return EnumTopLevelProc(hWnd, 0) != 0; });
  }
  return g_foundWindow;
}

std::int32_t EnumTopLevelProc(common::WindowHandle hWnd, std::int32_t /*context*/) {
  if (g_windowList == nullptr || !g_windowList->isVisible(hWnd)) return 1;
  if (GetWindowClassName(hWnd).find(g_wantedClass) == std::string::npos) return 1;
  if (g_wantedTitle == "*" || GetWindowCaption(hWnd).find(g_wantedTitle) != std::string::npos) {
    g_foundWindow = hWnd;  // a later match overwrites an earlier one
  }
  return 1;
}

std::string GetWindowClassName(common::WindowHandle hWnd) {
  if (g_windowList == nullptr) return {};
  std::u32string name = common::utf8ToUtf32(g_windowList->className(hWnd));
  if (name.size() > kClassNameLimit) name.resize(kClassNameLimit);
  for (char32_t& c : name) c = toLower(c);
  return common::utf32ToUtf8(name);
}

std::string GetWindowCaption(common::WindowHandle hWnd) {
  if (g_windowList == nullptr || !g_windowList->isWindow(hWnd)) return {};
  const std::int32_t length = g_windowList->titleLength(hWnd);
  if (length <= 0) return "NoText";

  // The title as a buffer of `length` characters holds it: a longer title is
  // cut, a shorter one padded with NULs (which the NUL cut below removes).
  std::u32string caption = common::utf8ToUtf32(g_windowList->title(hWnd));
  if (caption.size() > static_cast<std::size_t>(length)) {
    caption.resize(static_cast<std::size_t>(length));
  }
  const std::size_t firstNonBlank = caption.find_first_not_of(U' ');
  caption.erase(0, firstNonBlank == std::u32string::npos ? caption.size() : firstNonBlank);
  if (caption.size() > kCaptionLimit) caption.resize(kCaptionLimit);
  std::size_t nul = caption.find(U'\0');
  if (nul != std::u32string::npos) caption.resize(nul);
  return common::utf32ToUtf8(caption);
}

}  // namespace startup
