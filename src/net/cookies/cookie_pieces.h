#pragma once
// A cookie text cut into its pieces: "id=42; Path=/; secure" gives the name id, the value
// 42 and the attributes "PATH=/" and "SECURE" (attribute names upper-cased, values kept).

#include <string>
#include <string_view>
#include <vector>

namespace melvanto {

class TNetCookiePieces {
public:
    explicit TNetCookiePieces(std::string_view text);

    const std::string& Name() const { return m_name; }
    const std::string& Value() const { return m_value; }
    const std::vector<std::string>& Attributes() const { return m_attributes; }

    // The text after the "=" of the first attribute of that name (letter case ignored);
    // empty when there is none.
    std::string AttributeValue(std::string_view name) const;
    // Whether an attribute without "=" of that name is present.
    bool HasFlag(std::string_view name) const;

private:
    std::string m_name;
    std::string m_value;
    std::vector<std::string> m_attributes;
};

} // namespace melvanto
