#include "core/reports/MemberReport.h"

#include <climits>

#include "core/data/FixedText.h"
#include "core/data/Typed.h"
#include "core/data/WorkstationRecords.h"
#include "core/reports/MemberReportParts.h"
#include "core/reports/OpenFiles.h"
#include "core/reports/XmlDecimal.h"
#include "core/scoring/Seasons.h"

namespace qv::reports {

using namespace qv::data;
using namespace qv::reports::member;
using scoring::detail::number;
using scoring::detail::walkRecords;

namespace {

constexpr const char* kFiles[] = {"Members",  "GradeHistory", "Division",   "Season",       "Grade",
                                  "Trips",    "TripMember",   "TripScore",  "Species",      "Trophy",
                                  "NonMembers", "SeasonTrophy", "TripTrophy", "TempMemberReport"};

// One grade history line: the record's three columns.
struct GradeRow {
    int32_t historyId = 0;
    std::string division;
    int16_t column = 0;
    std::string name;
    std::string data;
};

Status gradeHistory(Store& store, NameBook& names, int32_t memberId, std::vector<GradeRow>& out) {
    std::vector<GradeHistory> rows;
    Status s = walkRecords<GradeHistory>(store, "byMemberIdDivisionIdStartSeasonId", {number(memberId)},
                                         [&](const GradeHistory& h) {
                                             if (h.MemberId != memberId) return false;
                                             rows.push_back(h);
                                             return true;
                                         });
    if (!s) return s;
    for (const GradeHistory& h : rows) {
        Division division;
        Grade grade;
        Season start, end;
        if (s = names.division(h.DivisionId, division); !s) return s;
        if (s = names.grade(h.GradeId, grade); !s) return s;
        if (s = names.season(h.StartSeasonId, start); !s) return s;
        if (!clip(h.EndSeasonId).empty())
            if (s = names.season(h.EndSeasonId, end); !s) return s;
        const std::string div(clip(division.DivisionName));
        out.push_back({h.GradeHistoryId, div, 1, "Grade", std::string(clip(grade.GradeName))});
        out.push_back({h.GradeHistoryId, div, 2, "Start Season", std::string(clip(start.SeasonDesc))});
        out.push_back({h.GradeHistoryId, div, 3, "End Season", std::string(clip(end.SeasonDesc))});
    }
    return Status::ok();
}

olmix::RecordQueue headingLayout() {
    olmix::RecordQueue q;
    for (const char* f : {"LQ0:ORGANISATIONNAME", "LQ0:FULLNAME", "LQ0:GRADEHISTORY", "LQ0:FISHHISTORY",
                          "LQ0:TROPHYHISTORY"})
        q.addText(f);
    return q;
}

olmix::RecordQueue gradeLayout() {
    olmix::RecordQueue q;
    q.addText("LQ1:VETERAN");
    q.addText("LQ1:VETERANSTARTSEASON");
    q.addText("LQ1:LADIES");
    q.addInteger("LQ1:GRADEHISTORYID");
    q.addText("LQ1:DIVISIONNAME");
    q.addInteger("LQ1:COLUMNNUMBER");
    q.addText("LQ1:COLUMNNAME");
    q.addText("LQ1:DATA");
    return q;
}

olmix::RecordQueue fishLayout() {
    olmix::RecordQueue q;
    q.addInteger("LQ2:TRIPNUMBER");
    for (const char* f : {"LQ2:TRIPDATE", "LQ2:TRIPLOCATION", "LQ2:DIVISION", "LQ2:SEASON"}) q.addText(f);
    q.addInteger("LQ2:REPORTPOSITION");
    q.addText("LQ2:ROW");
    q.addText("LQ2:COLUMNNAME");
    q.addDecimal("LQ2:DATA", 2);
    q.addText("LQ2:MEASUREMENT");
    return q;
}

olmix::RecordQueue awardLayout() {
    olmix::RecordQueue q;
    q.addInteger("LQ3:AWARDID");
    q.addText("LQ3:SEASON");
    q.addText("LQ3:COLUMNNAME");
    q.addText("LQ3:DATA");
    return q;
}

const char* flag(bool yes) { return yes ? "Y" : "N"; }

}  // namespace

const char* memberReportStageText(MemberReportStage stage) {
    switch (stage) {
        case MemberReportStage::GradeHistory: return "Collecting member grade history data";
        case MemberReportStage::FishHistory: return "Collecting member trip and fishing history data";
        case MemberReportStage::SeasonAwards: return "Checking member trophies and awards for seasons";
        case MemberReportStage::TripWins: return "Checking if member won any trips";
        case MemberReportStage::Writing: return "Creating Member History Report";
    }
    return "";
}

int32_t AwardIds::next(std::string_view seasonId, int32_t divisionId, int count) {
    const std::string digits = std::string(clip(seasonId)) + std::to_string(divisionId) + std::to_string(count);
    int64_t value = 0;
    bool fits = !digits.empty() && digits.size() <= 10;
    for (char c : digits) {
        if (c < '0' || c > '9') fits = false;
        if (fits) value = value * 10 + (c - '0');
    }
    fits = fits && value >= 1 && value <= INT32_MAX;
    int32_t id = static_cast<int32_t>(value);
    if (!fits || used_.count(id)) {
        // Mended ids count down from the top of the range, where the digits
        // of a later award will not reach, so later awards keep their own.
        id = INT32_MAX;
        while (used_.count(id)) --id;
    }
    used_.insert(id);
    return id;
}

Status EmptyMemberReportWork(Store& store) {
    FileUse use(store, "TempMemberReport");
    if (!use) return use.status();
    return store.inTransaction(Location::Workstation, [&]() -> Status {
        std::vector<Record> rows;
        std::unique_ptr<Cursor> cursor;
        if (Status s = store.walk("TempMemberReport", "", {}, false, cursor); !s) return s;
        for (Record r = store.newRecord("TempMemberReport");;) {
            Status s = cursor->next(r);
            if (s.isNotFound()) break;
            if (!s) return s;
            rows.push_back(r);
        }
        cursor.reset();
        for (const Record& r : rows)
            if (Status s = store.remove(r); !s) return s;
        return Status::ok();
    });
}

Status BuildMemberReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run) {
    return BuildMemberReport(ctx, startFolder, run, {});
}

