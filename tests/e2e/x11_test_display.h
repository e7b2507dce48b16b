#pragma once
// A private virtual X server for tests, and a client that makes windows on
// it with chosen classes, titles and map states, and plays a window manager's
// part where a test needs one (client list, WM_STATE).
//
//   XvfbServer server;               // starts Xvfb on a free display number
//   if (!server.available()) GTEST_SKIP() << "Xvfb is not installed";
//   ASSERT_TRUE(server.started()) << server.failure();
//   TestWindows windows(server.display());
//   auto w = windows.create("act3.0frameclass", "ACT!", true);
//
// Header-only, for the test programs that need it.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace x11_test {

// Xvfb, started with -displayfd so it picks a free display itself.
class XvfbServer {
 public:
  XvfbServer() {
    if (!available()) return;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
      failure_ = "pipe failed";
      return;
    }
    // Only the write end goes to the server.
    ::fcntl(fds[1], F_SETFD, 0);
    std::string fdText = std::to_string(fds[1]);
    std::vector<std::string> args = {"Xvfb", "-displayfd", fdText, "-nolisten",
                                     "tcp",  "-screen",    "0",    "800x600x24"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    int rc = ::posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
      ::close(fds[0]);
      pid_ = 0;
      failure_ = std::string("cannot start Xvfb: ") + std::strerror(rc);
      return;
    }
    // The server writes its display number once it accepts clients.
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
      pollfd p{fds[0], POLLIN, 0};
      if (::poll(&p, 1, 200) <= 0) continue;
      char buffer[32];
      ssize_t n = ::read(fds[0], buffer, sizeof buffer);
      if (n <= 0) break;
      number.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    if (number.find('\n') == std::string::npos) {
      failure_ = "Xvfb did not report a display number";
      return;
    }
    display_ = ":" + number.substr(0, number.find('\n'));
  }

  ~XvfbServer() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      int status = 0;
      ::waitpid(pid_, &status, 0);
    }
  }
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  static bool available() {
    const char* path = std::getenv("PATH");
    std::string entries = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= entries.size()) {
      std::size_t colon = entries.find(':', start);
      std::string folder = entries.substr(start, colon - start);
      if (::access((folder + "/Xvfb").c_str(), X_OK) == 0) return true;
      if (colon == std::string::npos) break;
      start = colon + 1;
    }
    return false;
  }
  bool started() const { return !display_.empty(); }
  const std::string& display() const { return display_; }
  const std::string& failure() const { return failure_; }

 private:
  pid_t pid_ = 0;
  std::string display_;
  std::string failure_;
};

// A client connection that creates top-level windows for the tests.
class TestWindows {
 public:
  explicit TestWindows(const std::string& display) {
    int screenNumber = 0;
    connection_ = xcb_connect(display.c_str(), &screenNumber);
    screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    netWmName_ = atom("_NET_WM_NAME");
    utf8String_ = atom("UTF8_STRING");
    netClientList_ = atom("_NET_CLIENT_LIST");
    wmState_ = atom("WM_STATE");
  }
  ~TestWindows() { xcb_disconnect(connection_); }
  TestWindows(const TestWindows&) = delete;
  TestWindows& operator=(const TestWindows&) = delete;

  bool ok() const { return xcb_connection_has_error(connection_) == 0 && screen_ != nullptr; }

  struct Title {
    std::string text;
    bool asNetWmName = true;  // UTF-8 _NET_WM_NAME; otherwise WM_NAME as Latin-1 bytes
  };

  // A top-level window with WM_CLASS "<instance>\0<className>\0" and the
  // title, mapped or not. Returns once the server has it.
  xcb_window_t create(const std::string& className, const Title& title, bool mapped) {
    xcb_window_t window = xcb_generate_id(connection_);
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, screen_->root, 10, 10, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual, 0, nullptr);
    std::string wmClass = "instance";
    wmClass += '\0';
    wmClass += className;
    wmClass += '\0';
    setText(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, wmClass);
    if (!title.text.empty()) {
      if (title.asNetWmName) {
        setText(window, netWmName_, utf8String_, title.text);
      } else {
        setText(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, title.text);
      }
    }
    if (mapped) xcb_map_window(connection_, window);
    sync();
    return window;
  }

  void destroy(xcb_window_t window) {
    xcb_destroy_window(connection_, window);
    sync();
  }

  // Sets WM_STATE (0 withdrawn, 1 normal, 3 iconic), as a window manager does.
  void setWmState(xcb_window_t window, std::uint32_t state) {
    const std::uint32_t value[] = {state, XCB_NONE};
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, wmState_, wmState_, 32, 2,
                        value);
    sync();
  }

  // Publishes a client list on the root window, as a window manager does.
  void publishClientList(const std::vector<xcb_window_t>& windows) {
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, screen_->root, netClientList_,
                        XCB_ATOM_WINDOW, 32, static_cast<std::uint32_t>(windows.size()),
                        windows.data());
    sync();
  }

 private:
  xcb_atom_t atom(const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    xcb_atom_t result = XCB_ATOM_NONE;
    if (reply != nullptr) result = reply->atom;
    std::free(reply);
    return result;
  }
  void setText(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
               const std::string& bytes) {
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, property, type, 8,
                        static_cast<std::uint32_t>(bytes.size()), bytes.data());
  }
  // A round trip: everything sent before has been handled by the server.
  void sync() {
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
  }

  xcb_connection_t* connection_ = nullptr;
  xcb_screen_t* screen_ = nullptr;
  xcb_atom_t netWmName_ = XCB_ATOM_NONE;
  xcb_atom_t utf8String_ = XCB_ATOM_NONE;
  xcb_atom_t netClientList_ = XCB_ATOM_NONE;
  xcb_atom_t wmState_ = XCB_ATOM_NONE;
};

}  // namespace x11_test
