#pragma once
// Widgets and the containers they are placed in.
//
// A window class derives from Window and declares its widgets as members, each built
// with its container (the window or a group box), its name from the layout, its position
// and size, its text and its font:
//
//     class TexampleForm : public gui::Window {
//     public:
//         TexampleForm();
//         gui::Label lbl1;
//         gui::Button btn1;
//     };
//     TexampleForm::TexampleForm()
//         : Window(caption, {300, 200}, defaultFont),
//           lbl1(*this, "lbl1", {8, 8, 100, 19}, text, font),
//           btn1(*this, "btn1", {8, 40, 70, 25}, caption, font) {
//         btn1.OnClick([this] { btn1Click(); });
//     }
//
// The window owns the platform's widgets; the member objects are handles to them. Every
// text (ANSI byte strings, std::string) passes through the ANSI code page of
// platform/codepage; what the code page cannot hold reads back as "?". Every call is made
// on the GUI thread.

#include "platform/gui/colour.h"
#include "platform/gui/font.h"
#include "platform/gui/geometry.h"

#include <string>

class QWidget;

namespace melvanto::gui {

class Window;
class GuiAccess;

// What widgets are placed in: a window or a group box. Positions of the widgets inside
// are relative to its top-left corner.
class Container {
public:
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    Window& OwnerWindow() const { return *m_window; }

protected:
    Container(Window* window, QWidget* area) : m_window(window), m_area(area) {}
    ~Container() = default;

private:
    friend class GuiAccess;
    Window* m_window;
    QWidget* m_area;
};

// Base of every widget: a name unique in its window, a place in its container, a font.
class Widget {
public:
    virtual ~Widget();
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    const std::string& Name() const { return m_name; }
    // Position and size relative to the container.
    Rect Geometry() const;
    // The font the layout gave the widget (the window's default font when it gave none).
    const Font& TextFont() const { return m_font; }
    // The font's colour as currently resolved.
    Rgb TextColour() const;
    bool IsEnabled() const;

protected:
    // Places the platform widget, already made as a child of the container's area.
    Widget(Container& parent, std::string name, QWidget* widget, Rect rect, const Font& font);

private:
    friend class GuiAccess;
    Window& m_window;
    std::string m_name;
    QWidget* m_widget;
    Font m_font;
};

} // namespace melvanto::gui
