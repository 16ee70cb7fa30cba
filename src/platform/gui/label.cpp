#include "platform/gui/label.h"

#include "platform/gui/qt_bridge.h"

#include <QFontMetrics>
#include <QLabel>

namespace melvanto::gui {

namespace {

QLabel* makeLabel(Container& parent, const std::string& text, LabelOptions options) {
    auto* label = new QLabel(ToQString(text), GuiAccess::AreaOf(parent));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(ToQtAlignment(options.alignment) | Qt::AlignTop);
    label->setWordWrap(false);
    return label;
}

} // namespace

Label::Label(Container& parent, std::string name, Rect rect, const std::string& text,
             const Font& font, LabelOptions options)
    : Widget(parent, std::move(name), makeLabel(parent, text, options), rect, font),
      m_options(options) {
    fitToText();
}

void Label::SetText(const std::string& text) {
    static_cast<QLabel*>(GuiAccess::WidgetOf(*this))->setText(ToQString(text));
    fitToText();
}

std::string Label::Text() const {
    return ToAnsi(static_cast<QLabel*>(GuiAccess::WidgetOf(*this))->text());
}

void Label::fitToText() {
    if (!m_options.sizedToText) return;
    auto* label = static_cast<QLabel*>(GuiAccess::WidgetOf(*this));
    label->resize(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->height());
}

} // namespace melvanto::gui
