#include "core/reports/TripReport.h"

#include <algorithm>
#include <map>

#include "core/data/ClubRecords.h"
#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/reports/RecordCache.h"
#include "core/reports/XmlDecimal.h"
#include "core/scoring/Grades.h"
#include "core/scoring/NetPoints.h"
#include "core/scoring/Seasons.h"
#include "core/scoring/Winners.h"

namespace qv::reports {

using namespace qv::data;
using scoring::detail::number;
using scoring::detail::walkRecords;

namespace {

constexpr int kColumns = 10;

// A species column: the species in the order first met, sorted by report position.
struct SpeciesColumn {
    int queueId = 0;
    int32_t speciesId = 0;
    std::string name;
    int16_t reportPosition = 0;
};

// The score row's layout, field for field as the data file has it.
olmix::RecordQueue scoreRows() {
    olmix::RecordQueue q;
    for (const char* f : {"LQ1:SEASONTRIPNUMBER", "LQ1:ORGANISATIONNAME", "LQ1:TRIPDATE",
                          "LQ1:TRIPLOCATION", "LQ1:INTERCLUBTRIPDESC", "LQ1:DIVISIONNAME",
                          "LQ1:MEASUREMENT", "LQ1:MEASURENAME", "LQ1:TROPHY", "LQ1:GRADENAME"})
        q.addText(f);
    q.addInteger("LQ1:GRADEPOSITION");
    q.addText("LQ1:FULLNAME");
    q.addText("LQ1:HANDICAP");
    for (const char* group : {"LQ1:SPECIESNAME", "LQ1:SPECIESNUMBERCAUGHT", "LQ1:HEAVIESTWEIGHT",
                              "LQ1:HEAVIESTMULTIPLE"})
        for (int k = 1; k <= kColumns; ++k) q.addText(group + std::to_string(k));
    q.addText("LQ1:TOTALNUMBERFISH");
    q.addText("LQ1:TOTALWEIGHTFISH");
    q.addText("LQ1:TOTALTRIPPOINTS");
    q.addDecimal("LQ1:PROGRESSPOINTS", 2);
    q.addText("LQ1:VARIETYWEIGHTFISH");
    q.addDecimal("LQ1:CALCULATEDPOINTS", 2);
    q.addText("LQ1:MISCDETAILS");
    return q;
}

olmix::RecordQueue winnerRows() {
    olmix::RecordQueue q;
    q.addText("LQ3:ORGANISATIONNAME");
    q.addInteger("LQ3:SEASONTRIPNUMBER");
    for (const char* f : {"LQ3:TRIPDATE", "LQ3:TRIPLOCATION", "LQ3:INTERCLUBTRIPDESC",
                          "LQ3:DIVISIONNAME", "LQ3:GRADENAME", "LQ3:FULLNAME"})
        q.addText(f);
    q.addDecimal("LQ3:CALCULATEDPOINTS", 2);
    return q;
}

olmix::RecordQueue trophyRows() {
    olmix::RecordQueue q;
    q.addText("LQ4:FULLNAME");
    q.addText("LQ4:TROPHYNAME");
    return q;
}

// The report name and grade of one trip member.
struct Angler {
    std::string name;
    int32_t gradeId = 0;
};

// Reads what the report needs once per build.
class Lookups {
public:
    Lookups(scoring::ScoringContext& ctx, const Trips& trip) : ctx_(ctx), trip_(trip), grades_(ctx.store()) {}

