#include "ui/main/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/data/ClubRecords.h"
#include "core/data/SystemSettings.h"
#include "core/data/Typed.h"
#include "core/session/Login.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/WindowPlacement.h"
#include "ui/framework/WindowRegistry.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/WindowAccess.h"

namespace qv::ui {

using namespace qv::data;

MainWindow::MainWindow(ui::AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx) {
    setObjectName("winMain");
    setWindowTitle("Quillavon");
    buildMenu();
    buildToolbar();
    buildStatusArea();
    applyLevel();
    refreshStatus();
    resize(900, 560);
    ui::keepPlacement(this, "winMain", ctx_.iniPath());
}

QAction* MainWindow::addItem(QMenu* menu, const QString& text, const QString& tip, Allowed who,
                             std::function<void()> act) {
    QAction* a = menu->addAction(text);
    a->setStatusTip(tip);
    a->setToolTip(tip.isEmpty() ? QString(text).remove('&') : tip);
    connect(a, &QAction::triggered, this, std::move(act));
    items_[text] = a;
    allowed_[a] = who;
    return a;
}

void MainWindow::run(const QString& procedure) {
    const std::string level = ctx_.globals.SecurityLevel.str();
    if (const Allowed need = windowAccess(procedure); !session::levelAllows(level, need)) {
        ui::inform(this, session::accessRefused(need, level));
        return;
    }
    if (!ui::hasWindow(procedure)) {
        ui::inform(this, "This part of Quillavon (" + procedure.toStdString() +
                             ") is not available in this version yet.");
        return;
    }
    ui::runWindow(procedure, ctx_, this);
    refreshStatus();
}

void MainWindow::buildMenu() {
    const auto A = Allowed::AnyUser, S = Allowed::Staff;
    // An item that opens a window needs what the window needs.
    auto window = [this](QMenu* menu, const QString& text, const QString& tip, const char* p) {
        return addItem(menu, text, tip, windowAccess(p), [this, p] { run(p); });
    };

    QMenu* file = menuBar()->addMenu("&File");
    QMenu* user = file->addMenu("&User Details");
    items_["&User Details"] = user->menuAction();
    allowed_[user->menuAction()] = S;
    window(user, "User &Access", "", "brwUsers");
    window(user, "&Change Password", "", "winChangePassword");
    addItem(file, "&Print Setup ...", "Setup printer", A, [this] {
        QPrinter printer;
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle("Print Setup");
        dialog.exec();
    });
    window(file, "System &Configuration", "System Configuration", "winSystemConfiguration");
    window(file, "&Data Import / Export", "Data Import / Export", "winImportExport");
    file->addSeparator();
    addItem(file, "E&xit", "Exit this application", A, [this] { close(); });

    QMenu* trips = menuBar()->addMenu("Members && &Trips");
    items_["Members && &Trips"] = trips->menuAction();
    allowed_[trips->menuAction()] = S;
    window(trips, "&Members", "Browse Members", "brwMembers");
    window(trips, "&Trips", "Browse Trips", "brwTrips");
    window(trips, "&Season Trophies", "", "brwSeasonTrophy");

    QMenu* maint = menuBar()->addMenu("&Maintenance");
    items_["&Maintenance"] = maint->menuAction();
    allowed_[maint->menuAction()] = S;
    window(maint, "&Division", "Maintain Divisions", "brwDivision");
    window(maint, "&Grade", "Maintain Grades", "brwGrade");
    window(maint, "&Season", "Maintain Seasons", "brwSeason");
    window(maint, "S&pecies", "Maintain Species", "brwSpecies");
    window(maint, "&Trophy", "Maintain Trophies", "brwTrophy");

    QMenu* reports = menuBar()->addMenu("&Reports");
    reports->menuAction()->setStatusTip("Report data");
    window(reports, "&Report Selection", "Reports", "winReports");
    window(reports, "&Email Reports", "Email Reports", "winEmailReports");

    QMenu* help = menuBar()->addMenu("&Help");
    window(help, "&About Quillavon", "About Quillavon", "winLoginAbout");
    addItem(help, "&Contents", "View the contents of the help file", A, [this] { showHelp(); })
        ->setShortcut(QKeySequence::HelpContents);
    addItem(help, "&How to Use Help", "Provides general instructions on using help", A, [this] {
        auto* w = new HelpWindow(ctx_.iniPath(), "using-help.htm", this);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
    });
}

void MainWindow::showHelp() {
    auto* w = new HelpWindow(ctx_.iniPath(), "division.htm", this);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
}

void MainWindow::buildToolbar() {
    QToolBar* bar = addToolBar("Toolbar");
    bar->setObjectName("toolbar");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setIconSize(QSize(28, 28));
    auto tool = [&](const QString& text, QStyle::StandardPixmap icon, Allowed who,
                    std::function<void()> act) {
        QAction* a = bar->addAction(style()->standardIcon(icon), text);
        a->setToolTip(text);
        connect(a, &QAction::triggered, this, std::move(act));
        tools_[text] = a;
        allowed_[a] = who;
    };
    auto toolWindow = [&](const QString& text, QStyle::StandardPixmap icon, const char* p) {
        tool(text, icon, windowAccess(p), [this, p] { run(p); });
    };
    toolWindow("Members", QStyle::SP_DirHomeIcon, "brwMembers");
    toolWindow("Trips", QStyle::SP_FileDialogDetailedView, "brwTrips");
    toolWindow("Reports", QStyle::SP_FileDialogContentsView, "winReports");
    tool("Help", QStyle::SP_MessageBoxQuestion, Allowed::AnyUser, [this] { showHelp(); });
    toolWindow("Data import/export", QStyle::SP_DialogSaveButton, "winImportExport");
    toolWindow("E-mail reports", QStyle::SP_ArrowForward, "winEmailReports");
}

void MainWindow::buildStatusArea() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(24, 24, 24, 24);
    auto* title = new QLabel("Quillavon", central);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2.0);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);
    layout->addWidget(new QLabel("Competition scoring and records for angling clubs", central));
    layout->addSpacing(16);

    auto* box = new QGroupBox("Quillavon System Status", central);
    box->setObjectName("systemStatus");
    auto* form = new QFormLayout(box);
    form->setLabelAlignment(Qt::AlignRight);
    form->setHorizontalSpacing(16);
    form->setVerticalSpacing(10);
    welcome_ = new QLabel(box);
    transfer_ = new QLabel(box);
    season_ = new QLabel(box);
    welcome_->setObjectName("welcome");
    transfer_->setObjectName("transfer");
    season_->setObjectName("currentSeason");
    for (QLabel* l : {welcome_, transfer_, season_}) l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow("Welcome", welcome_);
    form->addRow("Database Transfer", transfer_);
    form->addRow("Current Season", season_);
    box->setMaximumWidth(560);
    box->setStyleSheet("QGroupBox#systemStatus { font-weight: bold; }"
                       "QGroupBox#systemStatus QLabel { font-weight: normal; }");
    layout->addWidget(box);
    layout->addSpacing(12);
    auto* hint = new QLabel(
        "Score a trip with Members & Trips \u2192 Trips, keep the club's lists under Maintenance, "
        "and find every result sheet and table under Reports \u2192 Report Selection. "
        "Press F1 or use Help \u2192 Contents for help.", central);
    hint->setWordWrap(true);
    hint->setMaximumWidth(560);
    hint->setStyleSheet("color: #555555;");
    layout->addWidget(hint);
    layout->addStretch(1);
    setCentralWidget(central);
    statusBar()->showMessage("Ready");
}

