#include "catalogue.h"

#include <algorithm>
#include <array>

namespace melvanto::music_service {

namespace {

// A fixed-seed linear congruential generator: the same catalogue on every start.
class Generator {
public:
    explicit Generator(uint64_t seed) : m_state(seed) {}
    uint32_t Next() {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<uint32_t>(m_state >> 33);
    }
    int Below(int bound) { return static_cast<int>(Next() % static_cast<uint32_t>(bound)); }
    template <typename T> void Shuffle(std::vector<T>& items) {
        for (size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[static_cast<size_t>(Below(static_cast<int>(i)))]);
    }

private:
    uint64_t m_state;
};

constexpr std::array kChineseHeads = {"夜空", "海边", "春风", "城市", "月光", "雨后", "远方",
                                      "北京", "时光", "梦里", "心中", "旧街", "星河", "晚风",
                                      "青春", "小城", "故乡", "秋天", "冬日", "山间"};
constexpr std::array kChineseTails = {"的歌", "之恋", "不眠", "往事", "情书",
                                      "的你", "等待", "回忆", "日记", "微光",
                                      "心事", "独白", "旅人", "夜曲", "故事"};
constexpr std::array kEnglishHeads = {"Midnight", "Golden", "Silent",   "Electric", "Broken",
                                      "Summer",   "Neon",   "Paper",    "Crystal",  "Wild",
                                      "Lonely",   "Velvet", "Northern", "Falling",  "Burning"};
constexpr std::array kEnglishTails = {"River",  "Hearts",  "Sky",     "Roads",   "Dreams",
                                      "Lights", "Shadows", "Echoes",  "Waves",   "Fire",
                                      "Rain",   "Stars",   "Letters", "Highway", "Garden"};
// Titles with the characters a URL or a form encoding must take care of.
constexpr std::array kEnglishSpecialTitles = {"Rock & Roll Heart", "Don't Stop (Live)",
                                              "100% Summer", "C'est la vie", "1+1=2"};
constexpr std::array kKoreanTitles = {
    "사랑의 노래", "밤하늘",    "봄날의 기억", "너에게",  "첫눈",      "바람의 노래", "별빛 아래",
    "그대 생각",   "푸른 바다", "우리의 시간", "하루 끝", "너의 이름", "달빛",        "꿈꾸는 밤",
    "여름 비",     "눈물",      "고백",        "안녕",    "다시 만나", "길 위에서"};
constexpr std::array kJapaneseTitles = {"夜明けの歌",   "さくら色",       "星の彼方", "君の名前",
                                        "雨上がり",     "風のメロディー", "青い空",   "約束",
                                        "ひとりぼっち", "海辺の街",       "想い出",   "花火",
                                        "月夜",         "旅立ちの日",     "はじまり", "ありがとう",
                                        "ふたりの時間", "虹の橋",         "冬の星座", "こころ"};

constexpr std::array kChineseArtists = {"林晓雨", "周子航", "陈思远",   "王语嫣",     "刘星辰",
                                        "张一鸣", "李慕白", "赵小棠",   "孙悦然",     "何嘉欣",
                                        "许南风", "郑云开", "青柠乐队", "南山南组合", "夏夜乐团"};
constexpr std::array kEnglishArtists = {"Nora Vale",   "Hollow Pines",   "Maya Stone",
                                        "Blue Harbor", "Jonah Reed",     "The Late Lanterns",
                                        "Ivy Lane",    "Northbound",     "Silver Fox Trio",
                                        "Clara West",  "Echo Park Five", "The Paper Boats"};
constexpr std::array kKoreanArtists = {"하늘빛", "김서윤", "블루문", "이도현"};
constexpr std::array kJapaneseArtists = {"星野あかり", "青空バンド", "月島ゆい", "さくらんぼ"};

constexpr int kChineseSongs = 150;
constexpr int kEnglishSongs = 110;

struct ChartDefinition {
    int type;
    const char* name;
    const char* updateDate;
    const char* comment;
};

constexpr std::array kChartDefinitions = {
    ChartDefinition{1, "新歌榜", "2026-12-08", "近期发行歌曲的每日播放排行"},
    ChartDefinition{2, "热歌榜", "2026-12-08", "全站歌曲的每日播放排行"},
    ChartDefinition{21, "欧美金曲榜", "2026-12-05", "欧美流行歌曲的每周排行"},
    ChartDefinition{22, "经典老歌榜", "2026-12-01", "传唱多年的经典歌曲"},
    ChartDefinition{23, "情歌对唱榜", "2026-12-03", "男女对唱情歌的每周排行"},
    ChartDefinition{24, "影视金曲榜", "2026-11-30", "影视剧主题曲与插曲排行"},
    ChartDefinition{25, "网络红歌榜", "2026-12-07", "网络上传唱最广的歌曲"},
};

template <size_t H, size_t T>
std::vector<std::string> combinedTitles(const std::array<const char*, H>& heads,
                                        const std::array<const char*, T>& tails, const char* joiner,
                                        Generator& generator) {
    std::vector<std::string> titles;
    for (const char* head : heads)
        for (const char* tail : tails)
            titles.push_back(std::string(head) + joiner + tail);
    generator.Shuffle(titles);
    return titles;
}

bool containsIgnoringAsciiCase(std::string_view text, std::string_view word) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    auto hit = std::search(text.begin(), text.end(), word.begin(), word.end(),
                           [&](char a, char b) { return lower(a) == lower(b); });
    return hit != text.end();
}

} // namespace

