#pragma once
// A push button. It is never the default button, so Enter elsewhere does not press it;
// a disabled button delivers no click.

#include "platform/gui/dispatch.h"
#include "platform/gui/widget.h"

namespace melvanto::gui {

class Button : public Widget {
public:
    Button(Container& parent, std::string name, Rect rect, const std::string& caption,
           const Font& font);

    std::string Caption() const;
    void SetEnabled(bool enabled);
    // Runs inside Dispatch on each click; a later call replaces the handler.
    void OnClick(Handler handler);

private:
    class QtButton;
    QtButton* qtButton() const;
};

} // namespace melvanto::gui
