/* window-map-watch: prints the title of every window that is mapped on the X
 * display from its start until it is ended, one line per mapping, so that a
 * test can tell which windows a program ever showed, also for a moment.
 *
 *   window-map-watch        (prints "ready" once it listens)
 *
 * It follows the events of every window created after its start: the title
 * (_NET_WM_NAME, else WM_NAME) as it is set, and its mappings, also inside a
 * window manager's frame. Exit status 2 without a display. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <xcb/xcb.h>

#define MAX_WINDOWS 4096

static struct {
  xcb_window_t id;
  char title[256];
} windows[MAX_WINDOWS];
static int count;

static xcb_atom_t atom(xcb_connection_t *c, const char *name) {
  xcb_intern_atom_reply_t *r =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
  xcb_atom_t a = r ? r->atom : XCB_ATOM_NONE;
  free(r);
  return a;
}

static int slot(xcb_window_t w) {
  for (int i = 0; i < count; ++i) {
    if (windows[i].id == w) return i;
  }
  return -1;
}

/* Reads the window's title into its slot; keeps the last one when the
 * window is already gone. */
static void readTitle(xcb_connection_t *c, int i, xcb_atom_t netName, xcb_atom_t utf8) {
  const xcb_atom_t names[2] = {netName, XCB_ATOM_WM_NAME};
  const xcb_atom_t types[2] = {utf8, XCB_ATOM_STRING};
  for (int k = 0; k < 2; ++k) {
    xcb_get_property_reply_t *r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, windows[i].id, names[k], types[k], 0, 63), NULL);
    int length = r ? xcb_get_property_value_length(r) : 0;
    if (length > 0) {
      if (length > 255) length = 255;
      memcpy(windows[i].title, xcb_get_property_value(r), (size_t)length);
      windows[i].title[length] = '\0';
      free(r);
      return;
    }
    free(r);
  }
}

int main(void) {
  xcb_connection_t *c = xcb_connect(NULL, NULL);
  if (xcb_connection_has_error(c)) return 2;
  setvbuf(stdout, NULL, _IOLBF, 0);
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const xcb_atom_t netName = atom(c, "_NET_WM_NAME"), utf8 = atom(c, "UTF8_STRING");
  const uint32_t onRoot = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &onRoot));
  puts("ready");

  xcb_generic_event_t *event;
  while ((event = xcb_wait_for_event(c)) != NULL) {
    const uint8_t type = event->response_type & 0x7f;
    if (type == XCB_CREATE_NOTIFY && count < MAX_WINDOWS) {
      const xcb_window_t w = ((xcb_create_notify_event_t *)event)->window;
      const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
      xcb_change_window_attributes(c, w, XCB_CW_EVENT_MASK, &mask);
      windows[count].id = w;
      windows[count].title[0] = '\0';
      readTitle(c, count++, netName, utf8);
      /* Mapped before it listened: its mapping is no event of ours. */
      xcb_get_window_attributes_reply_t *a =
          xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), NULL);
      if (a && a->map_state != XCB_MAP_STATE_UNMAPPED) puts(windows[count - 1].title);
      free(a);
    } else if (type == XCB_PROPERTY_NOTIFY) {
      const xcb_property_notify_event_t *p = (xcb_property_notify_event_t *)event;
      const int i = slot(p->window);
      if (i >= 0 && (p->atom == netName || p->atom == XCB_ATOM_WM_NAME)) {
        readTitle(c, i, netName, utf8);
      }
    } else if (type == XCB_MAP_NOTIFY) {
      /* Once per mapping: as the window's own event, not its parent's. */
      const xcb_map_notify_event_t *m = (xcb_map_notify_event_t *)event;
      const int i = slot(m->window);
      if (i >= 0 && m->event == m->window) puts(windows[i].title);
    } else if (type == XCB_DESTROY_NOTIFY) {
      const int i = slot(((xcb_destroy_notify_event_t *)event)->window);
      if (i >= 0) windows[i].id = XCB_WINDOW_NONE;
    }
    free(event);
  }
  return 0;
}
