// The angler of the trip scoring form: who may be picked, and the class
// shown for the one who is.

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

#include "core/data/FixedText.h"
#include "core/data/Typed.h"
#include "core/scoring/Grades.h"
#include "core/scoring/Seasons.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/WindowRegistry.h"
#include "ui/members/MemberWindows.h"
#include "ui/trips/TripScoringForm.h"

namespace qv::trips {

using namespace qv::data;
using namespace qv::ui;
namespace sd = qv::scoring::detail;

namespace {

QString q(const std::string& s) { return QString::fromStdString(std::string(clip(s))); }

QTableView* pickList(QWidget* parent, QStandardItemModel* model, const char* name) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->setMaximumHeight(130);
    view->setAlternatingRowColors(true);
    return view;
}

}  // namespace

void TripScoring::buildAnglerArea() {
    auto* outer = static_cast<QVBoxLayout*>(form_.layout());
    outer->insertWidget(1, tripSummary(ctx_, &form_));
    auto* box = new QGroupBox("Angler", &form_);
    box->setObjectName("angler");
    auto* layout = new QVBoxLayout(box);
    const bool fresh = form_.request() == Request::Insert;

    auto* choice = new QHBoxLayout;
    memberOption = new QRadioButton("M&ember", box);
    memberOption->setObjectName("memberOption");
    nonMemberOption = new QRadioButton("&Non-Member", box);
    nonMemberOption->setObjectName("nonMemberOption");
    memberOption->setChecked(true);
    auto* memberButton = new QPushButton("Member...", box);
    memberButton->setObjectName("memberButton");
    auto* nonMemberButton = new QPushButton("Non-Member...", box);
    nonMemberButton->setObjectName("nonMemberButton");
    for (QPushButton* b : {memberButton, nonMemberButton}) {
        b->setAutoDefault(false);
        b->setEnabled(editable_);
    }
    choice->addWidget(memberOption);
    choice->addWidget(nonMemberOption);
    choice->addStretch(1);
    choice->addWidget(memberButton);
    choice->addWidget(nonMemberButton);
    layout->addLayout(choice);

    memberRows = new QStandardItemModel(0, 5, box);
    memberRows->setHorizontalHeaderLabels({"Member", "Id", "Ladies", "Veteran", "Grade"});
    nonMemberRows = new QStandardItemModel(0, 5, box);
    nonMemberRows->setHorizontalHeaderLabels({"Non-Member", "Id", "Ladies", "Veteran", "Grade"});
    memberPicks = pickList(box, memberRows, "memberPicks");
    nonMemberPicks = pickList(box, nonMemberRows, "nonMemberPicks");
    for (QTableView* v : {memberPicks, nonMemberPicks}) {
        v->setColumnWidth(0, 220);
        for (int c = 1; c < 4; ++c) v->setColumnWidth(c, 64);
    }
    layout->addWidget(memberPicks);
    layout->addWidget(nonMemberPicks);
    nonMemberPicks->hide();

    auto* shown = new QGridLayout;
    auto value = [&](const char* name) {
        auto* l = new QLabel(box);
        l->setObjectName(name);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };
    anglerName = value("anglerName");
    ladies = value("ladies");
    veteran = value("veteran");
    gradeName = value("gradeName");
    catchRecorded = value("catchRecorded");
    const std::pair<const char*, QLabel*> cells[] = {{"Angler:", anglerName}, {"Ladies:", ladies},
                                                     {"Veteran:", veteran},   {"Grade:", gradeName},
                                                     {"Individual Catch Recorded:", catchRecorded}};
    int col = 0;
    for (const auto& [prompt, label] : cells) {
        shown->addWidget(new QLabel(prompt, box), 0, col++, Qt::AlignRight);
        shown->addWidget(label, 0, col++);
    }
    shown->setColumnStretch(1, 1);
    layout->addLayout(shown);
    outer->insertWidget(2, box);

    connect(memberOption, &QRadioButton::clicked, this, [this] { chooseMembers(true); });
    connect(nonMemberOption, &QRadioButton::clicked, this, [this] { chooseMembers(false); });
    // A row is picked when it is selected, not merely reached by the focus.
    auto picked = [](QTableView* v) {
        const QModelIndexList rows = v->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    };
    connect(memberPicks->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, picked] { pickMember(picked(memberPicks)); });
    connect(nonMemberPicks->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, picked] { pickNonMember(picked(nonMemberPicks)); });
    connect(memberButton, &QPushButton::clicked, this, [this] { openMemberWindow(); });
    connect(nonMemberButton, &QPushButton::clicked, this, [this] { openNonMemberWindow(); });

    // The team: the trip's teams to choose from, or the team already set.
    auto* teams = qobject_cast<QComboBox*>(form_.fieldWidget("TeamId"));
    auto* teamLabel = new QLabel(teamName(ctx_.store, tm_.TeamId), &form_);
    teamLabel->setObjectName("teamName");
    if (auto* row = qobject_cast<QHBoxLayout*>(teams->parentWidget()->layout())) {
        row->insertWidget(0, teamLabel);
        row->setStretch(1, 0);
        row->addStretch(1);
    }
    teams->setVisible(fresh);
    teamLabel->setVisible(!fresh);

    if (fresh) {
        nonMemberOption->setVisible(trip_.AllowNonMembers == "Y");
        fillMemberPicks();
        fillNonMemberPicks();
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{memberOption, nonMemberOption, memberPicks, nonMemberPicks,
                                                          memberButton, nonMemberButton})
            w->hide();
        const std::string& season = ctx_.globals.SeasonId.str();
        if (tm_.MemberId) {
            Members m;
            m.MemberId = tm_.MemberId;
            FileUse use(ctx_.store, "Members");
            fetchRecord(ctx_.store, m, "byMemberId");
            int32_t grade = 0;
            scoring::GradeFor(ctx_.store, tm_.MemberId, ctx_.globals.DivisionId, season, grade);
            Grade gr;
            gr.GradeId = grade;
            FileUse grades(ctx_.store, "Grade");
            fetchRecord(ctx_.store, gr, "byGradeId");
            showClass(q(m.FirstName) + " " + q(m.LastName), m.LadiesFlag, scoring::VeteranFor(m, season),
                      grade ? q(gr.GradeName) : QString());
        } else {
            NonMembers n;
            n.NonMemberId = tm_.NonMemberId;
            FileUse use(ctx_.store, "NonMembers");
            fetchRecord(ctx_.store, n, "byNonMemberId");
            Grade gr;
            gr.GradeId = n.GradeId;
            FileUse grades(ctx_.store, "Grade");
            const bool graded = n.GradeId && fetchRecord(ctx_.store, gr, "byGradeId").isOk();
            showClass(q(n.FirstName) + " " + q(n.LastName), n.LadiesFlag, n.VeteranFlag,
                      graded ? q(gr.GradeName) : QString());
        }
    }
}

