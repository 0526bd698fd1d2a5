#pragma once
// One table model for every browse list: the records of a file along a key,
// loaded a screenful at a time, so that a list of any length opens at once.

#include <QAbstractTableModel>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/data/Record.h"
#include "core/data/Store.h"

namespace qv::ui {

struct BrowseColumn {
    QString header;
    std::string field;  // shown as Record::display() unless `show` is given
    int widthChars = 0;
    std::function<QString(const data::Record&)> show = {};
    // The key that orders the list by this column. Without one (a looked-up
    // column, or a field no key leads with) the list reads all its records
    // and sorts them by the column's value.
    std::string sortKey = {};
};

struct ListSource {
    std::string file;
    std::string key;
    // Range: only records whose leading key components hold these values.
    std::vector<data::FieldValue> range;
    // Filter: only records for which this holds.
    std::function<bool(const data::Record&)> filter = {};
};

class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kChunk = 200;

    RecordTableModel(data::Store& store, ListSource source, std::vector<BrowseColumn> columns,
                     QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    // Orders the list by a column: along the column's key (lazily, walking
    // backwards for descending), else all records sorted by its value.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    const data::Record& record(int row) const { return rows_[row]; }
    const std::vector<BrowseColumn>& columns() const { return columns_; }
    // Starts again from the first record, e.g. after a change.
    void reload();
    // Reads every remaining record.
    void fetchAll();
    // The row of the record with this record number, loading further rows
    // as needed; -1 when it is not in the list.
    int rowOfRecno(int64_t recno);
    // The first row whose value in the column the list is ordered by comes
    // at or after `text` in the list's direction (texts by their start,
    // ignoring case), loading further rows as needed; -1 when none.
    int locate(const QString& text);
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return descending_ ? Qt::DescendingOrder : Qt::AscendingOrder; }
    // A failure met while reading, shown once by the list.
    const std::optional<Message>& failure() const { return failure_; }
    const ListSource& source() const { return source_; }
    // Lists the file along another key, range or filter (the same file),
    // from the first record and in the new key's own order.
    void setSource(ListSource source);

private:
    bool inRange(const data::Record& r) const;
    std::vector<data::Record> read(int count);
    void loadChunk(int count);
    // <0, 0, >0 as row `r`'s value in `col` comes before, with or after `other`'s.
    int compareCells(const data::Record& r, const data::Record& other, int col) const;
    QString shown(const data::Record& r, int col) const;

    data::Store& store_;
    ListSource source_;
    std::vector<BrowseColumn> columns_;
    std::vector<int> fieldOf_;
    std::unique_ptr<data::Cursor> cursor_;
    std::vector<data::Record> rows_;
    bool atEnd_ = false;
    bool metRange_ = false;
    std::optional<Message> failure_;
    // The order shown: the key walked (the list's own unless a heading chose
    // another), its direction, and the column sorted in memory (-1: none).
    std::string orderKey_;
    bool descending_ = false;
    bool walkBack_ = false;
    int sortColumn_ = 0;
    int memoryColumn_ = -1;
};

}  // namespace qv::ui
