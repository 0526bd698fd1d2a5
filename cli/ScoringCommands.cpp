// recalc, grade, winners, standings and score-member: the scoring rule book
// from the command line.

#include <map>
#include <string>

#include "cli/Session.h"
#include "core/data/ClubRecords.h"
#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/scoring/Explain.h"
#include "core/scoring/Grades.h"
#include "core/scoring/Recalculation.h"
#include "core/scoring/Standings.h"
#include "core/scoring/TripMemberScoring.h"
#include "core/scoring/Winners.h"
#include "core/session/Globals.h"

namespace qv::cli {

using namespace qv::data;
using namespace qv::scoring;

namespace {

// A whole-number option; false after printing what is wrong.
bool numberOption(Context& ctx, const char* name, int32_t& out) {
    std::string v = option(ctx, name);
    try {
        size_t used = 0;
        long n = std::stol(v, &used);
        if (used == v.size() && n >= INT32_MIN && n <= INT32_MAX) {
            out = static_cast<int32_t>(n);
            return true;
        }
    } catch (const std::exception&) {
    }
    ctx.err << "quillavon-cli: " << name << " needs a whole number\n";
    return false;
}

bool seasonOption(Context& ctx, std::string& out) {
    out = std::string(clip(option(ctx, "--season")));
    if (!out.empty()) return true;
    ctx.err << "quillavon-cli: --season needs a season id\n";
    return false;
}

std::string gradeName(Store& store, int32_t gradeId) {
    if (gradeId == 0) return "(no grade)";
    FileUse use(store, "Grade");
    Grade g;
    g.GradeId = gradeId;
    if (use && fetchRecord(store, g, "byGradeId")) return g.GradeName;
    return "(grade " + std::to_string(gradeId) + " not found)";
}

// Scores are computed only for a "Scorer"; refuses any other level.
bool asScorer(Context& ctx) {
    if (session::globals().SecurityLevel == kScorerLevel) return true;
    Message m = notScorerMessage();
    const std::string level = session::globals().SecurityLevel.str();
    ctx.err << m.title << ": " << m.text << " User " << ctx.user << " has the level "
            << (level.empty() ? std::string("(none)") : level) << ".\n";
    return false;
}

int recalcCommand(Context& ctx) {
    std::string season;
    if (ctx.args.size() != 2 || !seasonOption(ctx, season)) return kUsage;
    if (!asScorer(ctx)) return kRefused;
    ScoringContext sc(ctx.store(), ctx.session->settings);
    RecalculationCounts n;
    if (Status s = RecalculateSeasonProgress(sc, season, &n); !s) return report(ctx, s);
    ctx.out << "Season " << season << ": " << n.trips << " trips, " << n.tripMembers
            << " trip members recalculated, " << n.rewritten << " rewritten\n";
    return kOk;
}

int gradeCommand(Context& ctx) {
    int32_t member = 0, division = 0;
    std::string season;
    if (ctx.args.size() != 6 || !numberOption(ctx, "--member", member) ||
        !numberOption(ctx, "--division", division) || !seasonOption(ctx, season))
        return kUsage;
    int32_t grade = 0;
    if (Status s = GradeFor(ctx.store(), member, division, season, grade); !s) return report(ctx, s);
    ctx.out << grade << ' ' << gradeName(ctx.store(), grade) << '\n';
    return kOk;
}

std::string anglerName(Store& store, const TripGradeWinner& w) {
    if (w.NonMemberId >= 1) {
        FileUse use(store, "NonMembers");
        NonMembers n;
        n.NonMemberId = w.NonMemberId;
        std::string name = use && fetchRecord(store, n, "byNonMemberId") ? std::string(clip(n.FullName)) : "";
        return "non-member " + std::to_string(w.NonMemberId) + (name.empty() ? "" : " " + name);
    }
    std::string name;
    MemberDisplayName(store, w.MemberId, name);
    return "member " + std::to_string(w.MemberId) + (name.empty() ? "" : " " + name);
}

int winnersCommand(Context& ctx) {
    int32_t trip = 0;
    if (ctx.args.size() != 2 || !numberOption(ctx, "--trip", trip)) return kUsage;
    ScoringContext sc(ctx.store(), ctx.session->settings);
    if (Status s = BuildTripGradeWinners(sc, trip); !s) return report(ctx, s);
    for (const TripGradeWinner& w : sc.tripGradeWinners)
        ctx.out << "grade " << w.GradeId << ' ' << gradeName(ctx.store(), w.GradeId) << ": "
                << anglerName(ctx.store(), w) << ": " << w.CalculatedPoints.toString(2) << '\n';
    return kOk;
}

int standingsCommand(Context& ctx) {
    int32_t division = 0;
    std::string season;
    if (ctx.args.size() != 4 || !numberOption(ctx, "--division", division) || !seasonOption(ctx, season))
        return kUsage;
    ScoringContext sc(ctx.store(), ctx.session->settings);
    if (Status s = BuildSubGradeStandings(sc, division, season); !s) return report(ctx, s);
    for (const SubGradeStanding& st : sc.subGradeStandings) {
        std::string name;
        MemberDisplayName(ctx.store(), st.MemberId, name);
        ctx.out << st.GradeId << '\t' << st.Position << '\t' << st.MemberId << ' ' << name << '\t'
                << st.ProgressPoints.toString(2) << '\n';
    }
    return kOk;
}

int scoreMemberCommand(Context& ctx) {
    int32_t id = 0;
    if (ctx.args.size() != 2 || !numberOption(ctx, "--trip-member", id)) return kUsage;
    if (!asScorer(ctx)) return kRefused;
    ScoringContext sc(ctx.store(), ctx.session->settings);
    TripMemberScore score;
    if (Status s = ScoreTripMember(sc, id, &score); !s) return report(ctx, s);
    const TripMember& tm = score.tripMember;
    ctx.out << "TripMemberId=" << tm.TripMemberId << " TotalNumberFish=" << tm.TotalNumberFish
            << " TotalWeightFish=" << tm.TotalWeightFish.toString(2)
            << " TotalTripPoints=" << tm.TotalTripPoints.toString(2) << " Penalty=" << tm.Penalty
            << " Handicap=" << tm.Handicap << " ProgressPoints=" << tm.ProgressPoints.toString(2) << '\n';
    if (!score.warnings.empty()) ctx.out << "Quillavon: " << score.warnings.text() << '\n';
    return kOk;
}

// The working behind a trip member's points, for every user.
int explainCommand(Context& ctx) {
    int32_t id = 0;
    if (ctx.args.size() != 2 || !numberOption(ctx, "--trip-member", id)) return kUsage;
    ScoringContext sc(ctx.store(), ctx.session->settings);
    Working working;
    if (Status s = ExplainTripMember(sc, id, working); !s) return report(ctx, s);
    ctx.out << working.text();
    return kOk;
}

}  // namespace

void registerScoringCommands() {
    using session::Access;
    // Scoring belongs to the trips (staff); the look-ups are what reports show.
    commands()["recalc"] = {recalcCommand, "recalc --season ID --user ID", needs(Access::Staff)};
    commands()["grade"] = {gradeCommand, "grade --member ID --division ID --season ID --user ID",
                           needs(Access::AnyUser)};
    commands()["winners"] = {winnersCommand, "winners --trip ID --user ID", needs(Access::AnyUser)};
    commands()["standings"] = {standingsCommand, "standings --division ID --season ID --user ID",
                               needs(Access::AnyUser)};
    commands()["explain"] = {explainCommand, "explain --trip-member ID --user ID", needs(Access::AnyUser)};
    commands()["score-member"] = {scoreMemberCommand, "score-member --trip-member ID --user ID",
                                  needs(Access::Staff)};
}

}  // namespace qv::cli
