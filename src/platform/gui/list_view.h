#pragma once
// A list in report view: a header with fixed columns and rows of text cells. Rows stay in
// the order appended (header clicks do nothing, nothing sorts); a selection covers the
// whole row and at most one row is selected; cells cannot be edited; no border.

#include "platform/gui/dispatch.h"
#include "platform/gui/widget.h"

#include <optional>
#include <string>
#include <vector>

namespace melvanto::gui {

struct ListColumn {
    std::string caption;
    int width = 0;
    Alignment alignment = Alignment::Left; // of the header caption and of the cells
    friend bool operator==(const ListColumn&, const ListColumn&) = default;
};

class ListView : public Widget {
public:
    ListView(Container& parent, std::string name, Rect rect, const Font& font,
             const std::vector<ListColumn>& columns);

    // Removes every row; afterwards no row is selected.
    void Clear();
    // Appends a row; one cell per column (std::invalid_argument otherwise).
    void AddRow(const std::vector<std::string>& cells);
    int RowCount() const;
    // The cells of a row (std::out_of_range for a row that does not exist).
    std::vector<std::string> Row(int index) const;
    // The selected row, or none.
    std::optional<int> SelectedRow() const;
    // Runs inside Dispatch on every double-click in the list, on a row or not; the
    // selection is already updated by the click, so the handler reads SelectedRow().
    void OnDoubleClick(Handler handler);

    std::vector<ListColumn> Columns() const;

private:
    class QtListView;
    QtListView* qtList() const;
};

} // namespace melvanto::gui
