#include "service/service_get.h"

#include "platform/codepage/codepage.h"

namespace melvanto {

std::u16string ServiceGet(TRequestSlot& slot, std::string_view url) {
    THttpRequest& request = slot.Store(std::make_unique<THttpRequest>());
    request.open(AnsiToWide(url));
    request.send();
    return AnsiToWide(WideToAnsi(request.responseText()));
}

} // namespace melvanto
