#include "net/http/http_response.h"

#include "base/str_to_int.h"
#include "net/http/header_fold.h"

namespace melvanto {

int TNetHTTPResponse::ResponseCode() const {
    const size_t firstSpace = m_responseText.find(' ');
    if (firstSpace == std::string::npos) return -1;
    std::string_view rest =
        TrimHeaderBlanks(std::string_view(m_responseText).substr(firstSpace + 1));
    rest = rest.substr(0, rest.find(' '));
    return TryStrToInt(rest).value_or(-1);
}

} // namespace melvanto
