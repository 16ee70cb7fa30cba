// The whole program against the stand-in service with faults on: a seeded stream of
// random user actions (keyword searches with awkward text, the chart buttons,
// double-clicks on rows or beside them, the quality buttons, closing detail windows).
// Every action must come back; every failure must reach the failure box with a message;
// every plain box must be one of the program's fixed texts.

#include "app/application.h"
#include "app/constant.h"
#include "support/music_service_process.h"
#include "platform/codepage/codepage.h"
#include "platform/gui/testing.h"
#include "platform/httprequest/request_limits.h"
#include "service/service_hosts.h"
#include "ui/download/dl_form.h"
#include "ui/searchMusic/search_form.h"
#include "ui/searchMusic/search_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

using namespace melvanto;
namespace guitest = melvanto::gui::test;

namespace {

// Stalled replies give up after this; longer than the request limits below, so the
// program's own limits end most of them.
constexpr char kStallMs[] = "1500";

// Pieces of keywords: form-encoding's special characters, CJK, Hangul (lost in GBK),
// blanks, and words the catalogue holds.
const std::array<std::u16string, 14> kPieces = {u"&",    u"=",    u"#",      u"+",    u"%",
                                                u"%2",   u" ",    u"爱",     u"远方", u"夜",
                                                u"한국", u"love", u"Summer", u"1+1=2"};

enum class Action { Search, Chart, DoubleClickRow, DoubleClickBeside, Quality, CloseDetail };

class MonkeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        PinAnsiCodePageForTesting("GBK");
        SetRequestLimitsForTesting(
            RequestLimits{std::chrono::milliseconds(1000), std::chrono::seconds(1)});
    }
    void TearDown() override {
        SetRequestLimitsForTesting(RequestLimits{});
        PinAnsiCodePageForTesting("");
    }
};

std::u16string randomKeyword(std::mt19937& random) {
    std::u16string keyword;
    const int pieces = static_cast<int>(random() % 4);
    for (int i = 0; i < pieces; ++i)
        keyword += kPieces[random() % kPieces.size()];
    return keyword;
}

Action randomAction(std::mt19937& random) {
    const unsigned roll = random() % 100;
    if (roll < 25) return Action::Search;
    if (roll < 50) return Action::Chart;
    if (roll < 70) return Action::DoubleClickRow;
    if (roll < 75) return Action::DoubleClickBeside;
    if (roll < 92) return Action::Quality;
    return Action::CloseDetail;
}

TEST_F(MonkeyTest, ThousandRandomActionsAgainstAFaultyService) {
    melvanto::testing::MusicServiceProcess service(
        MUSIC_SERVICE_PATH, {"--faults", "--seed", "20261210", "--stall-ms", kStallMs});
    std::map<std::string, int> plainTexts;
    int failures = 0;
    std::vector<std::string> badBoxes;
    const std::vector<std::string> fixedTexts = {
        NoKeywordText(), NoSelectionText(), WideToAnsi(u"下载失败!"), WideToAnsi(u"未找下载链接!")};
    const std::string notFound = WideToAnsi(u"未找到歌曲【");
    guitest::ModalBoxRecorder boxes([&](const guitest::ModalBox& box) {
        if (box.kind == guitest::BoxKind::Failure) {
            ++failures;
            if (box.text.empty() || box.text == ".") badBoxes.push_back("failure without text");
            return;
        }
        const bool fixed =
            std::find(fixedTexts.begin(), fixedTexts.end(), box.text) != fixedTexts.end() ||
            box.text.rfind(notFound, 0) == 0;
        if (!fixed) badBoxes.push_back("plain box: " + box.text);
        ++plainTexts[box.text.rfind(notFound, 0) == 0 ? notFound : box.text];
    });

    Application application;
    application.Own(std::make_unique<TsearchForm>(ServiceHosts::AllOn(service.Host())), searchForm);
    searchForm->Show();
    std::mt19937 random(7);
    std::map<Action, int> done;
    for (int i = 0; i < MONKEY_ACTIONS; ++i) {
        const Action action = randomAction(random);
        SCOPED_TRACE("action " + std::to_string(i));
        switch (action) {
        case Action::Search:
            searchForm->edt1.SetText(WideToAnsi(randomKeyword(random)));
            guitest::Click(searchForm->btn1);
            break;
        case Action::Chart: {
            const std::array<gui::Button*, 7> charts = {
                &searchForm->btn2, &searchForm->btn3, &searchForm->btn4, &searchForm->btn5,
                &searchForm->btn6, &searchForm->btn7, &searchForm->btn8};
            guitest::Click(*charts[random() % charts.size()]);
            break;
        }
        case Action::DoubleClickRow:
            if (searchForm->lv1.RowCount() == 0) continue;
            guitest::DoubleClick(searchForm->lv1,
                                 static_cast<int>(random() % searchForm->lv1.RowCount()));
            break;
        case Action::DoubleClickBeside:
            // Only a list with few rows leaves room for a click beside them.
            if (searchForm->lv1.RowCount() > 5) continue;
            guitest::DoubleClick(searchForm->lv1, std::nullopt);
            break;
        case Action::Quality: {
            if (!dlForm || !dlForm->IsVisible()) continue;
            const std::array<gui::Button*, 4> qualities = {&dlForm->btn3, &dlForm->btn4,
                                                           &dlForm->btn5, &dlForm->btn6};
            guitest::Click(*qualities[random() % qualities.size()]);
            break;
        }
        case Action::CloseDetail:
            if (!dlForm || !dlForm->IsVisible()) continue;
            dlForm->Close();
            break;
        }
        guitest::ProcessEvents();
        ++done[action];
    }

    EXPECT_EQ(badBoxes, std::vector<std::string>{});
    // The faults were met and told, and the program still did its work in between.
    EXPECT_GT(failures, 0);
    for (const Action action : {Action::Search, Action::Chart, Action::DoubleClickRow,
                                Action::Quality, Action::CloseDetail})
        EXPECT_GT(done[action], 0) << static_cast<int>(action);
    EXPECT_GT(application.WindowCount(), 1u) << "no detail window was ever opened";
    // The detail windows met faulty covers too, not only faulty JSON replies.
    int faultyCovers = 0;
    const std::string log = service.Log();
    for (size_t start = 0, end = 0; start < log.size(); start = end + 1) {
        end = log.find('\n', start);
        if (end == std::string::npos) end = log.size();
        const std::string_view line(log.data() + start, end - start);
        if (line.find(" /data2/pic/") != line.npos && line.find(" fault ") != line.npos)
            ++faultyCovers;
    }
    EXPECT_GT(faultyCovers, 0);
    RecordProperty("faulty_covers", faultyCovers);
    int plainBoxes = 0;
    for (const auto& entry : plainTexts)
        plainBoxes += entry.second;
    RecordProperty("failure_boxes", failures);
    RecordProperty("plain_boxes", plainBoxes);
}

} // namespace
