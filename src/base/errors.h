#pragma once
// The one failure hierarchy of the program. Every failure carries its message as a
// byte string in the ANSI code page; the event dispatch shows it in the failure box.

#include <cstdint>
#include <exception>
#include <string>

namespace melvanto {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : m_message(std::move(message)) {}
    const std::string& Message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

#define MELVANTO_EXCEPTION(Name, Base)                                                             \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
    };

// Text that is not a whole number ("'%s' is not a valid integer value").
MELVANTO_EXCEPTION(EConvertError, Exception)
// Destroying a value that still has references.
MELVANTO_EXCEPTION(EInvalidPointer, Exception)
// A fatal libjpeg error ("JPEG error #%d").
MELVANTO_EXCEPTION(EJPEG, Exception)
// A service reply that lacks a member the program reads, or is not JSON at all.
MELVANTO_EXCEPTION(EReplyUnreadable, Exception)
// The request object could not be made or used.
MELVANTO_EXCEPTION(EIntfCastError, Exception)

class EOleSysError : public Exception {
public:
    EOleSysError(std::string message, int32_t code) : Exception(std::move(message)), m_code(code) {}
    int32_t ErrorCode() const noexcept { return m_code; }

private:
    int32_t m_code;
};
MELVANTO_EXCEPTION(EOleException, EOleSysError)

// Failures of the internet components.
MELVANTO_EXCEPTION(ENetException, Exception)
MELVANTO_EXCEPTION(ENetSilentException, ENetException)
MELVANTO_EXCEPTION(ENetConnClosedGracefully, ENetSilentException)
MELVANTO_EXCEPTION(ENetReadTimeout, ENetException)
MELVANTO_EXCEPTION(ENetReadLnMaxLineLengthExceeded, ENetException)
MELVANTO_EXCEPTION(ENetConnectTimeout, ENetException)
MELVANTO_EXCEPTION(ENetConnectException, ENetException)
MELVANTO_EXCEPTION(ENetAlreadyConnected, ENetException)
MELVANTO_EXCEPTION(ENetInvalidSocket, ENetException)
MELVANTO_EXCEPTION(ENetCouldNotBindSocket, ENetException)
MELVANTO_EXCEPTION(ENetNotConnected, ENetException)
MELVANTO_EXCEPTION(ENetUnknownProtocol, ENetException)
MELVANTO_EXCEPTION(ENetIOHandlerPropInvalid, ENetException)
MELVANTO_EXCEPTION(ENetTimeZoneInfoUnavailable, ENetException)
MELVANTO_EXCEPTION(ENetWS2StubError, ENetException)
MELVANTO_EXCEPTION(ENetProtocolReplyError, ENetException)

class ENetSocketError : public ENetException {
public:
    ENetSocketError(std::string message, int errorCode)
        : ENetException(std::move(message)), m_errorCode(errorCode) {}
    int ErrorCode() const noexcept { return m_errorCode; }

private:
    int m_errorCode;
};

class ENetHTTPProtocolException : public ENetProtocolReplyError {
public:
    ENetHTTPProtocolException(std::string statusLine, int statusCode, std::string replyBody)
        : ENetProtocolReplyError(std::move(statusLine)), m_statusCode(statusCode),
          m_replyBody(std::move(replyBody)) {}
    int StatusCode() const noexcept { return m_statusCode; }
    const std::string& ReplyBody() const noexcept { return m_replyBody; }

private:
    int m_statusCode;
    std::string m_replyBody;
};

#undef MELVANTO_EXCEPTION

} // namespace melvanto
