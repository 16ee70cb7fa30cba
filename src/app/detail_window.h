#pragma once
// The hand-over to a new detail window, run by the search window's double-click once the
// song is chosen. A template, so that the shell needs no knowledge of the window class:
//
//     HandOverDetailWindow(dlForm, hosts);   // Form = TdlForm, with a public FormCreate();
//                                            // the arguments after the first go to its constructor

#include "app/application.h"
#include "platform/gui/dispatch.h"

#include <memory>
#include <utility>

namespace melvanto {

// 1. Hides the current detail window, if any; it stays hidden, owned by the application,
//    until the program ends.
// 2. Builds the new window from its layout; the application owns it and `current` refers
//    to it before its creation handler runs (the handler works on the window through it).
// 3. Runs FormCreate inside the dispatch: a failure that leaves it is shown at once by
//    ReportFailure, and the window is still shown, with whatever it had filled in.
// 4. Shows the new window and brings it to the front.
// A failure while building the window (step 2) leaves `current` empty, destroys what was
// built and passes on to the caller.
template <class Form, class... Args>
Form& HandOverDetailWindow(Form*& current, Args&&... constructorArgs) {
    if (current) current->Hide();
    current = nullptr;
    Form& form = Application::Current().Own(
        std::make_unique<Form>(std::forward<Args>(constructorArgs)...), current);
    gui::Dispatch([&form] { form.FormCreate(); });
    form.Show();
    return form;
}

} // namespace melvanto
