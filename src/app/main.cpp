// Melvanto: finds songs on the music service and hands their download addresses to the
// browser. Takes no arguments and reads no settings.

#include "app/application.h"
#include "platform/gui/application.h"
#include "service/service_hosts.h"
#include "ui/searchMusic/search_form.h"

#include <memory>

int main(int argc, char** argv) {
    using namespace melvanto;
    // The windowing runtime. Requests go through libcurl, not COM, so there is no apartment
    // to join here and none to leave at the end.
    gui::Application platform(argc, argv);
    int exitCode = 0;
    {
        Application application; // the title, failures to ReportFailure
        // The first window: the main window, on the program's own service hosts.
        application.Own(std::make_unique<TsearchForm>(ServiceHosts{}), searchForm);
        exitCode = application.Run(); // until the search window is closed
    }                                 // every window destroyed, hidden ones too
    return exitCode;
}
