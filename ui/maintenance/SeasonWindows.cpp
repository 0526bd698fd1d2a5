// The season list and form, with the season rules.

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/data/ClubRecords.h"
#include "core/data/FixedText.h"
#include "core/data/SystemSettings.h"
#include "core/data/Typed.h"
#include "ui/framework/MessageService.h"
#include "ui/main/MemberGrades.h"
#include "ui/maintenance/ReferenceLists.h"

namespace qv::maintenance {

using namespace qv::data;
using namespace qv::ui;

namespace {

// The unit labels beside the measurement choices follow the scoring choice.
void showUnits(StandardForm& form) {
    const QString scoring = form.fieldValue("ScoringApplies");
    QRadioButton* metric = form.option("Measurement", "M");
    QRadioButton* imperial = form.option("Measurement", "I");
    if (!metric || !imperial) return;
    imperial->setVisible(scoring != "B");
    if (scoring == "W") {
        metric->setText("kg");
        imperial->setText("lb");
    } else if (scoring == "L") {
        metric->setText("cm");
        imperial->setText("in");
    } else if (scoring == "B") {
        metric->setText("cm/kg");
    } else {
        metric->setText("cm/kg");
        imperial->setText("in/lb");
    }
}

}  // namespace

std::string currentSeasonClash(const std::string& seasonId) {
    return "There is already a current Season. Check Season " + seasonId;
}

FormSpec seasonForm() {
    FormSpec design;
    design.procedure = "frmSeason";
    design.title = "Add / Edit Season";
    design.file = "Season";
    FormField scoring{"ScoringApplies", "", FieldWidget::Options};
    scoring.group = "Scoring Measurement";
    scoring.choices = [](AppContext&) {
        return std::vector<std::pair<QString, QString>>{{"W", " Weight"}, {"L", " Length"}, {"B", " Both"}};
    };
    FormField measure{"Measurement", "", FieldWidget::Options};
    measure.group = "Measurement";
    measure.choices = [](AppContext&) {
        return std::vector<std::pair<QString, QString>>{{"M", "cm/kg"}, {"I", "in/lb"}};
    };
    FormField handicap{"Handicap", "", FieldWidget::Options};
    handicap.group = "Handicap";
    handicap.choices = [](AppContext&) {
        return std::vector<std::pair<QString, QString>>{{"P", " %"}, {"N", " Points"}};
    };
    FormField current{"CurrentSeasonFlag", "", FieldWidget::Check};
    current.checkText = " &Current Season Flag";
    design.fields = {{"SeasonId", "&Season:"}, {"SeasonDesc", "Season &Description:"}, scoring, measure, handicap,
                   current};
    design.modes.insert = design.modes.change = "";

    design.onOpen = [](StandardForm& form) {
        System sys;
        readSystem(form.context().store, sys);
        // Without individual catches "Both" cannot be chosen; a season that
        // has it keeps showing it.
        if (sys.IndividualCatchesApplies == 0)
            if (QRadioButton* both = form.option("ScoringApplies", "B")) both->setEnabled(false);
        showUnits(form);
    };
    design.onChange = [](StandardForm& form, const std::string& field) {
        if (field == "ScoringApplies") showUnits(form);
        if (field == "CurrentSeasonFlag" && form.fieldValue("CurrentSeasonFlag") != "Y")
            form.okButton()->setEnabled(form.request() != Request::View);
    };
    // The season id is range-checked as soon as it is typed.
    design.onLeave = [](StandardForm& form, const std::string& field) {
        if (field != "SeasonId") return true;
        const RangeRule& rule = form.savedCopy().def().ranges.front();
        const long long n = numericValue(form.fieldValue("SeasonId").toStdString());
        if (n >= rule.low && n <= rule.high) return true;
        MessageContext mc;
        mc.field = rule.fieldDescription;
        mc.message = rule.rangeText;
        showFailure(&form, standardMessage(18, mc));
        return false;
    };
    // Only one season may be current.
    design.check = [](StandardForm& form) {
        if (form.fieldValue("CurrentSeasonFlag") != "Y") return true;
        Store& store = form.context().store;
        const std::string editing = form.fieldValue("SeasonId").toStdString();
        FileUse use(store, "SeasonBrowse");
        std::unique_ptr<Cursor> c;
        if (!use || !store.walk("SeasonBrowse", "byCurrentSeason", {FieldValue{0, "Y"}}, false, c)) return true;
        Record r = store.newRecord("SeasonBrowse");
        bool clash = false;
        while (c->next(r)) {
            Season s;
            s.fromRecord(r);
            if (s.CurrentSeasonFlag != "Y" || sameText(s.SeasonId, editing)) continue;
            inform(&form, currentSeasonClash(s.SeasonId));
            clash = true;
        }
        if (clash) form.okButton()->setEnabled(false);
        return !clash;
    };
    design.afterWrite = [](StandardForm& form) {
        session::Globals& g = form.context().globals;
        if (g.SecurityLevel == "Scorer" && form.savedCopy().text(form.savedCopy().field("CurrentSeasonFlag")) == "Y")
            g.SeasonsChanged = true;
    };
    return design;
}

BrowseSpec seasonList() {
    BrowseSpec design;
    design.procedure = "brwSeason";
    design.title = "Season";
    design.source.file = "Season";
    design.source.key = "bySeasonId";
    design.columns = {{"Season", "SeasonId", 12}, {"Description", "SeasonDesc", 24},
                    {"Current Season", "CurrentSeasonFlag", 14}};
    design.openForm = [](AppContext& ctx, Request r, Record rec, QWidget* parent) {
        StandardForm f(ctx, seasonForm(), r, std::move(rec), parent);
        return f.exec() == QDialog::Accepted;
    };
    // A scorer's member grades follow the seasons.
    design.onClose = [](AppContext& ctx, QWidget* list) {
        if (ctx.globals.SecurityLevel == "Scorer") ui::refreshMemberGrades(ctx, list);
    };
    return design;
}

}  // namespace qv::maintenance
