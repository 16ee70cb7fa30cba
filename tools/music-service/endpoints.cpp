#include "endpoints.h"

#include "json_text.h"
#include "query.h"

#include <algorithm>
#include <cstdio>

namespace melvanto::music_service {

namespace {

constexpr int kSuccess = 22000;
constexpr int kSongNotFound = 22005;
constexpr size_t kSuggestionLimit = 50;

void reply(httplib::Response& response, const std::string& json) {
    response.set_content(json, "application/json; charset=utf-8");
}

void badRequest(httplib::Response& response, const std::string& message) {
    response.status = 400;
    reply(response, JsonObject().Number("error_code", 400).Text("error_message", message).Done());
}

// "http://" and the host the client asked for, so that links work whatever port the
// service was started on.
std::string origin(const httplib::Request& request) {
    std::string host = request.get_header_value("Host");
    if (host.empty()) host = request.local_addr + ":" + std::to_string(request.local_port);
    return "http://" + host;
}

std::string link(const httplib::Request& request, const std::string& path) {
    return path.empty() ? std::string() : origin(request) + path;
}

std::string languageName(Language language) {
    switch (language) {
    case Language::Chinese:
        return "国语";
    case Language::English:
        return "英语";
    case Language::Korean:
        return "韩语";
    case Language::Japanese:
        break;
    }
    return "日语";
}

// A stable, made-up artist id from the artist's name.
long long artistId(const std::string& artist) {
    unsigned long long hash = 1469598103934665603ull;
    for (unsigned char c : artist)
        hash = (hash ^ c) * 1099511628211ull;
    return static_cast<long long>(hash % 900000 + 100000);
}

std::string xcode(const Song& song, int rate) {
    char code[17];
    std::snprintf(code, sizeof code, "%08x%08x", static_cast<unsigned>(song.id) * 2654435761u,
                  static_cast<unsigned>(rate) * 40503u + 7u);
    return code;
}

void suggestion(const ServiceData& data, const httplib::Request& request,
                httplib::Response& response) {
    const auto query = ParseQuery(request.target);
    const auto word = query.find("word");
    if (word == query.end()) return badRequest(response, "missing parameter: word");

    JsonArray songs;
    std::vector<std::string> artists;
    size_t index = 0;
    for (const Song* song : data.catalogue.Search(word->second, kSuggestionLimit)) {
        JsonObject item;
        // The real service sends ids both ways; the client must not care.
        if (index++ % 2 == 0)
            item.Text("songid", std::to_string(song->id));
        else
            item.Number("songid", song->id);
        item.Text("songname", song->title)
            .Text("encrypted_songid", xcode(*song, 0))
            .Text("has_mv", song->id % 3 == 0 ? "1" : "0")
            .Text("yyr_artist", "0")
            .Text("artistname", song->artist);
        songs.Raw(item.Done());
        if (song->artist.find(word->second) != std::string::npos &&
            std::find(artists.begin(), artists.end(), song->artist) == artists.end())
            artists.push_back(song->artist);
    }
    JsonArray artistList;
    for (const std::string& artist : artists)
        artistList.Raw(JsonObject()
                           .Text("artistid", std::to_string(artistId(artist)))
                           .Text("artistname", artist)
                           .Done());
    reply(response, JsonObject()
                        .Raw("data", JsonObject()
                                         .Raw("song", songs.Done())
                                         .Raw("artist", artistList.Done())
                                         .Raw("album", "[]")
                                         .Done())
                        .Text("order", "song,artist,album")
                        .Number("error_code", kSuccess)
                        .Done());
}

void chart(const ServiceData& data, const httplib::Request& request, httplib::Response& response) {
    const auto query = ParseQuery(request.target);
    const auto method = query.find("method");
    if (method == query.end() || method->second != "baidu.ting.billboard.billList")
        return badRequest(response, "unknown method");
    const auto typeText = query.find("type");
    if (typeText == query.end()) return badRequest(response, "missing parameter: type");
    const auto type = ParseCount(typeText->second);
    if (!type) return badRequest(response, "type is not a number: " + typeText->second);
    const Chart* chart = data.catalogue.FindChart(*type);
    if (!chart) return badRequest(response, "unknown chart type: " + typeText->second);
    int size = 10;
    if (const auto sizeText = query.find("size"); sizeText != query.end()) {
        const auto asked = ParseCount(sizeText->second);
        if (!asked) return badRequest(response, "size is not a number: " + sizeText->second);
        size = *asked;
    }

    const size_t count = std::min(static_cast<size_t>(size), chart->songs.size());
    JsonArray songs;
    for (size_t rank = 0; rank < count; ++rank) {
        const Song& song = *chart->songs[rank];
        songs.Raw(JsonObject()
                      .Text("artist_id", std::to_string(artistId(song.artist)))
                      .Text("language", languageName(song.language))
                      .Text("pic_big", link(request, CoverPath(data, song)))
                      .Text("lrclink", link(request, LyricPath(song)))
                      .Number("file_duration", song.seconds)
                      .Text("song_id", std::to_string(song.id))
                      .Text("title", song.title)
                      .Text("author", song.artist)
                      .Text("album_title", song.album)
                      .Text("artist_name", song.artist)
                      .Text("rank", std::to_string(rank + 1))
                      .Text("hot", std::to_string(900000 - 7919 * static_cast<int>(rank)))
                      .Text("is_new", chart->type == 1 ? "1" : "0")
                      .Done());
    }
    reply(response,
          JsonObject()
              .Raw("song_list", songs.Done())
              .Raw("billboard", JsonObject()
                                    .Text("billboard_type", std::to_string(chart->type))
                                    .Text("billboard_no", std::to_string(2400 + chart->type))
                                    .Text("update_date", chart->updateDate)
                                    .Text("billboard_songnum", std::to_string(chart->songs.size()))
                                    .Number("havemore", count < chart->songs.size() ? 1 : 0)
                                    .Text("name", chart->name)
                                    .Text("comment", chart->comment)
                                    .Done())
              .Number("error_code", kSuccess)
              .Done());
}

// The mp3 rate served for an asked one: the highest of 128, 192 and 320 not above it.
int mp3Rate(int asked) {
    return asked >= 320 ? 320 : asked >= 192 ? 192 : 128;
}

std::vector<std::string> splitIds(const std::string& ids) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= ids.size()) {
        const size_t comma = ids.find(',', start);
        parts.push_back(ids.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return parts;
}

std::string songLinkElement(const ServiceData& data, const httplib::Request& request,
                            const Song& song, const std::string& format, int asked) {
    const bool flac = format == "flac";
    const int rate = flac ? song.flacRate : mp3Rate(asked);
    const bool available = rate > 0;
    std::string songLink;
    if (available)
        songLink = link(request, SongFilePath(song, format, rate)) + "?xcode=" + xcode(song, rate);
    const std::string cover = CoverPath(data, song);
    return JsonObject()
        .Text("queryId", std::to_string(song.id))
        .Number("songId", song.id)
        .Text("songName", song.title)
        .Text("artistId", std::to_string(artistId(song.artist)))
        .Text("artistName", song.artist)
        .Text("albumName", song.album)
        .Text("songPicSmall", link(request, cover))
        .Text("songPicBig", link(request, cover))
        .Text("lrcLink", LyricPath(song))
        .Text("version", "")
        .Number("copyType", 1)
        .Text("time", std::to_string(song.seconds))
        .Number("linkCode", kSuccess)
        .Text("songLink", songLink)
        .Text("showLink", songLink)
        .Text("format", flac ? "flac" : "mp3")
        .Number("rate", rate)
        .Text("size", std::to_string(available ? FileSize(song, rate) : 0))
        .Text("relateStatus", "0")
        .Text("resourceType", "0")
        .Text("source", "web")
        .Done();
}

void songLink(const ServiceData& data, const httplib::Request& request,
              httplib::Response& response) {
    const auto query = ParseQuery(request.target);
    const auto ids = query.find("songIds");
    if (ids == query.end()) return badRequest(response, "missing parameter: songIds");
    int rate = 128;
    if (const auto rateText = query.find("rate"); rateText != query.end()) {
        const auto asked = ParseCount(rateText->second);
        if (!asked) return badRequest(response, "rate is not a number: " + rateText->second);
        rate = *asked;
    }
    std::string format = "mp3";
    if (const auto type = query.find("type"); type != query.end()) format = type->second;
    if (format != "mp3" && format != "flac") return badRequest(response, "unknown type: " + format);

    JsonArray songList;
    bool found = false;
    for (const std::string& idText : splitIds(ids->second)) {
        const auto id = ParseCount(idText);
        const Song* song = id ? data.catalogue.FindSong(*id) : nullptr;
        if (!song) continue;
        songList.Raw(songLinkElement(data, request, *song, format, rate));
        found = true;
    }
    if (!found) {
        reply(response, JsonObject()
                            .Number("errorCode", kSongNotFound)
                            .Text("errorMessage", "song not found")
                            .Done());
        return;
    }
    reply(response, JsonObject()
                        .Number("errorCode", kSuccess)
                        .Raw("data", JsonObject()
                                         .Text("xcode", xcode(data.catalogue.Songs().front(), rate))
                                         .Raw("songList", songList.Done())
                                         .Done())
                        .Done());
}

} // namespace

void AddEndpoints(httplib::Server& server, const ServiceData& data) {
    server.Get("/info/suggestion",
               [&data](const httplib::Request& request, httplib::Response& response) {
                   suggestion(data, request, response);
               });
    server.Get("/v1/restserver/ting",
               [&data](const httplib::Request& request, httplib::Response& response) {
                   chart(data, request, response);
               });
    server.Get("/data/music/fmlink",
               [&data](const httplib::Request& request, httplib::Response& response) {
                   songLink(data, request, response);
               });
}

} // namespace melvanto::music_service
