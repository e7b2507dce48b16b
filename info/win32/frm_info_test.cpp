// The information dialog's keyboard and owner on Windows, with real keys
// (SendInput) into the real window while it is shown modally.

#include "info/win32/frm_info.h"

#include <gtest/gtest.h>
#include <objbase.h>
//
#include <commctrl.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/win32/ui/key_strokes_test_util.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_shell_backend.h"

namespace info_win32 {
namespace {

// What a timer saw while the dialog was shown: the dialog, its owner, and
// whether the strokes had to be followed by closing the window through its
// frame because they did not end the showing.
struct Showing {
  std::vector<std::string> strokes;
  HWND dialog = nullptr;
  HWND owner = nullptr;
  std::chrono::steady_clock::time_point sentAt{};
  bool closedByTest = false;
};
Showing* current = nullptr;

void CALLBACK watch(HWND, UINT, UINT_PTR, DWORD) {
  Showing& s = *current;
  const HWND foreground = GetForegroundWindow();
  if (s.dialog == nullptr) {
    wchar_t caption[64] = L"";
    GetWindowTextW(foreground, caption, 64);
    if (std::wstring(caption) != L"Informationen über das Programm") return;
    s.dialog = foreground;
    s.owner = GetWindow(foreground, GW_OWNER);
    for (const std::string& stroke : s.strokes) {
      std::vector<INPUT> inputs = win32_ui::testing::stroke(stroke);
      SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
    s.sentAt = std::chrono::steady_clock::now();
  } else if (!s.closedByTest && std::chrono::steady_clock::now() - s.sentAt > std::chrono::seconds(2)) {
    s.closedByTest = true;
    PostMessageW(s.dialog, WM_CLOSE, 0, 0);
  }
}

TEST(FrmInfo, SpaceAndEnterPressTheFocusedOkAndTheShowingWindowOwnsTheDialog) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  platform_win32::MessageLoop loop;
  fakes::FakeShellBackend shell;
  fakes::FakeMessageBoxes boxes;
  InfoServices services{shell, boxes, loop};

  // The window that shows the dialog, as the search dialog does.
  const HWND opener = CreateWindowExW(0, L"STATIC", L"Öffner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      10, 10, 200, 100, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(opener);
  loop.processPendingEvents();

  FrmInfo info(services);
  for (const char* key : {"Space", "Return"}) {
    SCOPED_TRACE(key);
    Showing showing{.strokes = {key}};
    current = &showing;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &watch);
    info.showModal("Text");
    KillTimer(nullptr, timer);
    ASSERT_NE(showing.dialog, nullptr);
    EXPECT_EQ(showing.owner, opener);
    EXPECT_FALSE(showing.closedByTest) << "the key did not press OK";
    EXPECT_NE(info.loadedWindow(), nullptr);  // OK hides and keeps the window
  }
  DestroyWindow(opener);
}

}  // namespace
}  // namespace info_win32
