// A long list of fixed texts (every date of a logbook, every line of the
// abbreviated list) shown in a QListView: the rows all have one height, and
// only the rows in sight are drawn, their texts made from the source lines
// when they are asked for.
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>
#include <functional>
#include <vector>

class LineListModel : public QAbstractListModel {
  public:
    explicit LineListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    // Replaces every line (the views forget their selection): `count`
    // lines, row r reading text(r).
    void setLines(int count, std::function<QString(int)> text);
    void setLines(const QStringList& lines);
    QString line(int row) const { return text_(order_[static_cast<std::size_t>(row)]); }
    int count() const { return static_cast<int>(order_.size()); }

    // Asked for every row when a view lays out its rows: kept short.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

  private:
    std::function<QString(int)> text_;
    std::vector<int> order_;  // the source line of each row (rows can be removed)
};

namespace LineList {

// A single-selection view named `name` over a new model of its own.
QListView* view(QWidget* parent, const char* name);
// Draws the view's rows as single lines that are never elided or wrapped
// (long fixed-column lines): the text shaped once, where the style's item
// drawing lays every line out twice to find out whether to elide it.
void drawSingleLines(QListView* view);
LineListModel* model(const QListView* view);
// The selected row, or -1.
int selectedRow(const QListView* view);

}  // namespace LineList