void MainWindow::applyLevel() {
    const std::string level = ctx_.globals.SecurityLevel.str();
    for (auto& [a, who] : allowed_) a->setEnabled(session::levelAllows(level, who));
}

void MainWindow::refreshStatus() {
    // The last current season in id order is shown.
    QString current;
    {
        FileUse use(ctx_.store, "Season");
        std::unique_ptr<Cursor> c;
        if (use && ctx_.store.walk("Season", "byCurrentSeason", {FieldValue{0, "Y"}}, false, c)) {
            Season s;
            Record rec = ctx_.store.newRecord("Season");
            while (c->next(rec)) {
                s.fromRecord(rec);
                if (s.CurrentSeasonFlag == "Y") current = QString::fromStdString(s.SeasonDesc);
            }
        }
    }
    System sys;
    if (readSystem(ctx_.store, sys)) ctx_.globals.TransferStatus = sys.TransferDetails.substr(0, 50);
    welcome_->setText(QString::fromStdString(ctx_.globals.UserName.str()));
    transfer_->setText(QString::fromStdString(ctx_.globals.TransferStatus.str()));
    season_->setText(current);
}

QAction* MainWindow::action(const QString& text) const {
    auto it = items_.find(text);
    return it == items_.end() ? nullptr : it->second;
}

QAction* MainWindow::toolButton(const QString& text) const {
    auto it = tools_.find(text);
    return it == tools_.end() ? nullptr : it->second;
}

QString MainWindow::currentSeason() const { return season_->text(); }
QString MainWindow::transferStatus() const { return transfer_->text(); }
QString MainWindow::welcome() const { return welcome_->text(); }

void MainWindow::closeEvent(QCloseEvent* e) {
    ui::savePlacement(this, "winMain", ctx_.iniPath());
    e->accept();
}

void registerMainWindow() {
    ui::registerWindow("winMain", [](ui::AppContext& ctx, QWidget* parent) -> QWidget* {
        return new MainWindow(ctx, parent);
    });
}

}  // namespace qv::ui
