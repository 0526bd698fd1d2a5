#include "ui/main/MemberGrades.h"

#include "core/scoring/Grades.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/StatusWindow.h"

namespace qv::ui {

void refreshMemberGrades(ui::AppContext& ctx, QWidget* parent) {
    if (!ctx.scoring) return;
    session::Globals& g = ctx.globals;
    const bool updating = g.SeasonsChanged || g.MembersChanged || g.GradeHistoryChanged;
    ui::StatusWindow status(parent, "Quillavon",
                            updating ? " Please wait updating....." : " Please wait loading.....");
    ctx.scoring->progress = [&](std::string_view, int done, int total) { status.progress(done, total); };
    data::Status s = scoring::BuildMemberGradeCache(*ctx.scoring, updating);
    ctx.scoring->progress = nullptr;
    g.SeasonsChanged = g.MembersChanged = g.GradeHistoryChanged = false;
    if (!s) ui::showFailure(parent, s.message());
}

}  // namespace qv::ui
