// brwTrips: the trips of a season and division, the way into scoring them.

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <map>

#include "core/data/ClubRecords.h"
#include "core/data/FixedText.h"
#include "core/data/SystemSettings.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/scoring/Recalculation.h"
#include "core/scoring/Seasons.h"
#include "core/scoring/Winners.h"
#include "ui/framework/Choosers.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/StatusWindow.h"
#include "ui/trips/TripContext.h"
#include "ui/trips/TripWindows.h"

namespace qv::trips {

using namespace qv::data;
using namespace qv::ui;

namespace {

BrowseSpec tripListSpec(AppContext& ctx) {
    // Division names, read once for the list.
    auto names = std::make_shared<std::map<int64_t, QString>>();
    for (const auto& [id, name] : recordChoices(ctx, "Division", "byDivisionId", "DivisionId", "DivisionName"))
        (*names)[id.toLongLong()] = name;
    BrowseSpec design;
    design.procedure = "brwTrips";
    design.title = "Trips";
    design.source = tripSource({}, 0);
    design.columns = {{"Division", "", 24,
                       [names](const Record& r) {
                           auto it = names->find(r.number(r.field("DivisionId")));
                           return it == names->end() ? QString() : it->second;
                       }},
                      {"Season", "SeasonId", 8},
                      {"Trip #", "SeasonTripNumber", 6},
                      {"Date", "TripDate", 10},
                      {"Location", "TripLocation", 30},
                      {"Trip ID", "TripId", 7}};
    design.openForm = [](AppContext& c, Request r, Record rec, QWidget* parent) {
        // A new trip starts in the division and season the list shows.
        if (r == Request::Insert) {
            rec.setNumber(rec.field("DivisionId"), c.globals.DivisionId);
            rec.setText(rec.field("SeasonId"), c.globals.SeasonId.str());
        }
        StandardForm f(c, tripForm(), r, std::move(rec), parent);
        return f.exec() == QDialog::Accepted;
    };
    return design;
}

bool scorer(const AppContext& ctx) { return ctx.globals.SecurityLevel == scoring::kScorerLevel; }

}  // namespace

ListSource tripSource(const std::string& seasonId, int32_t divisionId) {
    ListSource s;
    s.file = "Trips";
    const FieldValue season{0, seasonId}, division{divisionId, {}};
    if (!seasonId.empty() && divisionId == 0) {
        s.key = "bySeasonId";
        s.range = {season};
    } else if (seasonId.empty() && divisionId != 0) {
        s.key = "byDivisionId";
        s.range = {division};
    } else if (!seasonId.empty()) {
        s.key = "byDivisionIdSeasonIdTripId";
        s.range = {division, season};
    } else {
        s.key = "byDivisionIdSesaonIdTripNumberUnique";
    }
    return s;
}

TripList::TripList(AppContext& ctx, QWidget* parent) : BrowseList(ctx, tripListSpec(ctx), parent), ctx_(ctx) {
    session::Globals& g = ctx_.globals;

    // The seasons in id order; the last flagged current is remembered.
    season_ = new QComboBox(this);
    season_->setObjectName("seasonChoice");
    season_->addItem(QString(), QString());
    std::string current;
    {
        FileUse use(ctx_.store, "Season");
        std::unique_ptr<Cursor> c;
        if (use && ctx_.store.walk("Season", "bySeasonId", {}, false, c)) {
            Record r = ctx_.store.newRecord("Season");
            while (c->next(r)) {
                Season s;
                s.fromRecord(r);
                season_->addItem(QString::fromStdString(s.SeasonId), QString::fromStdString(s.SeasonId));
                if (s.CurrentSeasonFlag == "Y") current = s.SeasonId;
            }
        }
    }
    const std::string latest = season_->itemData(season_->count() - 1).toString().toStdString();
    seasonId_ = latest;
    g.SeasonId = latest;
    season_->setCurrentIndex(season_->count() - 1);

    auto* top = new QHBoxLayout;
    auto* seasonLabel = new QLabel("S&eason:", this);
    top->addWidget(seasonLabel);
    top->addWidget(season_);
    scorerSeason_ = new QLabel(this);
    scorerSeason_->setObjectName("scorerSeason");
    QFont bold = scorerSeason_->font();
    bold.setBold(true);
    scorerSeason_->setFont(bold);
    top->addWidget(scorerSeason_);
    recalc_ = new QPushButton("&Recalculate Scores", this);
    recalc_->setObjectName("recalculate");
    recalc_->setAutoDefault(false);
    recalc_->setToolTip("Rewrite the progress points of every trip member of the season");
    top->addWidget(recalc_);
    top->addSpacing(24);
    division_ = addDivisionChoice(ctx_, top, this);
    top->addStretch(1);

    const bool isScorer = scorer(ctx_);
    if (isScorer) {
        System sys;
        readSystem(ctx_.store, sys);
        // A club without a current season works in the latest.
        scorerSeasonId_ = sys.ScorePreviousSeason == 1 && !current.empty() ? current : latest;
        g.SeasonId = scorerSeasonId_;
        scorerSeason_->setText(QString::fromStdString(scorerSeasonId_));
        if (!scoring::sameSeason(scorerSeasonId_, latest)) {
            warning_ = new QGroupBox("Warning", this);
            warning_->setObjectName("warning");
            warning_->setStyleSheet("QGroupBox, QLabel { color: #b00020; font-weight: bold; }");
            auto* row = new QHBoxLayout(warning_);
            auto* id = new QLabel(QString::fromStdString(latest), warning_);
            id->setObjectName("latestSeason");
            row->addWidget(id);
            row->addWidget(new QLabel("latest season", warning_));
            row->addStretch(1);
        }
        seasonLabel->setText("Season:");
    } else {
        seasonLabel->setBuddy(season_);
    }
    season_->setVisible(!isScorer);
    scorerSeason_->setVisible(isScorer);
    recalc_->setVisible(isScorer);
    g.DivisionId = 0;

    auto* outer = static_cast<QVBoxLayout*>(layout());
    outer->insertLayout(0, top);
    if (warning_) outer->insertWidget(1, warning_);

    score_ = new QPushButton("&Score Trip >>", this);
    score_->setObjectName("scoreTrip");
    score_->setAutoDefault(false);
    score_->setToolTip("Enter the anglers and catches of the highlighted trip");
    auto* scoreRow = new QHBoxLayout;
    scoreRow->addWidget(score_);
    scoreRow->addStretch(1);
    extraArea()->addLayout(scoreRow);

    connect(season_, &QComboBox::activated, this, &TripList::chooseSeason);
    connect(division_, &QComboBox::activated, this, &TripList::chooseDivision);
    connect(score_, &QPushButton::clicked, this, &TripList::scoreTrip);
    connect(recalc_, &QPushButton::clicked, this, &TripList::recalculate);
    connect(model(), &QAbstractItemModel::modelReset, this, [this] { score_->setEnabled(selected() != nullptr); });
    connect(view()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { score_->setEnabled(selected() != nullptr); });

    openTripMembers = [](AppContext& c, QWidget* parent) {
        std::unique_ptr<BrowseList> list(tripMemberList(c, parent));
        list->exec();
    };
    listChosen();
    resize(std::max(width(), 720), height());
    view()->setFocus();
}

std::string TripList::workingSeason() const { return scorer(ctx_) ? scorerSeasonId_ : seasonId_; }

void TripList::listChosen() {
    model()->setSource(tripSource(std::string(clip(ctx_.globals.SeasonId.str())), ctx_.globals.DivisionId));
    refresh();
    score_->setEnabled(selected() != nullptr);
}

void TripList::chooseSeason(int index) {
    seasonId_ = season_->itemData(index).toString().toStdString();
    ctx_.globals.SeasonId = seasonId_;
    ctx_.globals.DivisionId = divisionId_;
    listChosen();
}

void TripList::chooseDivision(int index) {
    divisionId_ = division_->itemData(index).toInt();
    ctx_.globals.DivisionId = divisionId_;
    ctx_.globals.SeasonId = workingSeason();
    listChosen();
}

void TripList::scoreTrip() {
    const Record* sel = selected();
    if (!sel) return;
    Trips trip;
    trip.fromRecord(*sel);
    openTripForScoring(ctx_, trip);
    ScoringScope scoring(ctx_);
    if (scoring->scorer()) {
        StatusWindow status(this, "Quillavon", " Collecting Trip Data for Scoring..");
        scoring::StepResult r = scoring::BuildPriorTripWinners(*scoring, trip.TripId, trip.DivisionId, trip.SeasonId);
        status.close();
        if (!r.status) {
            showFailure(this, r.status.message());
            return;
        }
    }
    const int64_t recno = sel->stamp.recno;
    openTripMembers(ctx_, this);
    // Leaving the anglers lists by season only until a division is chosen again.
    divisionId_ = 0;
    ctx_.globals.DivisionId = 0;
    division_->setCurrentIndex(0);
    ctx_.globals.SeasonId = workingSeason();
    listChosen();
    selectRecno(recno);
}

void TripList::recalculate() {
    ScoringScope scoring(ctx_);
    if (!scoring->scorer()) return;
    scoring::RecalculationCounts counts;
    data::Status s = data::Status::ok();
    {
        StatusWindow status(this, "Quillavon - Score Processing", scoring::kRecalculatingStatus);
        scoring->progress = [&status](std::string_view, int done, int total) { status.progress(done, total); };
        s = scoring::RecalculateSeasonProgress(*scoring, ctx_.globals.SeasonId.str(), &counts);
        scoring->progress = nullptr;
    }
    if (!s) showFailure(this, s.message());
    refresh();
}

void TripList::done(int result) {
    ctx_.globals.TripId = 0;
    BrowseList::done(result);
}

}  // namespace qv::trips
