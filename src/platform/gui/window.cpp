#include "platform/gui/window.h"

#include "platform/gui/qt_bridge.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace melvanto::gui {

namespace {

Window*& mainWindow() {
    static Window* window = nullptr;
    return window;
}

} // namespace

class Window::QtWindow : public QWidget {
public:
    QtWindow(const std::string& caption, Size outerSize, const Font& defaultFont)
        : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
        setWindowTitle(ToQString(caption));
        resize(outerSize.width, outerSize.height);
        setFont(ToQFont(defaultFont));
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::Button));
        setPalette(palette);
        setAutoFillBackground(true);
    }

    Window* owner = nullptr;
    Handler onClose;
    bool shownBefore = false;
    std::vector<QWidget*> tabOrder;

protected:
    // Tab and Shift+Tab walk our own order, skipping widgets that cannot take the focus.
    bool focusNextPrevChild(bool next) override {
        if (tabOrder.empty()) return QWidget::focusNextPrevChild(next);
        const int count = static_cast<int>(tabOrder.size());
        const auto current = std::find(tabOrder.begin(), tabOrder.end(), focusWidget());
        const int from = current == tabOrder.end() ? (next ? -1 : count)
                                                   : static_cast<int>(current - tabOrder.begin());
        for (int step = 1; step <= count; ++step) {
            const int index = ((from + (next ? step : -step)) % count + count) % count;
            QWidget* candidate = tabOrder[static_cast<size_t>(index)];
            if (candidate->isEnabled() && candidate->isVisibleTo(this)) {
                candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                return true;
            }
        }
        return false;
    }

    void closeEvent(QCloseEvent* event) override {
        if (onClose) Dispatch(onClose);
        event->accept();
        if (owner->IsMainWindow()) QCoreApplication::quit();
    }
};

Window::Window(const std::string& caption, Size outerSize, const Font& defaultFont)
    : Window(defaultFont, new QtWindow(caption, outerSize, defaultFont)) {}

Window::Window(const Font& defaultFont, QtWindow* qtWindow)
    : Container(this, qtWindow), m_qtWindow(qtWindow), m_defaultFont(defaultFont) {
    m_qtWindow->owner = this;
    if (!mainWindow()) mainWindow() = this;
}

Window::~Window() {
    if (mainWindow() == this) mainWindow() = nullptr;
    delete m_qtWindow;
}

std::string Window::Caption() const {
    return ToAnsi(m_qtWindow->windowTitle());
}

void Window::Show() {
    if (!m_qtWindow->shownBefore) {
        m_qtWindow->shownBefore = true;
        const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
        m_qtWindow->move(desktop.x() + (desktop.width() - m_qtWindow->width()) / 2,
                         desktop.y() + (desktop.height() - m_qtWindow->height()) / 2);
    }
    m_qtWindow->show();
    // The offscreen platform of the tests has no stacking order to change.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) m_qtWindow->raise();
    m_qtWindow->activateWindow();
}

void Window::Hide() {
    m_qtWindow->hide();
}

void Window::Close() {
    m_qtWindow->close();
}

bool Window::IsVisible() const {
    return m_qtWindow->isVisible();
}

bool Window::IsMainWindow() const {
    return mainWindow() == this;
}

void Window::OnClose(Handler handler) {
    m_qtWindow->onClose = std::move(handler);
}

void Window::SetTabOrder(const std::vector<const Widget*>& order) {
    m_qtWindow->tabOrder.clear();
    for (const Widget* widget : order)
        m_qtWindow->tabOrder.push_back(GuiAccess::WidgetOf(*widget));
    // The first of the order has the focus when the window is first activated.
    if (!order.empty()) GuiAccess::WidgetOf(*order.front())->setFocus(Qt::OtherFocusReason);
}

Size Window::ClientSize() const {
    return Size{m_qtWindow->width(), m_qtWindow->height()};
}

Rgb Window::BackgroundColour() const {
    return ToRgb(m_qtWindow->palette().color(QPalette::Window));
}

void Window::Register(Widget* widget) {
    if (!m_widgets.emplace(widget->Name(), widget).second)
        throw std::logic_error("two widgets named '" + widget->Name() + "' in one window");
}

void Window::Unregister(const Widget* widget) {
    auto it = m_widgets.find(widget->Name());
    if (it != m_widgets.end() && it->second == widget) m_widgets.erase(it);
}

Widget* Window::FindWidget(const std::string& name) const {
    auto it = m_widgets.find(name);
    return it == m_widgets.end() ? nullptr : it->second;
}

} // namespace melvanto::gui
