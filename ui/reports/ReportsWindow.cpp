#include "ui/reports/ReportsWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <QCoreApplication>

#include "core/data/ClubRecords.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/reports/PointsReport.h"
#include "core/reports/SeasonReport.h"
#include "core/reports/CatchRelease.h"
#include "core/reports/CatchReports.h"
#include "core/reports/Certificate.h"
#include "core/reports/TeamPoints.h"
#include "core/reports/MemberReport.h"
#include "core/reports/TripReport.h"
#include "core/reports/TrophyWinnersReport.h"
#include "engine/ReportEngine.h"
#include "ui/exchange/DataExportActions.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/StandardForm.h"
#include "ui/framework/StatusWindow.h"
#include "ui/framework/WindowPlacement.h"
#include "ui/framework/WindowRegistry.h"
#include "ui/reports/MemberReportStatus.h"
#include "ui/reports/ReportPreview.h"

namespace qv::ui {

namespace {

enum Need : unsigned { kDivision = 1, kSeason = 2, kTrip = 4, kMember = 8 };
using Builder = data::Status (*)(scoring::ScoringContext&, const std::string&, reports::ReportRun&);
// A builder that shows a status window of its own.
using OwnStatusBuilder = data::Status (*)(QWidget*, scoring::ScoringContext&, const std::string&,
                                          reports::ReportRun&);
// What pressing a report's button does besides choosing it.
using OnChoose = data::Status (*)(AppContext&);

data::Status emptyMemberReportWork(AppContext& ctx) { return reports::EmptyMemberReportWork(ctx.store); }
// Work that shows its own result instead of a report; true when the window closes.
using Action = bool (*)(AppContext&, QWidget*);

// The reports by tab, what each needs, and its builder (none yet for the
// reports that later versions add) or action. An action that needs no
// criteria runs as soon as its button is pressed.
struct ReportButton {
    const char* tab;
    const char* text;
    unsigned needs;
    Builder build;
    bool forMembers = true;  // a "Member" may start it
    OwnStatusBuilder buildWithStatus = nullptr;  // runs instead of the common status window
    OnChoose onChoose = nullptr;
    Action act = nullptr;
};

const char* const kGeneral = "&General Reports";
const char* const kCatches = "&Individual Catch Reports";
const char* const kProgress = "Progressive Points Reports";
const char* const kExport = "Data Export";

const std::vector<ReportButton>& reportButtons() {
    static const std::vector<ReportButton> all = {
        {kGeneral, "Trip Details", kDivision | kSeason | kTrip, reports::BuildTripReport},
        {kGeneral, "Member", kMember, reports::BuildMemberReport, true, runMemberReport, emptyMemberReportWork},
        {kGeneral, "Season", kDivision | kSeason, reports::BuildSeasonReport},
        {kGeneral, "Certificate", kDivision | kSeason | kMember, reports::BuildCertificate, false},
        {kGeneral, "Trophy Winners", kDivision | kSeason, reports::BuildTrophyWinnersReport},
        {kCatches, "Catch and Release", kDivision | kSeason, reports::BuildCatchReleaseReport},
        {kCatches, "Trip Catch Details", kDivision | kSeason | kTrip, reports::BuildTripCatchReport},
        {kCatches, "Points by Line Class", kDivision | kSeason, reports::BuildLineClassReport},
        {kCatches, "Trip Team Points", kDivision | kSeason | kTrip, reports::BuildTeamPoints},
        {kCatches, "Biggest Species", kDivision | kSeason, reports::BuildBiggestSpeciesReport},
        {kCatches, "Trip Biggest Species", kDivision | kSeason | kTrip, reports::BuildTripBiggestSpeciesReport},
        {kCatches, "Caught by Fly", kDivision | kSeason, reports::BuildFlyReport},
        {kProgress, "Progress Scores", kDivision | kSeason, reports::BuildProgressPointsReport},
        {kProgress, "Championship Scores", kDivision | kSeason, reports::BuildChampionshipPointsReport},
        {kExport, "Member History CSV", kDivision, nullptr, false, nullptr, nullptr, runMemberHistoryExport},
        {kExport, "Export All Data", 0, nullptr, false, nullptr, nullptr, runExportAllData},
    };
    return all;
}

struct Criterion {
    const char* label;
    Need need;
};
const Criterion kCriteria[] = {{"&Division:", kDivision}, {"&Trip:", kTrip}, {"&Season:", kSeason}, {"M&ember:", kMember}};

// An engine for this workstation with the report's page heading.
std::unique_ptr<engine::ReportEngine> engineFor(AppContext& ctx, const reports::ReportRun& run) {
    return std::make_unique<engine::ReportEngine>(engine::EngineSetup{
        ctx.startFolder, engine::installedDefinitionFolders(QCoreApplication::applicationFilePath().toStdString()),
        {ctx.globals.OrganisationName.str(), run.windowTitle, Date::today().format("D6")}});
}

void fill(QComboBox* box, const Choices& choices) {
    box->blockSignals(true);
    box->clear();
    for (const auto& [value, text] : choices) box->addItem(text, value);
    box->setCurrentIndex(-1);
    box->blockSignals(false);
}

}  // namespace

ReportsWindow::ReportsWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("winReports");
    setWindowTitle("Reports");
    session::Globals& g = ctx_.globals;
    g.DivisionId = 0;
    g.SeasonId = "";
    g.MemberId = 0;
    g.TripId = 0;

    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    std::map<QString, QGridLayout*> pages;
    for (size_t i = 0; i < reportButtons().size(); ++i) {
        const ReportButton& b = reportButtons()[i];
        if (!pages.count(b.tab)) {
            auto* page = new QWidget(tabs_);
            pages[b.tab] = new QGridLayout(page);
            tabs_->addTab(page, b.tab);
        }
        QGridLayout* grid = pages[b.tab];
        auto* button = new QPushButton(b.text, tabs_->widget(tabs_->count() - 1));
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setMinimumWidth(170);
        const int n = grid->count();
        grid->addWidget(button, n / 2, n % 2);
        buttons_[b.text] = button;
        button->setEnabled(b.forMembers || !(g.SecurityLevel == "Member"));
        connect(button, &QPushButton::clicked, this, [this, i] { choose(static_cast<int>(i)); });
    }
    for (auto& [tab, grid] : pages) grid->setRowStretch(grid->rowCount(), 1);
    // Catch reports only where individual catches are recorded.
    for (int t = 0; t < tabs_->count(); ++t)
        if (tabs_->tabText(t) == kCatches) tabs_->setTabVisible(t, ctx_.settings.IndividualCatchesApplies != 0);
    layout->addWidget(tabs_);

