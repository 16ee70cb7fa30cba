#pragma once
// The cover pictures: JPEG files drawn and encoded with libjpeg when the service starts.
// Sizes 150, 300, 90 and 500 pixels square; one is grey, two are progressive. Each has a
// design of its own (a gradient, a ring, a band of stripes) so pictures can be told apart.

#include <string>
#include <vector>

namespace melvanto::music_service {

struct Cover {
    std::string name; // file name, e.g. "cover3_150x150_grey.jpg"
    int size = 0;     // width and height in pixels
    bool grey = false;
    bool progressive = false;
    std::string jpeg; // the encoded file
};

std::vector<Cover> MakeCovers();

} // namespace melvanto::music_service
