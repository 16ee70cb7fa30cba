#include "platform/gui/group_box.h"

#include "platform/gui/qt_bridge.h"

#include <QGroupBox>

namespace melvanto::gui {

GroupBox::GroupBox(Container& parent, std::string name, Rect rect, const std::string& caption,
                   const Font& font)
    : GroupBox(parent, std::move(name), rect, font,
               new QGroupBox(ToQString(caption), GuiAccess::AreaOf(parent))) {}

GroupBox::GroupBox(Container& parent, std::string name, Rect rect, const Font& font, QWidget* box)
    : Widget(parent, std::move(name), box, rect, font), Container(&parent.OwnerWindow(), box) {}

std::string GroupBox::Caption() const {
    return ToAnsi(static_cast<QGroupBox*>(GuiAccess::WidgetOf(*this))->title());
}

} // namespace melvanto::gui
