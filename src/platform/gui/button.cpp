#include "platform/gui/button.h"

#include "platform/gui/qt_bridge.h"

#include <QPushButton>

namespace melvanto::gui {

class Button::QtButton : public QPushButton {
public:
    QtButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
        setAutoDefault(false);
        setDefault(false);
        connect(this, &QPushButton::clicked, [this] {
            if (onClick) Dispatch(onClick);
        });
    }

    Handler onClick;
};

Button::Button(Container& parent, std::string name, Rect rect, const std::string& caption,
               const Font& font)
    : Widget(parent, std::move(name), new QtButton(ToQString(caption), GuiAccess::AreaOf(parent)),
             rect, font) {}

std::string Button::Caption() const {
    return ToAnsi(qtButton()->text());
}

void Button::SetEnabled(bool enabled) {
    qtButton()->setEnabled(enabled);
}

void Button::OnClick(Handler handler) {
    qtButton()->onClick = std::move(handler);
}

Button::QtButton* Button::qtButton() const {
    return static_cast<QtButton*>(GuiAccess::WidgetOf(*this));
}

} // namespace melvanto::gui
