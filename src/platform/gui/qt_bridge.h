#pragma once
// Inside the windowing layer only: conversions between our types and Qt's, and access to
// the Qt widgets behind the handles.

#include "platform/gui/colour.h"
#include "platform/gui/font.h"
#include "platform/gui/geometry.h"
#include "platform/gui/widget.h"
#include "platform/gui/window.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>
#include <exception>
#include <string>

namespace melvanto::gui {

// ANSI byte strings to the platform's text and back, through the ANSI code page.
QString ToQString(const std::string& ansi);
std::string ToAnsi(const QString& text);

QFont ToQFont(const Font& font);
QColor ToQColor(Rgb rgb);
Rgb ToRgb(const QColor& colour);
Qt::Alignment ToQtAlignment(Alignment alignment);

// Hands a failure met where no failure may leave (a paint) to the dispatch, right after
// the current event.
void PostFailure(std::exception_ptr failure);

class GuiAccess {
public:
    static QWidget* WidgetOf(const Widget& widget) { return widget.m_widget; }
    static QWidget* AreaOf(const Container& container) { return container.m_area; }
};

} // namespace melvanto::gui
