#include "ui/trips/TripScoringForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGroupBox>

#include "ui/trips/WorkingPanel.h"
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "core/data/FixedText.h"
#include "core/data/Typed.h"
#include "core/scoring/Seasons.h"
#include "core/scoring/TripMemberScoring.h"
#include "core/scoring/Winners.h"
#include "ui/framework/MessageService.h"
#include "ui/trips/CatchModel.h"
#include "ui/trips/SummaryModel.h"
#include "ui/trips/TripWindows.h"

namespace qv::trips {

using namespace qv::data;
using namespace qv::ui;
namespace sd = qv::scoring::detail;

namespace {

const char* const kNoAngler = "Please select a member for this scoring record.";
const char* const kAffectsScore = "Please be aware that changing any details will affect the score.";

// The fields the scoring steps set, shown as the file layer shows them.
const char* const kScored[] = {"MemberId",    "NonMemberId",     "TripCatchList",   "TotalNumberFish",
                               "TotalWeightFish", "Handicap",    "TotalTripPoints", "ProgressPoints"};

// While Cancel is disabled (an incomplete catch), Escape does not close the form.
class HoldEscape : public QObject {
public:
    explicit HoldEscape(StandardForm& form) : QObject(&form), form_(form) { form.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        return e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape &&
               !form_.closeButton()->isEnabled();
    }

private:
    StandardForm& form_;
};

// Runs `run` when `w` takes the focus.
class OnFocus : public QObject {
public:
    OnFocus(QWidget* w, std::function<void()> run) : QObject(w), run_(std::move(run)) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::FocusIn) run_();
        return false;
    }

private:
    std::function<void()> run_;
};

}  // namespace

TripScoring* tripScoringOf(StandardForm& form) { return form.findChild<TripScoring*>(); }

TripScoring::~TripScoring() = default;

TripScoring::TripScoring(StandardForm& form) : QObject(&form), form_(form), ctx_(form.context()) {
    session::Globals& g = ctx_.globals;
    scoring_ = std::make_unique<ScoringScope>(ctx_);
    tm_.fromRecord(form.savedCopy());
    readTrip(ctx_.store, g.TripId, trip_);
    scoring::SeasonRules season;
    scoring::readSeasonRules(ctx_.store, g.SeasonId.str(), season);
    letter_ = std::string(clip(season.scoring));
    fightFactor_ = rules().settings().FightFactorScoring == 1;
    individual_ = rules().settings().IndividualCatchesApplies == 1;
    editable_ = form.request() == Request::Insert || form.request() == Request::Change;
    changing_ = tripValues().changeFlag == "Y";
    g.TripMemberId = tm_.TripMemberId;

    // The division's active species, by report position.
    {
        FileUse use(ctx_.store, "Species");
        sd::walkRecords<Species>(ctx_.store, "byDivisionIdReportPosition", {sd::number(g.DivisionId)},
                                 [&](const Species& s) {
                                     if (s.DivisionId != g.DivisionId) return false;
                                     if (s.InactiveFlag == "N") species_.push_back(s);
                                     return true;
                                 });
    }

    secondOk = new QPushButton("&OK", &form);
    secondOk->setObjectName("secondOk");
    secondOk->setAutoDefault(false);
    secondOk->setToolTip("Update the summary from the catches first");
    if (auto* box = qobject_cast<QDialogButtonBox*>(form.okButton()->parentWidget()))
        box->addButton(secondOk, QDialogButtonBox::ActionRole);
    secondOk->hide();
    connect(secondOk, &QPushButton::clicked, this, &TripScoring::pressSecondOk);

    buildAnglerArea();
    buildSummaryTab();
    if (individual_) buildCatchTab();

    // The season's letter and the scoring mode choose the columns shown.
    summaryView->setColumnHidden(SummaryModel::Weight, letter_ == "L");
    summaryView->setColumnHidden(SummaryModel::Heaviest3, letter_ == "L" || letter_ == "B");
    summaryView->setColumnHidden(SummaryModel::Length, letter_ == "W");
    summaryView->setColumnHidden(SummaryModel::LineClass, !fightFactor_ || individual_);
    if (catchView) catchView->setColumnHidden(CatchModel::LineClass, !fightFactor_);
    if (QLabel* l = form.label("TotalWeightFish"))
        l->setText(letter_ == "L" ? "Total Length Of Fish:" : "Total Weight Of Fish:");
    form.setFieldVisible("TotalWeightFish", !individual_);

    // The summary rows, once per opening.
    const bool hasAngler = tm_.MemberId != 0 || tm_.NonMemberId != 0;
    std::vector<scoring::SummaryRow> rows;
    if (hasAngler) {
        state_ = "N";
        if (Status s = scoring::loadSummaryRows(ctx_.store, tm_.TripMemberId, rows); !s) failed(s);
    } else {
        state_ = "Y";
        rows = speciesRows();
    }
    summary->setRows(std::move(rows));
    summary->setEditable(editable_ && !(hasAngler && tm_.TripCatchList == "Y"));
    catchRecorded->setText(form.request() == Request::Insert ? QString()
                           : tm_.TripCatchList == "Y"        ? "Yes"
                                                             : "No");
    buildWorkingTab();
    pull();
    showWorking();
    if (form.request() == Request::Insert) {
        form.okButton()->setEnabled(false);
        // A new angler starts at the pick list.
        QTimer::singleShot(0, memberPicks, [this] { memberPicks->setFocus(); });
    } else {
        QTimer::singleShot(0, summaryView, [this] { summaryView->setFocus(); });
    }

    // Points are worked out for the total weight and the penalty as they are entered.
    if (QWidget* penalty = form.fieldWidget("Penalty")) new OnFocus(penalty, [this] { penaltyEntered(); });
    new HoldEscape(form);
    // Worked out, not typed: shown plainly and passed over by Tab.
    auto computed = [&form](const char* f) {
        if (auto* e = qobject_cast<QLineEdit*>(form.fieldWidget(f))) {
            e->setReadOnly(true);
            e->setFocusPolicy(Qt::NoFocus);
        }
    };
    computed("TotalNumberFish");
    if (rules().scorer())
        for (const char* f : {"TotalTripPoints", "ProgressPoints"}) computed(f);

    connect(&form, &QDialog::finished, this, [this](int result) {
        tripValues().changeFlag.clear();
        // Catches entered for an angler who was never stored go with the form.
        if (result == QDialog::Rejected && form_.request() == Request::Insert && catches && catches->rowCount() > 0) {
            Status s = ctx_.store.inTransaction(Location::Club, [this] {
                FileUse use(ctx_.store, "TripCatch");
                for (const TripCatch& c : catches->catches())
                    if (Status r = removeRecord(ctx_.store, c); !r) return r;
                return Status::ok();
            });
            if (!s) showFailure(&form_, s.message());
        }
    });
}

