#pragma once
// The stand-in service's catalogue: about 300 songs with Chinese, English, Korean and
// Japanese titles and artists, and the seven charts. Generated in code from fixed name
// lists and a fixed-seed generator, so every start gives the same catalogue.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace melvanto::music_service {

enum class Language { Chinese, English, Korean, Japanese };

struct Song {
    int32_t id = 0;
    std::string title;  // UTF-8
    std::string artist; // UTF-8
    std::string album;  // UTF-8
    Language language = Language::Chinese;
    int32_t seconds = 0;  // duration, 2 to 6 minutes
    int32_t flacRate = 0; // kbit/s of the FLAC file; 0 when the song has none
    bool hasLyrics = false;
    int cover = -1; // index of its cover picture (covers.h), -1 for none
};

struct Chart {
    int type = 0;
    std::string name;       // the button caption, UTF-8
    std::string updateDate; // "yyyy-mm-dd"
    std::string comment;
    std::vector<const Song*> songs; // in chart order; at least 100
};

class Catalogue {
public:
    // coverCount: how many cover pictures there are to hand out.
    explicit Catalogue(int coverCount);

    const std::vector<Song>& Songs() const { return m_songs; }
    const std::vector<Chart>& Charts() const { return m_charts; }
    const Song* FindSong(int32_t id) const;
    const Chart* FindChart(int type) const;
    // Songs whose title or artist holds the word (ASCII letters in either case), in
    // catalogue order, at most `limit` of them.
    std::vector<const Song*> Search(std::string_view word, size_t limit) const;

private:
    std::vector<Song> m_songs;
    std::vector<Chart> m_charts;
};

// Size in bytes of a file of the song at the bit rate: rate * duration / 8.
int64_t FileSize(const Song& song, int32_t rateKbps);

} // namespace melvanto::music_service