    Status angler(const TripMember& tm, Angler& out) {
        out = {};
        if (tm.NonMemberId >= 1) {
            NonMembers n;
            n.NonMemberId = tm.NonMemberId;
            Status s = fetchRecord(ctx_.store(), n, "byNonMemberId");
            if (s.isFailed()) return s;
            out.name = nonMemberName(n, true);
            out.gradeId = n.GradeId;
            return Status::ok();
        }
        if (Status s = scoring::MemberDisplayName(ctx_.store(), tm.MemberId, out.name); !s) return s;
        return grades_.gradeFor(tm.MemberId, trip_.DivisionId, trip_.SeasonId, out.gradeId);
    }
    Status grade(int32_t id, Grade& out) {
        return cachedRecord(ctx_.store(), gradeCache_, id, "byGradeId", [](Grade& r, int32_t k) { r.GradeId = k; }, out,
                            id != 0);
    }
    static std::string nonMemberName(const NonMembers& n, bool flags) {
        std::string s = std::string(clip(n.FirstName)) + " " + std::string(clip(n.LastName)) + "*";
        if (flags && n.LadiesFlag == "Y") s += " (L)";
        if (flags && n.VeteranFlag == "Y") s += " (V)";
        return s;
    }

private:
    scoring::ScoringContext& ctx_;
    const Trips& trip_;
    scoring::GradeBook grades_;
    std::map<int32_t, Grade> gradeCache_;
};

// Appends "name weight unit; " to the notes, a blank kept after each ";".
void note(std::string& notes, std::string_view what, Decimal value, const std::string& unit) {
    notes += std::string(what) + " " + value.toString() + " " + unit + "; ";
}

}  // namespace

std::string tripReportFile(int species) {
    const int n = std::clamp(species, 5, 10);
    return std::string("reports/rptTrip") + (n < 10 ? "0" : "") + std::to_string(n) + ".rpt";
}

Status BuildTripReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run) {
    Store& store = ctx.store();
    session::Globals& g = ctx.globals();
    run = ReportRun();
    run.windowTitle = kTripReportTitle;
    for (const char* l : {"Trips", "TripMember", "TripScore", "TripTrophy", "Species", "Division",
                          "Season", "Grade", "Members", "NonMembers", "Trophy", "GradeHistory"})
        if (Status s = store.open(l); !s) return s;
    struct Closer {
        Store& s;
        ~Closer() {
            for (const char* l : {"Trips", "TripMember", "TripScore", "TripTrophy", "Species", "Division",
                                  "Season", "Grade", "Members", "NonMembers", "Trophy", "GradeHistory"})
                s.close(l);
        }
    } closer{store};

    Trips trip;
    trip.TripId = g.TripId;
    if (Status s = fetchRecord(store, trip, "byTripId"); s.isFailed()) return s;
    Division division;
    division.DivisionId = trip.DivisionId;
    if (Status s = fetchRecord(store, division, "byDivisionId"); s.isFailed()) return s;
    Season season;
    season.SeasonId = trip.SeasonId;
    if (Status s = fetchRecord(store, season, "bySeasonId"); s.isFailed()) return s;
    const std::string unit = unitLabel(season.Measurement, season.ScoringApplies);
    bool hasTrophy = false;
    if (Status s = walkRecords<TripTrophy>(store, "byTripId", {number(trip.TripId)},
                                           [&](const TripTrophy& t) {
                                               hasTrophy = t.TripId == trip.TripId;
                                               return false;
                                           });
        !s)
        return s;

    // The trip members with their summary rows, in entry order.
    std::vector<TripMember> members;
    std::map<int32_t, std::map<int32_t, TripScore>> scores;  // trip member → species → row
    std::vector<SpeciesColumn> columns;
    Status s = walkRecords<TripMember>(store, "byTripId", {number(trip.TripId)}, [&](const TripMember& tm) {
        if (tm.TripId != trip.TripId) return false;
        members.push_back(tm);
        return true;
    });
    if (!s) return s;
    for (const TripMember& tm : members) {
        s = walkRecords<TripScore>(store, "byTripMemberIdSpeciesId", {number(tm.TripMemberId)},
                                   [&](const TripScore& row) {
                                       if (row.TripMemberId != tm.TripMemberId) return false;
                                       scores[tm.TripMemberId][row.SpeciesId] = row;
                                       // A row without fish is the form's blank line, not a catch.
                                       if (row.SpeciesNumberCaught <= 0) return true;
                                       for (const SpeciesColumn& c : columns)
                                           if (c.speciesId == row.SpeciesId) return true;
                                       Species sp;
                                       sp.SpeciesId = row.SpeciesId;
                                       if (fetchRecord(store, sp, "bySpeciesId").isFailed()) return true;
                                       columns.push_back({static_cast<int>(columns.size()) + 1, row.SpeciesId,
                                                          std::string(clip(sp.SpeciesName)), sp.ReportPosition});
                                       return true;
                                   });
        if (!s) return s;
    }
    run.reportFile = tripReportFile(static_cast<int>(columns.size()));
    std::stable_sort(columns.begin(), columns.end(), [](const SpeciesColumn& a, const SpeciesColumn& b) {
        return a.reportPosition < b.reportPosition;
    });

    const std::string formattedDate = trip.TripDate.format("D6");
    const std::string tripDate(clip(formattedDate));
    Lookups look(ctx, trip);
    olmix::RecordQueue q1 = scoreRows();
    for (const TripMember& tm : members) {
        q1.clear();
        size_t f = 1;
        q1.setText(f++, std::to_string(trip.SeasonTripNumber));
        q1.setText(f++, g.OrganisationName.str());
        q1.setText(f++, tripDate);
        q1.setText(f++, trip.TripLocation);
        q1.setText(f++, trip.InterClubTripDesc);
        q1.setText(f++, division.DivisionName);
        q1.setText(f++, unit);
        q1.setText(f++, "");
        q1.setText(f++, hasTrophy ? "Y" : "N");
        Angler a;
        if (s = look.angler(tm, a); !s) return s;
        Grade grade;
        if (s = look.grade(a.gradeId, grade); !s) return s;
        q1.setText(f++, grade.GradeName);
        q1.setInteger(f++, grade.ReportPosition);
        q1.setText(f++, a.name);
        q1.setText(f++, std::to_string(tm.Handicap));

        std::string notes = tm.Penalty != 0 ? "Penalty " + std::to_string(tm.Penalty) + " points; " : "";
        const size_t names = f, counts = f + kColumns, weights = f + 2 * kColumns, multiples = f + 3 * kColumns;
        int64_t sumCount = 0;
        Decimal sumWeight = Decimal::fromUnits(0, 3), sumMultiple = Decimal::fromUnits(0, 3);
        const auto& mine = scores[tm.TripMemberId];
        for (size_t k = 0; k < columns.size(); ++k) {
            const SpeciesColumn& c = columns[k];
            auto it = mine.find(c.speciesId);
            const TripScore row = it == mine.end() ? TripScore() : it->second;
            const size_t col = std::min<size_t>(k, kColumns - 1);
            if (k < kColumns - 1 || columns.size() == kColumns) {
                q1.setText(names + col, c.name);
                q1.setText(counts + col, it == mine.end() ? "0" : std::to_string(row.SpeciesNumberCaught));
                q1.setText(weights + col, it == mine.end() ? "0" : row.HeaviestWeight.toString());
                q1.setText(multiples + col, it == mine.end() ? "0" : row.HeaviestMultiple.toString());
            } else {
                sumCount += row.SpeciesNumberCaught;
                sumWeight += row.HeaviestWeight;
                sumMultiple += row.HeaviestMultiple;
                q1.setText(names + col, "Combined");
                q1.setText(counts + col, std::to_string(sumCount));
                q1.setText(weights + col, sumWeight.toString());
                q1.setText(multiples + col, sumMultiple.toString());
            }
            if (row.HeaviestWeight > Decimal(0)) note(notes, c.name, row.HeaviestWeight, unit);
            if (row.HeaviestMultiple > Decimal(0)) note(notes, "3 " + c.name, row.HeaviestMultiple, unit);
        }
        f += 4 * kColumns;
        q1.setText(f++, std::to_string(tm.TotalNumberFish));
        q1.setText(f++, tm.TotalWeightFish.toString());
        q1.setText(f++, tm.TotalTripPoints.toString());
        q1.setDecimal(f++, xmlDecimal(tm.ProgressPoints, 2));
        q1.setText(f++, tm.VarietyWeightFish.toString());
        q1.setDecimal(f++, xmlDecimal(scoring::NetTripPoints(tm.TotalTripPoints, tm.Penalty, tm.Handicap,
                                                          season.Handicap),
                                   2));
        const std::string joined = std::string(clip(notes)) + " " + std::string(clip(tm.MiscDetails));
        q1.setText(f++, std::string(clip(joined)));
        q1.add();
    }
    run.dataFlag = q1.records() > 0 ? 'Y' : 'N';

    // The grade winners, ties for first place included.
    olmix::RecordQueue q3 = winnerRows();
    ctx.tripGradeWinners.clear();
    if (!members.empty())
        if (s = scoring::BuildTripGradeWinners(ctx, trip.TripId); !s) return s;
    for (const scoring::TripGradeWinner& w : ctx.tripGradeWinners) {
        Grade grade;
        if (s = look.grade(w.GradeId, grade); !s) return s;
        std::string name;
        if (w.MemberId >= 1) {
            if (s = scoring::MemberDisplayName(store, w.MemberId, name); !s) return s;
        } else {
            NonMembers n;
            n.NonMemberId = w.NonMemberId;
            if (fetchRecord(store, n, "byNonMemberId").isOk()) name = Lookups::nonMemberName(n, true);
        }
        q3.clear();
        size_t f = 1;
        q3.setText(f++, g.OrganisationName.str());
        q3.setInteger(f++, trip.SeasonTripNumber);
        q3.setText(f++, tripDate);
        q3.setText(f++, trip.TripLocation);
        q3.setText(f++, trip.InterClubTripDesc);
        q3.setText(f++, division.DivisionName);
        q3.setText(f++, grade.GradeName);
        q3.setText(f++, name);
        q3.setDecimal(f++, xmlDecimal(w.CalculatedPoints, 2));
        q3.add();
    }

    // The trophies, or one empty row.
    olmix::RecordQueue q4 = trophyRows();
    s = walkRecords<TripTrophy>(store, "byTripId", {number(trip.TripId)}, [&](const TripTrophy& t) {
        if (t.TripId != trip.TripId) return false;
        q4.clear();
        if (t.MemberId >= 1) {
            Members m;
            m.MemberId = t.MemberId;
            if (fetchRecord(store, m, "byMemberId").isOk())
                q4.setText(1, std::string(clip(m.FirstName)) + " " + std::string(clip(m.LastName)));
        } else {
            NonMembers n;
            n.NonMemberId = t.NonMemberId;
            if (fetchRecord(store, n, "byNonMemberId").isOk()) q4.setText(1, Lookups::nonMemberName(n, false));
        }
        Trophy tro;
        tro.TrophyId = t.TrophyId;
        if (fetchRecord(store, tro, "byTrophyId").isOk()) q4.setText(2, tro.TrophyName);
        q4.add();
        return true;
    });
    if (!s) return s;
    if (q4.records() == 0) {
        q4.clear();
        q4.add();
    }

    const std::string folder = dataFolder(startFolder);
    writeDataFile(folder + "rptTrip.xml", "Quillavon XML for RptTrip report", "Scores", q1, run);
    writeDataFile(folder + "rptTripTrophy.xml", "Quillavon XML for RptTripTrophy report", "Row", q4, run);
    writeDataFile(folder + "rptTripWinners.xml", "Quillavon XML for RptTripWinners report", "Scores", q3, run);
    run.publish(g);
    return Status::ok();
}

}  // namespace qv::reports
