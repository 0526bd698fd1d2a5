// frmGradeHistory, "Add / Edit Grade History": one grading of a member, kept
// to the grade history rules.

#include <QComboBox>
#include <QPushButton>

#include "core/data/ClubRecords.h"
#include "core/data/FixedText.h"
#include "core/scoring/GradeHistoryRules.h"
#include "ui/framework/MessageService.h"
#include "ui/members/MemberWindows.h"

namespace qv::members {

using namespace qv::data;
using namespace qv::ui;

namespace {

const char* const kStartLocked = "Start Season cannot be changed as member has a trip recorded for this year";

GradeHistory rowOf(StandardForm& form) {
    GradeHistory row;
    row.fromRecord(form.buffer());
    return row;
}

// Active records only for a new row; an existing row shows its own.
std::function<Choices(AppContext&)> activeOnly(bool newRow, const char* file, const char* key, const char* id,
                                               const char* name) {
    return [=](AppContext& ctx) {
        return recordChoices(ctx, file, key, id, name,
                             [newRow](const Record& r) { return !newRow || markedActive(r); });
    };
}

void focus(StandardForm& form, const char* field) {
    if (QWidget* w = form.fieldWidget(field); w && w->isEnabled()) w->setFocus();
}

}  // namespace

FormSpec gradeHistoryForm(bool newRow) {
    FormSpec design;
    design.procedure = "frmGradeHistory";
    design.title = "Add / Edit Grade History";
    design.file = "GradeHistory";
    FormField division{"DivisionId", "&Division:", FieldWidget::Choice};
    division.choices = activeOnly(newRow, "Division", "byDivisionName", "DivisionId", "DivisionName");
    FormField grade{"GradeId", "&Grade:", FieldWidget::Choice};
    grade.choices = activeOnly(newRow, "Grade", "byGradeName", "GradeId", "GradeName");
    FormField start{"StartSeasonId", "&Start Season:", FieldWidget::Choice};
    start.choices = [](AppContext& ctx) { return seasonChoices(ctx, true); };
    FormField end{"EndSeasonId", "&End Season:", FieldWidget::Choice};
    end.choices = start.choices;
    end.note = "Season ended in grade (blank for current grade)";
    design.fields = {division, grade, start, end};

    design.onOpen = [newRow](StandardForm& form) {
        if (!newRow) {
            form.fieldWidget("DivisionId")->setEnabled(false);
            form.fieldWidget("GradeId")->setEnabled(false);
        }
        if (form.request() != Request::Change || memberValues().gradeHistoryChange != "Y") return;
        // A season the member has fished keeps its grading's start.
        const GradeHistory row = rowOf(form);
        bool fished = false;
        if (scoring::memberFishedSeason(form.context().store, row.MemberId, row.StartSeasonId, fished) && fished) {
            form.fieldWidget("StartSeasonId")->setEnabled(false);
            inform(&form, kStartLocked);
        }
    };
    // A refused entry keeps OK off until the entries change.
    design.onChange = [](StandardForm& form, const std::string&) {
        form.okButton()->setEnabled(form.request() == Request::Insert || form.request() == Request::Change);
    };
    design.check = [](StandardForm& form) {
        const GradeHistory row = rowOf(form);
        std::vector<GradeHistory> others;
        if (Status s = scoring::readMemberGradings(form.context().store, row.MemberId, others); !s) {
            showFailure(&form, s.message());
            return false;
        }
        const scoring::GradingFault fault = scoring::checkGrading(row, others);
        if (fault == scoring::GradingFault::None) return true;
        inform(&form, scoring::gradingFaultText(fault));
        switch (fault) {
            case scoring::GradingFault::EndBeforeStart: focus(form, "EndSeasonId"); break;
            case scoring::GradingFault::SecondCurrent:
            case scoring::GradingFault::RangeTaken: focus(form, "StartSeasonId"); break;
            default: form.okButton()->setEnabled(false); break;
        }
        return false;
    };
    design.afterWrite = [](StandardForm& form) {
        // The trip scoring form's member now has a current grade in its division.
        const GradeHistory row = rowOf(form);
        MemberValues& mv = memberValues();
        if (mv.fromTripMemberForm && clip(row.EndSeasonId).empty() && row.DivisionId == form.context().globals.DivisionId)
            mv.currentGradingEntered = true;
    };
    return design;
}

bool openGradeHistoryForm(AppContext& ctx, Request request, Record gradeHistory, QWidget* parent,
                          GradeHistory* saved) {
    StandardForm form(ctx, gradeHistoryForm(request == Request::Insert), request, std::move(gradeHistory), parent);
    const bool wrote = form.exec() == QDialog::Accepted;
    if (wrote && saved) saved->fromRecord(form.savedCopy());
    return wrote;
}

}  // namespace qv::members
