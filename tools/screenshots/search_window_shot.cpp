#include "search_window_shot.h"

#include "png_file.h"

#include "platform/gui/testing.h"
#include "ui/searchMusic/search_form.h"

#include <stdexcept>

namespace melvanto::screenshots {

namespace {

namespace gt = gui::test;

void showPopularChart() {
    gt::ModalBoxRecorder boxes;
    gt::Click(searchForm->btn3);
    if (!boxes.Boxes().empty())
        throw std::runtime_error("chart: message box \"" + boxes.Boxes().front().text + "\"");
    if (searchForm->lv1.RowCount() == 0) throw std::runtime_error("chart: no songs listed");
    if (searchForm->slb2.Text().empty()) throw std::runtime_error("chart: no update date");
}

} // namespace

void ShootSearchWindow(const std::string& dir) {
    showPopularChart();
    gt::ProcessEvents();
    WritePng(dir + "/search.png", gt::Grab(*searchForm));
}

} // namespace melvanto::screenshots
