#include "platform/socket/socket_errors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace melvanto;

TEST(SocketErrors, EveryNumberOfTheTableHasItsText) {
    struct Case {
        int number;
        const char* text;
    } cases[] = {
        {10004, "Interrupted system call."},
        {10009, "Bad file number."},
        {10013, "Access denied."},
        {10014, "Bad address."},
        {10022, "Invalid argument."},
        {10024, "Too many open files."},
        {10035, "Operation would block. "},
        {10036, "Operation now in progress."},
        {10037, "Operation already in progress."},
        {10038, "Socket operation on non-socket."},
        {10039, "Destination address required."},
        {10040, "Message too long."},
        {10041, "Protocol wrong type for socket."},
        {10042, "Bad protocol option."},
        {10043, "Protocol not supported."},
        {10044, "Socket type not supported."},
        {10045, "Operation not supported on socket."},
        {10046, "Protocol family not supported."},
        {10047, "Address family not supported by protocol family."},
        {10048, "Address already in use."},
        {10049, "Cannot assign requested address."},
        {10050, "Network is down."},
        {10051, "Network is unreachable."},
        {10052, "Net dropped connection or reset."},
        {10053, "Software caused connection abort."},
        {10054, "Connection reset by peer."},
        {10055, "No buffer space available."},
        {10056, "Socket is already connected."},
        {10057, "Socket is not connected."},
        {10058, "Cannot send or receive after socket is closed."},
        {10059, "Too many references, cannot splice."},
        {10060, "Connection timed out."},
        {10061, "Connection refused."},
        {10062, "Too many levels of symbolic links."},
        {10063, "File name too long."},
        {10064, "Host is down."},
        {10065, "No route to host."},
        {10066, "Directory not empty"},
        {11001, "Host not found."},
        // Numbers outside the table have no text.
        {10000, ""},
        {10067, ""},
        {11002, ""},
        {0, ""},
        {-1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(SocketErrorText(c.number), c.text);
        EXPECT_EQ(SocketErrorMessage(c.number),
                  "Socket Error # " + std::to_string(c.number) + "\r\n" + c.text);
    }
}

TEST(SocketErrors, PosixErrorsMapToTheirWindowsSocketsNumbers) {
    struct Case {
        int errnoValue;
        int number;
    } cases[] = {
        {ECONNREFUSED, 10061},  {ECONNRESET, 10054},   {ECONNABORTED, 10053}, {EPIPE, 10053},
        {ETIMEDOUT, 10060},     {ENETUNREACH, 10051},  {EHOSTUNREACH, 10065}, {EADDRINUSE, 10048},
        {EADDRNOTAVAIL, 10049}, {EINTR, 10004},        {EBADF, 10009},        {EACCES, 10013},
        {EINVAL, 10022},        {EMFILE, 10024},       {EAGAIN, 10035},       {EINPROGRESS, 10036},
        {ENOTSOCK, 10038},      {EAFNOSUPPORT, 10047}, {ENOBUFS, 10055},      {EISCONN, 10056},
        {ENOTCONN, 10057},      {ESHUTDOWN, 10058},    {ENETDOWN, 10050},     {EHOSTDOWN, 10064},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::strerror(c.errnoValue));
        EXPECT_EQ(SocketErrorFromErrno(c.errnoValue), c.number);
    }
}

// An errno value without a counterpart keeps its number and is told with the system's
// own text rather than with nothing.
TEST(SocketErrors, AnUnmappedErrnoKeepsItsNumberAndTheSystemText) {
    EXPECT_EQ(SocketErrorFromErrno(EIO), EIO);
    EXPECT_EQ(SocketErrorText(EIO), std::strerror(EIO));
    EXPECT_EQ(SocketErrorMessage(EIO),
              "Socket Error # " + std::to_string(EIO) + "\r\n" + std::strerror(EIO));
}
