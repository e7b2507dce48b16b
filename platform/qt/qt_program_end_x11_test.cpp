// The clipboard handover at program end on a real X server (Xvfb): a child
// test program puts text on the clipboard and ends through QtProgramEnd; a
// small clipboard manager in this process takes the text over, the way a
// desktop's clipboard manager does (the SAVE_TARGETS request of the
// freedesktop clipboard-manager convention).

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_program_end.h"
#include "platform/qt/qt_test_environment.h"
#include "tests/e2e/x11_test_display.h"

namespace platform_qt {
namespace {

const char kClipboardText[] = "SELECT * FROM [kunden] WHERE NAME LIKE '*[Mm][Üü]*'";

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection,
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

// Owns CLIPBOARD_MANAGER; on a SAVE_TARGETS request fetches the clipboard's
// text from its owner, keeps it and confirms the request.
class MiniClipboardManager {
 public:
  explicit MiniClipboardManager(const std::string& display) {
    connection_ = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(connection_)) return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    window_ = xcb_generate_id(connection_);
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    manager_ = internAtom(connection_, "CLIPBOARD_MANAGER");
    clipboard_ = internAtom(connection_, "CLIPBOARD");
    saveTargets_ = internAtom(connection_, "SAVE_TARGETS");
    utf8_ = internAtom(connection_, "UTF8_STRING");
    saved_ = internAtom(connection_, "SPURLIX_SAVED");
    xcb_set_selection_owner(connection_, window_, manager_, XCB_CURRENT_TIME);
    xcb_flush(connection_);
    ready_ = true;
    thread_ = std::thread([this] { run(); });
  }
  ~MiniClipboardManager() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    xcb_disconnect(connection_);
  }

  bool ready() const { return ready_; }
  std::optional<std::string> savedText() {
    std::lock_guard<std::mutex> lock(mutex_);
    return savedText_;
  }

 private:
  void run() {
    while (!stop_) {
      xcb_generic_event_t* event = xcb_poll_for_event(connection_);
      if (event == nullptr) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        continue;
      }
      const int type = event->response_type & 0x7f;
      if (type == XCB_SELECTION_REQUEST) {
        request_ = *reinterpret_cast<xcb_selection_request_event_t*>(event);
        if (request_.target == saveTargets_) {
          xcb_convert_selection(connection_, window_, clipboard_, utf8_, saved_, XCB_CURRENT_TIME);
          xcb_flush(connection_);
        }
      } else if (type == XCB_SELECTION_NOTIFY) {
        const auto* notify = reinterpret_cast<xcb_selection_notify_event_t*>(event);
        if (notify->property != XCB_ATOM_NONE) keepText();
        confirmSave();
      }
      std::free(event);
    }
  }

  void keepText() {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 1, window_, saved_, XCB_ATOM_ANY, 0, 1 << 16),
        nullptr);
    if (reply == nullptr) return;
    std::string text(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<std::size_t>(xcb_get_property_value_length(reply)));
    std::free(reply);
    std::lock_guard<std::mutex> lock(mutex_);
    savedText_ = text;
  }

  void confirmSave() {
    xcb_selection_notify_event_t done{};
    done.response_type = XCB_SELECTION_NOTIFY;
    done.requestor = request_.requestor;
    done.selection = request_.selection;
    done.target = request_.target;
    done.property = request_.property;
    done.time = request_.time;
    xcb_send_event(connection_, 0, request_.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&done));
    xcb_flush(connection_);
  }

  xcb_connection_t* connection_ = nullptr;
  xcb_window_t window_ = 0;
  xcb_atom_t manager_ = 0, clipboard_ = 0, saveTargets_ = 0, utf8_ = 0, saved_ = 0;
  xcb_selection_request_event_t request_{};
  bool ready_ = false;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::optional<std::string> savedText_;
  std::thread thread_;
};

struct ChildEnd {
  int exitCode = -1;  // -1: crashed or did not end in time
  std::chrono::milliseconds took{};
};

// Runs the disabled child test below in a new process on `display`.
ChildEnd runChild(const std::string& display) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("DISPLAY", QString::fromStdString(display));
  environment.insert("QT_QPA_PLATFORM", "xcb");
  QProcess child;
  child.setProcessEnvironment(environment);
  QElapsedTimer timer;
  timer.start();
  child.start("/proc/self/exe", {"--gtest_filter=QtProgramEndOnX11.DISABLED_ChildEndsWithText",
                                 "--gtest_also_run_disabled_tests"});
  ChildEnd end;
  if (!child.waitForFinished(20000)) {
    child.kill();
    child.waitForFinished();
    return end;
  }
  end.took = std::chrono::milliseconds(timer.elapsed());
  if (child.exitStatus() == QProcess::NormalExit) end.exitCode = child.exitCode();
  return end;
}

// The child: puts the text on the clipboard and ends from inside an event
// handler, as the program does after a search.
TEST(QtProgramEndOnX11, DISABLED_ChildEndsWithText) {
  QtClipboard clipboard;
  clipboard.setText(kClipboardText);
  QtProgramEnd end(&clipboard);
  QTimer::singleShot(0, [&end] { end.endNow(); });
  QTimer::singleShot(10000, [] { std::abort(); });
  QCoreApplication::exec();
}

TEST(QtProgramEndOnX11, HandsThePlacedTextToTheClipboardManager) {
  if (!x11_test::XvfbServer::available()) GTEST_SKIP() << "Xvfb is not installed";
  x11_test::XvfbServer server;
  ASSERT_TRUE(server.started()) << server.failure();
  MiniClipboardManager manager(server.display());
  ASSERT_TRUE(manager.ready());

  const ChildEnd end = runChild(server.display());
  EXPECT_EQ(end.exitCode, 0);
  EXPECT_LT(end.took, QtProgramEnd::kHandoverLimit + std::chrono::seconds(2));
  EXPECT_EQ(manager.savedText(), std::optional<std::string>(kClipboardText));
}

TEST(QtProgramEndOnX11, EndsAtOnceWhereNoClipboardManagerRuns) {
  if (!x11_test::XvfbServer::available()) GTEST_SKIP() << "Xvfb is not installed";
  x11_test::XvfbServer server;
  ASSERT_TRUE(server.started()) << server.failure();

  const ChildEnd end = runChild(server.display());
  EXPECT_EQ(end.exitCode, 0);
  EXPECT_LT(end.took, QtProgramEnd::kHandoverLimit);
}

}  // namespace
}  // namespace platform_qt
