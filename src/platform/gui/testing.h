#pragma once
// Test seam of the windowing layer: drive windows as a user would and answer the modal
// boxes. For tests only; the program never calls it.
//
// GUI test programs create one gui::Application for the whole run: link the target
// melvanto_gui_test_main (tests/support/gui_test_main.cpp) instead of gtest_main and
// register them with melvanto_test(... GUI), which runs Qt offscreen. Windows can then be
// built, shown and driven in each test:
//
//     gui::test::ModalBoxRecorder boxes;          // boxes are recorded, not shown
//     gui::test::Click(form.btn1);
//     ASSERT_EQ(boxes.Boxes().size(), 1u);
//     EXPECT_EQ(boxes.Boxes()[0].text, expected);
//
// Widgets are reached as members of their window class, or by their layout name with
// window.Find<gui::Button>("btn1"). Texts, geometry, fonts, colours and enabled states are
// read through the widgets' own read-backs.

#include "platform/gui/button.h"
#include "platform/gui/edit_box.h"
#include "platform/gui/list_view.h"
#include "platform/gui/picture.h"
#include "platform/gui/window.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace melvanto::gui::test {

// ---- Driving widgets ------------------------------------------------------------------

// A left click (press and release) in the middle of the button. A disabled button takes
// no mouse input, so its handler does not run.
void Click(Button& button);

// A double-click in a shown list: on the given row (which the click selects first), or,
// with no row, on an area without rows after clearing the selection. std::logic_error when
// the list's window is not shown or the list has no free area for a click without a row.
void DoubleClick(ListView& list, std::optional<int> row);

enum class Key { Enter, Escape, CtrlC, Tab };
// Presses and releases the key in the widget; what it does not handle goes to its window.
void PressKey(Widget& widget, Key key);

void Focus(Widget& widget);
// The layout name of the widget that has the keyboard focus; empty when none of ours.
std::string FocusedWidgetName();

// Runs the events waiting in the queue: repaints, and failures of drawing a picture
// (reported right after the paint that met them).
void ProcessEvents();

// Queues the function to run inside Dispatch once the message loop takes its next event,
// e.g. to close a window from inside RunMessageLoop.
void PostToLoop(Handler handler);

// ---- Reading what is on the screen -----------------------------------------------------

// The widget or window as drawn now (a draw of its own: a picture in it is decoded here
// if it was not drawn before).
PictureBitmap Grab(const Widget& widget);
PictureBitmap Grab(const Window& window);

struct FrameTraits {
    bool sizeable = false;
    bool systemMenu = false;
    bool closeBox = false;
    bool minimizeBox = false;
    bool maximizeBox = false;
};
FrameTraits Frame(const Window& window);
// Top-left corner of the window's frame on the desktop, and the desktop's usable area.
Point Position(const Window& window);
Rect DesktopArea();

// The installed family the platform uses for the font.
std::u16string ResolvedFontFamily(const Font& font);
// Whether that family covers Simplified Chinese.
bool FamilyCoversChinese(const std::u16string& family);

// The alignment of a cell of a list (the header's is in ListView::Columns()).
Alignment CellAlignment(const ListView& list, int row, int column);

// The clipboard's text (ANSI).
std::string ClipboardText();

// ---- Modal boxes ----------------------------------------------------------------------

enum class BoxKind { Plain, Failure };
enum class BoxIcon { None, Stop };

// A box as ShowPlainMessageBox or ShowFailureBox was asked to show it (the text as given,
// "&" markers included).
struct ModalBox {
    BoxKind kind = BoxKind::Plain;
    std::string caption;
    BoxIcon icon = BoxIcon::None;
    std::string text;
    std::vector<std::string> buttons;
};

// While one exists, boxes are not shown: each is recorded, in order, and answered at once
// (it has one button), after the optional callback has seen it, e.g. to look at the
// windows while the box would be open. Recorders nest; the innermost one answers.
class ModalBoxRecorder {
public:
    explicit ModalBoxRecorder(std::function<void(const ModalBox&)> onBox = {});
    ~ModalBoxRecorder();
    ModalBoxRecorder(const ModalBoxRecorder&) = delete;
    ModalBoxRecorder& operator=(const ModalBoxRecorder&) = delete;

    const std::vector<ModalBox>& Boxes() const { return m_boxes; }

private:
    std::vector<ModalBox> m_boxes;
    std::function<void(const ModalBox&)> m_onBox;
    std::function<void(const ModalBox&)> m_previous;
};

// A real box while it is open, as the user sees it.
class ShownBox {
public:
    explicit ShownBox(QWidget* dialog) : m_dialog(dialog) {}

    BoxKind Kind() const;
    std::string Caption() const;
    BoxIcon Icon() const;
    // The text as it reads on the screen ("&" markers taken out, tabs expanded).
    std::string ShownText() const;
    // The characters of the shown text that are underlined, in order.
    std::string UnderlinedText() const;
    std::vector<std::string> Buttons() const;
    std::string DefaultButton() const;
    bool IsResizable() const;
    Size OuterSize() const;
    Point Position() const;
    bool IsOpen() const;
    // Keys go to the focused button of the box.
    void PressKey(Key key);
    // As the close box of the title bar.
    void CloseFromTitleBar();

private:
    QWidget* m_dialog;
};

// While one exists, boxes are really shown, and the driver runs inside each box's own
// loop once it is on the screen; a box the driver leaves open is closed after it returns.
class ModalBoxDriver {
public:
    explicit ModalBoxDriver(std::function<void(ShownBox&)> driver);
    ~ModalBoxDriver();
    ModalBoxDriver(const ModalBoxDriver&) = delete;
    ModalBoxDriver& operator=(const ModalBoxDriver&) = delete;

private:
    std::function<void(ShownBox&)> m_previous;
};

} // namespace melvanto::gui::test
