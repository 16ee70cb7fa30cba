#pragma once

namespace melvanto {

// Fails with ENetSocketError carrying the number: "Socket Error # <number>", CR LF, text.
[[noreturn]] void RaiseSocketError(int number);

} // namespace melvanto
