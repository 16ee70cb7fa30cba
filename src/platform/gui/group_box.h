#pragma once
// A group box: a frame with a caption; the widgets built with it as their container are
// positioned relative to its top-left corner.

#include "platform/gui/widget.h"

namespace melvanto::gui {

class GroupBox : public Widget, public Container {
public:
    GroupBox(Container& parent, std::string name, Rect rect, const std::string& caption,
             const Font& font);

    std::string Caption() const;

private:
    GroupBox(Container& parent, std::string name, Rect rect, const Font& font, QWidget* box);
};

} // namespace melvanto::gui
