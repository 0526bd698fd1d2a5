#include "ui/reports/EmailReportsWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/data/FixedText.h"
#include "core/data/SystemSettings.h"
#include "core/mail/EmailRun.h"
#include "core/mail/Recipients.h"
#include "engine/ReportEngine.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/StandardForm.h"
#include "ui/framework/StatusWindow.h"
#include "ui/framework/WindowPlacement.h"
#include "ui/framework/WindowRegistry.h"

namespace qv::ui {

namespace {

const char* const kQuestion = " You are about to email report to members. Please ensure you are online.|| Do you wish to Continue?";

// The wait cursor for as long as the run lasts.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

void clearCriteria(session::Globals& g) {
    g.DivisionId = 0;
    g.SeasonId = "";
    g.MemberId = 0;
    g.TripId = 0;
}

// The season and where the messages go, so the secretary knows before pressing.
QString seasonNote(AppContext& ctx) {
    std::string season;
    mail::currentSeason(ctx.store, season);
    QString note = season.empty() ? "No season is marked current."
                                  : "Current season: " + QString::fromStdString(season);
    data::System sys;
    if (data::readSystem(ctx.store, sys) && mail::emailTestMode(sys.EmailTestFlag)) {
        const std::string sender(clip(sys.EmailFrom));
        note += sender.empty() ? QString("\nTest mode: every message goes to the sender address, which is not set yet.")
                               : "\nTest mode: every message goes to " + QString::fromStdString(sender) + ".";
    }
    return note;
}

}  // namespace

EmailReportsWindow::EmailReportsWindow(AppContext& ctx, QWidget* parent, const std::vector<mail::EmailReport>* offered)
    : QDialog(parent), ctx_(ctx) {
    setObjectName("winEmailReports");
    setWindowTitle("Email Reports for Current Season");
    auto* layout = new QVBoxLayout(this);

    auto* reports = new QGroupBox("Report Selection", this);
    auto* row = new QHBoxLayout(reports);
    for (const mail::EmailReport& r : offered ? *offered : mail::emailReports()) {
        auto* button = new QPushButton(r.button, reports);
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setMinimumWidth(140);
        buttons_[r.button] = button;
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, report = &r] { choose(report); });
    }
    layout->addWidget(reports);

    auto* criteria = new QGroupBox("Criteria Selection", this);
    auto* form = new QFormLayout(criteria);
    division_ = new QComboBox(criteria);
    division_->setMinimumWidth(280);
    for (const auto& [value, text] : recordChoices(ctx_, "Division", "byDivisionName", "DivisionId", "DivisionName"))
        division_->addItem(text, value);
    division_->setCurrentIndex(-1);
    divisionLabel_ = new QLabel("&Division:", criteria);
    divisionLabel_->setBuddy(division_);
    form->addRow(divisionLabel_, division_);
    auto* note = new QLabel(seasonNote(ctx_), criteria);
    note->setObjectName("seasonNote");
    note->setEnabled(false);  // drawn muted: it tells, it does not ask
    form->addRow(note);
    for (QWidget* w : {static_cast<QWidget*>(divisionLabel_), static_cast<QWidget*>(division_)}) w->setEnabled(false);
    connect(division_, &QComboBox::currentIndexChanged, this, [this] {
        ctx_.globals.DivisionId = division_->currentData().toInt();
        updateEmail();
    });
    layout->addWidget(criteria);

    auto* buttons = new QDialogButtonBox(this);
    email_ = buttons->addButton("Email &Report", QDialogButtonBox::AcceptRole);
    QPushButton* close = buttons->addButton("&Close", QDialogButtonBox::RejectRole);
    email_->setEnabled(false);
    email_->setDefault(true);
    connect(email_, &QPushButton::clicked, this, &EmailReportsWindow::emailReport);
    connect(close, &QPushButton::clicked, this, [this] {
        clearCriteria(ctx_.globals);
        reject();
    });
    layout->addWidget(buttons);
    keepPlacement(this, "winEmailReports", ctx_.iniPath());
}

QPushButton* EmailReportsWindow::reportButton(const QString& text) const {
    auto it = buttons_.find(text);
    return it == buttons_.end() ? nullptr : it->second;
}

void EmailReportsWindow::choose(const mail::EmailReport* report) {
    chosen_ = report;
    for (auto& [text, button] : buttons_) button->setChecked(text == report->button);
    divisionLabel_->setEnabled(true);
    division_->setEnabled(true);
    updateEmail();
}

void EmailReportsWindow::updateEmail() {
    email_->setEnabled(chosen_ && division_->currentIndex() >= 0);
}

void EmailReportsWindow::emailReport() {
    if (!chosen_ || !email_->isEnabled()) return;
    Message question = programMessage(kQuestion);
    question.title = mail::kEmailTitle;
    question.level = MessageLevel::Question;
    if (ask(this, question, Buttons::YesNo, Answer::Yes) != Answer::Yes) return;

    session::Globals& g = ctx_.globals;
    g.DivisionId = division_->currentData().toInt();
    mail::EmailOutcome out;
    {
        StatusWindow status(this, "Quillavon - Processing Report", "");
        BusyCursor busy;
        status.show();
        mail::EmailHooks hooks;
        hooks.status = [&](const std::string& text) {
            status.setText(QString::fromStdString(text));
            QApplication::processEvents();
        };
        hooks.render = [&](const reports::ReportRun& run, const std::string& pdf) -> std::optional<Message> {
            engine::ReportEngine engine(engine::EngineSetup{
                ctx_.startFolder, engine::installedDefinitionFolders(QCoreApplication::applicationFilePath().toStdString()),
                {g.OrganisationName.str(), run.windowTitle, Date::today().format("D6")}});
            if (!engine.openReport(run.reportFile) || !engine.exportToDiskFile(engine::kExportPdf, pdf))
                return engine.lastError();
            return std::nullopt;
        };
        // Each refused message says so as it happens; a server that cannot be
        // used is told once, at the end.
        hooks.delivered = [&](const mail::MemberDelivery& d) {
            Message m;
            if (!d.result.serverUnusable && mail::sendCodeMessage(d.result.code, m)) inform(this, m);
            status.progress(static_cast<int64_t>(d.position), static_cast<int64_t>(d.count));
            QApplication::processEvents();
        };
        scoring::ScoringContext own(ctx_.store, ctx_.settings, g);
        out = mail::EmailReportToMembers(ctx_.scoring ? *ctx_.scoring : own, ctx_.startFolder, *chosen_, hooks);
    }
    for (const Message& m : out.messages) {
        if (m.number != 0) showFailure(this, m);
        else inform(this, m);
    }
    switch (out.stage) {
        case mail::EmailStage::Mailed: {
            Message summary = out.summary();
            if (out.stopped) summary.text = out.stopped->text + "||" + summary.text;
            inform(this, summary);
            accept();
            break;
        }
        case mail::EmailStage::ReportFailed: accept(); break;
        default: break;  // the window stays open for another try
    }
}

void registerEmailReportsWindow() {
    registerWindow("winEmailReports",
                   [](AppContext& ctx, QWidget* parent) -> QWidget* { return new EmailReportsWindow(ctx, parent); });
}

}  // namespace qv::ui
