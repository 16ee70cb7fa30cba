#include "service_data.h"

namespace melvanto::music_service {

std::string CoverPath(const ServiceData& data, const Song& song) {
    if (song.cover < 0) return {};
    return "/data2/pic/" + data.covers[static_cast<size_t>(song.cover)].name;
}

std::string LyricPath(const Song& song) {
    if (!song.hasLyrics) return {};
    return "/data2/lrc/" + std::to_string(song.id) + ".lrc";
}

std::string SongFilePath(const Song& song, const std::string& format, int rateKbps) {
    const std::string id = std::to_string(song.id);
    const std::string extension = format == "flac" ? "flac" : "mp3";
    return "/data2/music/" + id + "/" + id + "_" + std::to_string(rateKbps) + "." + extension;
}

} // namespace melvanto::music_service
