#pragma once
// The windowing runtime: one per process, created before any window and destroyed after
// the last one.
//
//     int main(int argc, char** argv) {
//         gui::Application platform(argc, argv);
//         ... create the windows; the first one created is the main window ...
//         return gui::RunMessageLoop();
//     }

#include <memory>
#include <string>

namespace melvanto::gui {

class Application {
public:
    // Reads only the platform's own arguments (display, style, ...) from the command line.
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// Delivers events one at a time on this thread until the main window is closed; returns
// the exit code, 0. Every handler runs inside Dispatch (dispatch.h).
int RunMessageLoop();

// The application title (ANSI), the caption of the message boxes; also names the program
// to the desktop. Empty until set.
void SetApplicationTitle(const std::string& title);
std::string ApplicationTitle();

} // namespace melvanto::gui
