// winSystemConfiguration: the workstation's settings in two tabs.

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/data/NamedSettings.h"
#include "core/data/SystemSettings.h"
#include "core/data/Typed.h"
#include "ui/exchange/FtpSecurityChoice.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/WindowRegistry.h"
#include "ui/maintenance/MailServerGroup.h"
#include "ui/maintenance/SystemConfiguration.h"

namespace qv::maintenance {

using namespace qv::data;
using namespace qv::ui;

namespace {

const QString kFiles = "File && Network Settings";
const QString kScores = "Score && Report Settings";

FormField entry(std::string field, QString prompt, QString tab, QString group) {
    FormField f{std::move(field), std::move(prompt)};
    f.tab = std::move(tab);
    f.group = std::move(group);
    return f;
}

FormField check(std::string field, QString text, QString tab, QString group) {
    FormField f{std::move(field), "", FieldWidget::Check};
    f.checkText = std::move(text);
    f.tab = std::move(tab);
    f.group = std::move(group);
    return f;
}

// With fight-factor scoring the count-and-weight settings do not apply, and
// the default line class does. Nothing is cleared: the values stay stored.
void showScoring(StandardForm& form) {
    const bool fight = form.fieldValue("FightFactorScoring") == "1";
    form.setFieldVisible("DefaultLineClass", fight);
    for (const char* f : {"PerSpeciesCaughtPoints", "PerSpeciesWeightPoints", "ParticipationPoints", "Rounding"}) {
        form.fieldWidget(f)->setEnabled(!fight && form.request() != Request::View);
        if (QLabel* l = form.label(f)) l->setEnabled(!fight);
    }
}

void chooseFolder(StandardForm& form) {
    auto* entry = qobject_cast<QLineEdit*>(form.fieldWidget("DataFileLocation"));
    const QDir start(QString::fromStdString(form.context().startFolder));
    QString folder = QFileDialog::getExistingDirectory(&form, "Modify Location", start.absoluteFilePath(entry->text()));
    if (folder.isEmpty()) return;
    form.setFieldValue("DataFileLocation", dataFolderSetting(folder, start.absolutePath()));
}

// The organisation name is the club's, kept in the club database rather than
// in this workstation's settings: an entry of its own at the head of the
// first tab, written when OK is pressed.
void addOrganisation(StandardForm& form) {
    auto* tabs = form.findChild<QTabWidget*>("tabs");
    auto* page = tabs ? qobject_cast<QVBoxLayout*>(tabs->widget(0)->layout()) : nullptr;
    if (!page) return;
    auto* box = new QGroupBox("Club", tabs->widget(0));
    auto* layout = new QFormLayout(box);
    layout->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* name = new QLineEdit(box);
    name->setObjectName("OrganisationName");
    name->setMaxLength(static_cast<int>(kOrganisationNameWidth));
    name->setReadOnly(form.request() == Request::View);
    std::string current;
    if (readOrganisationName(form.context().store, current)) name->setText(QString::fromStdString(current));
    layout->addRow("&Organisation Name:", name);
    page->insertWidget(0, box);
}

bool saveOrganisation(StandardForm& form) {
    auto* name = form.findChild<QLineEdit*>("OrganisationName");
    if (!name) return true;
    AppContext& ctx = form.context();
    const std::string text = name->text().toStdString();
    if (Status s = writeOrganisationName(ctx.store, text); !s) {
        showFailure(&form, s.message());
        return false;
    }
    ctx.globals.OrganisationName = text;
    return true;
}

}  // namespace

QString dataFolderSetting(const QString& chosen, const QString& startFolder) {
    const QDir start(QDir::cleanPath(startFolder));
    QString folder = QDir::cleanPath(start.absoluteFilePath(chosen));
    const QString inside = start.relativeFilePath(folder);
    if (inside == ".")
        folder = "./";
    else if (!inside.startsWith("../") && inside != ".." && !QDir::isAbsolutePath(inside))
        folder = inside;
    // The data folder is joined to the file names as typed, so it ends with
    // a separator; the chooser gives none.
    if (!folder.endsWith('/')) folder += '/';
    return folder;
}

FormSpec systemConfigurationForm() {
    FormSpec design;
    design.procedure = "winSystemConfiguration";
    design.title = "System Configuration";
    design.file = "System";
    design.modes = {"", "", "", ""};
    design.guard = CloseGuard::None;
    design.failureCloses = true;

    FormField location = entry("DataFileLocation", "Data &File Location:", kFiles, "System Data Files");
    location.buttonText = "&Modify...";
    location.onButton = chooseFolder;
    location.note = "NOTE: Directory name must include trailing slash ('/')";
    FormField ftpPassword = entry("FtpPassword", "User Pass&word:", kFiles, "FTP Settings");
    ftpPassword.masked = true;
    FormField testFlag = check("EmailTestFlag", " &Test Email (Sent to Sender Address only)", kFiles, "Email Settings");
    testFlag.on = "1";
    testFlag.off = "0";

    const QString score = "Score Settings", report = "Report Settings";
    design.fields = {
        location,
        entry("EmailSmtpServer", "SMTP &Server:", kFiles, "Email Settings"),
        entry("EmailSubject", "Email S&ubject:", kFiles, "Email Settings"),
        entry("EmailFrom", "Sender &Address:", kFiles, "Email Settings"),
        testFlag,
        entry("FtpHostName", "FTP &Host Name:", kFiles, "FTP Settings"),
        entry("FtpServerDir", "Host Server &Dir:", kFiles, "FTP Settings"),
        entry("FtpUser", "FTP User &Name:", kFiles, "FTP Settings"),
        ftpPassword,
        check("FightFactorScoring", " &Fight Factor Scoring Applies", kScores, score),
        check("IndividualCatchesApplies", " &Individual Catches Recorded", kScores, score),
        entry("PerSpeciesCaughtPoints", "Points Per Species &Caught:", kScores, score),
        entry("HandicapInitial", "Initial &Handicap Amount:", kScores, score),
        entry("PerSpeciesWeightPoints", "Points Per Species &Weight:", kScores, score),
        entry("HandicapFollowOn", "F&ollow-on Handicap Amount:", kScores, score),
        entry("ParticipationPoints", "Points for Trip &Participation:", kScores, score),
        entry("DefaultLineClass", "Default &Line Class:", kScores, score),
        check("Rounding", " .5 &Rounding Applies to Total Trip Points Calculations", kScores, score),
        check("ScorePreviousSeason", " 'Scorer' Access to previous &seasons", kScores, score),
        check("NonLadiesFlag", " Report Members Not Flagged As \"Ladies\" As \"Men\"", kScores, report),
        check("ReportLadiesAsGrade", " Report \"Ladies\" as a Grade", kScores, report),
        check("ReportLadiesAsSubGrade", " Report \"Ladies' as a Sub-Grade", kScores, report),
        check("NonVeteranFlag", " Report Members Not Flagged As \"Veteran\" As \"Non-Veteran\"", kScores, report),
        check("ReportVeteranAsGrade", " Report \"Veteran\" as a Grade", kScores, report),
        check("ReportVeteranAsSubGrade", " Report \"Veteran\" as a Sub-Grade", kScores, report),
        check("ReportTeamPointsApply", " Apply Team Points to Team Report", kScores, report),
    };
    design.onOpen = [](StandardForm& form) {
        addOrganisation(form);
        addMailServerGroup(form);
        addFtpSecurityChoice(form);
        showScoring(form);
    };
    design.check = [](StandardForm& form) { return saveOrganisation(form) && saveMailServerGroup(form); };
    design.onChange = [](StandardForm& form, const std::string& field) {
        if (field == "FightFactorScoring") showScoring(form);
    };
    // The run goes on with the new settings; a new data folder takes effect
    // at the next start.
    design.afterWrite = [](StandardForm& form) {
        System sys;
        sys.fromRecord(form.savedCopy());
        AppContext& ctx = form.context();
        const std::string folder = ctx.settings.DataFileLocation;
        ctx.settings = sys;
        ctx.settings.DataFileLocation = folder;
        if (ctx.scoring) ctx.scoring->setSettings(ctx.settings);
    };
    return design;
}

QWidget* openSystemConfiguration(AppContext& ctx, QWidget* parent) {
    Record rec = ctx.store.newRecord("System");
    {
        FileUse use(ctx.store, "System");
        if (Status s = ctx.store.fetchByRecno(rec, 2); !s) {
            showFailure(parent, s.isFailed() ? s.message()
                                             : programMessage("System Settings not found (" + s.errorText() + ")."));
            return nullptr;
        }
    }
    auto* form = new StandardForm(ctx, systemConfigurationForm(), Request::Change, rec, parent);
    form->resize(640, 560);
    return form;
}

void registerSystemConfiguration() {
    registerWindow("winSystemConfiguration", openSystemConfiguration);
}

}  // namespace qv::maintenance
