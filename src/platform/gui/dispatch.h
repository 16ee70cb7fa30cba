#pragma once
// The event dispatch. Every handler the windows register (clicks, double-clicks, closes)
// runs inside Dispatch, so no failure ever reaches the platform's event loop: a
// melvanto::Exception, or any std::exception (its what() as the message), that leaves the
// handler goes to the failure handler, and the loop goes on.

#include "base/errors.h"

#include <functional>

namespace melvanto::gui {

using Handler = std::function<void()>;
using FailureHandler = std::function<void(const Exception& failure)>;

// Registered once at start-up by the application shell (which shows the failure box).
// Until then, or after an empty handler is set, failures are written to standard error.
void SetFailureHandler(FailureHandler handler);

// Runs the handler; returns true when it completed, false when a failure left it and was
// handed to the failure handler (before Dispatch returns). Callable from inside handlers.
bool Dispatch(const Handler& handler);

} // namespace melvanto::gui
