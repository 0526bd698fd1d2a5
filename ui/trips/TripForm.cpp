// frmTrips, "Add / Edit Trip Details": one trip with its trophies.

#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/scoring/ScoringContext.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/RecordTableModel.h"
#include "ui/framework/WindowRegistry.h"
#include "ui/members/MemberWindows.h"
#include "ui/trips/TripContext.h"
#include "ui/trips/TripWindows.h"

namespace qv::trips {

using namespace qv::data;
using namespace qv::ui;

namespace {

const char* const kTripNumberKey = "byDivisionIdSesaonIdTripNumberUnique";

bool scorer(StandardForm& form) { return form.context().globals.SecurityLevel == scoring::kScorerLevel; }

// A calendar under the date field; the chosen day goes into the field.
void pickDate(StandardForm& form) {
    auto* field = qobject_cast<QLineEdit*>(form.fieldWidget("TripDate"));
    QDialog pick(&form);
    pick.setWindowTitle("Select a Date");
    auto* layout = new QVBoxLayout(&pick);
    auto* calendar = new QCalendarWidget(&pick);
    calendar->setGridVisible(true);
    if (auto d = Date::parse(field->text().toStdString()); d && !d->isBlank()) {
        const CivilDate c = d->civil();
        calendar->setSelectedDate(QDate(c.year, c.month, c.day));
    }
    layout->addWidget(calendar);
    QObject::connect(calendar, &QCalendarWidget::activated, &pick, &QDialog::accept);
    if (pick.exec() != QDialog::Accepted) return;
    const QDate d = calendar->selectedDate();
    if (auto date = Date::fromCivil(d.year(), d.month(), d.day())) {
        field->setText(QString::fromStdString(date->format()));
        field->setModified(true);
    }
    field->setFocus();
}

// The trip's trophies: the TripTrophy records of the trip.
class TrophyList : public QObject {
public:
    explicit TrophyList(StandardForm& form) : QObject(&form), form_(form) {
        setObjectName("trophyListState");
        AppContext& ctx = form.context();
        Store& store = ctx.store;
        const Record& trip = form.savedCopy();
        tripId_ = static_cast<int32_t>(trip.number(trip.field("TripId")));
        auto* box = new QGroupBox("Trophies && Awards", &form);
        box->setObjectName("trophies");
        auto* layout = new QVBoxLayout(box);
        ListSource source{"TripTrophy", "byTripId", {FieldValue{tripId_, {}}}};
        Store* st = &store;
        model_ = new RecordTableModel(
            store, source,
            {{"Member", "", 24, [st](const Record& r) { return memberName(*st, r.number(r.field("MemberId"))); }},
             {"NonMember", "", 24,
              [st](const Record& r) { return nonMemberName(*st, r.number(r.field("NonMemberId"))); }},
             {"Trophy Name", "", 28,
              [st](const Record& r) { return trophyName(*st, r.number(r.field("TrophyId"))); }},
             {"Trip Id", "TripId", 7},
             {"Trophy History ID", "TrophyHistoryId", 8}},
            box);
        view_ = new QTableView(box);
        view_->setObjectName("trophyList");
        view_->setModel(model_);
        view_->setSelectionBehavior(QAbstractItemView::SelectRows);
        view_->setSelectionMode(QAbstractItemView::SingleSelection);
        view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view_->setTabKeyNavigation(false);
        view_->verticalHeader()->hide();
        view_->horizontalHeader()->setStretchLastSection(true);
        view_->setMinimumHeight(110);
        view_->setMaximumHeight(150);
        for (int c : {0, 1, 2}) view_->setColumnWidth(c, 140);
        view_->setColumnWidth(3, 60);
        layout->addWidget(view_);
        auto* buttons = new QHBoxLayout;
        const std::pair<const char*, const char*> names[] = {
            {"&Insert", "trophyInsert"}, {"C&hange", "trophyChange"}, {"Dele&te", "trophyDelete"}};
        for (const auto& [text, name] : names) {
            auto* b = new QPushButton(text, box);
            b->setObjectName(name);
            b->setAutoDefault(false);
            b->setEnabled(form.request() == Request::Insert || form.request() == Request::Change);
            const Request request = QString(name) == "trophyInsert"   ? Request::Insert
                                    : QString(name) == "trophyChange" ? Request::Change
                                                                      : Request::Delete;
            QObject::connect(b, &QPushButton::clicked, &form, [this, request] { openTrophyForm(request); });
            buttons->addWidget(b);
        }
        buttons->addStretch(1);
        layout->addLayout(buttons);
        form.extraArea()->addWidget(box);
        if (model_->rowCount() > 0) view_->selectRow(0);
    }
    // The NonMember column shows only on a trip that allows non-members.
    void showNonMembers(bool on) { view_->setColumnHidden(1, !on); }

private:
    void openTrophyForm(Request request) {
        AppContext& ctx = form_.context();
        tripValues().allowNonMembers = form_.fieldValue("AllowNonMembers").toStdString();
        if (tripValues().allowNonMembers == "Y") ctx.globals.TripId = tripId_;
        Record award = ctx.store.newRecord("TripTrophy");
        if (request == Request::Insert) {
            award.setNumber(award.field("TripId"), tripId_);
        } else {
            const QModelIndexList rows = view_->selectionModel()->selectedRows();
            if (rows.isEmpty()) return;
            award = model_->record(rows.first().row());
        }
        if (members::openTripTrophyForm(ctx, request, award, tripValues().allowNonMembers, &form_)) model_->reload();
    }

