#pragma once
// A static text: one line, drawn top-aligned in its font and colour on the background of
// its container.

#include "platform/gui/widget.h"

namespace melvanto::gui {

struct LabelOptions {
    Alignment alignment = Alignment::Left;
    // The width follows the text (its advance in the label's font) each time it is set;
    // the height stays as laid out. Otherwise the label keeps its size and clips the text.
    bool sizedToText = false;
};

class Label : public Widget {
public:
    Label(Container& parent, std::string name, Rect rect, const std::string& text, const Font& font,
          LabelOptions options = {});

    // Immediate; a label sized to its text takes the new width at once.
    void SetText(const std::string& text);
    std::string Text() const;
    Alignment TextAlignment() const { return m_options.alignment; }

private:
    void fitToText();

    LabelOptions m_options;
};

} // namespace melvanto::gui
