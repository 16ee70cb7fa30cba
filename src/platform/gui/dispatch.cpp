#include "platform/gui/dispatch.h"

#include <iostream>

namespace melvanto::gui {

namespace {

FailureHandler& failureHandler() {
    static FailureHandler handler;
    return handler;
}

void report(const Exception& failure) {
    if (failureHandler())
        failureHandler()(failure);
    else
        std::cerr << "melvanto: " << failure.Message() << '\n';
}

} // namespace

void SetFailureHandler(FailureHandler handler) {
    failureHandler() = std::move(handler);
}

bool Dispatch(const Handler& handler) {
    try {
        handler();
        return true;
    } catch (const Exception& failure) {
        report(failure);
    } catch (const std::exception& failure) {
        report(Exception(failure.what()));
    } catch (...) {
        // The event loop must never see a failure, whatever was thrown.
        report(Exception("Unknown failure"));
    }
    return false;
}

} // namespace melvanto::gui
