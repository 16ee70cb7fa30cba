#include "platform/gui/qt_bridge.h"

#include "platform/codepage/codepage.h"
#include "platform/gui/dispatch.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace melvanto::gui {

QString ToQString(const std::string& ansi) {
    const std::u16string wide = AnsiToWide(ansi);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

std::string ToAnsi(const QString& text) {
    return WideToAnsi(text.toStdU16String());
}

QFont ToQFont(const Font& font) {
    QFont result(QString::fromStdU16String(font.family));
    result.setPixelSize(font.pixelHeight);
    result.setBold(font.bold);
    return result;
}

QColor ToQColor(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

Rgb ToRgb(const QColor& colour) {
    return Rgb{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
               static_cast<std::uint8_t>(colour.blue())};
}

Qt::Alignment ToQtAlignment(Alignment alignment) {
    switch (alignment) {
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

void PostFailure(std::exception_ptr failure) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [failure] { Dispatch([&failure] { std::rethrow_exception(failure); }); },
        Qt::QueuedConnection);
}

} // namespace melvanto::gui