std::vector<scoring::SummaryRow> TripScoring::speciesRows() const {
    std::vector<scoring::SummaryRow> rows;
    int32_t n = 0;
    for (const Species& s : species_) {
        scoring::SummaryRow r;
        r.rowId = ++n;
        r.speciesId = s.SpeciesId;
        r.speciesName = std::string(clip(s.SpeciesName));
        r.lineClass = rules().settings().DefaultLineClass;
        r.fightFactor = s.FightFactor;
        rows.push_back(std::move(r));
    }
    return rows;
}

void TripScoring::buildSummaryTab() {
    tabs = form_.findChild<QTabWidget*>("tabs");
    summaryTab = 0;
    auto* page = static_cast<QVBoxLayout*>(tabs->widget(summaryTab)->layout());
    auto* box = new QGroupBox("Fish Caught", tabs->widget(summaryTab));
    auto* layout = new QVBoxLayout(box);
    summary = new SummaryModel(box);
    summaryView = new SummaryView(box);
    summaryView->setObjectName("fishCaught");
    summaryView->setModel(summary);
    summaryView->verticalHeader()->hide();
    summaryView->horizontalHeader()->setStretchLastSection(true);
    summaryView->setColumnWidth(SummaryModel::Species, 200);
    summaryView->verticalHeader()->setDefaultSectionSize(summaryView->fontMetrics().height() + 8);
    summaryView->setMinimumHeight(150);
    layout->addWidget(summaryView);
    page->insertWidget(0, box);
    connect(summary, &SummaryModel::edited, this, &TripScoring::summaryEdited);
    connect(tabs, &QTabWidget::currentChanged, this, [this] { tabChanged(); });
}

