#include "lyrics.h"

#include <array>
#include <cstdio>

namespace melvanto::music_service {

namespace {

constexpr std::array kChineseLines = {"风吹过安静的街道", "我还记得你的笑容", "灯火一盏一盏亮起",
                                      "把思念写进歌里",   "走过春天走过秋天", "你在远方是否安好",
                                      "星星落在我的窗前", "让时间慢慢停下"};
constexpr std::array kEnglishLines = {
    "The night is young and so are we",   "I hear your voice across the sea",
    "Hold on, the morning's coming soon", "We danced beneath a paper moon",
    "Every road leads back to you",       "Nothing here is really new",
    "Sing it loud and let it go",         "Only the river seems to know"};
constexpr std::array kKoreanLines = {"너를 처음 만난 그 날", "바람이 불어오는 곳",
                                     "별빛이 내리는 밤", "우리 함께 걸었던 길"};
constexpr std::array kJapaneseLines = {"君と見た夜空の星", "風が運ぶ約束の歌", "涙のあとに虹が出る",
                                       "ずっとそばにいるよ"};

template <size_t N> const char* lineOf(const std::array<const char*, N>& lines, size_t k) {
    return lines[k % N];
}

const char* line(const Song& song, size_t k) {
    switch (song.language) {
    case Language::Chinese:
        return lineOf(kChineseLines, k + static_cast<size_t>(song.id));
    case Language::English:
        return lineOf(kEnglishLines, k + static_cast<size_t>(song.id));
    case Language::Korean:
        return lineOf(kKoreanLines, k + static_cast<size_t>(song.id));
    case Language::Japanese:
        break;
    }
    return lineOf(kJapaneseLines, k + static_cast<size_t>(song.id));
}

std::string timeTag(int centiseconds) {
    char tag[32];
    std::snprintf(tag, sizeof tag, "[%02d:%02d.%02d]", centiseconds / 6000, centiseconds / 100 % 60,
                  centiseconds % 100);
    return tag;
}

} // namespace

std::string MakeLyrics(const Song& song) {
    std::string text = "[ti:" + song.title + "]\n[ar:" + song.artist + "]\n[al:" + song.album +
                       "]\n[by:Melvanto music-service]\n";
    text += timeTag(0) + song.title + " - " + song.artist + "\n";
    // A line every few seconds from the end of the intro to shortly before the end.
    const int first = 1500 + (song.id % 7) * 100;
    const int last = (song.seconds - 10) * 100;
    const int step = 350 + (song.id % 5) * 40;
    size_t k = 0;
    for (int at = first; at < last; at += step, ++k) {
        const int jitter = static_cast<int>((k * 37 + static_cast<size_t>(song.id)) % 90);
        text += timeTag(at + jitter) + line(song, k) + "\n";
    }
    return text;
}

} // namespace melvanto::music_service