void TripScoring::showClass(const QString& name, const std::string& ladiesFlag, const std::string& veteranFlag,
                            const QString& grade) {
    anglerName->setText(name);
    ladies->setText(q(ladiesFlag));
    veteran->setText(q(veteranFlag));
    gradeName->setText(grade);
}

// The Member button: the member form on the chosen member, or the member list
// to add one; the pick list is read again afterwards.
void TripScoring::openMemberWindow() {
    members::MemberValues& values = members::memberValues();
    if (tm_.MemberId) {
        Members m;
        m.MemberId = tm_.MemberId;
        FileUse use(ctx_.store, "Members");
        if (!fetchRecord(ctx_.store, m, "byMemberId")) return;
        values.fromTripMemberForm = true;
        members::openMemberForm(ctx_, Request::Change, toRecord(ctx_.store, m), &form_);
        values.fromTripMemberForm = false;
    } else {
        ui::runWindow("brwMembers", ctx_, &form_);
    }
    fillMemberPicks();
}

// The Non-Member button: the non-member form on the chosen visitor, or the
// member list on its non-member tab to add one.
void TripScoring::openNonMemberWindow() {
    members::MemberValues& values = members::memberValues();
    if (tm_.NonMemberId) {
        NonMembers n;
        n.NonMemberId = tm_.NonMemberId;
        FileUse use(ctx_.store, "NonMembers");
        if (!fetchRecord(ctx_.store, n, "byNonMemberId")) return;
        members::openNonMemberForm(ctx_, Request::Change, toRecord(ctx_.store, n), &form_);
    } else {
        values.nonMemberRequested = true;
        values.newNonMemberId = 0;
        ui::runWindow("brwMembers", ctx_, &form_);
    }
    fillNonMemberPicks();
}

