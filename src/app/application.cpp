#include "app/application.h"

#include "app/constant.h"
#include "app/messages.h"
#include "platform/gui/application.h"
#include "platform/gui/dispatch.h"

#include <stdexcept>

namespace melvanto {

namespace {

Application*& current() {
    static Application* application = nullptr;
    return application;
}

} // namespace

Application::Application() : m_title(kApplicationTitle) {
    if (current()) throw std::logic_error("a second application object");
    gui::SetApplicationTitle(m_title);
    gui::SetFailureHandler(ReportFailure);
    current() = this;
}

Application::~Application() {
    for (auto& [reference, forget] : m_references)
        forget();
    while (!m_windows.empty())
        m_windows.pop_back();
    CurrentSongId.clear();
    gui::SetFailureHandler({});
    current() = nullptr;
}

Application& Application::Current() {
    if (!current()) throw std::logic_error("no application object");
    return *current();
}

void Application::own(std::unique_ptr<gui::Window> window, const void* reference,
                      std::function<void()> forget) {
    m_windows.reserve(m_windows.size() + 1);
    m_references.emplace(reference, std::move(forget));
    m_windows.push_back(std::move(window));
}

int Application::Run() {
    for (const auto& window : m_windows)
        if (window->IsMainWindow()) window->Show();
    return gui::RunMessageLoop();
}

} // namespace melvanto