    auto* group = new QGroupBox("Criteria Selection", this);
    auto* form = new QFormLayout(group);
    for (const Criterion& c : kCriteria) {
        auto* box = new QComboBox(group);
        box->setMinimumWidth(320);
        box->setEnabled(false);
        criteria_[c.label] = box;
        form->addRow(c.label, box);
        connect(box, &QComboBox::currentIndexChanged, this, &ReportsWindow::criterionChanged);
    }
    layout->addWidget(group);
    fill(criterion("&Division:"), recordChoices(ctx_, "Division", "byDivisionName", "DivisionId", "DivisionName"));
    fill(criterion("&Season:"), recordChoices(ctx_, "Season", "bySeasonId", "SeasonId", "SeasonId"));
    fill(criterion("M&ember:"), recordChoices(ctx_, "Members", "byFullName", "MemberId", "FullName"));
    // The trips show their number, date and location as columns.
    auto* tripView = new QTableView(this);
    tripView->horizontalHeader()->setVisible(true);
    tripView->verticalHeader()->setVisible(false);
    tripView->setSelectionBehavior(QAbstractItemView::SelectRows);
    criterion("&Trip:")->setView(tripView);

    auto* buttons = new QDialogButtonBox(this);
    create_ = buttons->addButton("Create &Report", QDialogButtonBox::AcceptRole);
    QPushButton* close = buttons->addButton("&Close", QDialogButtonBox::RejectRole);
    create_->setEnabled(false);
    create_->setDefault(true);
    connect(create_, &QPushButton::clicked, this, &ReportsWindow::createReport);
    connect(close, &QPushButton::clicked, this, [this] {
        ctx_.globals.DivisionId = 0;
        ctx_.globals.SeasonId = "";
        ctx_.globals.MemberId = 0;
        ctx_.globals.TripId = 0;
        reject();
    });
    layout->addWidget(buttons);
    setMinimumWidth(600);
    keepPlacement(this, "winReports", ctx_.iniPath());
}

QPushButton* ReportsWindow::reportButton(const QString& text) const {
    auto it = buttons_.find(text);
    return it == buttons_.end() ? nullptr : it->second;
}

QComboBox* ReportsWindow::criterion(const QString& label) const {
    auto it = criteria_.find(label);
    return it == criteria_.end() ? nullptr : it->second;
}

void ReportsWindow::choose(int index) {
    const ReportButton& b = reportButtons()[static_cast<size_t>(index)];
    for (auto& [text, button] : buttons_) button->setChecked(text == b.text);
    if (b.act && !b.needs) {
        for (const Criterion& c : kCriteria) criterion(c.label)->setEnabled(false);
        create_->setEnabled(false);
        if (b.act(ctx_, this)) accept();
        return;
    }
    chosenIndex_ = index;
    chosen_ = b.text;
    if (b.onChoose)
        if (data::Status s = b.onChoose(ctx_); s.isFailed()) showFailure(this, s.message());
    for (const Criterion& c : kCriteria) criterion(c.label)->setEnabled(b.needs & c.need);
    updateCreate();
}

