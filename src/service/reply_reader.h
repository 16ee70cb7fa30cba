#pragma once
// Member-by-member reading of a service reply. The windows do things between members
// (show the chart's date before its songs are read, add rows one by one), so each member
// is read when asked for, and the first one that cannot be read throws EReplyUnreadable
// naming its path:
//   "Reply cannot be read: data.song is missing"
//   "Reply cannot be read: data.song is not an array"
//   "Reply cannot be read: song_list[3] is not an object"
//   "Reply cannot be read: the reply is not a JSON object"
// What was read before stays with the caller.

#include "json/json_value.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace melvanto {

class ReplyArray;

// An object of the reply: its members are looked up by name.
class ReplyObject {
public:
    // The member as an object; fails when it is missing or of another kind.
    ReplyObject Object(std::u16string_view name) const;
    // The member as an array; fails when it is missing or of another kind.
    ReplyArray Array(std::u16string_view name) const;
    // The text of the member (ValueText: a string's characters, a number's digits, null's
    // "null"); fails when it is missing.
    std::u16string Text(std::u16string_view name) const;
    // Where the object is in the reply, e.g. "data" or "song_list[3]"; empty at the top.
    const std::string& Path() const { return m_path; }

private:
    friend class ReplyArray;
    friend ReplyObject ReadReply(std::u16string_view replyText);
    ReplyObject(IJsonValue value, std::string path);
    IJsonValue member(std::u16string_view name, std::string& path) const;

    IJsonValue m_value;
    std::string m_path;
};

// An array of the reply whose elements are objects, taken in order.
class ReplyArray {
public:
    int32_t Count() const;
    // The element as an object; fails when it is of another kind.
    ReplyObject Item(int32_t index) const;
    const std::string& Path() const { return m_path; }

private:
    friend class ReplyObject;
    ReplyArray(IJsonValue value, std::string path);

    IJsonValue m_value;
    std::string m_path;
};

// Parses the reply text; fails when it is empty, does not parse, or is not a JSON object
// at the top (a web page that came with an error status, say).
ReplyObject ReadReply(std::u16string_view replyText);

} // namespace melvanto
