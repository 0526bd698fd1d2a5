#include "ui/framework/RecordTableModel.h"

#include "core/data/FixedText.h"

namespace qv::ui {

using namespace qv::data;

RecordTableModel::RecordTableModel(Store& store, ListSource source, std::vector<BrowseColumn> columns,
                                   QObject* parent)
    : QAbstractTableModel(parent), store_(store), source_(std::move(source)), columns_(std::move(columns)) {
    Record probe = store_.newRecord(source_.file);
    for (const auto& c : columns_) fieldOf_.push_back(c.field.empty() ? -1 : probe.def().fieldIndex(c.field));
    reload();
}

void RecordTableModel::reload() {
    beginResetModel();
    rows_.clear();
    atEnd_ = false;
    cursor_.reset();
    Status s = store_.walk(source_.file, source_.key, source_.range, false, cursor_);
    if (!s) {
        failure_ = s.message();
        atEnd_ = true;
    }
    endResetModel();
    loadChunk(kChunk);
}

void RecordTableModel::setKey(const std::string& key) {
    source_.key = key;
    source_.range.clear();
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

void RecordTableModel::loadChunk(int count) {
    if (atEnd_ || !cursor_) return;
    std::vector<Record> fresh;
    Record rec = store_.newRecord(source_.file);
    while (static_cast<int>(fresh.size()) < count) {
        Status s = cursor_->next(rec);
        if (!s) {
            if (s.isFailed()) failure_ = s.message();
            atEnd_ = true;
            break;
        }
        if (!inRange(rec)) {
            atEnd_ = true;
            break;
        }
        if (source_.filter && !source_.filter(rec)) continue;
        fresh.push_back(rec);
    }
    if (fresh.empty()) return;
    beginInsertRows({}, static_cast<int>(rows_.size()), static_cast<int>(rows_.size() + fresh.size() - 1));
    for (auto& r : fresh) rows_.push_back(std::move(r));
    endInsertRows();
}

int RecordTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RecordTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const Record& r = rows_[index.row()];
    const BrowseColumn& c = columns_[index.column()];
    if (role == Qt::DisplayRole) {
        if (c.show) return c.show(r);
        int f = fieldOf_[index.column()];
        return f < 0 ? QVariant() : QString::fromStdString(r.display(f));
    }
    if (role == Qt::TextAlignmentRole) {
        int f = fieldOf_[index.column()];
        if (f >= 0 && r.def().fields[f].kind != FieldKind::Text && r.def().fields[f].kind != FieldKind::Date)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section < static_cast<int>(columns_.size()))
        return columns_[section].header;
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

int RecordTableModel::locate(int col, const QString& text) {
    const std::string wanted = text.toStdString();
    for (size_t i = 0;; ++i) {
        if (i == rows_.size()) {
            if (atEnd_) return -1;
            loadChunk(kChunk);
            if (i == rows_.size()) return -1;
        }
        std::string shown = data(index(static_cast<int>(i), col), Qt::DisplayRole).toString().toStdString();
        if (compareText(shown.substr(0, wanted.size()), wanted, false) >= 0) return static_cast<int>(i);
    }
}

}  // namespace qv::ui
