#include "ui/trips/TripContext.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "core/data/ClubRecords.h"
#include "core/data/FixedText.h"
#include "core/data/SystemSettings.h"
#include "core/data/Typed.h"
#include "core/scoring/Grades.h"
#include "core/scoring/Seasons.h"
#include "ui/framework/MessageService.h"

namespace qv::trips {

using namespace qv::data;

TripValues& tripValues() {
    static TripValues values;
    return values;
}

ScoringScope::ScoringScope(ui::AppContext& ctx) : ctx_(ctx.scoring) {
    if (ctx_) return;
    System settings;
    readSystem(ctx.store, settings);
    own_ = std::make_unique<scoring::ScoringContext>(ctx.store, settings, ctx.globals);
    ctx_ = own_.get();
}

namespace {

// The record of T whose `key` holds `id`, or false.
template <typename T, typename Set>
bool byId(Store& store, const char* key, int32_t id, Set set, T& out) {
    if (id <= 0) return false;
    FileUse use(store, T::kLabel);
    out = T();
    set(out, id);
    return use && fetchRecord(store, out, key).isOk();
}

QString q(const std::string& s) { return QString::fromStdString(std::string(clip(s))); }

}  // namespace

QString divisionName(Store& store, int32_t id) {
    Division d;
    return byId(store, "byDivisionId", id, [](Division& r, int32_t v) { r.DivisionId = v; }, d) ? q(d.DivisionName)
                                                                                                 : QString();
}

QString memberName(Store& store, int32_t id) {
    Members m;
    return byId(store, "byMemberId", id, [](Members& r, int32_t v) { r.MemberId = v; }, m)
               ? q(scoring::MemberDisplayName(m))
               : QString();
}

QString nonMemberName(Store& store, int32_t id) {
    NonMembers n;
    if (!byId(store, "byNonMemberId", id, [](NonMembers& r, int32_t v) { r.NonMemberId = v; }, n)) return {};
    return q(std::string(clip(n.FirstName)) + " " + std::string(clip(n.LastName)));
}

QString trophyName(Store& store, int32_t id) {
    Trophy t;
    return byId(store, "byTrophyId", id, [](Trophy& r, int32_t v) { r.TrophyId = v; }, t) ? q(t.TrophyName)
                                                                                          : QString();
}

QString teamName(Store& store, int32_t id) {
    Teams t;
    return byId(store, "byTeamId", id, [](Teams& r, int32_t v) { r.TeamId = v; }, t) ? q(t.Name) : QString();
}

bool readTrip(Store& store, int32_t tripId, Trips& out) {
    return byId(store, "byTripId", tripId, [](Trips& r, int32_t v) { r.TripId = v; }, out);
}

void openTripForScoring(ui::AppContext& ctx, const Trips& trip) {
    session::Globals& g = ctx.globals;
    g.TripId = trip.TripId;
    g.DivisionId = trip.DivisionId;
    // The trip's own season, so that its anglers are graded and scored in it
    // whatever season the list shows.
    g.SeasonId = trip.SeasonId;
    g.TripSumNumber = std::to_string(trip.SeasonTripNumber);
    g.TripSumTripDate = trip.TripDate;
    g.TripSumTripLocation = trip.TripLocation;
    g.TripSumInterClubDesc = trip.InterClubTripDesc;
    tripValues().allowNonMembers = trip.AllowNonMembers;
}

void ensureTrip(ui::AppContext& ctx, bool withTeams) {
    if (ctx.globals.TripId != 0) return;
    Store& store = ctx.store;
    FileUse trips(store, "Trips"), members(store, "TripMember"), teams(store, "Teams");
    if (!trips || !members || !teams) return;
    std::unique_ptr<Cursor> c;
    if (!store.walk("Trips", "byTripId", {}, true, c)) return;
    Record r = store.newRecord("Trips");
    while (c->next(r)) {
        Trips t;
        t.fromRecord(r);
        Record probe = store.newRecord(withTeams ? "Teams" : "TripMember");
        probe.setNumber(probe.field("TripId"), t.TripId);
        if (!store.fetch(probe, "byTripId")) continue;
        openTripForScoring(ctx, t);
        return;
    }
}

void ensureSeason(ui::AppContext& ctx) {
    if (!ctx.globals.SeasonId.empty()) return;
    FileUse use(ctx.store, "Season");
    std::unique_ptr<Cursor> c;
    if (!use || !ctx.store.walk("Season", "bySeasonId", {}, false, c)) return;
    Record r = ctx.store.newRecord("Season");
    std::string latest, current;
    while (c->next(r)) {
        Season s;
        s.fromRecord(r);
        latest = s.SeasonId;
        if (s.CurrentSeasonFlag == "Y") current = s.SeasonId;
    }
    ctx.globals.SeasonId = current.empty() ? latest : current;
}

QGroupBox* tripSummary(ui::AppContext& ctx, QWidget* parent) {
    const session::Globals& g = ctx.globals;
    auto* box = new QGroupBox("Trip Summary", parent);
    box->setObjectName("tripSummary");
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(12);
    auto value = [&](const QString& text, const char* name) {
        auto* l = new QLabel(text, box);
        l->setObjectName(name);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };
    const std::pair<QString, QLabel*> cells[] = {
        {"Division:", value(g.DivisionName.empty() ? divisionName(ctx.store, g.DivisionId) : q(g.DivisionName.str()),
                            "summaryDivision")},
        {"Season:", value(q(g.SeasonId.str()), "summarySeason")},
        {"Trip #:", value(q(g.TripSumNumber.str()), "summaryTrip")},
        {"Date:", value(QString::fromStdString(g.TripSumTripDate.format()), "summaryDate")},
        {"Location:", value(q(g.TripSumTripLocation.str()), "summaryLocation")},
        {"Inter-club:", value(q(g.TripSumInterClubDesc.str()), "summaryInterClub")},
    };
    for (int i = 0; i < 6; ++i) {
        const int row = i / 3, col = (i % 3) * 2;
        grid->addWidget(new QLabel(cells[i].first, box), row, col, Qt::AlignRight);
        grid->addWidget(cells[i].second, row, col + 1);
    }
    grid->setColumnStretch(5, 1);
    return box;
}

}  // namespace qv::trips
