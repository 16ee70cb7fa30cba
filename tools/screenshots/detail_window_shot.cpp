#include "detail_window_shot.h"

#include "png_file.h"

#include "platform/gui/testing.h"
#include "ui/download/dl_form.h"
#include "ui/searchMusic/search_form.h"

#include <stdexcept>

namespace melvanto::screenshots {

namespace {

namespace gt = gui::test;

// Any box means the window does not show what it should.
void failOnBoxes(const gt::ModalBoxRecorder& boxes, const std::string& step) {
    if (!boxes.Boxes().empty())
        throw std::runtime_error(step + ": message box \"" + boxes.Boxes().front().text + "\"");
}

TdlForm& openFirstSongOfAChart() {
    gt::ModalBoxRecorder boxes;
    gt::Click(searchForm->btn2);
    failOnBoxes(boxes, "chart");
    if (searchForm->lv1.RowCount() == 0) throw std::runtime_error("chart: no songs listed");
    gt::DoubleClick(searchForm->lv1, 0);
    failOnBoxes(boxes, "double-click");
    if (!dlForm) throw std::runtime_error("double-click: no detail window");
    return *dlForm;
}

// Ends on 320 kbit/s MP3, which every song of the catalogue has, so that the picture
// shows both addresses.
void pressEachQuality(TdlForm& form) {
    gt::ModalBoxRecorder boxes;
    for (gui::Button* quality : {&form.btn6, &form.btn3, &form.btn4, &form.btn5}) {
        gt::Click(*quality);
        failOnBoxes(boxes, "quality " + quality->Name());
    }
}

} // namespace

void ShootDetailWindow(const std::string& dir) {
    TdlForm& form = openFirstSongOfAChart();
    pressEachQuality(form);
    if (!form.img1.CurrentPicture()) throw std::runtime_error("detail: no cover picture");
    // A cover that cannot be decoded is reported right after the drawing that met it.
    gt::ModalBoxRecorder boxes;
    gt::ProcessEvents();
    const gui::PictureBitmap shot = gt::Grab(form);
    gt::ProcessEvents();
    failOnBoxes(boxes, "cover");
    WritePng(dir + "/detail.png", shot);
}

} // namespace melvanto::screenshots
