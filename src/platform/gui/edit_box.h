#pragma once
// A one-line edit box with a white background. Enter in it does nothing.

#include "platform/gui/widget.h"

namespace melvanto::gui {

enum class EditMode { Editable, ReadOnly };

class EditBox : public Widget {
public:
    EditBox(Container& parent, std::string name, Rect rect, const Font& font,
            EditMode mode = EditMode::Editable);

    void SetText(const std::string& text);
    std::string Text() const;
    bool IsReadOnly() const;
    Rgb BackgroundColour() const;

    // The input method the box asks for while it has the focus, by its name. Has no effect
    // here: on this platform the desktop's input-method framework chooses the input method
    // for every text field, and a program cannot switch or restore keyboard layouts.
    void SetInputMethodOnFocus(const std::string& inputMethodName);
};

} // namespace melvanto::gui
