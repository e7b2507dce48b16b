#pragma once
// Qt's key events in the terms the dialog's logic uses: Windows key codes
// for key presses, Windows-1252 character codes for typed characters.

class QKeyEvent;

namespace search_qt {

// The Windows key code of a Qt key: Escape 27, Enter and Return 13,
// Backspace 8, Tab 9, Space 32, letters 65-90, digits 48-57; 0 for a key
// without one here.
int windowsKeyCode(int qtKey);

// The character code of a key press as a Windows text box reports it:
// Enter and Return 13 (also with Shift), Ctrl+Enter 10 (a line feed),
// otherwise the Windows-1252 code of the one typed character (63, "?", for a
// character outside the code page); 0 when the key types no single character
// (arrows, function keys, Alt combinations, Alt+Enter among them).
int keyAsciiOf(const QKeyEvent& event);

}  // namespace search_qt
