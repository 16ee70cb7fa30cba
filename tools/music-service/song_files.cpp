#include "song_files.h"

namespace melvanto::music_service {

namespace {

constexpr size_t kFileBytes = 4096;

// The MPEG-1 Layer III bit-rate index of the header for the rate.
unsigned char bitrateIndex(int rateKbps) {
    switch (rateKbps) {
    case 128:
        return 0x9;
    case 192:
        return 0xB;
    default:
        return 0xE; // 320
    }
}

void fill(std::string& file, const Song& song) {
    uint32_t state = static_cast<uint32_t>(song.id) * 2654435761u;
    while (file.size() < kFileBytes) {
        state = state * 1103515245u + 12345u;
        file += static_cast<char>(state >> 24);
    }
}

std::string mp3(const Song& song, int rateKbps) {
    // An empty ID3v2.4 tag, then frames of 44.1 kHz joint stereo.
    std::string file("ID3\x04\x00\x00\x00\x00\x00\x00", 10);
    const size_t frameBytes = static_cast<size_t>(144 * rateKbps * 1000 / 44100);
    while (file.size() + frameBytes <= kFileBytes) {
        std::string frame(frameBytes, '\0');
        frame[0] = static_cast<char>(0xFF);
        frame[1] = static_cast<char>(0xFB);
        frame[2] = static_cast<char>((bitrateIndex(rateKbps) << 4) | 0x0);
        frame[3] = static_cast<char>(0x64);
        file += frame;
    }
    fill(file, song);
    return file;
}

std::string flac(const Song& song) {
    std::string file = "fLaC";
    // The last metadata block, STREAMINFO, 34 bytes.
    file += std::string("\x80\x00\x00\x22", 4);
    std::string info(34, '\0');
    info[0] = 0x10; // minimum block size 4096
    info[2] = 0x10; // maximum block size 4096
    // 44100 Hz, 2 channels, 16 bits; the total sample count from the duration.
    const uint64_t samples = static_cast<uint64_t>(song.seconds) * 44100u;
    const uint64_t packed = (uint64_t{44100} << 44) | (uint64_t{1} << 41) | (uint64_t{15} << 36) |
                            (samples & 0xFFFFFFFFFull);
    for (int i = 0; i < 8; ++i)
        info[10 + static_cast<size_t>(i)] = static_cast<char>(packed >> (56 - 8 * i));
    file += info;
    fill(file, song);
    return file;
}

} // namespace

std::string MakeSongFile(const Song& song, const std::string& format, int rateKbps) {
    return format == "flac" ? flac(song) : mp3(song, rateKbps);
}

} // namespace melvanto::music_service
