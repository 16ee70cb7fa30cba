#pragma once
// The two modal boxes. Both are application-modal (the other windows take no input while
// one is open), centred on the screen, and return when the user has closed them; the
// window that was active and the keyboard focus are restored afterwards. Texts are ANSI.
// Tests can observe or drive them instead (testing.h).

#include <string>

namespace melvanto::gui {

// A plain message dialog: fixed border, the caption, no icon, the text in the message font
// wrapped at word boundaries to at most half the screen's width with tabs expanded (every
// 8 characters), "&" underlining the character after it and "&&" showing one "&"; one "OK"
// button that is both default (Enter) and cancel (Esc); the close box closes it too.
// Ctrl+C beeps and puts a text rendering of the dialog on the clipboard, lines ending in
// "\n":
//     27 "-", caption, 27 "-", text, 27 "-", "OK   ", 27 "-"   (one per line)
void ShowPlainMessageBox(const std::string& caption, const std::string& text);

// The platform's standard message box with the stop icon, the caption, the text as it
// stands (every "&" shown) and one "OK" button.
void ShowFailureBox(const std::string& caption, const std::string& text);

} // namespace melvanto::gui
