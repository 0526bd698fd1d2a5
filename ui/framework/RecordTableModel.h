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

    const data::Record& record(int row) const { return rows_[row]; }
    const std::vector<BrowseColumn>& columns() const { return columns_; }
    // Starts again from the first record, e.g. after a change.
    void reload();
    // The row of the record with this record number, loading further rows
    // as needed; -1 when it is not in the list.
    int rowOfRecno(int64_t recno);
    // The first row whose column `col` starts at or after `text` (ignoring
    // case), loading further rows as needed; -1 when none.
    int locate(int col, const QString& text);
    // A failure met while reading, shown once by the list.
    const std::optional<Message>& failure() const { return failure_; }
    void setKey(const std::string& key);
    const ListSource& source() const { return source_; }

private:
    bool inRange(const data::Record& r) const;
    void loadChunk(int count);

    data::Store& store_;
    ListSource source_;
    std::vector<BrowseColumn> columns_;
    std::vector<int> fieldOf_;
    std::unique_ptr<data::Cursor> cursor_;
    std::vector<data::Record> rows_;
    bool atEnd_ = false;
    std::optional<Message> failure_;
};

}  // namespace qv::ui
