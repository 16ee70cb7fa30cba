#include "platform/gui/image_box.h"

#include "platform/gui/qt_bridge.h"

#include <QImage>
#include <QPainter>

namespace melvanto::gui {

class ImageBox::QtImageBox : public QWidget {
public:
    explicit QtImageBox(QWidget* parent) : QWidget(parent) {}

    std::unique_ptr<Picture> picture;
    bool decodeTried = false;

protected:
    void paintEvent(QPaintEvent*) override {
        if (!picture) return;
        if (!decodeTried) {
            decodeTried = true;
            try {
                picture->Decode();
            } catch (...) {
                // No failure may leave a paint: it is reported right after this one, and
                // what was decoded before it is drawn now.
                PostFailure(std::current_exception());
            }
        }
        const PictureBitmap& pixels = picture->Pixels();
        if (pixels.Empty()) return;
        const QImage image(pixels.Row(0), pixels.Width(), pixels.Height(), pixels.BytesPerRow(),
                           pixels.PixelFormat() == PictureBitmap::Format::Grey8
                               ? QImage::Format_Grayscale8
                               : QImage::Format_RGB888);
        QPainter(this).drawImage(0, 0, image);
    }
};

ImageBox::ImageBox(Container& parent, std::string name, Rect rect)
    : Widget(parent, std::move(name), new QtImageBox(GuiAccess::AreaOf(parent)), rect,
             parent.OwnerWindow().DefaultFont()) {}

void ImageBox::SetPicture(std::unique_ptr<Picture> picture) {
    QtImageBox* box = qtImageBox();
    box->picture = std::move(picture);
    box->decodeTried = false;
    box->update();
}

Picture* ImageBox::CurrentPicture() const {
    return qtImageBox()->picture.get();
}

ImageBox::QtImageBox* ImageBox::qtImageBox() const {
    return static_cast<QtImageBox*>(GuiAccess::WidgetOf(*this));
}

} // namespace melvanto::gui
