#include "ui/exchange/ImportExportWindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/data/FixedText.h"
#include "core/data/SystemSettings.h"
#include "core/exchange/Transfer.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/StatusWindow.h"
#include "ui/framework/WindowPlacement.h"
#include "ui/framework/WindowRegistry.h"

namespace qv::ui {

ImportExportWindow::ImportExportWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("winImportExport");
    setWindowTitle("Import / Export Data");
    auto* layout = new QVBoxLayout(this);

    tabs_ = new QTabWidget(this);
    tabs_->addTab(optionsTab("  Import", "  Download via FTP && Import", 'D', "&Import", import_), "Import");
    tabs_->addTab(optionsTab("  Export", "  Export && Upload via FTP", 'U', "E&xport", export_), "Export");
    layout->addWidget(tabs_);
    connect(import_, &QPushButton::clicked, this, &ImportExportWindow::runImport);
    connect(export_, &QPushButton::clicked, this, &ImportExportWindow::runExport);

    data::System sys;
    if (!data::readSystem(ctx_.store, sys)) sys = ctx_.settings;
    auto* ftp = new QGroupBox("FTP Settings", this);
    auto* form = new QFormLayout(ftp);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (const auto& [label, value] : {std::pair{"FTP Host Name:", &sys.FtpHostName},
                                       {"FTP Server Dir:", &sys.FtpServerDir}, {"FTP User:", &sys.FtpUser}}) {
        auto* shown = new QLabel(QString::fromStdString(std::string(clip(*value))), ftp);
        shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(label, shown);
    }
    layout->addWidget(ftp);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(460);
    keepPlacement(this, "winImportExport", ctx_.iniPath());
}

QWidget* ImportExportWindow::optionsTab(const QString& local, const QString& ftp, char ftpOption,
                                        const QString& button, QPushButton*& made) {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* box = new QGroupBox("Processing Options", page);
    auto* options = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (const auto& [text, value] : {std::pair{local, 'L'}, {ftp, ftpOption}}) {
        auto* r = new QRadioButton(text, box);
        r->setChecked(value == 'L');
        group->addButton(r);
        options->addWidget(r);
        connect(r, &QRadioButton::toggled, this, [this, r, v = value] {
            if (r->isChecked()) option_ = v;
        });
    }
    layout->addWidget(box);
    made = new QPushButton(button, page);
    made->setAutoDefault(false);
    auto* row = new QHBoxLayout();
    row->addStretch(1);
    row->addWidget(made);
    layout->addLayout(row);
    layout->addStretch(1);
    // One option serves both tabs; coming to a tab starts again from the
    // local choice, so that what the tab shows is what its button does.
    QAbstractButton* localChoice = group->buttons().front();
    connect(tabs_, &QTabWidget::currentChanged, localChoice, [localChoice] { localChoice->setChecked(true); });
    return page;
}

QRadioButton* ImportExportWindow::choice(const QString& text) const {
    for (QRadioButton* r : findChildren<QRadioButton*>())
        if (r->text() == text) return r;
    return nullptr;
}

void ImportExportWindow::runImport() { run(true); }
void ImportExportWindow::runExport() { run(false); }

void ImportExportWindow::run(bool isImport) {
    // Yes to the import's question erases the club's data, so it defaults to No.
    const Message question = isImport ? exchange::importQuestion() : exchange::exportQuestion();
    if (ask(this, question, Buttons::YesNo, isImport ? Answer::No : Answer::Yes) != Answer::Yes) return;

    exchange::TransferRequest request;
    request.startFolder = ctx_.startFolder;
    request.clubDatabase = ctx_.store.paths().clubDb;
    request.option = static_cast<exchange::TransferOption>(option_);
    data::System sys;
    if (!data::readSystem(ctx_.store, sys)) sys = ctx_.settings;
    if (data::Status s = exchange::readFtpSettings(ctx_.store, sys, request.ftp); !s) {
        showFailure(this, s.message());
        return;
    }
    exchange::TransferOutcome outcome;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        StatusWindow status(this, "FTP Status", "");
        auto show = [&](std::string_view text) {
            if (text.empty()) {
                status.hide();
            } else {
                status.setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
                status.show();
            }
            QApplication::processEvents();
        };
        if (isImport)
            exchange::runImport(ctx_.store, ctx_.globals, request, outcome, show);
        else
            exchange::runExport(ctx_.store, ctx_.globals, request, outcome, show);
        QApplication::restoreOverrideCursor();
    }
    for (const Message& m : outcome.messages) inform(this, m);
    accept();
}

void registerExchangeWindows() {
    registerWindow("winImportExport",
                   [](AppContext& ctx, QWidget* parent) -> QWidget* { return new ImportExportWindow(ctx, parent); });
}

}  // namespace qv::ui
