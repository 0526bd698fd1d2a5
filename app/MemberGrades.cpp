#include "app/MemberGrades.h"

#include "framework/MessageService.h"
#include "framework/StatusWindow.h"
#include "scoring/Grades.h"

namespace qv::app {

void refreshMemberGrades(ui::AppContext& ctx, QWidget* parent) {
    if (!ctx.scoring) return;
    Globals& g = ctx.globals;
    const bool updating = g.SeasonsChanged || g.MembersChanged || g.GradeHistoryChanged;
    ui::StatusWindow status(parent, "Quillavon",
                            updating ? " Please wait updating....." : " Please wait loading.....");
    ctx.scoring->progress = [&](std::string_view, int done, int total) { status.progress(done, total); };
    data::Status s = scoring::BuildMemberGradeCache(*ctx.scoring, updating);
    ctx.scoring->progress = nullptr;
    g.SeasonsChanged = g.MembersChanged = g.GradeHistoryChanged = false;
    if (!s) ui::showFailure(parent, s.message());
}

}  // namespace qv::app
