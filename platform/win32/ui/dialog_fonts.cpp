#include "platform/win32/ui/dialog_fonts.h"

#include <cstdlib>
#include <cwchar>

#include "platform/win32/ui/twips.h"

namespace win32_ui {
namespace {

UniqueFont createFont(const wchar_t* face, int emHeight, bool bold) {
  LOGFONTW font{};
  font.lfHeight = -emHeight;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return UniqueFont(CreateFontIndirectW(&font));
}

// Whether the font Windows gives is a bitmap font drawn for another size.
bool isMisfittingBitmap(HFONT font, int emHeight) {
  ScreenDc screen;
  if (screen.get() == nullptr || font == nullptr) return false;
  SelectedObject selected(screen.get(), font);
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(screen.get(), &metrics)) return false;
  const bool outline = (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) != 0;
  const int em = static_cast<int>(metrics.tmHeight - metrics.tmInternalLeading);
  return !outline && std::abs(em - emHeight) > 1;
}

UniqueFont sansSerif(int emHeight, bool bold) {
  UniqueFont font = createFont(L"MS Sans Serif", emHeight, bold);
  if (isMisfittingBitmap(font.get(), emHeight)) {
    font = createFont(L"Microsoft Sans Serif", emHeight, bold);
  }
  return font;
}

}  // namespace

DialogFonts::DialogFonts(unsigned dpi) : dpi_(dpi) {
  const int em = pointsToPixels(kDialogFontSize, dpi);
  dialog_ = sansSerif(em, false);
  bold_ = sansSerif(em, true);
  arial_ = createFont(L"Arial", em, false);
}

HFONT DialogFonts::get(FontKind kind) const {
  switch (kind) {
    case FontKind::kDialogBold:
      return bold_.get();
    case FontKind::kArial:
      return arial_.get();
    case FontKind::kDialog:
      break;
  }
  return dialog_.get();
}

}  // namespace win32_ui
