/* bench-window-wait: waits until a window whose title begins with PREFIX is
 * shown (mapped and viewable) on the X display, polling every 10 ms, and
 * prints the moment it saw it as CLOCK_MONOTONIC seconds (the clock of
 * Python's time.monotonic() on Linux).
 *
 *   bench-window-wait PREFIX TIMEOUT_MS
 *
 * Exit status 0 when the window showed, 1 on timeout, 2 without a display.
 * The windows are those of the window manager's client list
 * (_NET_CLIENT_LIST), else the root window's children. */
#define _POSIX_C_SOURCE 199309L
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <xcb/xcb.h>

static double now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

static xcb_atom_t atom(xcb_connection_t *c, const char *name) {
  xcb_intern_atom_reply_t *r =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
  xcb_atom_t a = r ? r->atom : XCB_ATOM_NONE;
  free(r);
  return a;
}

/* Whether the window's title (_NET_WM_NAME, else WM_NAME) begins with prefix. */
static int titled(xcb_connection_t *c, xcb_window_t w, xcb_atom_t netName, xcb_atom_t utf8,
                  const char *prefix) {
  const xcb_atom_t names[2] = {netName, XCB_ATOM_WM_NAME};
  const xcb_atom_t types[2] = {utf8, XCB_ATOM_STRING};
  for (int i = 0; i < 2; ++i) {
    xcb_get_property_reply_t *r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, w, names[i], types[i], 0, 256), NULL);
    if (!r) continue;
    const int length = xcb_get_property_value_length(r);
    const size_t wanted = strlen(prefix);
    const int match = length >= (int)wanted && memcmp(xcb_get_property_value(r), prefix, wanted) == 0;
    free(r);
    if (length > 0) return match;
  }
  return 0;
}

static int viewable(xcb_connection_t *c, xcb_window_t w) {
  xcb_get_window_attributes_reply_t *r =
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), NULL);
  const int shown = r && r->map_state == XCB_MAP_STATE_VIEWABLE;
  free(r);
  return shown;
}

int main(int argc, char **argv) {
  if (argc != 3) {
    fputs("usage: bench-window-wait PREFIX TIMEOUT_MS\n", stderr);
    return 2;
  }
  const char *prefix = argv[1];
  const double deadline = now() + atof(argv[2]) / 1000.0;
  xcb_connection_t *c = xcb_connect(NULL, NULL);
  if (xcb_connection_has_error(c)) return 2;
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const xcb_atom_t clients = atom(c, "_NET_CLIENT_LIST");
  const xcb_atom_t netName = atom(c, "_NET_WM_NAME");
  const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
  const struct timespec pause = {0, 10 * 1000 * 1000};
  for (;;) {
    const double seen = now();
    xcb_window_t *windows = NULL;
    int count = 0;
    xcb_get_property_reply_t *list = xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, clients, XCB_ATOM_WINDOW, 0, 4096), NULL);
    xcb_query_tree_reply_t *tree = NULL;
    if (list && xcb_get_property_value_length(list) > 0) {
      windows = (xcb_window_t *)xcb_get_property_value(list);
      count = xcb_get_property_value_length(list) / (int)sizeof(xcb_window_t);
    } else {
      tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), NULL);
      if (tree) {
        windows = xcb_query_tree_children(tree);
        count = xcb_query_tree_children_length(tree);
      }
    }
    int found = 0;
    for (int i = 0; i < count && !found; ++i) {
      found = titled(c, windows[i], netName, utf8, prefix) && viewable(c, windows[i]);
    }
    free(list);
    free(tree);
    if (found) {
      printf("%.6f\n", seen);
      xcb_disconnect(c);
      return 0;
    }
    if (now() > deadline) break;
    nanosleep(&pause, NULL);
  }
  xcb_disconnect(c);
  return 1;
}
