#pragma once
// Dialog geometry is written in twips (1/1440 inch) and turned into pixels
// with the DPI of the window it belongs to: at 96 DPI 15 twips are one
// pixel, at 192 DPI 7.5. Values are rounded to the nearest pixel, halves
// away from zero, as MulDiv rounds.

namespace win32_ui {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr unsigned kDefaultDpi = 96;

constexpr int twipsToPixels(int twips, unsigned dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  const long long half = kTwipsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                      : -((-scaled + half) / kTwipsPerInch));
}

// Pixels of the 96-DPI design (picture sizes, line widths) at `dpi`.
constexpr int scaleFrom96(int pixels, unsigned dpi) {
  return twipsToPixels(pixels * (kTwipsPerInch / static_cast<int>(kDefaultDpi)), dpi);
}

// The em height in pixels of a font of `hundredthsOfPoint` (825 for 8.25 pt).
constexpr int pointsToPixels(int hundredthsOfPoint, unsigned dpi) {
  return twipsToPixels(hundredthsOfPoint * 20 / 100, dpi);
}

// Left, Top, Width and Height in twips, relative to the parent's client area.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A rectangle in pixels: each of the four values converted on its own, so
// that controls of equal size in twips stay of equal size in pixels.
struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

constexpr PixelRect toPixels(const TwipsRect& rect, unsigned dpi) {
  return {twipsToPixels(rect.left, dpi), twipsToPixels(rect.top, dpi),
          twipsToPixels(rect.width, dpi), twipsToPixels(rect.height, dpi)};
}

}  // namespace win32_ui
