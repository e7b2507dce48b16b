// The clipboard handover at program end on a real X server (Xvfb): a child
// test program puts text on the clipboard and ends through QtProgramEnd;
// this process takes the text over the way a desktop's clipboard manager
// does (the SAVE_TARGETS request of the freedesktop clipboard-manager
// convention).

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

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

struct ChildEnd {
  int exitCode = -1;  // -1: crashed or did not end in time
  std::chrono::milliseconds took{};
  std::optional<std::string> savedText;  // what the clipboard manager took over
};

// Runs the disabled child test below on `display`. With `manage`, this
// process meanwhile owns CLIPBOARD_MANAGER and, on a SAVE_TARGETS request,
// fetches the clipboard's text from its owner, keeps it and confirms.
ChildEnd runChild(const std::string& display, bool manage) {
  xcb_connection_t* x = xcb_connect(display.c_str(), nullptr);
  const xcb_window_t window = xcb_generate_id(x);
  xcb_create_window(x, XCB_COPY_FROM_PARENT, window,
                    xcb_setup_roots_iterator(xcb_get_setup(x)).data->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  const xcb_atom_t saveTargets = internAtom(x, "SAVE_TARGETS"), saved = internAtom(x, "SAVED");
  if (manage) xcb_set_selection_owner(x, window, internAtom(x, "CLIPBOARD_MANAGER"), 0);
  xcb_flush(x);

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
  xcb_selection_request_event_t request{};
  while (!child.waitForFinished(5) && timer.elapsed() < 20000) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
      if ((event->response_type & 0x7f) == XCB_SELECTION_REQUEST) {
        request = *reinterpret_cast<xcb_selection_request_event_t*>(event);
        if (request.target == saveTargets) {
          xcb_convert_selection(x, window, internAtom(x, "CLIPBOARD"), internAtom(x, "UTF8_STRING"),
                                saved, 0);
        }
      } else if ((event->response_type & 0x7f) == XCB_SELECTION_NOTIFY) {
        xcb_get_property_reply_t* text = xcb_get_property_reply(
            x, xcb_get_property(x, 1, window, saved, XCB_ATOM_ANY, 0, 1 << 16), nullptr);
        if (text != nullptr && xcb_get_property_value_length(text) > 0) {
          end.savedText =
              std::string(static_cast<const char*>(xcb_get_property_value(text)),
                          static_cast<std::size_t>(xcb_get_property_value_length(text)));
        }
        std::free(text);
        xcb_selection_notify_event_t done{XCB_SELECTION_NOTIFY,
                                          0,
                                          0,
                                          request.time,
                                          request.requestor,
                                          request.selection,
                                          request.target,
                                          request.property};
        xcb_send_event(x, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&done));
      }
      xcb_flush(x);
      std::free(event);
    }
  }
  xcb_disconnect(x);
  if (child.state() != QProcess::NotRunning) {
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

// Handed to a clipboard manager where one runs; at once where none does.
TEST(QtProgramEndOnX11, HandsThePlacedTextToTheClipboardManagerWhereOneRuns) {
  if (!x11_test::XvfbServer::available()) GTEST_SKIP() << "Xvfb is not installed";
  x11_test::XvfbServer server;
  ASSERT_TRUE(server.started()) << server.failure();
  for (const bool manage : {true, false}) {
    SCOPED_TRACE(manage ? "clipboard manager" : "none");
    const ChildEnd end = runChild(server.display(), manage);
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_LT(end.took, QtProgramEnd::kHandoverLimit + std::chrono::seconds(manage ? 2 : 0));
    EXPECT_EQ(end.savedText, manage ? std::optional<std::string>(kClipboardText) : std::nullopt);
  }
}

}  // namespace
}  // namespace platform_qt
