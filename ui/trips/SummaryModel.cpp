#include "ui/trips/SummaryModel.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>

#include <optional>

namespace qv::trips {

namespace {

const char* const kHeaders[] = {"Species", "# Fish", "Weight", "Length", "Line Class", "Heaviest 3"};

QString shown(const scoring::SummaryRow& r, int column) {
    switch (column) {
        case SummaryModel::Species: return QString::fromStdString(r.speciesName);
        case SummaryModel::Fish: return QString::number(r.count);
        case SummaryModel::Weight: return QString::fromStdString(r.weight.toString(3));
        case SummaryModel::Length: return QString::fromStdString(r.length.toString(2));
        case SummaryModel::LineClass: return QString::fromStdString(r.lineClass.toString(2));
        case SummaryModel::Heaviest3: return QString::fromStdString(r.heaviest3.toString(3));
        default: return {};
    }
}

// Edits a cell with a line that takes only what the column holds, and moves
// through the list by the keys of the list's own rules.
class SummaryDelegate : public QStyledItemDelegate {
public:
    explicit SummaryDelegate(SummaryView* view) : QStyledItemDelegate(view), view_(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* e = new QLineEdit(parent);
        e->setAlignment(Qt::AlignRight);
        const QString pattern = index.column() == SummaryModel::Fish ? R"(\d{0,6})"
                                : index.column() == SummaryModel::Weight || index.column() == SummaryModel::Heaviest3
                                    ? R"(\d{0,7}(\.\d{0,3})?)"
                                    : R"(\d{0,7}(\.\d{0,2})?)";
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), e));
        return e;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (!editor || event->type() != QEvent::KeyPress) return QStyledItemDelegate::eventFilter(object, event);
        auto* key = static_cast<QKeyEvent*>(event);
        int rows = 0, columns = 0;
        bool wrap = false;
        switch (key->key()) {
            case Qt::Key_Tab: columns = 1, wrap = true; break;
            case Qt::Key_Backtab: columns = -1; break;
            case Qt::Key_Left: columns = -1; break;
            case Qt::Key_Right: columns = 1; break;
            case Qt::Key_Up: rows = -1; break;
            case Qt::Key_Down:
            case Qt::Key_Return:
            case Qt::Key_Enter: rows = 1; break;
            case Qt::Key_Escape:
                emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
                return true;
            default: return QStyledItemDelegate::eventFilter(object, event);
        }
        const QModelIndex at = view_->currentIndex();
        QModelIndex next = view_->step(at, rows, columns);
        if (!next.isValid() && wrap) next = view_->firstEditable(at.row() + 1);  // on to the next row
        // Tab and Enter end editing past the last row; the arrows stay put at the edges.
        const bool endsAtEdge = wrap || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!next.isValid() && !endsAtEdge) return true;
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (next.isValid()) {
            SummaryView* view = view_;
            QTimer::singleShot(0, view, [view, next] {
                view->setCurrentIndex(next);
                view->edit(next);
            });
        }
        return true;
    }

private:
    SummaryView* view_;
};

}  // namespace

int SummaryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SummaryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Columns; }

QVariant SummaryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return shown(rows_[index.row()], index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant(index.column() == Species ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant SummaryModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section < Columns) return kHeaders[section];
    return {};
}

Qt::ItemFlags SummaryModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (editable_ && index.column() != Species) f |= Qt::ItemIsEditable;
    return f;
}

bool SummaryModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() == Species) return false;
    scoring::SummaryRow& r = rows_[index.row()];
    const std::string text = value.toString().trimmed().toStdString();
    if (index.column() == Fish) {
        bool ok = false;
        const int n = text.empty() ? 0 : QString::fromStdString(text).toInt(&ok);
        if (!text.empty() && !ok) return false;
        if (n == r.count) return true;
        r.count = n;
    } else {
        std::optional<Decimal> d = text.empty() ? Decimal(0) : Decimal::parse(text);
        if (!d) return false;
        Decimal* target = index.column() == Weight      ? &r.weight
                          : index.column() == Length    ? &r.length
                          : index.column() == LineClass ? &r.lineClass
                                                        : &r.heaviest3;
        const Decimal fitted = d->roundedTo(target->places());
        if (fitted == *target) return true;
        *target = fitted;
    }
    emit dataChanged(index, index);
    emit edited();
    return true;
}

void SummaryModel::setRows(std::vector<scoring::SummaryRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void SummaryModel::removeRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
    emit edited();
}

SummaryView::SummaryView(QWidget* parent) : QTableView(parent) {
    setItemDelegate(new SummaryDelegate(this));
    setEditTriggers(QAbstractItemView::DoubleClicked);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
}

bool SummaryView::editableColumn(int column) const {
    return column != SummaryModel::Species && !isColumnHidden(column);
}

QModelIndex SummaryView::step(const QModelIndex& at, int rows, int columns) const {
    if (!model() || !at.isValid()) return {};
    const int row = at.row() + rows, last = SummaryModel::Columns - 1;
    if (row < 0 || row >= model()->rowCount()) return {};
    int column = at.column();
    if (columns != 0) {
        do column += columns;
        while (column >= 0 && column <= last && !editableColumn(column));
    }
    if (column < 0 || column > last) return {};
    return model()->index(row, column);
}

QModelIndex SummaryView::firstEditable(int row) const {
    if (!model() || row < 0 || row >= model()->rowCount()) return {};
    for (int column = 0; column < SummaryModel::Columns; ++column)
        if (editableColumn(column)) return model()->index(row, column);
    return {};
}

void SummaryView::startEditing() {
    QModelIndex at = currentIndex();
    if (!at.isValid()) at = firstEditable(0);
    if (!at.isValid()) return;
    if (!editableColumn(at.column())) at = firstEditable(at.row());
    if (!at.isValid() || !(model()->flags(at) & Qt::ItemIsEditable)) return;
    setCurrentIndex(at);
    edit(at);
}

void SummaryView::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && state() != EditingState) {
        startEditing();
        return;
    }
    if (e->key() == Qt::Key_Delete && state() != EditingState) {
        auto* rows = qobject_cast<SummaryModel*>(model());
        if (rows && (rows->flags(rows->index(0, 1)) & Qt::ItemIsEditable) && currentIndex().isValid())
            rows->removeRow(currentIndex().row());
        return;
    }
    QTableView::keyPressEvent(e);
}

}  // namespace qv::trips
