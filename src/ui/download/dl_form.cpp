#include "ui/download/dl_form.h"

#include "platform/codepage/codepage.h"

namespace melvanto {

TdlForm* dlForm = nullptr;
std::string CurrentRate;
std::string CurrentType;

namespace {

gui::Font yaHei(int pixelHeight, gui::Colour colour = gui::SystemColour::WindowText,
                bool bold = false) {
    return gui::Font{u"微软雅黑", pixelHeight, bold, colour};
}

const gui::Font kYaHei13 = yaHei(13);
const gui::Font kYaHei13Black = yaHei(13, gui::kBlack);
const gui::Font kYaHei19Black = yaHei(19, gui::kBlack);

} // namespace

TdlForm::TdlForm()
    : Window(WideToAnsi(u"下载"), {564, 448}, gui::Font{u"MS Sans Serif", 11}),
      slb1(*this, "slb1", {8, 16, 361, 33}, WideToAnsi(u"歌曲"), yaHei(21, gui::kRed, true)),
      slb3(*this, "slb3", {8, 64, 361, 28}, "   ", kYaHei19Black),
      slb2(*this, "slb2", {8, 117, 361, 28}, "   ", kYaHei19Black),
      img1(*this, "img1", {384, 8, 150, 150}),
      grp3(*this, "grp3", {8, 166, 529, 73}, WideToAnsi(u"歌曲音质"), kYaHei13),
      btn3(grp3, "btn3", {11, 32, 129, 25}, WideToAnsi(u"普通音质(128kpbs)"), kYaHei13),
      btn4(grp3, "btn4", {148, 32, 129, 25}, WideToAnsi(u"中等音质(192kpbs)"), kYaHei13),
      btn5(grp3, "btn5", {287, 32, 129, 25}, WideToAnsi(u"超高音质(320kpbs)"), kYaHei13),
      btn6(grp3, "btn6", {423, 32, 98, 25}, WideToAnsi(u"无损音质(flac)"), kYaHei13),
      grp1(*this, "grp1", {8, 242, 529, 73}, WideToAnsi(u"歌曲下载地址"), kYaHei13),
      edt1(grp1, "edt1", {8, 32, 417, 27}, kYaHei13Black, gui::EditMode::ReadOnly),
      btn1(grp1, "btn1", {449, 32, 49, 25}, WideToAnsi(u"下载"), kYaHei13),
      grp2(*this, "grp2", {8, 326, 529, 73}, WideToAnsi(u"歌词下载地址"), kYaHei13),
      edt2(grp2, "edt2", {8, 32, 417, 27}, kYaHei13Black, gui::EditMode::ReadOnly),
      btn2(grp2, "btn2", {448, 32, 49, 25}, WideToAnsi(u"下载"), kYaHei13) {
    SetTabOrder({&edt1, &btn1, &edt2, &btn2, &btn3, &btn4, &btn5, &btn6});
}

void TdlForm::FormCreate() {
    CurrentRate = "320";
    CurrentType = "flac";
}

} // namespace melvanto
