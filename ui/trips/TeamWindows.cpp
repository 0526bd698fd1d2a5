// brwTeams and fmTeams: the teams formed for the trip GLO:TripId.

#include <QLineEdit>

#include "core/data/TripRecords.h"
#include "ui/trips/TripWindows.h"

namespace qv::trips {

using namespace qv::data;
using namespace qv::ui;

FormSpec teamForm() {
    FormSpec design;
    design.procedure = "fmTeams";
    design.title = "Add / Edit Team";
    design.file = "Teams";
    design.fields = {{"Name", "&Name:"}};
    design.modes.insert = "Record will be Added";
    design.modes.change = "Record will be Changed";
    design.onOpen = [](StandardForm& form) {
        if (auto* e = qobject_cast<QLineEdit*>(form.fieldWidget("Name"))) {
            e->setToolTip("Name of team");
            e->setPlaceholderText("Name of team");
        }
    };
    return design;
}

BrowseSpec teamList(const AppContext& ctx) {
    BrowseSpec design;
    design.procedure = "brwTeams";
    design.title = "Teams";
    design.source.file = "Teams";
    design.source.key = "byTripId";
    design.source.range = {FieldValue{ctx.globals.TripId, {}}};
    design.columns = {{"Team Name", "Name", 40}};
    design.openForm = [](AppContext& ctx, Request r, Record rec, QWidget* parent) {
        // A team belongs to the trip it is formed for.
        if (r == Request::Insert || r == Request::Change) rec.setNumber(rec.field("TripId"), ctx.globals.TripId);
        StandardForm f(ctx, teamForm(), r, std::move(rec), parent);
        return f.exec() == QDialog::Accepted;
    };
    return design;
}

}  // namespace qv::trips
