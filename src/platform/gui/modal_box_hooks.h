#pragma once
// Inside the windowing layer only: where the test seam hooks into the modal boxes.

#include "platform/gui/testing.h"

#include <functional>

namespace melvanto::gui {

struct ModalBoxHooks {
    // Set: boxes are handed to it instead of being shown.
    std::function<void(const test::ModalBox&)> observer;
    // Set: runs inside each real box once it is shown.
    std::function<void(test::ShownBox&)> driver;
};

ModalBoxHooks& ModalHooks();

} // namespace melvanto::gui