void TripScoring::tabChanged() {
    if (!catchesEdited_ || !catches) return;
    catchesEdited_ = false;
    catchDeleted_ = false;
    showSecondOk(false);
    pull();
    tm_.TripCatchList = "Y";
    catchRecorded->setText("Yes");
    std::vector<scoring::SummaryRow> rows = state_ == "Y" ? speciesRows() : summary->rows();
    // Each caught species' species record, for rows the catches add.
    std::vector<Species> ofCatch;
    for (const TripCatch& c : catches->catches()) {
        auto it = std::find_if(species_.begin(), species_.end(), [&](const Species& s) { return s.SpeciesId == c.SpeciesId; });
        Species s;
        if (it != species_.end()) s = *it;
        else s.SpeciesId = c.SpeciesId, s.SpeciesName = c.SpeciesName, s.FightFactor = c.FightFactor;
        ofCatch.push_back(s);
    }
    scoring::summaryFromCatches(rows, catches->catches(), ofCatch);
    take(scoring::ScoreFromCatches(rules(), tm_, letter_));
    catches->reload();
    summary->setRows(std::move(rows));
    summary->setEditable(false);
    take(scoring::SummaryTotals(rules(), summary->rows(), letter_, tm_));
    push();
}

void TripScoring::summaryEdited() {
    pull();
    take(scoring::SummaryTotals(rules(), summary->rows(), letter_, tm_));
    take(scoring::ScoreFromSummary(rules(), summary->rows(), letter_, tm_));
    push();
}

void TripScoring::weightAccepted() {
    pull();
    take(scoring::ScoreFromCountAndWeight(rules(), tm_));
    push();
}

void TripScoring::penaltyEntered() {
    if (changing_ || !editable_) return;
    pull();
    const session::Globals& g = ctx_.globals;
    take(scoring::WinnerHandicapAndProgress(rules(), tm_, {g.TripId, g.DivisionId, g.SeasonId.str()}));
    push();
}

bool TripScoring::okChecks() {
    pull();
    take(scoring::SummaryTotals(rules(), summary->rows(), letter_, tm_));
    push();
    if ((tm_.MemberId != 0) == (tm_.NonMemberId != 0)) {
        inform(&form_, kNoAngler);
        form_.okButton()->setEnabled(false);
        return false;
    }
    if (changing_) inform(&form_, kAffectsScore);
    return true;
}

Status TripScoring::write(Record& tripMember) {
    Store& store = ctx_.store;
    FileUse scores(store, "TripScore");
    if (!scores) return scores.status();
    return store.inTransaction(Location::Club, [&]() -> Status {
        for (const scoring::SummaryRow& row : summary->rows()) {
            TripScore rec;
            bool found = false;
            if (row.stored) {
                rec.TripScoreId = row.rowId;
                Status s = fetchRecord(store, rec, "byTripScoreId");
                if (s.isFailed()) return s;
                // A row removed meanwhile by another station is stored anew.
                found = s.isOk();
                if (!found) rec = TripScore();
            }
            rec.TripMemberId = tm_.TripMemberId;
            rec.SpeciesId = row.speciesId;
            rec.SpeciesNumberCaught = row.count;
            rec.HeaviestWeight = row.weight;
            rec.BestLength = row.length;
            rec.LineClass = row.lineClass;
            rec.HeaviestMultiple = row.heaviest3;
            Status s = found ? updateRecord(store, rec) : insertRecord(store, rec);
            if (!s) return s;
        }
        return form_.request() == Request::Insert ? store.insert(tripMember) : store.update(tripMember);
    });
}

void TripScoring::pull() { tm_.fromRecord(form_.buffer()); }

void TripScoring::push() {
    Record r = ctx_.store.newRecord("TripMember");
    tm_.toRecord(r);
    for (const char* f : kScored) {
        const QString v = QString::fromStdString(r.display(r.field(f)));
        if (form_.fieldValue(f) != v) form_.setFieldValue(f, v);
    }
    showWorking();
}

void TripScoring::buildWorkingTab() {
    working = new WorkingPanel(tabs);
    workingTab = tabs->addTab(working, "How these points were made");
}

void TripScoring::showWorking() {
    if (!working) return;
    scoring::Working w;
    const std::vector<TripCatch> none;
    if (scoring::ExplainScore(rules(), tm_, catches ? catches->catches() : none, summary->rows(), w))
        working->showWorking(w);
}

void TripScoring::take(const scoring::StepResult& r) {
    if (!r.status) failed(r.status);
    if (!r.warnings.empty()) inform(&form_, r.warnings.text());
}

