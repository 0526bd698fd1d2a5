#include "ui/framework/RecordTableModel.h"

#include <algorithm>
#include <climits>

#include "core/data/FixedText.h"

namespace qv::ui {

using namespace qv::data;

RecordTableModel::RecordTableModel(Store& store, ListSource source, std::vector<BrowseColumn> columns,
                                   QObject* parent)
    : QAbstractTableModel(parent), store_(store), source_(std::move(source)), columns_(std::move(columns)) {
    Record probe = store_.newRecord(source_.file);
    for (const auto& c : columns_) fieldOf_.push_back(c.field.empty() ? -1 : probe.def().fieldIndex(c.field));
    orderKey_ = source_.key;
    for (size_t i = 0; i < columns_.size(); ++i)
        if (!source_.key.empty() && columns_[i].sortKey == source_.key) {
            sortColumn_ = static_cast<int>(i);
            break;
        }
    reload();
}

void RecordTableModel::reload() {
    beginResetModel();
    rows_.clear();
    atEnd_ = false;
    metRange_ = false;
    cursor_.reset();
    // Along the list's own key its range is where the walk starts (or, walking
    // back, where it stops); along another key the range only filters.
    walkBack_ = descending_ && memoryColumn_ < 0;
    const bool ownForward = orderKey_ == source_.key && !walkBack_;
    Status s = store_.walk(source_.file, orderKey_, ownForward ? source_.range : std::vector<FieldValue>{},
                           walkBack_, cursor_);
    if (!s) {
        failure_ = s.message();
        atEnd_ = true;
    }
    if (memoryColumn_ >= 0) {
        rows_ = read(INT_MAX);
        // Equal values keep the list's own order either way.
        const int col = memoryColumn_, sign = descending_ ? -1 : 1;
        std::stable_sort(rows_.begin(), rows_.end(), [this, col, sign](const Record& a, const Record& b) {
            return sign * compareCells(a, b, col) < 0;
        });
    }
    endResetModel();
    loadChunk(kChunk);
}

void RecordTableModel::setSource(ListSource source) {
    source_ = std::move(source);
    orderKey_ = source_.key;
    descending_ = false;
    memoryColumn_ = -1;
    sortColumn_ = 0;
    for (size_t i = 0; i < columns_.size(); ++i)
        if (!source_.key.empty() && columns_[i].sortKey == source_.key) {
            sortColumn_ = static_cast<int>(i);
            break;
        }
    reload();
}

void RecordTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= static_cast<int>(columns_.size())) return;
    const std::string& key = columns_[column].sortKey;
    const std::string orderKey = key.empty() ? source_.key : key;
    const int memoryColumn = key.empty() ? column : -1;
    const bool descending = order == Qt::DescendingOrder;
    if (orderKey == orderKey_ && memoryColumn == memoryColumn_ && descending == descending_) {
        sortColumn_ = column;
        return;  // already in that order
    }
    sortColumn_ = column;
    orderKey_ = orderKey;
    memoryColumn_ = memoryColumn;
    descending_ = descending;
    reload();
}

bool RecordTableModel::inRange(const Record& r) const {
    if (source_.range.empty() || source_.key.empty()) return true;
    const KeyDef* k = r.def().key(source_.key);
    for (size_t i = 0; i < source_.range.size() && i < k->components.size(); ++i) {
        const KeyComponent& c = k->components[i];
        const FieldDef& f = r.def().fields[c.field];
        if (f.kind == FieldKind::Text) {
            if (compareText(r[c.field].text, source_.range[i].text, k->caseSensitive) != 0) return false;
        } else if (r[c.field].num != source_.range[i].num) {
            return false;
        }
    }
    return true;
}

