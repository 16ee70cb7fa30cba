#pragma once
// The search window (unit searchMusic), the program's main window: keyword search, the
// seven chart buttons, the song list and the hand-over of a song to a detail window.

#include "platform/gui/button.h"
#include "platform/gui/edit_box.h"
#include "platform/gui/label.h"
#include "platform/gui/list_view.h"
#include "platform/gui/window.h"
#include "service/request_slot.h"
#include "service/service_hosts.h"

#include <string>

namespace melvanto {

class TsearchForm : public gui::Window {
public:
    // Builds the window from its layout; it has no creation handler and sends no request.
    // The requests, and the detail windows it hands songs to, use `hosts`.
    explicit TsearchForm(const ServiceHosts& hosts);

    // "搜索": the songs matching the keyword box, after "请输入歌曲名称！" when it is empty.
    void btn1Click();
    // The chart buttons: each sets CurrentBillType ("1", "2", "21" to "25") and runs
    // phbMusicList on the window `searchForm` refers to.
    void btn2Click();
    void btn3Click();
    void btn4Click();
    void btn5Click();
    void btn6Click();
    void btn7Click();
    void btn8Click();
    // The chart CurrentBillType names: its update date in slb2, its songs in the list.
    void phbMusicList();
    // Hands the selected row's song to a new detail window; "请选择要下载的歌曲!" when no
    // row is selected or the window cannot be built.
    void lv1DblClick();
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

private:
    ServiceHosts m_hosts;
    // Keeps the last request of the keyword search and the charts.
    TRequestSlot m_requestSlot;
};

// The search window, set when it is created at start-up.
extern TsearchForm* searchForm;

// Chart number of the chart button pressed last ("1", "2", "21" to "25"). Empty at start.
extern std::string CurrentBillType;

} // namespace melvanto
