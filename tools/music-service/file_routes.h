#pragma once
// The files the song-link replies point at: cover pictures (/data2/pic/NAME), lyric
// files (/data2/lrc/ID.lrc) and song files (/data2/music/ID/ID_RATE.mp3 or .flac).

#include "service_data.h"

#include <httplib.h>

namespace melvanto::music_service {

void AddFileRoutes(httplib::Server& server, const ServiceData& data);

} // namespace melvanto::music_service
