#include "net/tcp/socket_failure.h"

#include "base/errors.h"
#include "platform/socket/socket_errors.h"

namespace melvanto {

void RaiseSocketError(int number) {
    throw ENetSocketError(SocketErrorMessage(number), number);
}

} // namespace melvanto
