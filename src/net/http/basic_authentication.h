#pragma once
// The authorization state a 401 reply with a "Basic" challenge leaves in the request:
// from then on every request carries "Authorization" with the text it gives.

#include <string>
#include <string_view>

namespace melvanto {

class TNetBasicAuthentication {
public:
    // The state is made without credentials and nothing hands it any, so both stay
    // empty and the text is "Basic Og==".
    const std::string& Username() const { return m_username; }
    const std::string& Password() const { return m_password; }

    // "Basic " and the Base64 form of user name, ":" and password.
    std::string Authentication() const;

private:
    std::string m_username;
    std::string m_password;
};

// The Base64 form (RFC 4648, with "=" padding) of the bytes.
std::string EncodeBase64(std::string_view bytes);

} // namespace melvanto
