#include "shell/LineList.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QItemSelectionModel>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>
#include <numeric>
#include <utility>

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

QModelIndex LineListModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || column != 0 || row < 0 || row >= count()) return {};
    return createIndex(row, 0);
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

namespace {

// The style's item drawing (background, selection) without its text, then
// the text where the style puts an unelided single line (inside the text
// rectangle less the focus frame's margin, left-aligned, centred vertically
// on whole pixels, in the pen the style would choose), then the focus frame
// as the style draws it.
class SingleLineDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QWidget* w = opt.widget;
        const QStyle* style = w ? w->style() : QApplication::style();
        const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, w);
        const QRect focusRect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &opt, w);
        const bool focus = opt.state & QStyle::State_HasFocus;
        const QString text = std::exchange(opt.text, QString());
        // The focus frame goes over the text, as the style draws it.
        opt.state &= ~QStyle::State_HasFocus;
        style->drawControl(QStyle::CE_ItemViewItem, &opt, p, w);
        QPalette::ColorGroup cg =
            opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        if (!text.isEmpty()) {
            if (cg == QPalette::Normal && !(opt.state & QStyle::State_Active))
                cg = QPalette::Inactive;
            p->save();
            p->setPen(opt.palette.color(cg, opt.state & QStyle::State_Selected
                                                ? QPalette::HighlightedText
                                                : QPalette::Text));
            p->setFont(opt.font);
            const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1;
            const QRect r = textRect.adjusted(margin, 0, -margin, 0);
            const QFontMetricsF fm(opt.font);
            const int top = r.top() + (r.height() - static_cast<int>(fm.height())) / 2;
            p->drawText(QPointF(r.left(), top + fm.ascent()), text);
            p->restore();
        }
        if (focus) {
            QStyleOptionFocusRect o;
            o.QStyleOption::operator=(opt);
            o.state |=
                QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange | QStyle::State_Item;
            o.rect = focusRect;
            const QPalette::ColorGroup bg =
                opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
            o.backgroundColor = opt.palette.color(
                bg, opt.state & QStyle::State_Selected ? QPalette::Highlight : QPalette::Window);
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &o, p, w);
        }
    }
};

}  // namespace

namespace LineList {

void drawSingleLines(QListView* view) { view->setItemDelegate(new SingleLineDelegate(view)); }

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
