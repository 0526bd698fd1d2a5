// The trip windows by procedure name. Opened on their own (a picture, a
// test) the trip-member windows take the latest trip that has anglers.

#include "core/data/Typed.h"
#include "ui/framework/WindowRegistry.h"
#include "ui/trips/TripContext.h"
#include "ui/trips/TripScoringForm.h"
#include "ui/trips/TripWindows.h"

namespace qv::trips {

using namespace qv::data;
using namespace qv::ui;

namespace {

// A form of `design` on a new record of its file.
StandardForm* newRecordForm(AppContext& ctx, const FormSpec& design, QWidget* parent,
                            const std::function<void(Record&)>& preset = {}) {
    FileUse use(ctx.store, design.file);
    Record rec = ctx.store.newRecord(design.file);
    ctx.store.primeForInsert(rec);
    if (preset) preset(rec);
    return new StandardForm(ctx, design, Request::Insert, rec, parent);
}

}  // namespace

void registerTripWindows() {
    registerWindow("brwTrips", [](AppContext& ctx, QWidget* p) -> QWidget* { return new TripList(ctx, p); });
    registerWindow("frmTrips", [](AppContext& ctx, QWidget* p) -> QWidget* {
        ensureSeason(ctx);
        return newRecordForm(ctx, tripForm(), p,
                             [&ctx](Record& r) { r.setText(r.field("SeasonId"), ctx.globals.SeasonId.str()); });
    });
    registerWindow("brwTripMembers", [](AppContext& ctx, QWidget* p) -> QWidget* {
        ensureTrip(ctx);
        return tripMemberList(ctx, p);
    });
    // On its own the scoring form shows the trip's first angler, or a new one.
    registerWindow("frmTripMembers", [](AppContext& ctx, QWidget* p) -> QWidget* {
        ensureTrip(ctx);
        FileUse use(ctx.store, "TripMember");
        Record first = ctx.store.newRecord("TripMember");
        first.setNumber(first.field("TripId"), ctx.globals.TripId);
        if (ctx.globals.TripId != 0 && ctx.store.fetch(first, "byTripId")) {
            tripValues().changeFlag.assign(1, 'Y');  // not = "Y": a false -Wrestrict of g++ 12
            return new StandardForm(ctx, tripScoringForm(), Request::Change, first, p);
        }
        return newRecordForm(ctx, tripScoringForm(), p,
                             [&ctx](Record& r) { r.setNumber(r.field("TripId"), ctx.globals.TripId); });
    });
    registerWindow("brwTeams", [](AppContext& ctx, QWidget* p) -> QWidget* {
        ensureTrip(ctx, true);
        return new BrowseList(ctx, teamList(ctx), p);
    });
    registerWindow("fmTeams", [](AppContext& ctx, QWidget* p) -> QWidget* {
        return newRecordForm(ctx, teamForm(), p, [&ctx](Record& r) { r.setNumber(r.field("TripId"), ctx.globals.TripId); });
    });
}

}  // namespace qv::trips
