#include "ui/reports/MemberReportStatus.h"

#include "core/reports/MemberReport.h"
#include "ui/framework/StatusWindow.h"

namespace qv::ui {

data::Status runMemberReport(QWidget* parent, scoring::ScoringContext& ctx, const std::string& startFolder,
                             reports::ReportRun& run) {
    using reports::MemberReportStage;
    StatusWindow status(parent, reports::kMemberReportStatusTitle,
                        reports::memberReportStageText(MemberReportStage::GradeHistory));
    status.setObjectName("winMemberReportStatus");
    return reports::BuildMemberReport(ctx, startFolder, run, [&](MemberReportStage stage) {
        status.setText(reports::memberReportStageText(stage));
    });
}

}  // namespace qv::ui
