#pragma once
// The song files behind the song links: a few kilobytes that start as the real formats
// do (an ID3 tag and MPEG audio frame headers for mp3, the "fLaC" marker and a
// STREAMINFO block for flac). Enough for a download to look right, not to play.

#include "catalogue.h"

#include <string>

namespace melvanto::music_service {

// format "mp3" (rate 128, 192 or 320) or "flac".
std::string MakeSongFile(const Song& song, const std::string& format, int rateKbps);

} // namespace melvanto::music_service
