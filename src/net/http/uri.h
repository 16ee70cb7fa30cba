#pragma once
// A URL cut into its parts (byte strings in the ANSI code page, the port included), and
// the merging of a new path into an earlier one.

#include <string>
#include <string_view>

namespace melvanto {

class TNetURI {
public:
    TNetURI() = default;
    explicit TNetURI(std::string_view url) { SplitUrl(url); }

    // Fills every part from the text; an empty text leaves them all empty.
    //   protocol "://" [user [":" password] "@"] host [":" port] "/" remainder
    // The remainder gives path (up to its last "/" before the parameters, with a leading
    // "/"), document and params (from the first "?", or without one the first "=").
    // A "#" starts the fragment. Backslashes count as slashes. Without "://" the whole
    // text is the remainder and the path gets no leading "/".
    void SplitUrl(std::string_view url);

    // The path that a new path leads to from the previous one: "/x" stays "/x"; anything
    // else is joined to the previous path, with ".." going one segment up and doubled
    // slashes made single.
    static std::string MergePath(std::string_view previous, std::string_view path);

    const std::string& URI() const { return m_uri; }
    const std::string& Protocol() const { return m_protocol; }
    const std::string& Username() const { return m_username; }
    const std::string& Password() const { return m_password; }
    const std::string& Host() const { return m_host; }
    const std::string& Port() const { return m_port; }
    const std::string& Path() const { return m_path; }
    const std::string& Document() const { return m_document; }
    const std::string& Params() const { return m_params; }
    const std::string& Fragment() const { return m_fragment; }

    void SetProtocol(std::string value) { m_protocol = std::move(value); }
    void SetUsername(std::string value) { m_username = std::move(value); }
    void SetPassword(std::string value) { m_password = std::move(value); }
    void SetHost(std::string value) { m_host = std::move(value); }
    void SetPort(std::string value) { m_port = std::move(value); }
    void SetPath(std::string value) { m_path = std::move(value); }
    void SetDocument(std::string value) { m_document = std::move(value); }
    void SetParams(std::string value) { m_params = std::move(value); }

private:
    std::string m_uri;
    std::string m_protocol;
    std::string m_username;
    std::string m_password;
    std::string m_host;
    std::string m_port;
    std::string m_path;
    std::string m_document;
    std::string m_params;
    std::string m_fragment;
};

} // namespace melvanto
