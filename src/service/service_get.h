#pragma once
// The one synchronous service request: GET the URL through a fresh request object kept
// in the caller's slot and give the reply body as text, whatever the HTTP status. The
// text passes once through the ANSI code page (characters the code page cannot hold come
// back as "?") before the caller parses it.
//
// Fails with EOleException (message: the request's description of the error; code:
// RequestResultCode of the libcurl error) when there is no reply, or EOleSysError when no
// request object can be made. Nothing is retried.

#include "service/request_slot.h"

#include <string>
#include <string_view>

namespace melvanto {

std::u16string ServiceGet(TRequestSlot& slot, std::string_view url);

} // namespace melvanto