Status BuildMemberReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run,
                         const MemberReportStages& stages) {
    Store& store = ctx.store();
    session::Globals& g = ctx.globals();
    const auto tell = [&](MemberReportStage stage) {
        if (stages) stages(stage);
    };
    run = ReportRun();
    run.windowTitle = kMemberReportTitle;
    run.reportFile = kMemberReportFile;
    OpenFiles files(store, kFiles);
    if (!files.status()) return files.status();
    // The work file holds this run's trips only.
    if (Status s = EmptyMemberReportWork(store); !s) return s;

    const int32_t memberId = g.MemberId;
    NameBook names(store);
    Members member;
    if (Status s = names.member(memberId, member); !s) return s;

    tell(MemberReportStage::GradeHistory);
    std::vector<GradeRow> grades;
    if (Status s = gradeHistory(store, names, memberId, grades); !s) return s;

    tell(MemberReportStage::FishHistory);
    std::vector<FishRow> fish;
    Status s = store.inTransaction(Location::Workstation,
                                   [&] { return collectFishHistory(ctx, names, memberId, fish); });
    if (!s) return s;

    std::vector<Award> awards;
    if (s = collectAwards(ctx, names, memberId, stages, awards); !s) return s;

    tell(MemberReportStage::Writing);
    olmix::RecordQueue q0 = headingLayout();
    q0.setText(1, g.OrganisationName.str());
    q0.setText(2, member.MemberId ? plainName(member.FirstName, member.LastName) : "");
    q0.setText(3, flag(!grades.empty()));
    q0.setText(4, flag(!fish.empty()));
    q0.setText(5, flag(!awards.empty()));
    q0.add();

    olmix::RecordQueue q1 = gradeLayout();
    const bool veteran = member.VeteranFlag == "Y";
    std::string veteranStart;
    if (veteran) {
        Season start;
        if (s = names.season(member.VeteranStartSeason, start); !s) return s;
        veteranStart = std::string(clip(start.SeasonDesc));
    }
    for (const GradeRow& r : grades) {
        q1.clear();
        q1.setText(1, flag(veteran));
        q1.setText(2, veteranStart);
        q1.setText(3, flag(member.LadiesFlag == "Y"));
        q1.setInteger(4, r.historyId);
        q1.setText(5, r.division);
        q1.setInteger(6, r.column);
        q1.setText(7, r.name);
        q1.setText(8, r.data);
        q1.add();
    }

    olmix::RecordQueue q2 = fishLayout();
    for (const FishRow& r : fish) {
        q2.clear();
        q2.setInteger(1, r.tripNumber);
        q2.setText(2, r.tripDate);
        q2.setText(3, r.tripLocation);
        q2.setText(4, r.division);
        q2.setText(5, r.season);
        q2.setInteger(6, r.reportPosition);
        q2.setText(7, r.row);
        q2.setText(8, r.columnName);
        q2.setDecimal(9, xmlDecimal(r.data, 2));
        q2.setText(10, std::string(1, r.measurement));
        q2.add();
    }

    olmix::RecordQueue q3 = awardLayout();
    for (const Award& a : awards)
        for (const auto& [column, data] : {std::pair{"Division", a.division}, {"Trophy / Award", a.text}}) {
            q3.clear();
            q3.setInteger(1, a.id);
            q3.setText(2, a.season);
            q3.setText(3, column);
            q3.setText(4, data);
            q3.add();
        }

    run.dataFlag = grades.empty() && fish.empty() && awards.empty() ? 'N' : 'Y';
    const std::string folder = dataFolder(startFolder);
    writeDataFile(folder + "rptMember.xml", "Member Details XML for RptMember report", "Row", q0, run);
    writeDataFile(folder + "rptMemberGradeHistory.xml", "Member Details XML for RptMemberGradeHistory report",
                  "Data", q1, run, true, "Row");
    writeDataFile(folder + "rptMemberTrophyHistory.xml", "Member Details XML for RptMemberTrophyHistory report",
                  "Data", q3, run, true, "Row");
    writeDataFile(folder + "rptMemberFishHistory.xml", "Member Details XML for RptMemberFishHistory report",
                  "Row", q2, run, false);
    run.publish(g);
    return Status::ok();
}

}  // namespace qv::reports
