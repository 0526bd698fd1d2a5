#pragma once
// The member report: the whole history of one member (GLO:MemberId) across
// every division and season: grade history, every trip fished with the fish
// caught and season totals, and every award (season placings, trip wins,
// season trophies, trip trophies). Four data files; the trips fished are
// gathered in the workstation's work file TempMemberReport on the way.

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "core/data/Store.h"
#include "core/reports/ReportRun.h"
#include "core/scoring/ScoringContext.h"

namespace qv::reports {

inline constexpr const char* kMemberReportTitle = "Member Report";
inline constexpr const char* kMemberReportFile = "reports/rptMember.rpt";
inline constexpr const char* kMemberReportStatusTitle = "Quillavon - Processing Member Report";

// The stages of a build, in the order they run.
enum class MemberReportStage { GradeHistory, FishHistory, SeasonAwards, TripWins, Writing };
// The status line of a stage: "Collecting member grade history data", ...
const char* memberReportStageText(MemberReportStage stage);
using MemberReportStages = std::function<void(MemberReportStage)>;

// Builds the data files of member `ctx.globals().MemberId` under START/DATA/
// and leaves the run in the globals. The work file is emptied first, so a
// second run gives the same files. A failure of the file layer comes back as
// the status; a data file that cannot be made is a message in `run`.
data::Status BuildMemberReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run);
// The same, telling `stages` as each stage begins.
data::Status BuildMemberReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run,
                               const MemberReportStages& stages);

// Deletes every record of the work file TempMemberReport.
data::Status EmptyMemberReportWork(data::Store& store);

// The AWARDID of each award: the clipped season id, the division id and the
// running award count written one after the other. Written side by side
// these can name two awards alike (division 1 with count 12 and division 11
// with count 2), or not fit a long; such an award takes the highest free
// number of the long's range instead, so each id names one award.
class AwardIds {
public:
    int32_t next(std::string_view seasonId, int32_t divisionId, int count);

private:
    std::set<int32_t> used_;
};

}  // namespace qv::reports
