#pragma once
// Writing the service's JSON replies: a small builder that keeps members in the order
// they are added. Strings are UTF-8 and written as they are (not as \u escapes), the way
// the real service sends them.

#include <string>
#include <string_view>

namespace melvanto::music_service {

// A JSON string literal with quotes; quotes, backslashes and control characters escaped.
std::string JsonString(std::string_view utf8);

// Builds "{...}" member by member.
class JsonObject {
public:
    JsonObject& Text(std::string_view name, std::string_view value);
    JsonObject& Number(std::string_view name, long long value);
    // A value already written as JSON (an object, an array, true, null, ...).
    JsonObject& Raw(std::string_view name, std::string_view json);
    std::string Done() const { return m_text + "}"; }

private:
    void name(std::string_view name);
    std::string m_text = "{";
};

// Builds "[...]" element by element.
class JsonArray {
public:
    JsonArray& Raw(std::string_view json);
    std::string Done() const { return m_text + "]"; }

private:
    std::string m_text = "[";
};

} // namespace melvanto::music_service
