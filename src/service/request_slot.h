#pragma once
// Where a caller keeps its request object between service requests: the search window
// owns one, and one at the level of the detail windows is shared by all of them. Storing
// a request releases the one held before; the last stays held until the next request of
// the same caller or until the slot goes.

#include "platform/httprequest/http_request.h"

#include <memory>

namespace melvanto {

class TRequestSlot {
public:
    TRequestSlot() = default;
    TRequestSlot(const TRequestSlot&) = delete;
    TRequestSlot& operator=(const TRequestSlot&) = delete;

    // Takes the request, releasing the one held before, and gives it back for use.
    THttpRequest& Store(std::unique_ptr<THttpRequest> request) {
        m_request = std::move(request);
        return *m_request;
    }
    // The request held, or nullptr before the first request.
    const THttpRequest* Held() const { return m_request.get(); }

private:
    std::unique_ptr<THttpRequest> m_request;
};

} // namespace melvanto
