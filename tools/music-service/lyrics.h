#pragma once
// The lyric files: LRC text with "[mm:ss.xx]" time tags spread over the song.

#include "catalogue.h"

#include <string>

namespace melvanto::music_service {

// The song's LRC file, UTF-8.
std::string MakeLyrics(const Song& song);

} // namespace melvanto::music_service
