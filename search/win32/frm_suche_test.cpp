// The search dialog's own work on Windows, with real keys (SendInput) into a
// real window: what reaches the logic for which key where, the dialog
// manager's Tab order and access keys, the layout at the window's DPI and the
// term box's character positions. What the logic then does is its own
// tests' business.

#include "search/win32/frm_suche.h"

#include <gtest/gtest.h>
#include <objbase.h>
//
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "platform/win32/ui/key_strokes_test_util.h"
#include "platform/win32/ui/twips.h"
#include "platform/win32/wide_text.h"
#include "search/recording_events_test_util.h"

namespace search_win32 {
namespace {

using Log = search::testing::EventLog;
using search::testing::RecordingEvents;
using win32_ui::testing::stroke;

// One dialog for all cases: under Wine without a window manager, taking a
// window off the screen waits two seconds for a manager that never answers.
class FrmSucheTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    loop = std::make_unique<platform_win32::MessageLoop>();
    dialog = std::make_unique<FrmSuche>(
        *loop, [](search::SearchDialogView&) { return std::make_unique<RecordingEvents>(log); });
    dialog->show();
  }
  static void TearDownTestSuite() {
    dialog.reset();
    loop.reset();
  }

  void SetUp() override {
    ASSERT_TRUE(pumpUntil([&] { return GetForegroundWindow() == dialog->handle(); }));
    log.clear();
  }

  // Handles the dialog's messages until `done` holds (at most two seconds).
  bool pumpUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      loop->processPendingEvents();
      Sleep(5);
    }
    return true;
  }

  // Sends the strokes and handles messages until the system's input queue is
  // drained and the dialog has taken everything.
  void send(const std::vector<std::string>& strokes) {
    for (const std::string& s : strokes) {
      std::vector<INPUT> inputs = stroke(s);
      SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
    const auto settle = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    pumpUntil([&] { return std::chrono::steady_clock::now() > settle; });
  }

  HWND focusedControl() const {
    HWND focus = GetFocus();
    // The term box's text field stands for the term box.
    if (focus != nullptr && GetParent(focus) != dialog->handle()) focus = GetParent(focus);
    return focus;
  }
  std::string focusedCaption() const {
    wchar_t caption[64] = L"";
    wchar_t className[64] = L"";
    GetWindowTextW(focusedControl(), caption, 64);
    GetClassNameW(focusedControl(), className, 64);
    return std::wstring(className) == L"ComboBox" ? "term box"
                                                  : std::string(caption, caption + wcslen(caption));
  }

  static inline std::unique_ptr<platform_win32::MessageLoop> loop;
  static inline Log log;
  static inline std::unique_ptr<FrmSuche> dialog;
};

TEST_F(FrmSucheTest, KeysReachTheLogicAsTheDialogsKeyPreviewAndTheTermBoxReportThem) {
  struct Case {
    const char* what;
    std::vector<std::string> strokes;  // after the term box had the focus
    Log expected;                      // the events, in order
    const char* focusAfter;
  };
  const Case cases[] = {
      {"Enter in the term box", {"Return"}, {"KeyDown 13", "KeyPress 13", "KeyUp"}, "term box"},
      {"Ctrl+Enter types a line feed, no carriage return",
       {"Ctrl+Return"},
       {"KeyDown 17", "KeyDown 13", "KeyPress 10", "KeyUp", "KeyUp"},
       "term box"},
      {"Alt+Enter types nothing",
       {"Alt+Return"},
       {"KeyDown 18", "KeyDown 13", "KeyUp", "KeyUp"},
       "term box"},
      {"characters by their Windows-1252 codes, others as ?",
       {"\xc3\xbc\xe2\x82\xac\xce\xa9"},  // "ü€Ω"; typed, they come as VK_PACKET (231)
       {"KeyDown 231", "KeyPress 252", "KeyUp", "KeyDown 231", "KeyPress 128", "KeyUp",
        "KeyDown 231", "KeyPress 63", "KeyUp"},
       "term box"},
      {"Escape and Enter on a button: previewed, Enter presses it",
       {"Tab", "Escape", "Return"},
       {"KeyDown 9", "KeyDown 27", "KeyDown 13", "Suche"},
       "Neue &Suche"},
      {"Tab order",
       {"Tab", "Tab", "Tab"},
       {"KeyDown 9", "KeyDown 9", "KeyDown 9"},
       "Informationen"},
      {"around to the term box", {"Tab", "Tab", "Tab", "Tab"}, {}, "term box"},
      {"Shift+Tab backwards", {"Shift+Tab"}, {}, "Informationen"},
      {"Alt+S searches", {"Alt+S"}, {"KeyDown 18", "KeyDown 83", "Suche"}, nullptr},
      {"Alt+A cancels", {"Alt+A"}, {"KeyDown 18", "KeyDown 65", "Abbruch"}, nullptr},
      {"Alt+B from a button goes to the term box", {"Tab", "Tab", "Alt+B"}, {}, "term box"},
      {"Space on the information button", {"Shift+Tab", "Space"}, {}, "Informationen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    dialog->focusCombo();
    log.clear();
    send(c.strokes);
    if (!c.expected.empty()) {
      EXPECT_EQ(log, c.expected);
    }
    if (c.focusAfter != nullptr) {
      EXPECT_EQ(focusedCaption(), c.focusAfter);
    }
  }
  // Space on a focused button clicks it.
  EXPECT_NE(std::find(log.begin(), log.end(), "Info"), log.end());
}

TEST_F(FrmSucheTest, LaysItselfOutInTwipsAtItsDpi) {
  const unsigned dpi = dialog->dpi();
  RECT client{};
  GetClientRect(dialog->handle(), &client);
  EXPECT_EQ(client.right, win32_ui::twipsToPixels(5430, dpi));
  EXPECT_EQ(client.bottom, win32_ui::twipsToPixels(2820, dpi));
  const HWND combo = FindWindowExW(dialog->handle(), nullptr, L"ComboBox", nullptr);
  RECT closed{};
  GetWindowRect(combo, &closed);
  EXPECT_EQ(closed.bottom - closed.top, win32_ui::twipsToPixels(315, dpi));
}

TEST_F(FrmSucheTest, TermBoxCountsCharactersAndKeepsItsTextWhenTheListChanges) {
  dialog->setComboText(
      "M\xc3\xbc\xf0\x9f\x98\x80ller");  // "Mü😀ller": the emoji is two UTF-16 units
  dialog->setSelection(3, 2);
  EXPECT_EQ(dialog->selectionStart(), 3);
  dialog->addListItem("Meyer");
  dialog->setListItem(0, "M\xc3\xbc\xf0\x9f\x98\x80ller");
  EXPECT_EQ(dialog->comboText(), "M\xc3\xbc\xf0\x9f\x98\x80ller");
  EXPECT_EQ(dialog->selectionStart(), 3);
  EXPECT_EQ(dialog->listItem(0), "M\xc3\xbc\xf0\x9f\x98\x80ller");
  EXPECT_EQ(dialog->listCount(), 1);
}

}  // namespace
}  // namespace search_win32
