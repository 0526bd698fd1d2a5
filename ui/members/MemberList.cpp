// brwMembers, "Member Details": the active members, and on a second tab the
// non-members of the trip in context.

#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <map>
#include <memory>

#include "ui/framework/TabOrder.h"
#include "ui/framework/WindowPlacement.h"
#include "ui/main/MemberGrades.h"
#include "ui/members/MemberWindows.h"

namespace qv::members {

using namespace qv::data;
using namespace qv::ui;

namespace {

// A standard list living on a tab page: Tab moves through the whole window,
// and closing the list closes the window.
class TabList : public BrowseList {
public:
    TabList(AppContext& ctx, BrowseSpec design, QWidget* window) : BrowseList(ctx, std::move(design), window) {
        setWindowFlags(Qt::Widget);
        connect(this, &QDialog::finished, window, [window] { window->close(); });
    }

protected:
    bool focusNextPrevChild(bool next) override {
        return focusNextInReadingOrder(window(), next) || QWidget::focusNextPrevChild(next);
    }
};

BrowseColumn flag(QString header, std::string field) { return {std::move(header), std::move(field), 6}; }

BrowseSpec memberTab(AppContext& ctx) {
    const bool scorer = isScorer(ctx);
    BrowseSpec design;
    design.procedure = "brwMembersMembers";
    design.title = "Members";
    // A scorer finds members by the name the trip windows show.
    design.source = {"Members", scorer ? "byFullName" : "byLastName", {},
                     notInactive};
    if (scorer)
        design.columns = {{"Full Name", "FullName", 28}};
    else
        design.columns = {{"Last Name", "LastName", 16}, {"First Name", "FirstName", 12}};
    for (BrowseColumn c : {flag("Ladies", "LadiesFlag"), flag("Veteran", "VeteranFlag"),
                           BrowseColumn{"Email", "Email", 22}, BrowseColumn{"Member ID", "MemberId", 8}})
        design.columns.push_back(std::move(c));
    design.openForm = [](AppContext& c, Request r, Record rec, QWidget* parent) {
        // A scorer's member grades are rebuilt when the list closes.
        if (isScorer(c) && (r == Request::Insert || r == Request::Change)) c.globals.MembersChanged = true;
        return openMemberForm(c, r, std::move(rec), parent);
    };
    return design;
}

BrowseSpec nonMemberTab(AppContext& ctx) {
    const int32_t tripId = ctx.globals.TripId;
    BrowseSpec design;
    design.procedure = "brwMembersNonMembers";
    design.title = "Non-Members";
    design.source = {"NonMembers", "byLastName", {},
                     [tripId](const Record& r) { return r.number(r.field("TripId")) == tripId; }};
    design.columns = {{"Last Name", "LastName", 16},
                      {"First Name", "FirstName", 12},
                      flag("Ladies", "LadiesFlag"),
                      flag("Veteran", "VeteranFlag"),
                      lookedUp("Grade", nameTable(ctx, "Grade", "byGradeId", "GradeId", "GradeName"), "GradeId", 16),
                      {"NonMember ID", "NonMemberId", 8},
                      {"Trip ID", "TripId", 7}};
    design.openForm = [](AppContext& c, Request r, Record rec, QWidget* parent) {
        return openNonMemberForm(c, r, std::move(rec), parent);
    };
    return design;
}

}  // namespace

MemberList::MemberList(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("brwMembers");
    setWindowTitle("Member Details");
    MemberValues& mv = memberValues();
    forTrip_ = mv.openedForTrip;
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("tabs");
    members_ = new TabList(ctx, memberTab(ctx), this);
    nonMembers_ = new TabList(ctx, nonMemberTab(ctx), this);
    const int memberPage = tabs_->addTab(members_, "&Members");
    const int nonMemberPage = tabs_->addTab(nonMembers_, "&Non-Members");
    layout->addWidget(tabs_);

    // The non-members of a trip only when the list was opened for one; the
    // trip windows asking for non-members see nothing else.
    tabs_->setTabVisible(nonMemberPage, ctx.globals.TripId != 0 && mv.openedForTrip);
    if (mv.nonMemberRequested || mv.openedForTrip) {
        tabs_->setTabVisible(memberPage, false);
        tabs_->setTabVisible(nonMemberPage, true);
        tabs_->setCurrentIndex(nonMemberPage);
        mv.nonMemberRequested = false;
    }
    resize(820, 500);
    keepPlacement(this, "brwMembers", ctx.iniPath());
    static_cast<BrowseList*>(tabs_->currentWidget())->view()->setFocus();
}

bool MemberList::focusNextPrevChild(bool next) {
    return focusNextInReadingOrder(this, next) || QDialog::focusNextPrevChild(next);
}

void MemberList::done(int result) {
    if (forTrip_) {
        ctx_.globals.TripId = 0;
        memberValues().openedForTrip = false;
    }
    if (ctx_.globals.MembersChanged) refreshMemberGrades(ctx_, this);
    ctx_.globals.MembersChanged = false;
    QDialog::done(result);
}

}  // namespace qv::members
