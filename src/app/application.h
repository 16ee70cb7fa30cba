#pragma once
// The application object: the title, the failure reporting of the event dispatch, and the
// ownership of every window until the program ends.
//
//     gui::Application platform(argc, argv);     // the windowing runtime
//     Application application;                   // title "Melvanto", ReportFailure
//     application.CreateForm(searchForm);         // the first window: the main window
//     return application.Run();                   // until the main window is closed
//
// Only one exists at a time; windows reach it through Application::Current().

#include "platform/gui/window.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace melvanto {

inline constexpr char kApplicationTitle[] = "Melvanto";

class Application {
public:
    // Sets the title and sends every failure that leaves a handler to ReportFailure.
    Application();
    // Destroys every window it owns, newest first, hidden ones included, after emptying the
    // references to them; empties CurrentSongId.
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The application object of the run; std::logic_error when there is none.
    static Application& Current();

    const std::string& Title() const { return m_title; }

    // Builds a window of class Form from its layout (no creation handler runs), owns it and
    // sets the reference to it.
    template <class Form> Form& CreateForm(Form*& reference) {
        return Own(std::make_unique<Form>(), reference);
    }

    // Takes the window and sets the reference to it; the reference is emptied before the
    // window is destroyed at the end.
    template <class Form> Form& Own(std::unique_ptr<Form> form, Form*& reference) {
        Form& owned = *form;
        own(std::move(form), &reference, [&reference] { reference = nullptr; });
        reference = &owned;
        return owned;
    }

    std::size_t WindowCount() const { return m_windows.size(); }

    // Shows the main window and runs the message loop until it is closed; returns the exit
    // code, 0. The windows stay until the application object is destroyed.
    int Run();

private:
    void own(std::unique_ptr<gui::Window> window, const void* reference,
             std::function<void()> forget);

    std::string m_title;
    std::vector<std::unique_ptr<gui::Window>> m_windows;
    std::map<const void*, std::function<void()>> m_references;
};

} // namespace melvanto
