#pragma once
// The "Fish Caught" list of the trip scoring form: one species summary row
// each, edited in place. Keys while editing: Tab and Right one column on
// (from the last column to the first of the next row), Shift+Tab and Left
// one back, Up and Down a row, Enter down a row; on the last row Tab and
// Enter end editing, as does Esc. Enter starts editing; Delete removes the
// highlighted row.

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include <vector>

#include "core/scoring/CatchScoring.h"

namespace qv::trips {

class SummaryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Species, Fish, Weight, Length, LineClass, Heaviest3, Columns };

    explicit SummaryModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    const std::vector<scoring::SummaryRow>& rows() const { return rows_; }
    void setRows(std::vector<scoring::SummaryRow> rows);
    void removeRow(int row);
    // Whether the user may edit the rows.
    void setEditable(bool on) { editable_ = on; }

signals:
    // A value was changed by the user.
    void edited();

private:
    std::vector<scoring::SummaryRow> rows_;
    bool editable_ = true;
};

class SummaryView : public QTableView {
    Q_OBJECT
public:
    explicit SummaryView(QWidget* parent = nullptr);
    // The next editable cell from `at` moving by (rows, columns); invalid
    // past the ends.
    QModelIndex step(const QModelIndex& at, int rows, int columns) const;
    // The first editable cell of a row; invalid past the ends.
    QModelIndex firstEditable(int row) const;
    // Opens the editor on the highlighted row's first editable column.
    void startEditing();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool editableColumn(int column) const;
};

}  // namespace qv::trips
