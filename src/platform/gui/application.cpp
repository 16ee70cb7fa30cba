#include "platform/gui/application.h"

#include "platform/gui/qt_bridge.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace melvanto::gui {

namespace {

// Font names of the original platform and the installed families that stand in for them,
// best first; the platform takes the first one it has.
void installFontSubstitutions() {
    QFont::insertSubstitutions(QString::fromUtf16(u"微软雅黑"),
                               {"Microsoft YaHei", "WenQuanYi Micro Hei", "Noto Sans CJK SC",
                                "Source Han Sans SC", "Droid Sans Fallback"});
    QFont::insertSubstitutions("MS Sans Serif", {"Microsoft Sans Serif", "DejaVu Sans",
                                                 "Liberation Sans", "Nimbus Sans", "FreeSans"});
}

} // namespace

struct Application::Impl {
    QApplication application;
    Impl(int& argc, char** argv) : application(argc, argv) {}
};

Application::Application(int& argc, char** argv) : m_impl(std::make_unique<Impl>(argc, argv)) {
    // One look on every desktop: the standard controls of the Fusion style.
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    // Only the main window ends the loop, see Window.
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutions();
}

Application::~Application() = default;

int RunMessageLoop() {
    return QApplication::exec();
}

namespace {

std::string& title() {
    static std::string value;
    return value;
}

} // namespace

void SetApplicationTitle(const std::string& newTitle) {
    title() = newTitle;
    QCoreApplication::setApplicationName(ToQString(newTitle));
}

std::string ApplicationTitle() {
    return title();
}

} // namespace melvanto::gui
