#include "ui/maintenance/ReferenceLists.h"

#include <map>

#include "core/data/ClubRecords.h"
#include "core/data/SystemSettings.h"
#include "core/data/Typed.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/WindowRegistry.h"

namespace qv::maintenance {

using namespace qv::data;
using namespace qv::ui;

namespace {

FormField inactiveFlag() {
    FormField f{"InactiveFlag", ""};
    f.widget = FieldWidget::Check;
    f.checkText = "  Inactive Flag";
    return f;
}

// A list's form opened for a request; true when it wrote.
std::function<bool(AppContext&, Request, Record, QWidget*)> opens(std::function<FormSpec(Request)> form) {
    return [form](AppContext& ctx, Request r, Record rec, QWidget* parent) {
        StandardForm f(ctx, form(r), r, std::move(rec), parent);
        return f.exec() == QDialog::Accepted;
    };
}

BrowseSpec list(QString procedure, QString title, std::string file, std::string key,
                std::vector<BrowseColumn> columns) {
    BrowseSpec design;
    design.procedure = std::move(procedure);
    design.title = std::move(title);
    design.source.file = std::move(file);
    design.source.key = std::move(key);
    design.columns = std::move(columns);
    return design;
}

Choices divisions(AppContext& ctx, bool activeOnly) {
    return recordChoices(ctx, "Division", "byDivisionName", "DivisionId", "DivisionName",
                         [activeOnly](const Record& r) { return !activeOnly || r.text(r.field("InactiveFlag")) == "N"; });
}

}  // namespace

FormSpec divisionForm() {
    FormSpec design;
    design.procedure = "frmDivision";
    design.title = "Add / Edit Division";
    design.file = "Division";
    FormField best{"BestTripsNumber", "Number of &Best Trips:"};
    best.group = "Championship Report Setting";
    design.fields = {{"DivisionName", "Division &Name:"}, inactiveFlag(), best};
    return design;
}

FormSpec gradeForm() {
    FormSpec design;
    design.procedure = "frmGrade";
    design.title = "Add / Edit Grade";
    design.file = "Grade";
    design.fields = {{"GradeName", "Grade &Name:"}, {"ReportPosition", "&Report Position:"}, inactiveFlag()};
    design.modes.insert = design.modes.change = "";
    return design;
}

FormSpec trophyForm() {
    FormSpec design;
    design.procedure = "frmTrophy";
    design.title = "Add / Edit Trophy";
    design.file = "Trophy";
    design.fields = {{"TrophyName", "Trophy &Name:"}, {"Description", "Trophy &Description:"}, inactiveFlag()};
    return design;
}

BrowseSpec divisionList() {
    BrowseSpec design = list("brwDivision", "Division", "Division", "byDivisionName",
                           {{"Division Name", "DivisionName", 40, {}, "byDivisionName"},
                            {"Inactive Flag", "InactiveFlag", 12, {}, "byInactiveFlag"}});
    design.sortable = true;
    design.openForm = opens([](Request) { return divisionForm(); });
    return design;
}

BrowseSpec gradeList() {
    BrowseSpec design = list("brwGrade", "Grades", "Grade", "byGradeName",
                           {{"Grade Name", "GradeName", 40, {}, "byGradeName"},
                            {"Rpt Pos", "ReportPosition", 8, {}, "byReportPostion"},
                            {"Inactive Flag", "InactiveFlag", 12, {}, "byInactiveFlag"}});
    design.sortable = true;
    design.openForm = opens([](Request) { return gradeForm(); });
    return design;
}

BrowseSpec speciesList(AppContext& ctx) {
    // The division names, read once for the list.
    auto names = std::make_shared<std::map<int64_t, QString>>();
    for (const auto& [id, name] : divisions(ctx, false)) (*names)[id.toLongLong()] = name;
    BrowseSpec design = list("brwSpecies", "Species", "Species", "bySpeciesName",
                           {{"Species Name", "SpeciesName", 36, {}, "bySpeciesName"},
                            // Looked up, and no key orders species by report
                            // position alone: both sort by what they show.
                            {"Division Name", "", 30,
                             [names](const Record& r) {
                                 auto it = names->find(r.number(r.field("DivisionId")));
                                 return it == names->end() ? QString() : it->second;
                             }},
                            {"Rpt Pos", "ReportPosition", 8},
                            {"Inactive Flag", "InactiveFlag", 12, {}, "byInactiveFlag"}});
    design.sortable = true;
    design.openForm = opens([](Request r) { return speciesForm(r == Request::Insert); });
    return design;
}

BrowseSpec trophyList() {
    BrowseSpec design = list("brwTrophy", "Trophy", "Trophy", "byTrophyName",
                           {{"Trophy Name", "TrophyName", 36},
                            {"Description", "Description", 40},
                            {"Inactive Flag", "InactiveFlag", 12}});
    design.openForm = opens([](Request) { return trophyForm(); });
    return design;
}

FormSpec speciesForm(bool newSpecies) {
    FormSpec design;
    design.procedure = "frmSpecies";
    design.title = "Add / Edit Species";
    design.file = "Species";
    FormField division{"DivisionId", "&Division:", FieldWidget::Choice};
    division.choices = [newSpecies](AppContext& ctx) { return divisions(ctx, newSpecies); };
    FormField fight{"FightFactor", "&Fight Factor:"};
    fight.places = 1;
    design.fields = {division,
                   {"SpeciesName", "Species &Name:"},
                   {"ReportPosition", "&Report Position:"},
                   fight,
                   {"TeamPoints", "&Team Points:"},
                   inactiveFlag()};
    design.modes.insert = "Add Species";
    design.modes.change = "Change Species";
    design.modes.view = "View Species";
    design.onOpen = [](StandardForm& form) {
        System sys;
        readSystem(form.context().store, sys);
        if (sys.ReportTeamPointsApply != 1) form.fieldWidget("TeamPoints")->setEnabled(false);
    };
    design.check = [](StandardForm& form) {
        if (form.fieldValue("DivisionId").isEmpty()) {
            inform(&form, "Please choose the division of the species.");
            form.fieldWidget("DivisionId")->setFocus();
            return false;
        }
        return true;
    };
    return design;
}

void registerReferenceWindows() {
    registerWindow("brwDivision", [](AppContext& ctx, QWidget* p) -> QWidget* {
        return new BrowseList(ctx, divisionList(), p);
    });
    registerWindow("brwGrade", [](AppContext& ctx, QWidget* p) -> QWidget* {
        return new BrowseList(ctx, gradeList(), p);
    });
    registerWindow("brwSeason", [](AppContext& ctx, QWidget* p) -> QWidget* {
        return new BrowseList(ctx, seasonList(), p);
    });
    registerWindow("brwSpecies", [](AppContext& ctx, QWidget* p) -> QWidget* {
        return new BrowseList(ctx, speciesList(ctx), p);
    });
    registerWindow("brwTrophy", [](AppContext& ctx, QWidget* p) -> QWidget* {
        return new BrowseList(ctx, trophyList(), p);
    });
    // The forms open on a new record when opened by name.
    auto form = [](std::function<FormSpec()> make) {
        return [make](AppContext& ctx, QWidget* p) -> QWidget* {
            FormSpec design = make();
            FileUse use(ctx.store, design.file);
            Record rec = ctx.store.newRecord(design.file);
            ctx.store.primeForInsert(rec);
            return new StandardForm(ctx, design, Request::Insert, rec, p);
        };
    };
    registerWindow("frmDivision", form(divisionForm));
    registerWindow("frmGrade", form(gradeForm));
    registerWindow("frmSeason", form(seasonForm));
    registerWindow("frmSpecies", form([] { return speciesForm(true); }));
    registerWindow("frmTrophy", form(trophyForm));
}

}  // namespace qv::maintenance
