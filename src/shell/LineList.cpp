#include "shell/LineList.h"

#include <QItemSelectionModel>
#include <algorithm>
#include <numeric>

#include "shell/Controls.h"

void LineListModel::setLines(int n, std::function<QString(int)> text) {
    beginResetModel();
    text_ = std::move(text);
    order_.resize(static_cast<std::size_t>(std::max(n, 0)));
    std::iota(order_.begin(), order_.end(), 0);
    endResetModel();
}

void LineListModel::setLines(const QStringList& lines) {
    setLines(static_cast<int>(lines.size()), [lines](int r) { return lines[r]; });
}

int LineListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant LineListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return line(index.row());
    return {};
}

bool LineListModel::removeRows(int row, int n, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || n <= 0 || row + n > count()) return false;
    beginRemoveRows(parent, row, row + n - 1);
    order_.erase(order_.begin() + row, order_.begin() + row + n);
    endRemoveRows();
    return true;
}

namespace LineList {

QListView* view(QWidget* parent, const char* name) {
    auto* v = Controls::named<QListView>(parent, name);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One row height for all: the view never asks each row for its size.
    v->setUniformItemSizes(true);
    v->setModel(new LineListModel(v));
    return v;
}

LineListModel* model(const QListView* view) { return static_cast<LineListModel*>(view->model()); }

int selectedRow(const QListView* view) {
    const QModelIndexList sel = view->selectionModel()->selectedIndexes();
    return sel.isEmpty() ? -1 : sel.first().row();
}

}  // namespace LineList
