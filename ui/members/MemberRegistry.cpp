// The member and trophy windows by procedure name. Opened on their own (a
// picture, a test) the forms start on a new record.

#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "ui/framework/WindowRegistry.h"
#include "ui/members/MemberWindows.h"

namespace qv::members {

using namespace qv::data;
using namespace qv::ui;

namespace {

Record newRecord(AppContext& ctx, const char* file) {
    FileUse use(ctx.store, file);
    Record rec = ctx.store.newRecord(file);
    ctx.store.primeForInsert(rec);
    return rec;
}

}  // namespace

void registerMemberWindows() {
    registerWindow("brwMembers", [](AppContext& ctx, QWidget* p) -> QWidget* { return new MemberList(ctx, p); });
    registerWindow("frmMembers", [](AppContext& ctx, QWidget* p) -> QWidget* {
        return new MemberForm(ctx, Request::Insert, newRecord(ctx, "Members"), p);
    });
    registerWindow("frmGradeHistory", [](AppContext& ctx, QWidget* p) -> QWidget* {
        return new StandardForm(ctx, gradeHistoryForm(true), Request::Insert, newRecord(ctx, "GradeHistory"), p);
    });
    registerWindow("frmNonMembers", [](AppContext& ctx, QWidget* p) -> QWidget* {
        Record rec = newRecord(ctx, "NonMembers");
        rec.setNumber(rec.field("TripId"), ctx.globals.TripId);
        return new StandardForm(ctx, nonMemberForm(), Request::Insert, rec, p);
    });
    // The trip trophy form on the latest trip, with that trip's rule on non-members.
    registerWindow("frmTrophyHistory", [](AppContext& ctx, QWidget* p) -> QWidget* {
        Record rec = newRecord(ctx, "TripTrophy");
        Trips trip;
        {
            FileUse use(ctx.store, "Trips");
            std::unique_ptr<Cursor> c;
            Record r = ctx.store.newRecord("Trips");
            if (use && ctx.store.walk("Trips", "byTripId", {}, true, c) && c->next(r)) trip.fromRecord(r);
        }
        rec.setNumber(rec.field("TripId"), trip.TripId);
        if (trip.AllowNonMembers == "Y") ctx.globals.TripId = trip.TripId;
        if (ctx.globals.SeasonId.empty()) ctx.globals.SeasonId = trip.SeasonId;
        return newTripTrophyForm(ctx, rec, trip.AllowNonMembers, p);
    });
    registerWindow("brwSeasonTrophy", [](AppContext& ctx, QWidget* p) -> QWidget* {
        return new SeasonTrophyList(ctx, p);
    });
    registerWindow("frmSeasonTrophy", [](AppContext& ctx, QWidget* p) -> QWidget* {
        if (ctx.globals.SeasonId.empty()) ctx.globals.SeasonId = latestSeason(ctx);
        return new StandardForm(ctx, seasonTrophyForm(), Request::Insert, newRecord(ctx, "SeasonTrophy"), p);
    });
}

}  // namespace qv::members
