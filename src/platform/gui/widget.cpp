#include "platform/gui/widget.h"

#include "platform/gui/qt_bridge.h"
#include "platform/gui/window.h"

#include <QPalette>

namespace melvanto::gui {

Widget::Widget(Container& parent, std::string name, QWidget* widget, Rect rect, const Font& font)
    : m_window(parent.OwnerWindow()), m_name(std::move(name)), m_widget(widget), m_font(font) {
    try {
        m_window.Register(this);
    } catch (...) {
        delete widget;
        throw;
    }
    m_widget->setObjectName(QString::fromStdString(m_name));
    m_widget->setGeometry(rect.left, rect.top, rect.width, rect.height);
    m_widget->setFont(ToQFont(font));
    // The font colour is the text colour of every kind of widget.
    QPalette palette = m_widget->palette();
    const QColor colour = ToQColor(Resolve(font.colour));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, colour);
    m_widget->setPalette(palette);
}

Widget::~Widget() {
    m_window.Unregister(this);
}

Rect Widget::Geometry() const {
    const QRect rect = m_widget->geometry();
    return Rect{rect.x(), rect.y(), rect.width(), rect.height()};
}

Rgb Widget::TextColour() const {
    return ToRgb(m_widget->palette().color(QPalette::WindowText));
}

bool Widget::IsEnabled() const {
    return m_widget->isEnabled();
}

} // namespace melvanto::gui