void TripScoring::failed(const Status& s) { showFailure(&form_, s.message()); }

FormSpec tripScoringForm() {
    FormSpec design;
    design.procedure = "frmTripMembers";
    design.title = "Trip Scoring Details";
    design.file = "TripMember";
    FormField team{"TeamId", "&Team:", FieldWidget::Choice};
    team.choices = [](AppContext& ctx) {
        const int32_t trip = ctx.globals.TripId;
        Choices out = recordChoices(ctx, "Teams", "byTripId", "TeamId", "Name",
                                    [trip](const Record& r) { return r.number(r.field("TripId")) == trip; });
        out.insert(out.begin(), {"0", QString()});  // no team
        return out;
    };
    team.buttonText = "Teams...";
    team.onButton = [](StandardForm& form) {
        AppContext& ctx = form.context();
        {
            BrowseList list(ctx, teamList(ctx), &form);
            list.exec();
        }
        // The teams again, now as a drop list.
        auto* box = qobject_cast<QComboBox*>(form.fieldWidget("TeamId"));
        const QString now = box->currentData().toString();
        box->clear();
        box->addItem(QString(), "0");
        const int32_t trip = ctx.globals.TripId;
        for (const auto& [id, name] : recordChoices(ctx, "Teams", "byTripId", "TeamId", "Name",
                                                    [trip](const Record& r) { return r.number(r.field("TripId")) == trip; }))
            box->addItem(name, id);
        box->setCurrentIndex(std::max(0, box->findData(now)));
        box->show();
        if (auto* l = form.findChild<QLabel*>("teamName")) l->hide();
    };
    auto hidden = [](const char* field) { return FormField{field, ""}; };
    auto summaryField = [](const char* field, const char* prompt, const char* group) {
        FormField f{field, prompt};
        f.tab = "Summary";
        f.group = group;
        return f;
    };
    FormField comments = summaryField("MiscDetails", "Any &Comments:", "Points");
    comments.widget = FieldWidget::Memo;
    design.fields = {hidden("MemberId"),
                     hidden("NonMemberId"),
                     hidden("TripCatchList"),
                     team,
                     summaryField("TotalNumberFish", "Total Number Of Fish:", "Totals"),
                     summaryField("TotalWeightFish", "Total &Weight Of Fish:", "Totals"),
                     summaryField("VarietyWeightFish", "&4 Variety of Fish:", "Totals"),
                     summaryField("Penalty", "&Penalty:", "Points"),
                     summaryField("Handicap", "&Handicap:", "Points"),
                     summaryField("TotalTripPoints", "Total Trip Points:", "Points"),
                     summaryField("ProgressPoints", "Progress Points:", "Points"),
                     comments};
    design.onOpen = [](StandardForm& form) {
        for (const char* f : {"MemberId", "NonMemberId", "TripCatchList"}) {
            form.setFieldVisible(f, false);
            form.fieldWidget(f)->setEnabled(false);
        }
        if (auto* e = qobject_cast<QLineEdit*>(form.fieldWidget("VarietyWeightFish")))
            e->setToolTip("Weight of best 3 fish caught in any species");
        if (auto* e = qobject_cast<QLineEdit*>(form.fieldWidget("Penalty")))
            e->setToolTip("member Penalty for undersize fish");
        form.fieldWidget("MiscDetails")->setToolTip("Any Comments");
        new TripScoring(form);
        form.setMinimumWidth(720);
    };
    design.onChange = [](StandardForm& form, const std::string& field) {
        TripScoring* s = tripScoringOf(form);
        if (!s) return;
        if (field == "TotalWeightFish") s->weightAccepted();
        if (field == "Penalty") s->penaltyEntered();
    };
    design.check = [](StandardForm& form) { return tripScoringOf(form)->okChecks(); };
    design.write = [](StandardForm& form, Record& rec) {
        form.buffer();  // the values OK's checks worked out
        return tripScoringOf(form)->write(rec);
    };
    design.afterWrite = [](StandardForm&) { tripValues().changeFlag.clear(); };
    return design;
}

bool openTripScoringForm(AppContext& ctx, Request request, Record tripMember, QWidget* parent) {
    StandardForm form(ctx, tripScoringForm(), request, std::move(tripMember), parent);
    return form.exec() == QDialog::Accepted;
}

}  // namespace qv::trips