void ReportsWindow::criterionChanged() {
    session::Globals& g = ctx_.globals;
    const auto value = [&](const char* label) { return criterion(label)->currentData().toString(); };
    const int32_t division = value("&Division:").toInt();
    const std::string season = value("&Season:").toStdString();
    const bool refill = division != g.DivisionId || !(g.SeasonId == season);
    g.DivisionId = division;
    g.SeasonId = season;
    g.MemberId = value("M&ember:").toInt();
    if (refill) fillTrips();
    g.TripId = value("&Trip:").toInt();
    updateCreate();
}

void ReportsWindow::fillTrips() {
    QComboBox* box = criterion("&Trip:");
    auto* model = new QStandardItemModel(0, 3, box);
    model->setHorizontalHeaderLabels({"Trip Number", "Date", "Location"});
    const session::Globals& g = ctx_.globals;
    data::FileUse use(ctx_.store, "Trips");
    std::unique_ptr<data::Cursor> cursor;
    if (use && ctx_.store.walk("Trips", "bySeasonIdDivisionId", {}, false, cursor)) {
        data::Record r = ctx_.store.newRecord("Trips");
        while (cursor->next(r)) {
            data::Trips t;
            t.fromRecord(r);
            if (!(t.DivisionId == g.DivisionId && sameText(t.SeasonId, g.SeasonId.str(), true))) continue;
            QList<QStandardItem*> row = {new QStandardItem(QString::number(t.SeasonTripNumber)),
                                         new QStandardItem(QString::fromStdString(t.TripDate.format("D6"))),
                                         new QStandardItem(QString::fromStdString(t.TripLocation))};
            row[0]->setData(t.TripId, Qt::UserRole);
            model->appendRow(row);
        }
    }
    box->blockSignals(true);
    box->setModel(model);  // the box deletes the model it made itself
    box->setCurrentIndex(-1);
    box->blockSignals(false);
    ctx_.globals.TripId = 0;
}

void ReportsWindow::updateCreate() {
    if (chosenIndex_ < 0) {
        create_->setEnabled(false);
        return;
    }
    const unsigned needs = reportButtons()[static_cast<size_t>(chosenIndex_)].needs;
    const session::Globals& g = ctx_.globals;
    const bool filled = (!(needs & kDivision) || criterion("&Division:")->currentIndex() >= 0) &&
                        (!(needs & kSeason) || !g.SeasonId.empty()) && (!(needs & kTrip) || g.TripId != 0) &&
                        (!(needs & kMember) || g.MemberId != 0);
    create_->setEnabled(filled);
}

void ReportsWindow::createReport() {
    if (chosenIndex_ < 0 || !create_->isEnabled()) return;
    const ReportButton& b = reportButtons()[static_cast<size_t>(chosenIndex_)];
    if (b.act) {
        if (b.act(ctx_, this)) accept();
        return;
    }
    reports::ReportRun run;
    data::Status built = data::Status::ok();
    scoring::ScoringContext own(ctx_.store, ctx_.settings, ctx_.globals);
    scoring::ScoringContext& scoring = ctx_.scoring ? *ctx_.scoring : own;
    if (b.buildWithStatus) {
        built = b.buildWithStatus(this, scoring, ctx_.startFolder, run);
    } else {
        StatusWindow status(this, "Quillavon - Processing Report", " Please wait... calculating report data ");
        status.show();
        built = b.build(scoring, ctx_.startFolder, run);
    }
    if (!built) {
        showFailure(this, built.message());
        return;
    }
    for (const Message& m : run.messages) inform(this, m);
    if (run.dataFlag != 'Y') {
        inform(this, "There is no corresponding data for the report - " + run.windowTitle);
        return;  // the window stays open for another choice
    }
    std::unique_ptr<engine::ReportEngine> reportEngine = engineFor(ctx_, run);
    if (!reportEngine->openReport(run.reportFile)) {
        inform(this, *reportEngine->lastError());
        inform(this, "An error occurred running the report - " + run.reportFile);
    } else {
        ReportPreview preview(std::move(reportEngine), ctx_.globals.WindowTitle.str(), ctx_.iniPath(), this);
        preview.exec();
    }
    accept();
}

void registerReportWindows() {
    registerWindow("winReports", [](AppContext& ctx, QWidget* parent) -> QWidget* { return new ReportsWindow(ctx, parent); });
    // On its own the preview shows the result sheet of the club's first trip.
    registerWindow("winReportPreview", [](AppContext& ctx, QWidget* parent) -> QWidget* {
        session::Globals& g = ctx.globals;
        if (g.TripId == 0) g.TripId = 1;
        scoring::ScoringContext sc(ctx.store, ctx.settings, g);
        reports::ReportRun run;
        if (!reports::BuildTripReport(sc, ctx.startFolder, run)) return nullptr;
        std::unique_ptr<engine::ReportEngine> reportEngine = engineFor(ctx, run);
        if (!reportEngine->openReport(run.reportFile)) return nullptr;
        return new ReportPreview(std::move(reportEngine), run.windowTitle, ctx.iniPath(), parent);
    });
}

}  // namespace qv::ui