Catalogue::Catalogue(int coverCount) {
    Generator generator(20261208);
    const auto chineseTitles = combinedTitles(kChineseHeads, kChineseTails, "", generator);
    const auto englishTitles = combinedTitles(kEnglishHeads, kEnglishTails, " ", generator);

    auto add = [&](std::string title, std::string artist, Language language) {
        Song song;
        const int index = static_cast<int>(m_songs.size());
        // Ids look like the real service's: irregular, six digits, all different.
        song.id = 200000 + index * 97 + (index * 13) % 50;
        song.title = std::move(title);
        song.artist = std::move(artist);
        song.album = song.title;
        song.language = language;
        song.seconds = 120 + generator.Below(241);
        song.flacRate = generator.Below(5) == 0 ? 0 : 800 + generator.Below(301);
        song.hasLyrics = generator.Below(7) != 0;
        song.cover = generator.Below(8) == 0 ? -1 : generator.Below(coverCount);
        m_songs.push_back(std::move(song));
    };

    for (int i = 0; i < kChineseSongs; ++i) {
        const int lead = generator.Below(15);
        std::string artist = kChineseArtists[static_cast<size_t>(lead)];
        // Every tenth song is a duet with one of the ten singers.
        if (i % 10 == 0) {
            const int partner = (lead + 1 + generator.Below(9)) % 10;
            artist += std::string(" & ") + kChineseArtists[static_cast<size_t>(partner)];
        }
        add(chineseTitles[static_cast<size_t>(i)], artist, Language::Chinese);
    }
    for (int i = 0; i < kEnglishSongs; ++i) {
        std::string title = i < static_cast<int>(kEnglishSpecialTitles.size())
                                ? std::string(kEnglishSpecialTitles[static_cast<size_t>(i)])
                                : englishTitles[static_cast<size_t>(i)];
        add(title, kEnglishArtists[static_cast<size_t>(generator.Below(12))], Language::English);
    }
    for (const char* title : kKoreanTitles)
        add(title, kKoreanArtists[static_cast<size_t>(generator.Below(4))], Language::Korean);
    for (const char* title : kJapaneseTitles)
        add(title, kJapaneseArtists[static_cast<size_t>(generator.Below(4))], Language::Japanese);

    for (const ChartDefinition& definition : kChartDefinitions) {
        Chart chart;
        chart.type = definition.type;
        chart.name = definition.name;
        chart.updateDate = definition.updateDate;
        chart.comment = definition.comment;
        std::vector<const Song*> order;
        for (const Song& song : m_songs)
            order.push_back(&song);
        generator.Shuffle(order);
        // The Western chart leads with English songs, the duet chart with duets.
        auto leads = [&](const Song* song) {
            if (definition.type == 21) return song->language == Language::English;
            if (definition.type == 23) return song->artist.find(" & ") != std::string::npos;
            return false;
        };
        std::stable_partition(order.begin(), order.end(), leads);
        const size_t length = 100 + static_cast<size_t>((definition.type * 17) % 41);
        order.resize(length);
        chart.songs = std::move(order);
        m_charts.push_back(std::move(chart));
    }
}

const Song* Catalogue::FindSong(int32_t id) const {
    for (const Song& song : m_songs)
        if (song.id == id) return &song;
    return nullptr;
}

const Chart* Catalogue::FindChart(int type) const {
    for (const Chart& chart : m_charts)
        if (chart.type == type) return &chart;
    return nullptr;
}

std::vector<const Song*> Catalogue::Search(std::string_view word, size_t limit) const {
    std::vector<const Song*> found;
    if (word.empty()) return found;
    for (const Song& song : m_songs) {
        if (found.size() >= limit) break;
        if (containsIgnoringAsciiCase(song.title, word) ||
            containsIgnoringAsciiCase(song.artist, word))
            found.push_back(&song);
    }
    return found;
}

int64_t FileSize(const Song& song, int32_t rateKbps) {
    return static_cast<int64_t>(rateKbps) * 1000 / 8 * song.seconds;
}

} // namespace melvanto::music_service
