#pragma once
// The fonts of the program's dialogs, made for one DPI: the dialogs' default
// font MS Sans Serif 8.25 pt, the same in bold, and Arial 8.25 pt.
//
// MS Sans Serif is a bitmap font on Windows, drawn for 96 DPI in a few fixed
// sizes; at other DPIs Windows would give a bitmap of the wrong size or a
// blocky enlargement. Wherever the font Windows hands out for the name is
// such a bitmap of another height than asked for, its outline successor
// Microsoft Sans Serif (same design and widths) takes its place. Where
// neither exists (Wine), Windows' own font substitution answers for the
// name, as for any program.

#include "platform/win32/ui/gdi_objects.h"

namespace win32_ui {

enum class FontKind { kDialog, kDialogBold, kArial };

inline constexpr int kDialogFontSize = 825;  // hundredths of a point

class DialogFonts {
 public:
  explicit DialogFonts(unsigned dpi);

  HFONT get(FontKind kind) const;
  unsigned dpi() const { return dpi_; }

 private:
  unsigned dpi_;
  UniqueFont dialog_;
  UniqueFont bold_;
  UniqueFont arial_;
};

}  // namespace win32_ui
