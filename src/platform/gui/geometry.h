#pragma once
// Positions and sizes in pixels, as the window layouts give them.

namespace melvanto::gui {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Left, top, width, height; left and top are relative to the window's client area or to
// the group box that holds the widget.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Horizontal placement of text in a label or a list column.
enum class Alignment { Left, Centre, Right };

} // namespace melvanto::gui
