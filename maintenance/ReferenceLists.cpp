#include "maintenance/ReferenceLists.h"

#include <map>

#include "data/ClubRecords.h"
#include "data/SystemSettings.h"
#include "data/Typed.h"
#include "framework/MessageService.h"
#include "framework/WindowRegistry.h"

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

// Column headings that sort by a key, by column.
std::function<std::string(int)> sortsBy(std::vector<std::string> keys) {
    return [keys](int col) { return col < static_cast<int>(keys.size()) ? keys[col] : std::string(); };
}

BrowseSpec list(QString procedure, QString title, std::string file, std::string key,
                std::vector<BrowseColumn> columns) {
    BrowseSpec spec;
    spec.procedure = std::move(procedure);
    spec.title = std::move(title);
    spec.source.file = std::move(file);
    spec.source.key = std::move(key);
    spec.columns = std::move(columns);
    return spec;
}

std::vector<std::pair<QString, QString>> divisions(AppContext& ctx, bool activeOnly) {
    std::vector<std::pair<QString, QString>> out;
    FileUse use(ctx.store, "Division");
    std::unique_ptr<Cursor> c;
    if (!use || !ctx.store.walk("Division", "byDivisionName", {}, false, c)) return out;
    Record r = ctx.store.newRecord("Division");
    Division d;
    while (c->next(r)) {
        d.fromRecord(r);
        if (activeOnly && d.InactiveFlag != "N") continue;
        out.emplace_back(QString::number(d.DivisionId), QString::fromStdString(d.DivisionName));
    }
    return out;
}

}  // namespace

FormSpec divisionForm() {
    FormSpec spec;
    spec.procedure = "frmDivision";
    spec.title = "Add / Edit Division";
    spec.file = "Division";
    FormField best{"BestTripsNumber", "Number of &Best Trips:"};
    best.group = "Championship Report Setting";
    spec.fields = {{"DivisionName", "Division &Name:"}, inactiveFlag(), best};
    return spec;
}

FormSpec gradeForm() {
    FormSpec spec;
    spec.procedure = "frmGrade";
    spec.title = "Add / Edit Grade";
    spec.file = "Grade";
    spec.fields = {{"GradeName", "Grade &Name:"}, {"ReportPosition", "&Report Position:"}, inactiveFlag()};
    spec.modes.insert = spec.modes.change = "";
    return spec;
}

FormSpec trophyForm() {
    FormSpec spec;
    spec.procedure = "frmTrophy";
    spec.title = "Add / Edit Trophy";
    spec.file = "Trophy";
    spec.fields = {{"TrophyName", "Trophy &Name:"}, {"Description", "Trophy &Description:"}, inactiveFlag()};
    return spec;
}

BrowseSpec divisionList() {
    BrowseSpec spec = list("brwDivision", "Division", "Division", "byDivisionName",
                           {{"Division Name", "DivisionName", 40}, {"Inactive Flag", "InactiveFlag", 12}});
    spec.sortKey = sortsBy({"byDivisionName", "byInactiveFlag"});
    spec.openForm = opens([](Request) { return divisionForm(); });
    return spec;
}

BrowseSpec gradeList() {
    BrowseSpec spec = list("brwGrade", "Grades", "Grade", "byGradeName",
                           {{"Grade Name", "GradeName", 40},
                            {"Rpt Pos", "ReportPosition", 8},
                            {"Inactive Flag", "InactiveFlag", 12}});
    spec.sortKey = sortsBy({"byGradeName", "byReportPostion", "byInactiveFlag"});
    spec.openForm = opens([](Request) { return gradeForm(); });
    return spec;
}

BrowseSpec speciesList(AppContext& ctx) {
    // The division names, read once for the list.
    auto names = std::make_shared<std::map<int64_t, QString>>();
    for (const auto& [id, name] : divisions(ctx, false)) (*names)[id.toLongLong()] = name;
    BrowseSpec spec = list("brwSpecies", "Species", "Species", "bySpeciesName",
                           {{"Species Name", "SpeciesName", 36},
                            {"Division Name", "", 30,
                             [names](const Record& r) {
                                 auto it = names->find(r.number(r.field("DivisionId")));
                                 return it == names->end() ? QString() : it->second;
                             }},
                            {"Rpt Pos", "ReportPosition", 8},
                            {"Inactive Flag", "InactiveFlag", 12}});
    spec.sortKey = sortsBy({"bySpeciesName", "byDivisionId", "byDivisionIdReportPosition", "byInactiveFlag"});
    spec.openForm = opens([](Request r) { return speciesForm(r == Request::Insert); });
    return spec;
}

BrowseSpec trophyList() {
    BrowseSpec spec = list("brwTrophy", "Trophy", "Trophy", "byTrophyName",
                           {{"Trophy Name", "TrophyName", 36},
                            {"Description", "Description", 40},
                            {"Inactive Flag", "InactiveFlag", 12}});
    spec.openForm = opens([](Request) { return trophyForm(); });
    return spec;
}

FormSpec speciesForm(bool newSpecies) {
    FormSpec spec;
    spec.procedure = "frmSpecies";
    spec.title = "Add / Edit Species";
    spec.file = "Species";
    FormField division{"DivisionId", "&Division:", FieldWidget::Choice};
    division.choices = [newSpecies](AppContext& ctx) { return divisions(ctx, newSpecies); };
    FormField fight{"FightFactor", "&Fight Factor:"};
    fight.places = 1;
    spec.fields = {division,
                   {"SpeciesName", "Species &Name:"},
                   {"ReportPosition", "&Report Position:"},
                   fight,
                   {"TeamPoints", "&Team Points:"},
                   inactiveFlag()};
    spec.modes.insert = "Add Species";
    spec.modes.change = "Change Species";
    spec.modes.view = "View Species";
    spec.onOpen = [](StandardForm& form) {
        System sys;
        readSystem(form.context().store, sys);
        if (sys.ReportTeamPointsApply != 1) form.fieldWidget("TeamPoints")->setEnabled(false);
    };
    spec.check = [](StandardForm& form) {
        if (form.fieldValue("DivisionId").isEmpty()) {
            inform(&form, "Please choose the division of the species.");
            form.fieldWidget("DivisionId")->setFocus();
            return false;
        }
        return true;
    };
    return spec;
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
            FormSpec spec = make();
            FileUse use(ctx.store, spec.file);
            Record rec = ctx.store.newRecord(spec.file);
            ctx.store.primeForInsert(rec);
            return new StandardForm(ctx, spec, Request::Insert, rec, p);
        };
    };
    registerWindow("frmDivision", form(divisionForm));
    registerWindow("frmGrade", form(gradeForm));
    registerWindow("frmSeason", form(seasonForm));
    registerWindow("frmSpecies", form([] { return speciesForm(true); }));
    registerWindow("frmTrophy", form(trophyForm));
}

}  // namespace qv::maintenance
