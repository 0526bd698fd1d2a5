// frmNonMembers, "Add / Edit Non-Member Details": a visitor of the trip in
// context, with the one grade the visitor fishes in.

#include <QPushButton>

#include "core/data/ClubRecords.h"
#include "core/scoring/GradeHistoryRules.h"
#include "ui/framework/MessageService.h"
#include "ui/members/MemberWindows.h"

namespace qv::members {

using namespace qv::data;
using namespace qv::ui;

FormSpec nonMemberForm() {
    FormSpec design;
    design.procedure = "frmNonMembers";
    design.title = "Add / Edit Non-Member Details";
    design.file = "NonMembers";
    FormField grade{"GradeId", "&Grade:", FieldWidget::Choice};
    grade.choices = choicesOf("Grade", "byGradeName", "GradeId", "GradeName");
    FormField lady{"LadiesFlag", "", FieldWidget::Check};
    lady.checkText = " L&adies Non-Member";
    FormField veteran{"VeteranFlag", "", FieldWidget::Check};
    veteran.checkText = " &Veteran Non-Member";
    design.fields = {{"FirstName", "&First Name:"}, {"LastName", "&Last Name:"}, {"Email", "&Email:"}, grade, lady,
                     veteran};
    design.onChange = [](StandardForm& form, const std::string& field) {
        if (field == "GradeId") form.okButton()->setEnabled(true);
    };
    design.check = [](StandardForm& form) {
        form.setRecordValue("FullName", QString::fromStdString(scoring::listedName(
                                            form.fieldValue("FirstName").toStdString(),
                                            form.fieldValue("LastName").toStdString())));
        const QString grade = form.fieldValue("GradeId");
        if (grade.isEmpty() || grade == "0") {
            inform(&form, "Please enter a grade");
            form.okButton()->setEnabled(false);
            return false;
        }
        return true;
    };
    design.afterWrite = [](StandardForm& form) {
        // The trip scoring form offers the new visitor at once.
        if (form.request() == Request::Insert)
            memberValues().newNonMemberId =
                static_cast<int32_t>(form.savedCopy().number(form.savedCopy().field("NonMemberId")));
    };
    return design;
}

bool openNonMemberForm(AppContext& ctx, Request request, Record nonMember, QWidget* parent) {
    // A non-member always belongs to the trip in context.
    if (request == Request::Insert || request == Request::Change)
        nonMember.setNumber(nonMember.field("TripId"), ctx.globals.TripId);
    StandardForm form(ctx, nonMemberForm(), request, std::move(nonMember), parent);
    return form.exec() == QDialog::Accepted;
}

}  // namespace qv::members
