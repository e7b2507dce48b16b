#pragma once
// The program's pictures: PNG files compiled into the program's resources,
// each in two renderings, for 96 DPI and for 192 DPI. A picture is loaded
// for a window's DPI at its size there (its 96-DPI size scaled), from the
// rendering that is at least that large, scaled down only when the DPI is
// neither 96 nor 192; so it is never enlarged and never blurred.
//
// The pixels are laid onto the given background colour (the pictures are
// opaque, but anything transparent at their edges takes the dialog's
// colour) and handed out as a 24-bit bitmap, which every control that shows
// bitmaps draws as it is.
//
// Decoding goes through the Windows Imaging Component: the calling thread
// must have initialised COM.

#include "platform/win32/ui/gdi_objects.h"

namespace win32_ui {

struct PictureResource {
  int resource96 = 0;   // RCDATA resource of the rendering for 96 DPI
  int resource192 = 0;  // and of the one for 192 DPI, twice the size
  int width = 0;        // size at 96 DPI, in pixels
  int height = 0;
};

struct LoadedPicture {
  UniqueBitmap bitmap;  // null when the resource is missing or damaged
  int width = 0;
  int height = 0;
};

LoadedPicture loadPicture(const PictureResource& picture, unsigned dpi, COLORREF background);

}  // namespace win32_ui