std::vector<Record> RecordTableModel::read(int count) {
    std::vector<Record> fresh;
    if (atEnd_ || !cursor_) return fresh;
    const bool alongOwnKey = orderKey_ == source_.key;
    Record rec = store_.newRecord(source_.file);
    while (static_cast<int>(fresh.size()) < count) {
        Status s = cursor_->next(rec);
        if (!s) {
            if (s.isFailed()) failure_ = s.message();
            atEnd_ = true;
            break;
        }
        if (!inRange(rec)) {
            // Along the list's own key the range is one run of records.
            if (alongOwnKey && (metRange_ || !walkBack_)) {
                atEnd_ = true;
                break;
            }
            continue;
        }
        metRange_ = true;
        if (source_.filter && !source_.filter(rec)) continue;
        fresh.push_back(rec);
    }
    return fresh;
}

void RecordTableModel::loadChunk(int count) {
    std::vector<Record> fresh = read(count);
    if (fresh.empty()) return;
    beginInsertRows({}, static_cast<int>(rows_.size()), static_cast<int>(rows_.size() + fresh.size() - 1));
    for (auto& r : fresh) rows_.push_back(std::move(r));
    endInsertRows();
}

void RecordTableModel::fetchAll() {
    while (!atEnd_) loadChunk(kChunk * 10);
}

int RecordTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RecordTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QString RecordTableModel::shown(const Record& r, int col) const {
    if (columns_[col].show) return columns_[col].show(r);
    const int f = fieldOf_[col];
    return f < 0 ? QString() : QString::fromStdString(r.display(f));
}

int RecordTableModel::compareCells(const Record& r, const Record& other, int col) const {
    const int f = fieldOf_[col];
    if (columns_[col].show || f < 0)
        return compareText(shown(r, col).toStdString(), shown(other, col).toStdString(), false);
    if (r.def().fields[f].kind == FieldKind::Text) return compareText(r.text(f), other.text(f), false);
    return r.number(f) < other.number(f) ? -1 : r.number(f) > other.number(f) ? 1 : 0;
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const Record& r = rows_[index.row()];
    if (role == Qt::DisplayRole) return shown(r, index.column());
    if (role == Qt::TextAlignmentRole) {
        int f = fieldOf_[index.column()];
        if (f >= 0 && r.def().fields[f].kind != FieldKind::Text && r.def().fields[f].kind != FieldKind::Date)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || section >= static_cast<int>(columns_.size())) return {};
    if (role == Qt::DisplayRole) return columns_[section].header;
    // A heading clicked for the first time sorts from the start of the alphabet.
    if (role == Qt::InitialSortOrderRole) return static_cast<int>(Qt::AscendingOrder);
    return {};
}

bool RecordTableModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !atEnd_;
}

void RecordTableModel::fetchMore(const QModelIndex& parent) {
    if (!parent.isValid()) loadChunk(kChunk);
}

int RecordTableModel::rowOfRecno(int64_t recno) {
    for (size_t i = 0;; ++i) {
        if (i == rows_.size()) {
            if (atEnd_) return -1;
            loadChunk(kChunk);
            if (i == rows_.size()) return -1;
        }
        if (rows_[i].stamp.recno == recno) return static_cast<int>(i);
    }
}

int RecordTableModel::locate(const QString& text) {
    if (columns_.empty() || text.isEmpty()) return -1;
    const int col = sortColumn_;
    const int f = fieldOf_[col];
    const std::string wanted = text.toStdString();
    // A number or date is compared by its value, so it must read as one.
    Record probe = store_.newRecord(source_.file);
    const bool byValue = !columns_[col].show && f >= 0 && probe.def().fields[f].kind != FieldKind::Text;
    if (byValue && !probe.assign(f, wanted)) return -1;
    for (size_t i = 0;; ++i) {
        if (i == rows_.size()) {
            if (atEnd_) return -1;
            loadChunk(kChunk);
            if (i == rows_.size()) return -1;
        }
        int c = byValue ? compareCells(rows_[i], probe, col)
                        : compareText(shown(rows_[i], col).toStdString().substr(0, wanted.size()), wanted, false);
        if (descending_ ? c <= 0 : c >= 0) return static_cast<int>(i);
    }
}

}  // namespace qv::ui
