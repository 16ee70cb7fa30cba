// Reply-line cookie texts and Internet dates from any bytes: storing, sending and date
// reading must neither crash nor break their promises.
#include "base/errors.h"
#include "net/cookies/cookie_manager.h"
#include "net/cookies/internet_date.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

using namespace melvanto;

namespace {

// Every item of a "Cookie" line is name=value with a value.
bool wellFormedHeader(std::string_view header) {
    while (!header.empty()) {
        const size_t end = header.find("; ");
        const std::string_view item = header.substr(0, end);
        const size_t equals = item.find('=');
        if (equals == std::string_view::npos || equals + 1 == item.size()) return false;
        if (end == std::string_view::npos) break;
        header.remove_prefix(end + 2);
    }
    return true;
}

void checkDate(std::string_view text) {
    // A written date of another year than these would read back differently.
    static const TDateTime first = EncodeDate(100, 1, 1).value();
    static const TDateTime last = EncodeDate(9998, 12, 31).value();
    const TDateTime local = ReadInternetDate(text);
    if (local < first || local > last) return;
    const std::string written = WriteInternetDate(local);
    if (std::fabs(ReadInternetDate(written) - local) > 0.5 / SecondsPerDay) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A fixed zone with a non-zero offset and no daylight time, so that every local time
    // exists exactly once.
    static const bool zonePinned = [] {
        ::setenv("TZ", "CST-8", 1);
        ::tzset();
        return true;
    }();
    (void)zonePinned;

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TNetCookieManager manager;
    manager.TakeCookie(text, "img.x.y", "/pics/a.jpg");
    manager.TakeCookie(text, "127.0.0.1", std::string(text));
    try {
        manager.TakeCookie2(text, "a.b.x.y", "/");
    } catch (const EConvertError&) {
        // A port list item that is not a whole number.
    }
    for (const char* host : {"img.x.y", "127.0.0.1", "a.b.x.y", "x.y"}) {
        for (bool secure : {false, true}) {
            if (!wellFormedHeader(manager.CookieHeaderValue(host, "/pics/", secure))) std::abort();
            if (!wellFormedHeader(manager.CookieHeaderValue(host, text, secure))) std::abort();
        }
    }
    manager.DropExpiredCookies();

    checkDate(text);
    const size_t equals = text.find("xpires=");
    if (equals != std::string_view::npos) checkDate(text.substr(equals + 7));
    return 0;
}
