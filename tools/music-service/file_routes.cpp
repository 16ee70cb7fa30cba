#include "file_routes.h"

#include "lyrics.h"
#include "query.h"
#include "song_files.h"

namespace melvanto::music_service {

namespace {

const Song* songOf(const ServiceData& data, const std::string& idText) {
    const auto id = ParseCount(idText);
    return id ? data.catalogue.FindSong(*id) : nullptr;
}

} // namespace

void AddFileRoutes(httplib::Server& server, const ServiceData& data) {
    server.Get(R"(/data2/pic/([A-Za-z0-9_]+\.jpg))",
               [&data](const httplib::Request& request, httplib::Response& response) {
                   for (const Cover& cover : data.covers) {
                       if (cover.name != request.matches[1].str()) continue;
                       response.set_content(cover.jpeg, "image/jpeg");
                       return;
                   }
                   response.status = 404;
               });
    server.Get(R"(/data2/lrc/([0-9]+)\.lrc)",
               [&data](const httplib::Request& request, httplib::Response& response) {
                   const Song* song = songOf(data, request.matches[1].str());
                   if (!song || !song->hasLyrics) {
                       response.status = 404;
                       return;
                   }
                   response.set_content(MakeLyrics(*song), "text/plain; charset=utf-8");
               });
    server.Get(R"(/data2/music/([0-9]+)/([0-9]+)_([0-9]+)\.(mp3|flac))",
               [&data](const httplib::Request& request, httplib::Response& response) {
                   const Song* song = songOf(data, request.matches[1].str());
                   const std::string format = request.matches[4].str();
                   const auto rate = ParseCount(request.matches[3].str());
                   const bool known =
                       song && request.matches[1].str() == request.matches[2].str() && rate &&
                       (format == "flac" ? song->flacRate > 0 && *rate == song->flacRate
                                         : *rate == 128 || *rate == 192 || *rate == 320);
                   if (!known) {
                       response.status = 404;
                       return;
                   }
                   response.set_content(MakeSongFile(*song, format, *rate),
                                        format == "flac" ? "audio/flac" : "audio/mpeg");
               });
}

} // namespace melvanto::music_service
