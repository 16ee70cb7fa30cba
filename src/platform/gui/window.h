#pragma once
// A top-level window: caption, outer size, a sizeable frame with the system menu and the
// close box only (no minimise or maximise box), the button-face colour as background,
// centred on the desktop when first shown.
//
// Outer size: the size given is the size of the window as laid out, and its client area
// gets exactly that size; a window manager adds its own frame around it. Under a bare X
// server (Xvfb without a window manager) there is no frame, so the client size equals the
// outer size. The widgets keep the client-area positions of the layout either way.
//
// The first window created is the main window: closing it (close box, Alt+F4, Close())
// runs its close handler and then ends RunMessageLoop. Closing any other window runs its
// close handler and hides it; the window lives on until it is destroyed.

#include "platform/gui/dispatch.h"
#include "platform/gui/widget.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace melvanto::gui {

class Window : public Container {
public:
    Window(const std::string& caption, Size outerSize, const Font& defaultFont);
    virtual ~Window();

    std::string Caption() const;
    const Font& DefaultFont() const { return m_defaultFont; }

    // Shows the window and brings it to the front; the first time, centred on the desktop.
    void Show();
    void Hide();
    // As the user closing it: close handler, then hidden (or the loop ends for the main
    // window).
    void Close();
    bool IsVisible() const;
    bool IsMainWindow() const;

    // Runs inside Dispatch when the window is closed; a failure is reported and the window
    // closes all the same, so the program can always be ended.
    void OnClose(Handler handler);

    // The order in which Tab (and Shift+Tab backwards) moves the keyboard focus among the
    // window's edit boxes, buttons and list views, group boxes included; disabled widgets
    // are skipped. The first one has the focus when the window is first activated.
    void SetTabOrder(const std::vector<const Widget*>& order);

    // Read-backs for checks.
    Size ClientSize() const;
    Rgb BackgroundColour() const;

    // The widget of that name and kind; std::out_of_range when there is none.
    template <class T> T& Find(const std::string& name) const {
        T* widget = dynamic_cast<T*>(FindWidget(name));
        if (!widget) throw std::out_of_range("no widget '" + name + "' of that kind");
        return *widget;
    }

private:
    friend class Widget;
    friend class GuiAccess;
    class QtWindow;

    Window(const Font& defaultFont, QtWindow* qtWindow);
    void Register(Widget* widget);
    void Unregister(const Widget* widget);
    Widget* FindWidget(const std::string& name) const;

    QtWindow* m_qtWindow;
    Font m_defaultFont;
    std::map<std::string, Widget*> m_widgets;
};

} // namespace melvanto::gui
