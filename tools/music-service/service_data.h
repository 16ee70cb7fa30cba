#pragma once
// Everything the handlers serve, made once when the service starts.

#include "catalogue.h"
#include "covers.h"

#include <string>
#include <vector>

namespace melvanto::music_service {

struct ServiceData {
    std::vector<Cover> covers = MakeCovers();
    Catalogue catalogue{static_cast<int>(covers.size())};
};

// The path of each file the replies link to.
std::string CoverPath(const ServiceData& data, const Song& song); // "" when it has none
std::string LyricPath(const Song& song);                          // "" when it has none
std::string SongFilePath(const Song& song, const std::string& format, int rateKbps);

} // namespace melvanto::music_service
