#include "ui/searchMusic/song_rows.h"

#include "platform/codepage/codepage.h"

namespace melvanto {

void AddSongRows(gui::ListView& list, const ReplyArray& songs, const SongColumns& columns) {
    for (int32_t i = 0; i < songs.Count(); ++i) {
        const ReplyObject song = songs.Item(i);
        // Braced lists are evaluated left to right: the members are read in column order.
        list.AddRow({WideToAnsi(song.Text(columns.id)), WideToAnsi(song.Text(columns.name)),
                     WideToAnsi(song.Text(columns.artist))});
    }
}

} // namespace melvanto
