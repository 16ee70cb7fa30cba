#pragma once
// The members the program reads from each endpoint's reply, in one place.

#include <string_view>

namespace melvanto {

// Keyword suggestion: data.song[i].{songid, songname, artistname}.
struct SuggestionReply {
    static constexpr std::u16string_view kData = u"data";
    static constexpr std::u16string_view kSong = u"song";
    static constexpr std::u16string_view kSongId = u"songid";
    static constexpr std::u16string_view kSongName = u"songname";
    static constexpr std::u16string_view kArtistName = u"artistname";
};

// Chart list: billboard.update_date, then song_list[i].{song_id, title, artist_name}
// (song_list is a member of the root, beside billboard).
struct ChartReply {
    static constexpr std::u16string_view kBillboard = u"billboard";
    static constexpr std::u16string_view kUpdateDate = u"update_date";
    static constexpr std::u16string_view kSongList = u"song_list";
    static constexpr std::u16string_view kSongId = u"song_id";
    static constexpr std::u16string_view kTitle = u"title";
    static constexpr std::u16string_view kArtistName = u"artist_name";
};

// Song link: errorCode, then data.songList[i] with the song's members.
struct SongLinkReply {
    static constexpr std::u16string_view kErrorCode = u"errorCode";
    // The only errorCode text that means success, compared exactly.
    static constexpr std::u16string_view kSuccess = u"22000";
    static constexpr std::u16string_view kData = u"data";
    static constexpr std::u16string_view kSongList = u"songList";
    static constexpr std::u16string_view kSongName = u"songName";
    static constexpr std::u16string_view kSize = u"size";
    static constexpr std::u16string_view kTime = u"time";
    static constexpr std::u16string_view kArtistName = u"artistName";
    static constexpr std::u16string_view kFormat = u"format";
    static constexpr std::u16string_view kRate = u"rate";
    static constexpr std::u16string_view kSongLink = u"songLink";
    static constexpr std::u16string_view kLrcLink = u"lrcLink";
    static constexpr std::u16string_view kSongPicBig = u"songPicBig";
};

} // namespace melvanto
