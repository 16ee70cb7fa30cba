#include "platform/gui/edit_box.h"

#include "platform/gui/qt_bridge.h"

#include <QLineEdit>

namespace melvanto::gui {

namespace {

QLineEdit* makeEdit(Container& parent, EditMode mode) {
    auto* edit = new QLineEdit(GuiAccess::AreaOf(parent));
    edit->setReadOnly(mode == EditMode::ReadOnly);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, ToQColor(kWhite));
    edit->setPalette(palette);
    return edit;
}

QLineEdit* lineEdit(const Widget& widget) {
    return static_cast<QLineEdit*>(GuiAccess::WidgetOf(widget));
}

} // namespace

EditBox::EditBox(Container& parent, std::string name, Rect rect, const Font& font, EditMode mode)
    : Widget(parent, std::move(name), makeEdit(parent, mode), rect, font) {}

void EditBox::SetText(const std::string& text) {
    QLineEdit* edit = lineEdit(*this);
    edit->setText(ToQString(text));
    // Show the start of a long address, as a native edit box does, not its end.
    edit->setCursorPosition(0);
}

std::string EditBox::Text() const {
    return ToAnsi(lineEdit(*this)->text());
}

bool EditBox::IsReadOnly() const {
    return lineEdit(*this)->isReadOnly();
}

Rgb EditBox::BackgroundColour() const {
    return ToRgb(lineEdit(*this)->palette().color(QPalette::Base));
}

void EditBox::SetInputMethodOnFocus(const std::string&) {}

} // namespace melvanto::gui
