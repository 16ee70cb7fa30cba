#include "platform/codepage/codepage.h"
#include "platform/gui/list_view.h"
#include "platform/gui/testing.h"
#include "platform/gui/window.h"

#include <gtest/gtest.h>

using namespace melvanto;
using namespace melvanto::gui;

namespace {

const Font kSans{u"MS Sans Serif", 11};

using Rows = std::vector<std::vector<std::string>>;

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetFailureHandler(
            [this](const Exception& failure) { failures.push_back(failure.Message()); });
        list.OnDoubleClick([this] { doubleClicks.push_back(list.SelectedRow()); });
    }
    void TearDown() override { SetFailureHandler({}); }

    Rows rowsOf() const {
        Rows rows;
        for (int i = 0; i < list.RowCount(); ++i)
            rows.push_back(list.Row(i));
        return rows;
    }

    std::vector<std::string> failures;
    std::vector<std::optional<int>> doubleClicks;
    Window window{"list", {567, 514}, kSans};
    ListView list{window,
                  "lv1",
                  {3, 40, 545, 353},
                  Font{u"微软雅黑", 12},
                  {{"ID", 100, Alignment::Left},
                   {"Name", 200, Alignment::Centre},
                   {"Artist", 200, Alignment::Left}}};
};

TEST_F(ListViewTest, ColumnsKeepCaptionWidthAndAlignmentForHeaderAndCells) {
    EXPECT_EQ(list.Columns(), (std::vector<ListColumn>{{"ID", 100, Alignment::Left},
                                                       {"Name", 200, Alignment::Centre},
                                                       {"Artist", 200, Alignment::Left}}));
    list.AddRow({"1", "a", "b"});
    const Alignment expected[] = {Alignment::Left, Alignment::Centre, Alignment::Left};
    for (int column = 0; column < 3; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(test::CellAlignment(list, 0, column), expected[column]);
    }
}

TEST_F(ListViewTest, RowsStayInTheOrderAppended) {
    const Rows rows = {{"877578", "Song Z", "Artist"}, {"1", "Song A", ""}, {"5", "", "b"}};
    for (const auto& row : rows)
        list.AddRow(row);
    EXPECT_EQ(rowsOf(), rows);
    EXPECT_THROW(list.AddRow({"only", "two"}), std::invalid_argument);
    EXPECT_THROW(list.AddRow({"1", "2", "3", "4"}), std::invalid_argument);
    EXPECT_THROW(list.Row(3), std::out_of_range);
    EXPECT_THROW(list.Row(-1), std::out_of_range);
    EXPECT_EQ(rowsOf(), rows);
}

TEST_F(ListViewTest, AHundredRowsInOrderAndClearLeavesNone) {
    Rows rows;
    for (int i = 0; i < 100; ++i)
        rows.push_back({std::to_string(1000 + i), "song " + std::to_string(i), "artist"});
    for (const auto& row : rows)
        list.AddRow(row);
    EXPECT_EQ(rowsOf(), rows);
    window.Show();
    test::DoubleClick(list, 99);
    EXPECT_EQ(list.SelectedRow(), 99);
    list.Clear();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(list.SelectedRow(), std::nullopt);
}

TEST_F(ListViewTest, AtMostOneRowIsSelectedAndDoubleClicksSeeTheSelection) {
    for (int i = 0; i < 4; ++i)
        list.AddRow({std::to_string(i), "n", "a"});
    window.Show();
    EXPECT_EQ(list.SelectedRow(), std::nullopt);

    const std::optional<int> clicks[] = {2, 0, std::nullopt, 3, 3};
    for (const std::optional<int>& row : clicks) {
        SCOPED_TRACE(row.value_or(-1));
        test::DoubleClick(list, row);
        EXPECT_EQ(list.SelectedRow(), row);
    }
    EXPECT_EQ(doubleClicks, std::vector<std::optional<int>>(std::begin(clicks), std::end(clicks)));
}

TEST_F(ListViewTest, ANewRowIsNotSelectedAndCellsAreNotEditable) {
    window.Show();
    list.AddRow({"1", "a", "b"});
    test::DoubleClick(list, 0);
    list.AddRow({"2", "c", "d"});
    EXPECT_EQ(list.SelectedRow(), 0);
    // A double-click opens no editor: keys typed afterwards change no cell.
    test::PressKey(list, test::Key::Enter);
    EXPECT_EQ(list.Row(0), (std::vector<std::string>{"1", "a", "b"}));
}

TEST_F(ListViewTest, AFailingDoubleClickHandlerIsReported) {
    list.OnDoubleClick([] { throw Exception("no song"); });
    window.Show();
    test::DoubleClick(list, std::nullopt);
    EXPECT_EQ(failures, std::vector<std::string>{"no song"});
}

TEST_F(ListViewTest, DoubleClickNeedsTheWindowShown) {
    list.AddRow({"1", "a", "b"});
    EXPECT_THROW(test::DoubleClick(list, 0), std::logic_error);
    EXPECT_TRUE(doubleClicks.empty());
}

} // namespace
