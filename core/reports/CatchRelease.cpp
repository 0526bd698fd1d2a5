#include "core/reports/CatchRelease.h"

#include <map>
#include <set>
#include <vector>

#include "core/data/FixedText.h"
#include "core/reports/ReportLookups.h"
#include "core/scoring/Seasons.h"

namespace qv::reports {

using namespace qv::data;
using scoring::detail::number;
using scoring::detail::text;
using scoring::detail::walkRecords;

namespace {

constexpr int32_t kTotalColumn = 9999;

olmix::RecordQueue releaseRows() {
    olmix::RecordQueue q;
    for (const char* f : {"LQ1:ORGANISATIONNAME", "LQ1:SEASONDESC", "LQ1:DIVISIONNAME"}) q.addText(f);
    q.addInteger("LQ1:COLUMNID");
    q.addText("LQ1:COLUMNNAME");
    q.addDecimal("LQ1:DATA", 2);
    q.addText("LQ1:RELEASEKILL");
    q.addDecimal("LQ1:TOTALTRIPPOINTS", 10);
    q.addText("LQ1:FULLNAME");
    q.addText("LQ1:GRADENAME");
    q.addInteger("LQ1:GRADEPOSITION");
    return q;
}

// One member's scores by species, per group.
struct Group {
    bool any = false;  // a catch in the group, even one that scored nothing
    Decimal total;
    std::map<int32_t, Decimal> bySpecies;
};
struct MemberScores {
    Group release, caught;
};

struct Column {
    int32_t id;
    std::string name;
};

}  // namespace

olmix::Decimal memberFractionKey(const Decimal& total, int32_t memberId) {
    const std::string digits = std::to_string(memberId < 0 ? -static_cast<int64_t>(memberId) : memberId);
    // ".00" and the digits, as units of 10^-10: the first eight digits fit.
    int64_t fraction = std::stoll(digits.substr(0, 8));
    for (size_t d = std::min<size_t>(digits.size(), 8); d < 8; ++d) fraction *= 10;
    return olmix::Decimal{total.unitsAt(2) * 100000000 + fraction, 10};
}

Status BuildCatchReleaseReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run) {
    Store& store = ctx.store();
    session::Globals& g = ctx.globals();
    run = ReportRun();
    run.reportFile = "reports/rptCatchRelease.rpt";
    run.windowTitle = kCatchReleaseTitle;
    OpenFiles files(store, {"Trips", "TripMember", "TripCatch", "Species", "Division", "Season", "Grade",
                            "Members", "GradeHistory"});
    if (!files.status()) return files.status();

    Division division;
    Season season;
    if (Status s = divisionAndSeason(store, g.DivisionId, g.SeasonId.str(), division, season); !s) return s;
    std::vector<Species> species;
    if (Status s = divisionSpecies(store, g.DivisionId, species); !s) return s;
    std::vector<Column> columns;
    std::set<int32_t> listed;
    for (const Species& sp : species) {
        columns.push_back({sp.SpeciesId, std::string(clip(sp.SpeciesName))});
        listed.insert(sp.SpeciesId);
    }

    // The members' catches on the division's trips of the season; members
    // come out in member id order.
    const std::string seasonId = g.SeasonId.str();
    std::vector<int32_t> trips;
    Status s = walkRecords<Trips>(store, "bySeasonIdDivisionId", {text(seasonId), number(g.DivisionId)},
                                  [&](const Trips& t) {
                                      if (t.DivisionId != g.DivisionId || !sameText(t.SeasonId, seasonId, false))
                                          return false;
                                      if (sameText(t.SeasonId, seasonId)) trips.push_back(t.TripId);
                                      return true;
                                  });
    if (!s) return s;
    std::map<int32_t, MemberScores> scores;
    std::map<int32_t, std::string> strays;  // species caught that the division does not list
    for (int32_t tripId : trips) {
        std::vector<TripMember> members;
        s = walkRecords<TripMember>(store, "byTripId", {number(tripId)}, [&](const TripMember& tm) {
            if (tm.TripId != tripId) return false;
            if (tm.NonMemberId < 1 && tm.MemberId >= 1) members.push_back(tm);
            return true;
        });
        if (!s) return s;
        for (const TripMember& tm : members) {
            s = walkRecords<TripCatch>(store, "byTripMemberId", {number(tm.TripMemberId)}, [&](const TripCatch& c) {
                if (c.TripMemberId != tm.TripMemberId) return false;
                const std::string_view how = clip(c.ReleaseKill);
                if (how != "Release" && how != "Caught") return true;
                MemberScores& m = scores[tm.MemberId];
                Group& group = how == "Release" ? m.release : m.caught;
                group.any = true;
                group.total += c.Score;
                group.bySpecies[c.SpeciesId] += c.Score;
                if (!listed.count(c.SpeciesId)) strays.emplace(c.SpeciesId, std::string(clip(c.SpeciesName)));
                return true;
            });
            if (!s) return s;
        }
    }
    // A catch of a species the division does not list still counts in its
    // member's total, so it gets a row of its own after the division's
    // species, and the species rows add up to the total.
    for (const auto& [id, name] : strays) {
        Species sp;
        sp.SpeciesId = id;
        if (Status f = fetchRecord(store, sp, "bySpeciesId"); f.isFailed()) return f;
        else if (f) columns.push_back({id, std::string(clip(sp.SpeciesName))});
        else columns.push_back({id, name});
    }

    ReportAnglers anglers(store);
    olmix::RecordQueue q = releaseRows();
    for (const auto& [memberId, m] : scores) {
        AnglerLine a;
        if (s = anglers.member(memberId, g.DivisionId, seasonId, a); !s) return s;
        auto row = [&](int32_t columnId, const std::string& name, const Decimal& value, const char* group,
                       const olmix::Decimal& key) {
            q.clear();
            size_t f = 1;
            q.setText(f++, g.OrganisationName.str());
            q.setText(f++, season.SeasonDesc);
            q.setText(f++, division.DivisionName);
            q.setInteger(f++, columnId);
            q.setText(f++, fitText(name, 30));
            q.setDecimal(f++, xmlDecimal(value, 2));
            q.setText(f++, group);
            q.setDecimal(f++, key);
            q.setText(f++, a.name);
            q.setText(f++, a.gradeName);
            q.setInteger(f++, a.gradePosition);
            q.add();
        };
        for (const auto& [group, name] : {std::pair{&m.release, "Release"}, {&m.caught, "Caught"}}) {
            if (!group->any) continue;
            const olmix::Decimal key = memberFractionKey(group->total, memberId);
            row(kTotalColumn, "Total", group->total, name, key);
            for (const Column& c : columns) {
                auto it = group->bySpecies.find(c.id);
                row(c.id, c.name, it == group->bySpecies.end() ? Decimal() : it->second, name, key);
            }
        }
    }
    run.dataFlag = q.records() > 0 ? 'Y' : 'N';
    writeDataFile(dataFolder(startFolder) + "rptCatchRelease.xml", "", "Row", q, run, false);
    run.publish(g);
    return Status::ok();
}

}  // namespace qv::reports
