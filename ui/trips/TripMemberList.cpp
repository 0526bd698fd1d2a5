// brwTripMembers, "Trip Scores": the anglers of the trip GLO:TripId.

#include <QGroupBox>
#include <QTableView>
#include <QVBoxLayout>

#include "core/data/TripRecords.h"
#include "ui/trips/TripContext.h"
#include "ui/trips/TripWindows.h"

namespace qv::trips {

using namespace qv::data;
using namespace qv::ui;

namespace {

BrowseSpec tripMemberSpec(AppContext& ctx) {
    Store* store = &ctx.store;
    BrowseSpec design;
    design.procedure = "brwTripMembers";
    design.title = "Trip Scores";
    design.source.file = "TripMember";
    design.source.key = "byTripId";
    design.source.range = {FieldValue{ctx.globals.TripId, {}}};
    design.columns = {
        {"Member", "", 26, [store](const Record& r) { return memberName(*store, r.number(r.field("MemberId"))); }},
        {"Non-Member", "", 22,
         [store](const Record& r) { return nonMemberName(*store, r.number(r.field("NonMemberId"))); }},
        {"Total Trip Points", "TotalTripPoints", 10},
        {"Progress Points", "ProgressPoints", 10},
        {"Member ID", "MemberId", 7},
        {"Non Member ID", "NonMemberId", 7},
        {"Team Id", "TeamId", 6}};
    design.openForm = [](AppContext& c, Request r, Record rec, QWidget* parent) {
        if (r == Request::Change) tripValues().changeFlag = "Y";
        if (r == Request::Insert) rec.setNumber(rec.field("TripId"), c.globals.TripId);
        return openTripScoringForm(c, r, std::move(rec), parent);
    };
    design.onClose = [](AppContext& c, QWidget*) { c.globals.DivisionId = 0; };
    return design;
}

}  // namespace

BrowseList* tripMemberList(AppContext& ctx, QWidget* parent) {
    session::Globals& g = ctx.globals;
    g.DivisionName = divisionName(ctx.store, g.DivisionId).toStdString();
    Trips trip;
    const bool allow = readTrip(ctx.store, g.TripId, trip) && trip.AllowNonMembers == "Y";
    auto* list = new BrowseList(ctx, tripMemberSpec(ctx), parent);
    static_cast<QVBoxLayout*>(list->layout())->insertWidget(0, tripSummary(ctx, list));
    list->view()->setColumnHidden(1, !allow);
    list->resize(std::max(list->width(), 760), 480);
    return list;
}

}  // namespace qv::trips
