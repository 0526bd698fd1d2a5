// frmMembers, "Add / Edit Member Details": a member, its classes and its
// grade history.

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <map>
#include <memory>

#include "core/data/FixedText.h"
#include "core/data/Typed.h"
#include "core/scoring/GradeHistoryRules.h"
#include "ui/framework/MessageService.h"
#include "ui/main/MemberGrades.h"
#include "ui/members/MemberWindows.h"

namespace qv::members {

using namespace qv::data;
using namespace qv::ui;

namespace {

const char* const kNoGrade = "Please enter in a Grade for this member";
const char* const kNoCurrentGrade = "This Member does not have a current grade for this division.";
const char* const kNoVeteranStart = "Please enter in a Veteran Start Season for this member";
const char* const kDuplicateName =
    "Duplicate member name detected.||Do you wish to add another member to the system with the same name?";
const char* const kNoGradesOnCancel = "WARNING: You are cancelling this member screen and there are no Grades recorded";

Message duplicateQuestion() {
    Message m = programMessage(kDuplicateName);
    m.level = MessageLevel::Question;
    return m;
}

FormField check(const char* field, const char* text) {
    FormField f{field, "", FieldWidget::Check};
    f.checkText = text;
    return f;
}

// Another member with this first and last name (names ignore case).
bool nameTaken(Store& store, int32_t self, const std::string& first, const std::string& last) {
    FileUse use(store, "Members");
    std::unique_ptr<Cursor> c;
    if (!use || !store.walk("Members", "byLastName", {FieldValue{0, last}}, false, c)) return false;
    Record r = store.newRecord("Members");
    Members m;
    while (c->next(r)) {
        m.fromRecord(r);
        if (!sameText(m.LastName, last, false)) return false;
        if (m.MemberId != self && sameText(m.FirstName, first, false)) return true;
    }
    return false;
}

void showVeteranStart(StandardForm& form) {
    const bool veteran = form.fieldValue("VeteranFlag") == "Y";
    if (!veteran) form.setFieldValue("VeteranStartSeason", QString());
    form.fieldWidget("VeteranStartSeason")->setEnabled(veteran && form.request() != Request::View);
}

}  // namespace

// The member form's OK, step by step.
struct MemberRules {
    static bool accept(MemberForm& form) {
        AppContext& ctx = form.context();
        if (form.gradeRows() == 0) {
            inform(&form, kNoGrade);
            form.okButton()->setEnabled(false);
            return false;
        }
        if (memberValues().fromTripMemberForm && !memberValues().currentGradingEntered) {
            std::vector<GradeHistory> rows;
            scoring::readMemberGradings(ctx.store, form.memberId(), rows);
            if (scoring::gradingEndedBefore(rows, ctx.globals.DivisionId, ctx.globals.SeasonId.str()))
                inform(&form, kNoCurrentGrade);
        }
        if (form.fieldValue("VeteranFlag") == "Y" && form.fieldValue("VeteranStartSeason").trimmed().isEmpty()) {
            inform(&form, kNoVeteranStart);
            form.okButton()->setEnabled(false);
            return false;
        }
        const std::string first = form.fieldValue("FirstName").toStdString();
        const std::string last = form.fieldValue("LastName").toStdString();
        if (!sameText(last, form.openedLastName_) && nameTaken(ctx.store, form.memberId(), first, last) &&
            ask(&form, duplicateQuestion(), Buttons::YesNo, Answer::No) != Answer::Yes) {
            form.fieldWidget("FirstName")->setFocus();
            return false;
        }
        form.setRecordValue("FullName", QString::fromStdString(scoring::listedName(first, last)));
        return true;
    }
};

namespace {

FormSpec memberFormSpec() {
    FormSpec design;
    design.procedure = "frmMembers";
    design.title = "Add / Edit Member Details";
    design.file = "Members";
    FormField start{"VeteranStartSeason", "Veteran Start &Season:", FieldWidget::Choice};
    start.choices = [](AppContext& ctx) { return seasonChoices(ctx, true); };
    design.fields = {{"FirstName", "&First Name:"},
                     {"LastName", "&Last Name:"},
                     {"Email", "&Email:"},
                     check("LadiesFlag", " L&adies Member"),
                     check("VeteranFlag", " &Veteran Member"),
                     start,
                     check("InactiveFlag", " &Inactive Flag")};
    design.onOpen = [](StandardForm& form) {
        // The marks of this visit start clear.
        form.context().globals.GradeHistoryChanged = false;
        memberValues().currentGradingEntered = false;
        showVeteranStart(form);
    };
    design.onChange = [](StandardForm& form, const std::string& field) {
        if (field == "VeteranFlag") showVeteranStart(form);
        if (field == "VeteranStartSeason") form.okButton()->setEnabled(true);
    };
    design.check = [](StandardForm& form) {
        auto* member = dynamic_cast<MemberForm*>(&form);
        return !member || MemberRules::accept(*member);
    };
    return design;
}

}  // namespace

MemberForm::MemberForm(AppContext& ctx, Request request, Record member, QWidget* parent)
    : StandardForm(ctx, memberFormSpec(), request, member, parent) {
    memberId_ = static_cast<int32_t>(member.number(member.field("MemberId")));
    openedLastName_ = request == Request::Insert ? std::string() : member.text(member.field("LastName"));

    auto* box = new QGroupBox("Grade History", this);
    box->setObjectName("gradeHistory");
    auto* layout = new QVBoxLayout(box);
    model_ = new RecordTableModel(ctx.store, {"GradeHistory", "byMemberId", {FieldValue{memberId_, {}}}},
                                  {lookedUp("Division", nameTable(ctx, "Division", "byDivisionId", "DivisionId", "DivisionName"),
                                            "DivisionId", 20),
                                   lookedUp("Grade", nameTable(ctx, "Grade", "byGradeId", "GradeId", "GradeName"), "GradeId", 14),
                                   {"Start Season", "StartSeasonId", 10},
                                   {"End Season", "EndSeasonId", 10},
                                   {"Member ID", "MemberId", 8}},
                                  box);
    grades_ = new QTableView(box);
    grades_->setObjectName("gradeList");
    grades_->setModel(model_);
    grades_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grades_->setSelectionMode(QAbstractItemView::SingleSelection);
    grades_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grades_->setTabKeyNavigation(false);
    grades_->setAlternatingRowColors(true);
    grades_->verticalHeader()->hide();
    grades_->horizontalHeader()->setStretchLastSection(true);
    for (auto [column, width] : {std::pair{0, 150}, {1, 100}, {2, 95}, {3, 90}}) grades_->setColumnWidth(column, width);
    grades_->setMinimumHeight(120);
    layout->addWidget(grades_);
    auto* buttons = new QHBoxLayout;
    const bool editable = request == Request::Insert || request == Request::Change;
    const std::tuple<const char*, const char*, void (MemberForm::*)()> actions[] = {
        {"I&nsert", "gradeInsert", &MemberForm::insertGrade},
        {"C&hange", "gradeChange", &MemberForm::changeGrade},
        {"&Delete", "gradeDelete", &MemberForm::deleteGrade}};
    for (const auto& [text, name, slot] : actions) {
        auto* b = new QPushButton(text, box);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setEnabled(editable);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    extraArea()->addWidget(box);
    connect(grades_, &QTableView::doubleClicked, this, [this, editable] {
        if (editable) changeGrade();
    });
    if (model_->rowCount() > 0) grades_->selectRow(0);
    setMinimumWidth(600);

    connect(this, &QDialog::finished, this, [this](int result) {
        AppContext& c = context();
        if (result != QDialog::Accepted) {
            // A new member given up takes its grade history with it.
            if (this->request() == Request::Insert)
                for (int32_t id : written_) {
                    GradeHistory h;
                    h.GradeHistoryId = id;
                    if (fetchRecord(c.store, h, "byGradeHistoryId")) removeRecord(c.store, h);
                }
            return;
        }
        // The new member's number may have moved on while the form was open
        // (another station added a member): its grade history follows it.
        const Record& saved = savedCopy();
        const auto finalId = static_cast<int32_t>(saved.number(saved.field("MemberId")));
        if (this->request() == Request::Insert && finalId != memberId_)
            for (int32_t id : written_) {
                GradeHistory h;
                h.GradeHistoryId = id;
                if (!fetchRecord(c.store, h, "byGradeHistoryId")) continue;
                h.MemberId = finalId;
                if (Status s = updateRecord(c.store, h); !s) showFailure(this, s.message());
            }
        written_.clear();
        if (isScorer(c) && c.globals.GradeHistoryChanged) refreshMemberGrades(c, this);
    });
}

int MemberForm::gradeRows() const {
    model_->fetchAll();
    return model_->rowCount();
}

void MemberForm::reloadGrades() {
    model_->reload();
    if (model_->rowCount() > 0 && !grades_->selectionModel()->hasSelection()) grades_->selectRow(0);
}

void MemberForm::insertGrade() {
    AppContext& c = context();
    FileUse use(c.store, "GradeHistory");
    Record row = c.store.newRecord("GradeHistory");
    c.store.primeForInsert(row);
    row.setNumber(row.field("MemberId"), memberId_);
    if (isScorer(c)) c.globals.GradeHistoryChanged = true;
    okButton()->setEnabled(true);
    GradeHistory saved;
    if (openGradeHistoryForm(c, Request::Insert, row, this, &saved)) {
        written_.push_back(saved.GradeHistoryId);
        reloadGrades();
    }
}

void MemberForm::changeGrade() {
    auto rows = grades_->selectionModel()->selectedRows();
    if (rows.isEmpty()) return;
    AppContext& c = context();
    FileUse use(c.store, "GradeHistory");
    Record row = model_->record(rows.first().row());
    if (Status s = c.store.fetchByRecno(row, row.stamp.recno); !s) {
        showFailure(this, s.isFailed() ? s.message() : standardMessage(9, {}));
        reloadGrades();
        return;
    }
    if (isScorer(c)) c.globals.GradeHistoryChanged = true;
    memberValues().gradeHistoryChange = "Y";
    const bool wrote = openGradeHistoryForm(c, Request::Change, row, this);
    memberValues().gradeHistoryChange.clear();
    if (wrote) reloadGrades();
}

void MemberForm::deleteGrade() {
    auto rows = grades_->selectionModel()->selectedRows();
    if (rows.isEmpty() || raiseMessage(this, 11) != 0) return;
    AppContext& c = context();
    FileUse use(c.store, "GradeHistory");
    if (Status s = c.store.remove(model_->record(rows.first().row())); !s) {
        showFailure(this, s.message());
        return;
    }
    if (isScorer(c)) c.globals.GradeHistoryChanged = true;
    model_->reload();
    if (model_->rowCount() > 0) grades_->selectRow(0);
}

void MemberForm::reject() {
    if (request() != Request::View && gradeRows() == 0) inform(this, kNoGradesOnCancel);
    StandardForm::reject();
}

bool openMemberForm(AppContext& ctx, Request request, Record member, QWidget* parent) {
    MemberForm form(ctx, request, std::move(member), parent);
    return form.exec() == QDialog::Accepted;
}

}  // namespace qv::members
