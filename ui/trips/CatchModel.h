#pragma once
// The "Individual Catch Details" list of the trip scoring form: the trip
// member's TripCatch records, edited in place and written as they are
// edited, each catch in its own write.

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include <optional>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/Store.h"
#include "core/data/TripRecords.h"

namespace qv::trips {

class CatchModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { SpeciesName, LineClass, Weight, Length, Catch, Witness, Fly, Columns };

    // The catches of `tripMemberId`; `species` are those a catch may name.
    CatchModel(data::Store& store, int32_t tripMemberId, std::vector<data::Species> species,
               QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Reads the catches again (after scoring wrote their scores).
    void reload();
    // A new catch with the default line class, stored; its row or -1.
    int addCatch(Decimal lineClass);
    bool removeCatch(int row);
    const data::TripCatch& at(int row) const { return catches_[row]; }
    const std::vector<data::TripCatch>& catches() const { return catches_; }
    const std::vector<data::Species>& species() const { return species_; }
    void setEditable(bool on) { editable_ = on; }
    // The first check a catch fails, in order: species, weight or length,
    // Catch, Fly; none when it is complete.
    static bool complete(const data::TripCatch& c);
    // A write the file layer refused, to be shown once.
    std::optional<Message> takeFailure();

private:
    bool store(data::TripCatch& c);

    data::Store& store_;
    int32_t tripMemberId_;
    std::vector<data::Species> species_;
    std::vector<data::TripCatch> catches_;
    std::optional<Message> failure_;
    bool editable_ = true;
};

class CatchView : public QTableView {
public:
    using QTableView::QTableView;
    bool editing() const { return state() == EditingState; }
};

// Drop lists for the species, Catch and Fly columns; lines for the others.
class CatchDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

}  // namespace qv::trips
