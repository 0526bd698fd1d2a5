#include "core/scoring/Explain.h"

#include <algorithm>

#include "core/data/ClubRecords.h"
#include "core/data/FixedText.h"
#include "core/data/Typed.h"
#include "core/scoring/NetPoints.h"
#include "core/scoring/Seasons.h"
#include "core/scoring/TripMemberScoring.h"
#include "core/scoring/Winners.h"

namespace qv::scoring {

namespace {

struct Units {
    const char* weight;
    const char* length;
};

Units unitsOf(const data::Season& s) {
    return clip(s.Measurement) == "I" ? Units{"lb", "in"} : Units{"kg", "cm"};
}

bool letterIs(std::string_view letter, char c) {
    std::string_view l = clip(letter);
    return l.size() == 1 && l[0] == c;
}

std::string fightFactorRule(Decimal measure, int places, const char* unit, Decimal factor,
                            const char* scale, Decimal lineClass) {
    std::string r = measure.toString(places) + " " + unit + " × " + factor.toString(2) + " × " +
                    scale + " ÷ " + lineClass.toString(2);
    if (lineClass.isZero()) r += " (a line class of 0 scores 0)";
    return r;
}

// Whether a catch is scored by its length, as CatchScore decides.
bool catchByLength(const data::TripCatch& c, std::string_view letter) {
    return letterIs(letter, 'L') ||
           (letterIs(letter, 'B') && c.SpeciesWeight.isZero() && c.SpeciesLength > Decimal(0));
}

void finish(WorkingSection& s, Decimal held) {
    s.held = held;
    s.differs = !(held == s.result);
}

WorkingSection fromCatches(const data::System& sys, const std::vector<data::TripCatch>& catches,
                           std::string_view letter, Units u, ScoreWarnings& warnings) {
    WorkingSection s{"Trip points", {}, "the catches' scores + participation points", {}, false, {}};
    Decimal sum = Decimal::fromUnits(0, 2);
    int n = 0;
    for (const data::TripCatch& stored : catches) {
        data::TripCatch c = stored;
        WorkingLine line{"Catch " + std::to_string(++n) + ": " + std::string(clip(c.SpeciesName)), "", {}};
        if (!CatchScore(c, letter, &warnings))
            line.rule = "kept as entered (the season scores no weight or length)";
        else if (catchByLength(c, letter))
            line.rule = fightFactorRule(c.SpeciesLength, 2, u.length, c.FightFactor, "10", c.LineClass);
        else
            line.rule = fightFactorRule(c.SpeciesWeight, 3, u.weight, c.FightFactor, "100", c.LineClass);
        line.value = c.Score;
        sum += c.Score;
        s.lines.push_back(line);
    }
    s.lines.push_back({"Participation points", "for fishing the trip", sys.ParticipationPoints});
    s.result = (sum + sys.ParticipationPoints).roundedTo(2);
    return s;
}

WorkingSection fromSummary(const data::System& sys, const std::vector<SummaryRow>& rows,
                           std::string_view letter, Units u, ScoreWarnings& warnings) {
    WorkingSection s{"Trip points", {}, "the species' terms + participation points", {}, false, {}};
    Decimal sum = Decimal::fromUnits(0, 2);
    for (const SummaryRow& row : rows) {
        const Decimal term = SummaryRowTerm(row, letter, &warnings);
        const bool byLength = letterIs(letter, 'L');
        std::string rule =
            byLength ? fightFactorRule(row.length, 2, u.length, row.fightFactor, "10", row.lineClass)
                     : fightFactorRule(row.weight, 3, u.weight, row.fightFactor, "100", row.lineClass);
        const Decimal before = sum;
        sum = (sum + term).roundedTo(2);
        s.lines.push_back({row.speciesName + " (" + std::to_string(row.count) + " fish)",
                           rule + " = " + term.toString(kTermPlaces), sum - before});
    }
    s.lines.push_back({"Participation points", "for fishing the trip", sys.ParticipationPoints});
    s.result = (sum + sys.ParticipationPoints).roundedTo(2);
    return s;
}

WorkingSection fromCountAndWeight(const data::System& sys, const data::TripMember& tm, Units u) {
    WorkingSection s{"Trip points", {}, "", {}, false, {}};
    const Decimal fish = Decimal(tm.TotalNumberFish) * sys.PerSpeciesCaughtPoints;
    const Decimal weight = tm.TotalWeightFish * sys.PerSpeciesWeightPoints;
    s.lines.push_back({"Fish caught",
                       std::to_string(tm.TotalNumberFish) + " × " +
                           sys.PerSpeciesCaughtPoints.toString(2) + " points",
                       fish.roundedTo(2)});
    s.lines.push_back({"Weight of fish",
                       tm.TotalWeightFish.toString(2) + " " + u.weight + " × " +
                           sys.PerSpeciesWeightPoints.toString(2) + " points",
                       weight.roundedTo(2)});
    s.lines.push_back({"Participation points", "for fishing the trip", sys.ParticipationPoints});
    s.result = CountAndWeightPoints(sys, tm.TotalNumberFish, tm.TotalWeightFish);
    const Decimal plain = (fish + weight + sys.ParticipationPoints).roundedTo(2);
    s.resultRule = sys.Rounding == 1
                       ? "the sum " + plain.toString(2) + ", to the half point (up to .25 down, "
                                                          "up to .75 to a half, above up)"
                       : "the sum";
    return s;
}

}  // namespace

data::Status ExplainScore(ScoringContext& ctx, const data::TripMember& tm,
                          const std::vector<data::TripCatch>& catches,
                          const std::vector<SummaryRow>& rows, Working& out) {
    out = Working();
    data::Store& store = ctx.store();
    const data::System& sys = ctx.settings();
    data::FileUse trips(store, "Trips"), seasons(store, "Season");
    if (!trips) return trips.status();
    if (!seasons) return seasons.status();
    data::Trips trip;
    trip.TripId = tm.TripId;
    if (data::Status s = data::fetchRecord(store, trip, "byTripId"); !s) return s;
    data::Season season;
    season.SeasonId = trip.SeasonId;
    if (data::Status s = data::fetchRecord(store, season, "bySeasonId"); s.isFailed()) return s;
    const std::string letter(clip(season.ScoringApplies));
    const std::string handicapLetter(clip(season.Handicap));
    const Units u = unitsOf(season);

    // Trip points, the way the club scores.
    const bool fightFactor = sys.FightFactorScoring == 1;
    const bool byCatches = !catches.empty() || tm.TripCatchList == "Y" || sys.IndividualCatchesApplies == 1;
    const char* by = letterIs(letter, 'L') ? "length" : letterIs(letter, 'B') ? "weight, or length" : "weight";
    if (fightFactor) {
        out.mode = std::string("Fight factor scoring by ") + by +
                   (byCatches ? ", from the individual catches" : ", from the species summary");
        out.sections.push_back(byCatches ? fromCatches(sys, catches, letter, u, out.warnings)
                                         : fromSummary(sys, rows, letter, u, out.warnings));
    } else {
        out.mode = "Points for the number and the weight of fish";
        out.sections.push_back(fromCountAndWeight(sys, tm, u));
    }
    finish(out.sections.back(), tm.TotalTripPoints);
    const Decimal tripPoints = out.sections.back().result;

    // Handicap from earlier grade wins this season (members only).
    const bool member = tm.MemberId > 0 && tm.NonMemberId == 0;
    WorkingSection h{"Handicap", {}, "", {}, false, {}};
    int32_t handicap = tm.Handicap;
    if (member) {
        // The list the scorer's form gathered for this trip, or a fresh one.
        PriorTripWinners gathered;
        const PriorTripWinners& kept = ctx.priorTripWinners;
        const bool current = kept.built && kept.tripId == trip.TripId &&
                             kept.divisionId == trip.DivisionId && sameSeason(kept.seasonId, trip.SeasonId);
        if (!current)
            if (data::Status s = GatherPriorTripWinners(store, trip.TripId, trip.DivisionId, trip.SeasonId, gathered); !s)
                return s;
        const PriorTripWinners& winners = current ? kept : gathered;
        int wins = 0;
        for (const PriorTripWinner& w : winners.rows) {
            if (w.MemberId != tm.MemberId) continue;
            ++wins;
            h.lines.push_back({"Trip " + std::to_string(w.TripId),
                               "won grade " + std::to_string(w.GradeId) + " with " +
                                   w.CalculatedPoints.toString(2) + " net points",
                               Decimal(1)});
        }
        handicap = HandicapForWins(sys, wins, tm.Handicap);
        h.resultRule = wins == 0 ? "no earlier grade win: the handicap stays as it is"
                                 : "initial " + sys.HandicapInitial.toString(2) + " + " +
                                       std::to_string(wins - 1) + " × follow-on " +
                                       sys.HandicapFollowOn.toString(2) + ", to the whole point";
    } else {
        h.resultRule = "a visitor's handicap is as entered";
    }
    h.result = Decimal(handicap);
    finish(h, Decimal(tm.Handicap));
    out.sections.push_back(h);

    // Net points, which decide the grade winners.
    WorkingSection n{"Net points", {}, "", {}, false, {}};
    const Decimal beforeHandicap = tripPoints - Decimal(tm.Penalty);
    n.lines.push_back({"Trip points", "", tripPoints});
    n.lines.push_back({"Penalty", "", Decimal(-int64_t{tm.Penalty})});
    n.result = NetTripPoints(tripPoints, tm.Penalty, handicap, handicapLetter);
    n.lines.push_back({"Handicap",
                       handicapLetter == "P" ? std::to_string(handicap) + "% off"
                                             : std::to_string(handicap) + " points off",
                       (n.result - beforeHandicap).roundedTo(2)});
    n.resultRule = "trip points − penalty, less the handicap";
    finish(n, n.result);
    out.sections.push_back(n);

    // Progress points: this trip and the member's earlier trips this season.
    WorkingSection p{"Progress points", {}, "the trips' points − penalties", {}, false, {}};
    Decimal prior = Decimal::fromUnits(0, 2);
    if (member) {
        std::vector<EarlierTripPoints> earlier;
        if (data::Status s = PriorTripPoints(store, tm.MemberId, trip.DivisionId, trip.SeasonId, trip.TripId, earlier); !s)
            return s;
        for (const EarlierTripPoints& e : earlier) {
            const Decimal v = e.points - Decimal(e.penalty);
            p.lines.push_back({"Trip " + std::to_string(e.tripId),
                               e.points.toString(2) + " − " + std::to_string(e.penalty), v});
            prior += v;
        }
    }
    p.lines.push_back({"This trip", tripPoints.toString(2) + " − " + std::to_string(tm.Penalty),
                       beforeHandicap});
    p.result = (beforeHandicap + prior).roundedTo(2);
    finish(p, tm.ProgressPoints);
    out.sections.push_back(p);
    return data::Status::ok();
}

data::Status ExplainTripMember(ScoringContext& ctx, int32_t tripMemberId, Working& out) {
    data::Store& store = ctx.store();
    data::FileUse members(store, "TripMember"), catchFile(store, "TripCatch");
    if (!members) return members.status();
    if (!catchFile) return catchFile.status();
    data::TripMember tm;
    tm.TripMemberId = tripMemberId;
    if (data::Status s = data::fetchRecord(store, tm, "byTripMemberId"); !s) return s;
    std::vector<data::TripCatch> catches;
    data::Status s = detail::walkRecords<data::TripCatch>(
        store, "byTripMemberId", {detail::number(tripMemberId)}, [&](const data::TripCatch& c) {
            if (c.TripMemberId != tripMemberId) return false;
            catches.push_back(c);
            return true;
        });
    if (!s) return s;
    std::vector<SummaryRow> rows;
    if (s = loadSummaryRows(store, tripMemberId, rows); !s) return s;
    return ExplainScore(ctx, tm, catches, rows, out);
}

namespace {

// Characters on the screen, not bytes ("×" is one).
size_t shownWidth(std::string_view s) {
    size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

}  // namespace

std::string Working::text() const {
    std::string t = mode + "\n";
    auto signedValue = [](Decimal v) { return (v < Decimal(0) ? "" : "+") + v.toString(2); };
    for (const WorkingSection& s : sections) {
        const bool wins = s.title == "Handicap";
        t += "\n" + s.title + "\n";
        std::vector<std::string> left;
        size_t width = 0;
        for (const WorkingLine& l : s.lines) {
            left.push_back("  " + l.term + (l.rule.empty() ? "" : ": " + l.rule));
            width = std::max(width, shownWidth(left.back()));
        }
        for (size_t i = 0; i < s.lines.size(); ++i) {
            const std::string value = wins ? std::string("a win") : signedValue(s.lines[i].value);
            t += left[i] + std::string(width - shownWidth(left[i]) + 2, ' ') +
                 std::string(value.size() < 10 ? 10 - value.size() : 0, ' ') + value + "\n";
        }
        t += "  = " + s.result.toString(wins ? 0 : 2) + "  (" + s.resultRule + ")\n";
        if (s.differs)
            t += "  The trip member holds " + s.held.toString(s.title == "Handicap" ? 0 : 2) +
                 " (entered by hand or scored before a change).\n";
    }
    if (!warnings.empty()) t += "\n" + warnings.text() + "\n";
    return t;
}

}  // namespace qv::scoring
