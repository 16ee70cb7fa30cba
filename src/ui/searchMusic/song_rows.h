#pragma once
// Song lists of a reply into the search window's list: one row per song, in reply order.

#include "platform/gui/list_view.h"
#include "service/reply_reader.h"

#include <string_view>

namespace melvanto {

// The members of a song element that fill the three columns.
struct SongColumns {
    std::u16string_view id;
    std::u16string_view name;
    std::u16string_view artist;
};

// Appends a row for each element of `songs`, in order, each cell the text of its member
// through the ANSI code page. A row is added once its three members are read, so an
// element that cannot be read stops the filling with the rows before it in place and no
// half-filled row (EReplyUnreadable).
void AddSongRows(gui::ListView& list, const ReplyArray& songs, const SongColumns& columns);

} // namespace melvanto
