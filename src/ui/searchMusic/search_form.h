#pragma once
// The search window (unit searchMusic), the program's main window: keyword search, the
// seven chart buttons and the song list.

#include "platform/gui/button.h"
#include "platform/gui/edit_box.h"
#include "platform/gui/label.h"
#include "platform/gui/list_view.h"
#include "platform/gui/window.h"

#include <string>

namespace melvanto {

class TsearchForm : public gui::Window {
public:
    // Builds the window from its layout; it has no creation handler and sends no request.
    TsearchForm();

    // Closing the window: hides the current detail window; the program then ends.
    void FormClose();

    gui::Label lbl2;
    gui::EditBox edt1;
    gui::Button btn1;
    gui::ListView lv1;
    gui::Button btn2;
    gui::Button btn3;
    gui::Button btn4;
    gui::Button btn5;
    gui::Button btn6;
    gui::Button btn7;
    gui::Button btn8;
    gui::Label slb2;
    gui::Label slb1;
    gui::Label lbl1;
};

// The search window, set when it is created at start-up.
extern TsearchForm* searchForm;

// Chart number of the chart button pressed last ("1", "2", "21" to "25"). Empty at start.
extern std::string CurrentBillType;

} // namespace melvanto