    StandardForm& form_;
    int32_t tripId_ = 0;
    RecordTableModel* model_ = nullptr;
    QTableView* view_ = nullptr;
};

// "Add Non-Members" and the NonMember column follow the check box.
void showNonMemberParts(StandardForm& form, TrophyList* trophies) {
    const bool allow = form.fieldValue("AllowNonMembers") == "Y";
    if (auto* b = form.findChild<QPushButton*>("AllowNonMembers_button")) b->setVisible(allow);
    if (trophies) trophies->showNonMembers(allow);
}

}  // namespace

bool tripNumberFree(StandardForm& form) {
    Store& store = form.context().store;
    const Record trip = form.buffer();
    FileUse use(store, "Trips");
    Record probe = store.newRecord("Trips");
    for (const char* f : {"SeasonId", "DivisionId", "SeasonTripNumber"}) probe[probe.field(f)] = trip[trip.field(f)];
    if (!use || !store.fetch(probe, kTripNumberKey)) return true;
    if (probe.number(probe.field("TripId")) == trip.number(trip.field("TripId"))) return true;
    MessageContext mc;
    mc.file = "Trips";
    mc.key = kTripNumberKey;
    mc.message = probe.def().key(kTripNumberKey)->description;
    showFailure(&form, standardMessage(15, mc));
    if (auto* e = qobject_cast<QLineEdit*>(form.fieldWidget("SeasonTripNumber"))) {
        e->setFocus();
        e->selectAll();
    }
    return false;
}

FormSpec tripForm() {
    FormSpec design;
    design.procedure = "frmTrips";
    design.title = "Add / Edit Trip Details";
    design.file = "Trips";
    FormField division{"DivisionId", "Di&vision:", FieldWidget::Choice};
    // A new trip chooses among the active divisions; an existing one keeps its own.
    division.choices = choicesOf("Division", "byDivisionName", "DivisionId", "DivisionName");
    FormField season{"SeasonId", "&Season:", FieldWidget::Choice};
    season.choices = choicesOf("Season", "bySeasonId", "SeasonId", "SeasonId");
    FormField date{"TripDate", "Trip &Date:", FieldWidget::Date};
    date.buttonText = "Select a Date";
    date.onButton = pickDate;
    FormField allow{"AllowNonMembers", "", FieldWidget::Check};
    allow.checkText = " &Allow Non-Members";
    allow.buttonText = "Add Non-&Members";
    allow.onButton = [](StandardForm& form) {
        const Record& trip = form.savedCopy();
        form.context().globals.TripId = static_cast<int32_t>(trip.number(trip.field("TripId")));
        // The member list opens on the trip's non-members.
        members::memberValues().openedForTrip = true;
        runWindow("brwMembers", form.context(), &form);
    };
    design.fields = {division,
                     season,
                     {"SeasonTripNumber", "Trip &Number:"},
                     date,
                     {"TripLocation", "Trip &Location:"},
                     {"InterClubTripDesc", "Inte&rclub Trip Description:"},
                     allow};

    design.onOpen = [](StandardForm& form) {
        AppContext& ctx = form.context();
        const bool editable = form.request() == Request::Insert || form.request() == Request::Change;
        auto* division = qobject_cast<QComboBox*>(form.fieldWidget("DivisionId"));
        if (form.request() == Request::Insert) {
            // Only active divisions for a new trip; the list's choice comes first.
            const Choices active = recordChoices(ctx, "Division", "byDivisionName", "DivisionId", "DivisionName",
                                                 [](const Record& r) { return r.text(r.field("InactiveFlag")) != "Y"; });
            division->clear();
            for (const auto& [id, name] : active) division->addItem(name, id);
            const Record& trip = form.savedCopy();
            division->setCurrentIndex(division->findData(QString::number(trip.number(trip.field("DivisionId")))));
        } else {
            division->setEnabled(false);
        }
        if (scorer(form)) {
            // A scorer's trips belong to the season the scorer works in.
            form.setFieldValue("SeasonId", QString::fromStdString(ctx.globals.SeasonId.str()));
            form.fieldWidget("SeasonId")->setEnabled(false);
        }
        if (auto* e = qobject_cast<QLineEdit*>(form.fieldWidget("InterClubTripDesc")))
            e->setPlaceholderText("Details if trip is an Inter-club event");
        if (auto* b = form.findChild<QPushButton*>("TripDate_button")) {
            b->setToolTip("Select a Date");
            // The calendar button right beside the date.
            if (auto* row = qobject_cast<QHBoxLayout*>(b->parentWidget()->layout())) {
                row->setStretch(0, 0);
                row->addStretch(1);
            }
        }
        form.setMinimumWidth(600);
        auto* trophies = new TrophyList(form);
        showNonMemberParts(form, trophies);
        if (!editable)
            for (auto* b : form.findChildren<QPushButton*>())
                if (b != form.okButton() && b != form.closeButton()) b->setEnabled(false);
        // Leaving the form clears what it was opened with.
        QObject::connect(&form, &QDialog::finished, &form, [&ctx] {
            ctx.globals.TripId = 0;
            tripValues().allowNonMembers.clear();
        });
    };
    design.onChange = [](StandardForm& form, const std::string& field) {
        if (field == "AllowNonMembers")
            showNonMemberParts(form, static_cast<TrophyList*>(form.findChild<QObject*>("trophyListState")));
    };
    design.onLeave = [](StandardForm& form, const std::string& field) {
        return field != "SeasonTripNumber" || tripNumberFree(form);
    };
    design.check = [](StandardForm& form) {
        for (const auto& [field, what] : {std::pair{"DivisionId", "division"}, std::pair{"SeasonId", "season"}})
            if (form.fieldValue(field).trimmed().isEmpty() || form.fieldValue(field) == "0") {
                inform(&form, std::string("Please choose the ") + what + " of the trip.");
                form.fieldWidget(field)->setFocus();
                return false;
            }
        return tripNumberFree(form);
    };
    return design;
}

}  // namespace qv::trips
