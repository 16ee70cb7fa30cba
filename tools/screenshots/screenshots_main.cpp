// Pictures of the windows for the documentation, taken offscreen against the stand-in
// music service (tools/music-service), which must be running.
//
//   screenshots DIR [--host HOST:PORT]      (default: the program's own hosts)

#include "detail_window_shot.h"
#include "search_window_shot.h"

#include "app/application.h"
#include "platform/gui/application.h"
#include "service/service_hosts.h"
#include "ui/searchMusic/search_form.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <string>

using namespace melvanto;

namespace {

struct Arguments {
    std::string dir;
    ServiceHosts hosts;
};

std::optional<Arguments> parseArguments(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--host" && i + 1 < argc)
            arguments.hosts = ServiceHosts::AllOn(argv[++i]);
        else if (arguments.dir.empty() && !argument.starts_with("-"))
            arguments.dir = argument;
        else
            return std::nullopt;
    }
    if (arguments.dir.empty()) return std::nullopt;
    return arguments;
}

void showSearchWindow(Application& application, const ServiceHosts& hosts) {
    application.Own(std::make_unique<TsearchForm>(hosts), searchForm);
    searchForm->Show();
}

} // namespace

int main(int argc, char** argv) {
    // Offscreen unless the environment chooses another platform.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    gui::Application platform(argc, argv);
    const std::optional<Arguments> arguments = parseArguments(argc, argv);
    if (!arguments) {
        std::fprintf(stderr, "usage: screenshots DIR [--host HOST:PORT]\n");
        return 2;
    }
    try {
        Application application;
        showSearchWindow(application, arguments->hosts);
        screenshots::ShootSearchWindow(arguments->dir);
        screenshots::ShootDetailWindow(arguments->dir);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "screenshots: %s\n", failure.what());
        return 1;
    }
    return 0;
}
