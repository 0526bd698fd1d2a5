// grading: a member's grade history per division, and the grade each season
// comes to under it.

#include <map>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "core/data/ClubRecords.h"
#include "core/data/FixedText.h"
#include "core/data/Typed.h"
#include "core/scoring/GradeHistoryRules.h"
#include "core/scoring/Grades.h"
#include "core/scoring/Seasons.h"

namespace qv::cli {

using namespace qv::data;
using namespace qv::scoring;

namespace {

// The names of a file's records by id.
template <typename T, typename Id, typename Name>
std::map<int32_t, std::string> namesOf(Store& store, const char* key, Id id, Name name) {
    std::map<int32_t, std::string> out;
    FileUse use(store, T::kLabel);
    if (!use) return out;
    scoring::detail::walkRecords<T>(store, key, {}, [&](const T& r) {
        out[id(r)] = std::string(clip(name(r)));
        return true;
    });
    return out;
}

std::string named(const std::map<int32_t, std::string>& names, int32_t id) {
    if (id == 0) return "(no grade)";
    auto it = names.find(id);
    return std::to_string(id) + " " + (it == names.end() ? "(not found)" : it->second);
}

int gradingCommand(Context& ctx) {
    if (ctx.args.size() != 2 || ctx.args[0] != "--member") return kUsage;
    int32_t memberId = 0;
    try {
        size_t used = 0;
        const long n = std::stol(ctx.args[1], &used);
        if (used != ctx.args[1].size() || n < 1 || n > INT32_MAX) throw std::out_of_range("member");
        memberId = static_cast<int32_t>(n);
    } catch (const std::exception&) {
        return usageError(ctx, "--member needs a member id (a whole number, 1 or more)");
    }
    Store& store = ctx.store();
    Members member;
    {
        FileUse use(store, "Members");
        if (!use) return report(ctx, use.status());
        member.MemberId = memberId;
        Status s = fetchRecord(store, member, "byMemberId");
        if (s.isFailed()) return report(ctx, s);
        if (!s) return report(ctx, programMessage("There is no member " + std::to_string(memberId) + "."));
    }
    std::vector<GradeHistory> rows;
    if (Status s = readGradeHistory(store, memberId, rows); !s) return report(ctx, s);
    const auto divisions = namesOf<Division>(store, "byDivisionId", [](const Division& d) { return d.DivisionId; },
                                             [](const Division& d) { return d.DivisionName; });
    const auto grades = namesOf<Grade>(store, "byGradeId", [](const Grade& g) { return g.GradeId; },
                                       [](const Grade& g) { return g.GradeName; });
    std::vector<std::string> seasons;
    {
        FileUse use(store, "Season");
        if (!use) return report(ctx, use.status());
        scoring::detail::walkRecords<Season>(store, "bySeasonId", {}, [&](const Season& s) {
            seasons.push_back(std::string(clip(s.SeasonId)));
            return true;
        });
    }

    ctx.out << "Member " << memberId << " " << listedName(member.FirstName, member.LastName) << "\n";
    if (rows.empty()) ctx.out << "no grade history\n";
    std::map<int32_t, std::vector<GradeHistory>> byDivision;
    for (const GradeHistory& r : rows) byDivision[r.DivisionId].push_back(r);
    for (const auto& [divisionId, history] : byDivision) {
        auto d = divisions.find(divisionId);
        ctx.out << "Division " << divisionId << " " << (d == divisions.end() ? "(not found)" : d->second) << "\n";
        for (const GradeHistory& r : history) {
            const std::string end(clip(r.EndSeasonId));
            ctx.out << "  grading " << std::string(clip(r.StartSeasonId)) << " to "
                    << (end.empty() ? "(current)" : end) << ": " << named(grades, r.GradeId) << "\n";
        }
        // Every season of the club from the first grading on.
        const std::string& first = history.front().StartSeasonId;
        for (const std::string& season : seasons)
            if (compareSeason(season, first) >= 0)
                ctx.out << "  season " << season << ": "
                        << named(grades, gradeFromHistory(history, divisionId, season)) << "\n";
    }
    return kOk;
}

}  // namespace

void registerGradingCommands() {
    commands()["grading"] = {gradingCommand, "grading --member ID --user ID", needs(session::Access::AnyUser)};
}

}  // namespace qv::cli
