#include "platform/gui/colour.h"

#include "platform/gui/qt_bridge.h"

#include <QApplication>
#include <QPalette>

namespace melvanto::gui {

namespace {

QPalette::ColorRole roleOf(SystemColour colour) {
    switch (colour) {
    case SystemColour::ButtonFace:
        return QPalette::Button;
    case SystemColour::DarkShadow3D:
        return QPalette::Shadow;
    case SystemColour::WindowText:
        break;
    }
    return QPalette::WindowText;
}

} // namespace

Rgb Resolve(const Colour& colour) {
    if (const Rgb* rgb = std::get_if<Rgb>(&colour)) return *rgb;
    return ToRgb(QApplication::palette().color(roleOf(std::get<SystemColour>(colour))));
}

} // namespace melvanto::gui
