#pragma once
// Finds ACT!'s main window among the desktop's top-level windows by
// substrings of its class name and title:
//
//   FindTopLevelWindow(ClassText, TitleText) returns the LAST visible
//   top-level window, in the window list's order, whose lower-cased class
//   name contains ClassText and whose title contains TitleText (any title
//   when TitleText is "*"); 0 when none matches. Both tests are exact,
//   case-sensitive substring tests, so a ClassText with capitals never
//   matches, and an empty text matches everything.
//
// The title is compared as GetWindowCaption gives it: leading blanks
// removed, at most 50 characters, cut at a NUL character; "NoText" when the
// window has no title. The class name counts its first 255 characters.
//
// The finder works over the window list set once at start with
// SetWindowList; until then there are no windows. Its state lives in
// module-wide variables, since the enumeration callback has no context of its
// own: one search at a time, from one thread, not reentrant.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/window_list.h"

namespace startup {

// The list every later search uses; it must outlive them.
void SetWindowList(common::WindowList& windows);

common::WindowHandle FindTopLevelWindow(std::string_view ClassText, std::string_view TitleText);

// The enumeration callback: records hWnd as the found window when it matches
// the current search. Always returns 1, so every window is offered.
std::int32_t EnumTopLevelProc(common::WindowHandle hWnd, std::int32_t context);

// The class name in lower case (ASCII and Latin-1 letters), at most 255
// characters; empty for a handle that is no window.
std::string GetWindowClassName(common::WindowHandle hWnd);

// The title prepared for comparison (see above); "NoText" for an empty title;
// the empty text for a handle that is no window.
std::string GetWindowCaption(common::WindowHandle hWnd);

}  // namespace startup
