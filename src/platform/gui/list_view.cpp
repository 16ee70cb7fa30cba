#include "platform/gui/list_view.h"

#include "platform/gui/qt_bridge.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTreeWidget>
#include <stdexcept>

namespace melvanto::gui {

class ListView::QtListView : public QTreeWidget {
public:
    QtListView(const std::vector<ListColumn>& columns, QWidget* parent) : QTreeWidget(parent) {
        setFrameShape(QFrame::NoFrame);
        setRootIsDecorated(false);
        setItemsExpandable(false);
        setUniformRowHeights(true);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setAllColumnsShowFocus(true);
        setSortingEnabled(false);
        header()->setSectionsClickable(false);
        header()->setSectionsMovable(false);
        header()->setStretchLastSection(false);

        setColumnCount(static_cast<int>(columns.size()));
        QTreeWidgetItem* headerItem = this->headerItem();
        for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
            const ListColumn& column = columns[static_cast<size_t>(i)];
            headerItem->setText(i, ToQString(column.caption));
            headerItem->setTextAlignment(i, ToQtAlignment(column.alignment) | Qt::AlignVCenter);
            setColumnWidth(i, column.width);
            alignments.push_back(column.alignment);
        }
    }

    Handler onDoubleClick;
    std::vector<Alignment> alignments;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QTreeWidget::mouseDoubleClickEvent(event);
        if (onDoubleClick) Dispatch(onDoubleClick);
    }
};

ListView::ListView(Container& parent, std::string name, Rect rect, const Font& font,
                   const std::vector<ListColumn>& columns)
    : Widget(parent, std::move(name), new QtListView(columns, GuiAccess::AreaOf(parent)), rect,
             font) {}

void ListView::Clear() {
    qtList()->clear();
}

void ListView::AddRow(const std::vector<std::string>& cells) {
    QtListView* list = qtList();
    if (static_cast<int>(cells.size()) != list->columnCount())
        throw std::invalid_argument("a list row needs one cell per column");
    auto* item = new QTreeWidgetItem;
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren);
    for (int i = 0; i < list->columnCount(); ++i) {
        item->setText(i, ToQString(cells[static_cast<size_t>(i)]));
        item->setTextAlignment(i, ToQtAlignment(list->alignments[static_cast<size_t>(i)]) |
                                      Qt::AlignVCenter);
    }
    list->addTopLevelItem(item);
}

int ListView::RowCount() const {
    return qtList()->topLevelItemCount();
}

std::vector<std::string> ListView::Row(int index) const {
    const QtListView* list = qtList();
    const QTreeWidgetItem* item = index >= 0 ? list->topLevelItem(index) : nullptr;
    if (!item) throw std::out_of_range("no list row " + std::to_string(index));
    std::vector<std::string> cells;
    for (int i = 0; i < list->columnCount(); ++i)
        cells.push_back(ToAnsi(item->text(i)));
    return cells;
}

std::optional<int> ListView::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = qtList()->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    return qtList()->indexOfTopLevelItem(selected.front());
}

void ListView::OnDoubleClick(Handler handler) {
    qtList()->onDoubleClick = std::move(handler);
}

std::vector<ListColumn> ListView::Columns() const {
    const QtListView* list = qtList();
    std::vector<ListColumn> columns;
    for (int i = 0; i < list->columnCount(); ++i) {
        const Qt::Alignment align =
            Qt::Alignment(list->headerItem()->textAlignment(i)) & Qt::AlignHorizontal_Mask;
        const Alignment alignment = align == Qt::AlignHCenter ? Alignment::Centre
                                    : align == Qt::AlignRight ? Alignment::Right
                                                              : Alignment::Left;
        columns.push_back(
            ListColumn{ToAnsi(list->headerItem()->text(i)), list->columnWidth(i), alignment});
    }
    return columns;
}

ListView::QtListView* ListView::qtList() const {
    return static_cast<QtListView*>(GuiAccess::WidgetOf(*this));
}

} // namespace melvanto::gui
