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

// The picture's size at `dpi` in pixels, without decoding it.
SIZE pictureSize(const PictureResource& picture, unsigned dpi);

// The picture a control shows (STM_SETIMAGE or BM_SETIMAGE), on the dialog's
// ground: decoded only once it is to be drawn, and again only for another
// DPI, so a window's start does not wait for pictures it has not drawn yet.
class ControlPicture {
 public:
  explicit ControlPicture(const PictureResource& picture) : picture_(picture) {}

  // Hands the control the picture for `dpi`, decoding it unless it has it.
  void show(HWND control, UINT setImage, unsigned dpi);
  // After a DPI change: the picture for the new DPI, if one was shown.
  void follow(HWND control, UINT setImage, unsigned dpi) {
    if (shownDpi_ != 0) show(control, setImage, dpi);
  }
  const PictureResource& resource() const { return picture_; }

 private:
  PictureResource picture_;
  LoadedPicture loaded_;  // the control shows its bitmap
  unsigned shownDpi_ = 0;
};

}  // namespace win32_ui