void TripScoring::fillMemberPicks() {
    Store& store = ctx_.store;
    const session::Globals& g = ctx_.globals;
    FileUse members(store, "Members"), tms(store, "TripMember"), grades(store, "Grade"), history(store, "GradeHistory");
    std::map<int32_t, QString> gradeNames;
    sd::walkRecords<Grade>(store, "byGradeId", {}, [&](const Grade& gr) {
        gradeNames[gr.GradeId] = q(gr.GradeName);
        return true;
    });
    // A scorer's grades come from the member-grade table of the run.
    std::map<int32_t, int32_t> cached;
    const bool fromCache = rules().scorer();
    if (fromCache)
        for (const scoring::MemberGrade& mg : rules().memberGradeCache)
            if (mg.DivisionId == g.DivisionId) cached[mg.MemberId] = mg.GradeId;
    scoring::GradeBook book(store);
    sd::walkRecords<Members>(store, "byFullName", {}, [&](const Members& m) {
        if (m.InactiveFlag == "Y") return true;
        Record on = store.newRecord("TripMember");
        on.setNumber(on.field("MemberId"), m.MemberId);
        on.setNumber(on.field("TripId"), g.TripId);
        Record probe = on;
        if (store.fetch(probe, "byMemberIdbyTripId") && probe.number(probe.field("MemberId")) == m.MemberId &&
            probe.number(probe.field("TripId")) == g.TripId)
            return true;
        int32_t grade = 0;
        if (fromCache) {
            auto it = cached.find(m.MemberId);
            grade = it == cached.end() ? 0 : it->second;
        } else {
            book.gradeFor(m.MemberId, g.DivisionId, g.SeasonId.str(), grade);
        }
        if (grade == 0) return true;
        QList<QStandardItem*> row = {new QStandardItem(q(m.FirstName) + " " + q(m.LastName)),
                                     new QStandardItem(QString::number(m.MemberId)), new QStandardItem(q(m.LadiesFlag)),
                                     new QStandardItem(q(scoring::VeteranFor(m, g.SeasonId.str()))),
                                     new QStandardItem(gradeNames[grade])};
        memberRows->appendRow(row);
        return true;
    });
}

void TripScoring::fillNonMemberPicks() {
    Store& store = ctx_.store;
    const int32_t tripId = ctx_.globals.TripId;
    FileUse non(store, "NonMembers"), tms(store, "TripMember"), grades(store, "Grade");
    std::vector<NonMembers> found;
    sd::walkRecords<NonMembers>(store, "byTripId", {sd::number(tripId)}, [&](const NonMembers& n) {
        if (n.TripId != tripId) return false;
        found.push_back(n);
        return true;
    });
    std::stable_sort(found.begin(), found.end(), [](const NonMembers& a, const NonMembers& b) {
        return compareText(a.FullName, b.FullName, false) < 0;
    });
    for (const NonMembers& n : found) {
        Record probe = store.newRecord("TripMember");
        probe.setNumber(probe.field("NonMemberId"), n.NonMemberId);
        probe.setNumber(probe.field("TripId"), tripId);
        if (store.fetch(probe, "byNonMemberIdbyTripId") && probe.number(probe.field("NonMemberId")) == n.NonMemberId &&
            probe.number(probe.field("TripId")) == tripId)
            continue;
        Grade gr;
        gr.GradeId = n.GradeId;
        if (n.GradeId <= 0 || !fetchRecord(store, gr, "byGradeId")) continue;
        nonMemberRows->appendRow({new QStandardItem(q(n.FirstName) + " " + q(n.LastName)),
                                  new QStandardItem(QString::number(n.NonMemberId)), new QStandardItem(q(n.LadiesFlag)),
                                  new QStandardItem(q(n.VeteranFlag)), new QStandardItem(q(gr.GradeName))});
    }
}

void TripScoring::pickMember(int row) {
    if (row < 0 || row >= memberRows->rowCount()) return;
    form_.setFieldValue("MemberId", memberRows->item(row, 1)->text());
    form_.setFieldValue("NonMemberId", "0");
    showClass(memberRows->item(row, 0)->text(), memberRows->item(row, 2)->text().toStdString(),
              memberRows->item(row, 3)->text().toStdString(), memberRows->item(row, 4)->text());
    catchRecorded->setText("No");
    form_.okButton()->setEnabled(!secondOk->isVisible());
}

void TripScoring::pickNonMember(int row) {
    if (row < 0 || row >= nonMemberRows->rowCount()) return;
    form_.setFieldValue("NonMemberId", nonMemberRows->item(row, 1)->text());
    form_.setFieldValue("MemberId", "0");
    showClass(nonMemberRows->item(row, 0)->text(), nonMemberRows->item(row, 2)->text().toStdString(),
              nonMemberRows->item(row, 3)->text().toStdString(), nonMemberRows->item(row, 4)->text());
    catchRecorded->setText("No");
    form_.okButton()->setEnabled(!secondOk->isVisible());
}

void TripScoring::chooseMembers(bool members) {
    memberOption->setChecked(members);
    nonMemberOption->setChecked(!members);
    form_.setFieldValue(members ? "NonMemberId" : "MemberId", "0");
    memberPicks->setVisible(members);
    nonMemberPicks->setVisible(!members);
    showClass({}, {}, {}, {});
    form_.okButton()->setEnabled(false);
    QTableView* picks = members ? memberPicks : nonMemberPicks;
    picks->clearSelection();
    picks->setCurrentIndex({});
}

}  // namespace qv::trips
