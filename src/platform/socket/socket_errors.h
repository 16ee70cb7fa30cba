#pragma once
// Socket failures are told with the Windows Sockets error numbers and their texts, the
// numbers users and old reports know. POSIX errno values and failed name look-ups are
// mapped onto them here.

#include <string>

namespace melvanto {

// The numbers the connection logic itself looks at.
inline constexpr int kSocketErrorConnectionAborted = 10053;   // WSAECONNABORTED (also EPIPE)
inline constexpr int kSocketErrorConnectionReset = 10054;     // WSAECONNRESET
inline constexpr int kSocketErrorShutdown = 10058;            // WSAESHUTDOWN
inline constexpr int kSocketErrorAddressInUse = 10048;        // WSAEADDRINUSE
inline constexpr int kSocketErrorAddressNotAvailable = 10049; // WSAEADDRNOTAVAIL
inline constexpr int kSocketErrorHostNotFound = 11001;        // WSAHOST_NOT_FOUND

// The Windows Sockets number for a POSIX errno value. A value without a counterpart is
// kept as it is (it is below 10000, so it cannot be mistaken for one of the table).
int SocketErrorFromErrno(int errnoValue);

// The text for a number: the table's text, the system's text for an unmapped errno
// value, an empty text for any other number.
std::string SocketErrorText(int number);

// "Socket Error # <number>", CR LF, then the text.
std::string SocketErrorMessage(int number);

} // namespace melvanto
