#include "platform/linux/x11_window_list.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "common/utf8.h"

namespace platform_linux {
namespace {

// WM_STATE's first value (ICCCM 4.1.3.1); 0 is WithdrawnState.
constexpr std::uint32_t kNormalState = 1;
constexpr std::uint32_t kIconicState = 3;

std::string latin1ToUtf8(const std::uint8_t* bytes, std::size_t size) {
  std::string out;
  out.reserve(size);
  for (std::size_t i = 0; i < size; ++i) common::appendUtf8(out, bytes[i]);
  return out;
}

// Replaces malformed sequences, so the finder only ever sees valid UTF-8.
std::string cleanUtf8(const std::uint8_t* bytes, std::size_t size) {
  std::string_view raw(reinterpret_cast<const char*>(bytes), size);
  return common::utf32ToUtf8(common::utf8ToUtf32(raw));
}

}  // namespace

void X11WindowList::ConnectionDeleter::operator()(xcb_connection_t* connection) const {
  xcb_disconnect(connection);
}

X11WindowList::X11WindowList(const char* displayName) {
  int screenNumber = 0;
  xcb_connection_t* connection = xcb_connect(displayName, &screenNumber);
  // xcb_connect never returns null; a failed connection is an error object
  // that must still be disconnected.
  connection_.reset(connection);
  if (xcb_connection_has_error(connection) != 0) {
    connection_.reset();
    return;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; i < screenNumber && screens.rem > 0; ++i) xcb_screen_next(&screens);
  if (screens.rem == 0) {
    connection_.reset();
    return;
  }
  root_ = screens.data->root;
  netClientList_ = internAtom("_NET_CLIENT_LIST");
  netWmName_ = internAtom("_NET_WM_NAME");
  utf8String_ = internAtom("UTF8_STRING");
  wmState_ = internAtom("WM_STATE");
}

X11WindowList::~X11WindowList() = default;

bool X11WindowList::connected() const {
  return connection_ && xcb_connection_has_error(connection_.get()) == 0;
}

std::uint32_t X11WindowList::internAtom(const char* name) const {
  xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection_.get(), 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_generic_error_t* error = nullptr;
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_.get(), cookie, &error);
  std::free(error);
  if (reply == nullptr) return XCB_ATOM_NONE;
  std::uint32_t atom = reply->atom;
  std::free(reply);
  return atom;
}

std::optional<X11WindowList::Property> X11WindowList::readProperty(std::uint32_t window,
                                                                   std::uint32_t property,
                                                                   std::uint32_t units) const {
  if (!connected() || window == 0 || property == XCB_ATOM_NONE) return std::nullopt;
  xcb_get_property_cookie_t cookie =
      xcb_get_property(connection_.get(), 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, units);
  xcb_generic_error_t* error = nullptr;
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection_.get(), cookie, &error);
  std::free(error);
  if (reply == nullptr) return std::nullopt;
  std::optional<Property> result;
  if (reply->type != XCB_ATOM_NONE) {
    Property p;
    p.type = reply->type;
    p.format = reply->format;
    const auto* data = static_cast<const std::uint8_t*>(xcb_get_property_value(reply));
    int length = xcb_get_property_value_length(reply);
    if (data != nullptr && length > 0) p.bytes.assign(data, data + length);
    result = std::move(p);
  }
  std::free(reply);
  return result;
}

bool X11WindowList::windowManagerRuns() const {
  std::optional<Property> clients = readProperty(root_, netClientList_, 0);
  return clients && clients->type == XCB_ATOM_WINDOW && clients->format == 32;
}

std::vector<std::uint32_t> X11WindowList::topLevelWindows() const {
  std::vector<std::uint32_t> windows;
  if (!connected()) return windows;
  std::optional<Property> clients = readProperty(root_, netClientList_);
  if (clients && clients->type == XCB_ATOM_WINDOW && clients->format == 32) {
    windows.resize(clients->bytes.size() / 4);
    std::memcpy(windows.data(), clients->bytes.data(), windows.size() * 4);
    return windows;
  }
  xcb_query_tree_cookie_t cookie = xcb_query_tree(connection_.get(), root_);
  xcb_generic_error_t* error = nullptr;
  xcb_query_tree_reply_t* reply = xcb_query_tree_reply(connection_.get(), cookie, &error);
  std::free(error);
  if (reply == nullptr) return windows;
  const xcb_window_t* children = xcb_query_tree_children(reply);
  int count = xcb_query_tree_children_length(reply);
  if (children != nullptr && count > 0) windows.assign(children, children + count);
  std::free(reply);
  return windows;
}

void X11WindowList::enumerate(const std::function<bool(common::WindowHandle)>& visit) {
  for (std::uint32_t window : topLevelWindows()) {
    if (!visit(window)) return;
  }
}

std::optional<std::uint8_t> X11WindowList::mapState(common::WindowHandle window) {
  if (!connected() || window == 0) return std::nullopt;
  xcb_get_window_attributes_cookie_t cookie = xcb_get_window_attributes(connection_.get(), window);
  xcb_generic_error_t* error = nullptr;
  xcb_get_window_attributes_reply_t* reply =
      xcb_get_window_attributes_reply(connection_.get(), cookie, &error);
  std::free(error);
  if (reply == nullptr) return std::nullopt;
  const std::uint8_t state = reply->map_state;
  std::free(reply);
  return state;
}

bool X11WindowList::isVisible(common::WindowHandle window) {
  const std::optional<std::uint8_t> mapped = mapState(window);
  if (!mapped) return false;
  if (windowManagerRuns()) {
    std::optional<Property> state = readProperty(window, wmState_, 1);
    if (state && state->type == wmState_ && state->format == 32 && state->bytes.size() >= 4) {
      std::uint32_t value = 0;
      std::memcpy(&value, state->bytes.data(), sizeof value);
      return value == kNormalState || value == kIconicState;
    }
  }
  // Viewable, or mapped inside a frame the manager has unmapped.
  return *mapped != XCB_MAP_STATE_UNMAPPED;
}

bool X11WindowList::isWindow(common::WindowHandle window) {
  return mapState(window).has_value();
}

std::string X11WindowList::className(common::WindowHandle window) {
  std::optional<Property> wmClass = readProperty(window, XCB_ATOM_WM_CLASS);
  if (!wmClass || wmClass->format != 8) return {};
  // "instance\0class\0": the class is the second string.
  const std::vector<std::uint8_t>& bytes = wmClass->bytes;
  auto firstEnd = std::find(bytes.begin(), bytes.end(), 0);
  if (firstEnd == bytes.end()) return {};
  auto classBegin = firstEnd + 1;
  auto classEnd = std::find(classBegin, bytes.end(), 0);
  return latin1ToUtf8(bytes.data() + (classBegin - bytes.begin()),
                      static_cast<std::size_t>(classEnd - classBegin));
}

std::string X11WindowList::title(common::WindowHandle window) {
  std::optional<Property> name = readProperty(window, netWmName_);
  if (name && name->format == 8 && name->type == utf8String_) {
    return cleanUtf8(name->bytes.data(), name->bytes.size());
  }
  name = readProperty(window, XCB_ATOM_WM_NAME);
  if (!name || name->format != 8) return {};
  if (name->type == utf8String_) return cleanUtf8(name->bytes.data(), name->bytes.size());
  return latin1ToUtf8(name->bytes.data(), name->bytes.size());
}

std::int32_t X11WindowList::titleLength(common::WindowHandle window) {
  return static_cast<std::int32_t>(common::utf8Length(title(window)));
}

}  // namespace platform_linux
