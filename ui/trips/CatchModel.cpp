#include "ui/trips/CatchModel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "core/data/FixedText.h"
#include "core/data/Typed.h"
#include "core/scoring/Seasons.h"

namespace qv::trips {

using namespace qv::data;

namespace {

const char* const kHeaders[] = {"Species Name", "Line Class", "Weight", "Length", "Catch", "Witness Name", "Fly"};
const QStringList kCatch = {"Caught", "Release", "No Record"};
const QStringList kFly = {"Fly", "Non-Fly", "No Record"};

QString text(const std::string& s) { return QString::fromStdString(std::string(clip(s))); }

}  // namespace

CatchModel::CatchModel(Store& store, int32_t tripMemberId, std::vector<Species> species, QObject* parent)
    : QAbstractTableModel(parent), store_(store), tripMemberId_(tripMemberId), species_(std::move(species)) {
    reload();
}

void CatchModel::reload() {
    beginResetModel();
    catches_.clear();
    FileUse use(store_, "TripCatch");
    Status s = scoring::detail::walkRecords<TripCatch>(store_, "byTripMemberId",
                                                       {scoring::detail::number(tripMemberId_)},
                                                       [&](const TripCatch& c) {
                                                           if (c.TripMemberId != tripMemberId_) return false;
                                                           catches_.push_back(c);
                                                           return true;
                                                       });
    if (!s) failure_ = s.message();
    endResetModel();
}

int CatchModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(catches_.size());
}

int CatchModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Columns; }

QVariant CatchModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const TripCatch& c = catches_[index.row()];
    if (role == Qt::TextAlignmentRole) {
        const bool number = index.column() == LineClass || index.column() == Weight || index.column() == Length;
        return QVariant((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    switch (index.column()) {
        case SpeciesName: return text(c.SpeciesName);
        case LineClass: return QString::fromStdString(c.LineClass.toString(2));
        case Weight: return QString::fromStdString(c.SpeciesWeight.toString(3));
        case Length: return QString::fromStdString(c.SpeciesLength.toString(2));
        case Catch: return text(c.ReleaseKill);
        case Witness: return text(c.WitnessName);
        case Fly: return text(c.FlyCaught);
        default: return {};
    }
}

QVariant CatchModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section < Columns) return kHeaders[section];
    return {};
}

Qt::ItemFlags CatchModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    return editable_ ? f | Qt::ItemIsEditable : f;
}

bool CatchModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount()) return false;
    TripCatch c = catches_[index.row()];
    const std::string v = value.toString().trimmed().toStdString();
    auto decimal = [&](Decimal& target) {
        std::optional<Decimal> d = v.empty() ? Decimal(0) : Decimal::parse(v);
        if (!d) return false;
        target = d->roundedTo(target.places());
        return true;
    };
    switch (index.column()) {
        case SpeciesName: {
            // Choosing a species takes its current fight factor with it.
            auto it = std::find_if(species_.begin(), species_.end(),
                                   [&](const Species& s) { return sameText(s.SpeciesName, v); });
            if (it == species_.end()) return false;
            c.SpeciesId = it->SpeciesId;
            c.SpeciesName = it->SpeciesName;
            c.FightFactor = it->FightFactor;
            break;
        }
        case LineClass: if (!decimal(c.LineClass)) return false; break;
        case Weight: if (!decimal(c.SpeciesWeight)) return false; break;
        case Length: if (!decimal(c.SpeciesLength)) return false; break;
        case Catch: c.ReleaseKill = v; break;
        case Witness: c.WitnessName = v; break;
        case Fly: c.FlyCaught = v; break;
        default: return false;
    }
    if (!store(c)) return false;
    catches_[index.row()] = c;
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), Columns - 1));
    return true;
}

bool CatchModel::store(TripCatch& c) {
    FileUse use(store_, "TripCatch");
    Status s = c.stamp.recno ? updateRecord(store_, c) : insertRecord(store_, c);
    if (!s) failure_ = s.message();
    return s.isOk();
}

int CatchModel::addCatch(Decimal lineClass) {
    TripCatch c;
    {
        FileUse use(store_, "TripCatch");
        Record r = store_.newRecord("TripCatch");
        if (Status s = store_.primeForInsert(r); !s) {
            failure_ = s.message();
            return -1;
        }
        c.fromRecord(r);
    }
    c.TripMemberId = tripMemberId_;
    c.LineClass = lineClass;
    if (!store(c)) return -1;
    const int row = rowCount();
    beginInsertRows({}, row, row);
    catches_.push_back(c);
    endInsertRows();
    return row;
}

bool CatchModel::removeCatch(int row) {
    if (row < 0 || row >= rowCount()) return false;
    FileUse use(store_, "TripCatch");
    if (Status s = removeRecord(store_, catches_[row]); !s) {
        failure_ = s.message();
        return false;
    }
    beginRemoveRows({}, row, row);
    catches_.erase(catches_.begin() + row);
    endRemoveRows();
    return true;
}

bool CatchModel::complete(const TripCatch& c) {
    return !clip(c.SpeciesName).empty() && !(c.SpeciesWeight.isZero() && c.SpeciesLength.isZero()) &&
           !clip(c.ReleaseKill).empty() && !clip(c.FlyCaught).empty();
}

std::optional<Message> CatchModel::takeFailure() {
    std::optional<Message> f;
    f.swap(failure_);
    return f;
}

QWidget* CatchDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    const auto* model = static_cast<const CatchModel*>(index.model());
    QStringList items;
    if (index.column() == CatchModel::SpeciesName)
        for (const Species& s : model->species()) items << text(s.SpeciesName);
    else if (index.column() == CatchModel::Catch)
        items = kCatch;
    else if (index.column() == CatchModel::Fly)
        items = kFly;
    if (!items.isEmpty()) {
        auto* box = new QComboBox(parent);
        box->addItems(items);
        return box;
    }
    auto* e = qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
    if (e && index.column() != CatchModel::Witness) {
        e->setAlignment(Qt::AlignRight);
        const QString pattern = index.column() == CatchModel::Weight ? R"(\d{0,7}(\.\d{0,3})?)" : R"(\d{0,7}(\.\d{0,2})?)";
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), e));
    } else if (e) {
        e->setMaxLength(50);
    }
    return e;
}

void CatchDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        box->setCurrentIndex(box->findText(index.data(Qt::EditRole).toString()));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CatchDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        if (box->currentIndex() >= 0) model->setData(index, box->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

}  // namespace qv::trips
