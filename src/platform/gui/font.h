#pragma once
// Fonts by family and character height in pixels.

#include "platform/gui/colour.h"

#include <string>

namespace melvanto::gui {

// The family is a font name, not window text, so it is kept in UTF-16 and never passes
// through the ANSI code page. "微软雅黑" resolves to an installed CJK sans (WenQuanYi Micro
// Hei where present) and "MS Sans Serif" to an installed sans; other names are matched by
// the platform as they are.
struct Font {
    std::u16string family;
    int pixelHeight = 0; // character height (em size) in pixels
    bool bold = false;
    Colour colour = SystemColour::WindowText;
    friend bool operator==(const Font&, const Font&) = default;
};

} // namespace melvanto::gui
