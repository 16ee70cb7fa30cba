// Melvanto: finds songs on the music service and hands their download addresses to the
// browser. Takes no arguments and reads no settings.

#include "app/application.h"
#include "platform/gui/application.h"
#include "ui/searchMusic/search_form.h"

int main(int argc, char** argv) {
    using namespace melvanto;
    // The windowing runtime. Requests go through libcurl, not COM, so there is no apartment
    // to join here and none to leave at the end.
    gui::Application platform(argc, argv);
    int exitCode = 0;
    {
        Application application;            // the title, failures to ReportFailure
        application.CreateForm(searchForm); // the first window: the main window
        exitCode = application.Run();       // until the search window is closed
    }                                       // every window destroyed, hidden ones too
    return exitCode;
}
