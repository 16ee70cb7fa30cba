#pragma once
// An image box: holds one picture and draws it unscaled at its top-left corner, clipped
// to the box; where the picture does not reach, the window's background shows. No border.

#include "platform/gui/picture.h"
#include "platform/gui/widget.h"

#include <memory>

namespace melvanto::gui {

class ImageBox : public Widget {
public:
    ImageBox(Container& parent, std::string name, Rect rect);

    // Takes the picture, releasing the previous one, and marks the box for redrawing: the
    // picture is decoded and drawn on the next repaint, after the running handler returns.
    // A null picture empties the box.
    void SetPicture(std::unique_ptr<Picture> picture);
    // The picture held, or null.
    Picture* CurrentPicture() const;

private:
    class QtImageBox;
    QtImageBox* qtImageBox() const;
};

} // namespace melvanto::gui
