#pragma once
// The three JSON endpoints of the stand-in service:
//   /info/suggestion?word=W&format=json&version=2&from=0
//       data.song[]: up to 50 songs whose title or artist holds W (ids as strings and
//       as numbers, alternately)
//   /v1/restserver/ting?size=N&type=T&format=json&method=baidu.ting.billboard.billList
//       billboard{update_date,...} and song_list[]: the first N songs of chart T
//       (1, 2, 21 to 25; 10 when size is not given)
//   /data/music/fmlink?songIds=ID[,ID...]&rate=R&format=json&type=mp3|flac
//       errorCode 22000 and data.songList[] (one element per known id), or errorCode
//       22005 and no data when no id is known. mp3 comes at the highest of 128, 192 and
//       320 not above R; a song without FLAC has an empty songLink at flac.
// A malformed query (a missing word, songIds, type or method, a type or size or rate that
// is not a number, an unknown chart or type) gets status 400 and
// {"error_code":400,"error_message":"..."}.

#include "service_data.h"

#include <httplib.h>

namespace melvanto::music_service {

void AddEndpoints(httplib::Server& server, const ServiceData& data);

} // namespace melvanto::music_service
