#pragma once
// The song detail window (unit download): one song at one quality, its addresses and its
// cover picture. A new one is made for every song handed over by the search window.

#include "platform/gui/button.h"
#include "platform/gui/edit_box.h"
#include "platform/gui/group_box.h"
#include "platform/gui/image_box.h"
#include "platform/gui/label.h"
#include "platform/gui/window.h"

#include <string>

namespace melvanto {

class TdlForm : public gui::Window {
public:
    // Builds the window from its layout; runs no request.
    TdlForm();

    // The creation handler, run by the hand-over once `dlForm` refers to this window.
    void FormCreate();

    gui::Label slb1;
    gui::Label slb3;
    gui::Label slb2;
    gui::ImageBox img1;
    gui::GroupBox grp3;
    gui::Button btn3;
    gui::Button btn4;
    gui::Button btn5;
    gui::Button btn6;
    gui::GroupBox grp1;
    gui::EditBox edt1;
    gui::Button btn1;
    gui::GroupBox grp2;
    gui::EditBox edt2;
    gui::Button btn2;
};

// The newest detail window, empty until the first hand-over.
extern TdlForm* dlForm;

// Bit rate and file format the song-link request asks for ("320" and "flac" on each
// creation of a detail window, then set by its quality buttons). Empty at start.
extern std::string CurrentRate;
extern std::string CurrentType;

} // namespace melvanto
