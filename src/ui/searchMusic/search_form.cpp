#include "ui/searchMusic/search_form.h"

#include "platform/codepage/codepage.h"
#include "ui/download/dl_form.h"

namespace melvanto {

TsearchForm* searchForm = nullptr;

namespace {

const gui::Font kYaHei13{u"微软雅黑", 13};

gui::Button chartButton(gui::Window& window, const char* name, int left, const char16_t* caption) {
    return gui::Button(window, name, {left, 400, 70, 25}, WideToAnsi(caption), kYaHei13);
}

} // namespace

TsearchForm::TsearchForm(const ServiceHosts& hosts)
    : Window("Melvanto", {567, 514}, gui::Font{u"MS Sans Serif", 11}),
      lbl2(*this, "lbl2", {9, 12, 52, 19}, WideToAnsi(u"歌曲名："), kYaHei13),
      edt1(*this, "edt1", {59, 10, 126, 27}, kYaHei13),
      btn1(*this, "btn1", {195, 8, 70, 25}, WideToAnsi(u"搜索"), kYaHei13),
      lv1(*this, "lv1", {3, 40, 545, 353}, gui::Font{u"微软雅黑", 12},
          {{WideToAnsi(u"歌曲ID"), 100, gui::Alignment::Left},
           {WideToAnsi(u"歌曲名"), 200, gui::Alignment::Centre},
           {WideToAnsi(u"艺术家"), 200, gui::Alignment::Left}}),
      btn2(chartButton(*this, "btn2", 3, u"新歌榜")),
      btn3(chartButton(*this, "btn3", 81, u"热歌榜")),
      btn4(chartButton(*this, "btn4", 159, u"欧美金曲榜")),
      btn5(chartButton(*this, "btn5", 237, u"经典老歌榜")),
      btn6(chartButton(*this, "btn6", 318, u"情歌对唱榜")),
      btn7(chartButton(*this, "btn7", 398, u"影视金曲榜")),
      btn8(chartButton(*this, "btn8", 475, u"网络红歌榜")),
      slb2(*this, "slb2", {10, 436, 0, 19}, "", kYaHei13, gui::LabelOptions{.sizedToText = true}),
      slb1(*this, "slb1", {428, 436, 117, 19}, WideToAnsi(u"歌曲来源：百度音乐"), kYaHei13),
      lbl1(*this, "lbl1", {0, 456, 548, 16},
           WideToAnsi(u"Melvanto · 搜索与排行榜 · 双击歌曲查看下载地址"),
           gui::Font{u"MS Sans Serif", 13, false, gui::SystemColour::DarkShadow3D},
           gui::LabelOptions{.alignment = gui::Alignment::Centre}),
      m_hosts(hosts) {
    // The keyword box asks for the Sogou Pinyin input method while it has the focus. That
    // input method does not exist on this platform, where the desktop picks the input
    // method of every text field, so the request is a no-op here.
    edt1.SetInputMethodOnFocus(WideToAnsi(u"中文 (简体) - 搜狗拼音输入法"));
    SetTabOrder({&edt1, &lv1, &btn1, &btn2, &btn3, &btn4, &btn5, &btn6, &btn7, &btn8});

    btn1.OnClick([this] { btn1Click(); });
    btn2.OnClick([this] { btn2Click(); });
    btn3.OnClick([this] { btn3Click(); });
    btn4.OnClick([this] { btn4Click(); });
    btn5.OnClick([this] { btn5Click(); });
    btn6.OnClick([this] { btn6Click(); });
    btn7.OnClick([this] { btn7Click(); });
    btn8.OnClick([this] { btn8Click(); });
    lv1.OnDoubleClick([this] { lv1DblClick(); });
    OnClose([this] { FormClose(); });
}

void TsearchForm::FormClose() {
    if (dlForm) dlForm->Hide();
}

} // namespace melvanto
