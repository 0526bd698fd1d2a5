// brwSeasonTrophy, "Season Trophies & Awards", and frmSeasonTrophy: the
// trophies awarded for a season of a division.

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

#include <map>
#include <memory>

#include "core/data/ClubRecords.h"
#include "ui/framework/Choosers.h"
#include "ui/members/MemberWindows.h"

namespace qv::members {

using namespace qv::data;
using namespace qv::ui;

namespace {

// A choice the record has already made is shown and kept; an open one
// chooses among the active records.
void keepOrOffer(StandardForm& form, const char* field, const Choices& activeChoices) {
    auto* c = qobject_cast<QComboBox*>(form.fieldWidget(field));
    const Record& rec = form.savedCopy();
    if (rec.number(rec.field(field)) != 0) {
        c->setEnabled(false);
        return;
    }
    c->clear();
    for (const auto& [value, text] : activeChoices) c->addItem(text, value);
    c->setCurrentIndex(-1);
}

void showPosition(StandardForm& form) {
    const bool positional = form.fieldValue("PositionalTrophy") == "Y";
    if (!positional) form.setFieldValue("Position", QString());
    form.fieldWidget("Position")->setEnabled(positional && form.request() != Request::View);
}

BrowseSpec seasonTrophySpec(AppContext& ctx) {
    auto members = std::make_shared<std::map<int64_t, std::pair<QString, QString>>>();
    {
        FileUse use(ctx.store, "Members");
        std::unique_ptr<Cursor> c;
        if (use && ctx.store.walk("Members", "byMemberId", {}, false, c)) {
            Record r = ctx.store.newRecord("Members");
            Members m;
            while (c->next(r)) {
                m.fromRecord(r);
                (*members)[m.MemberId] = {QString::fromStdString(m.LastName), QString::fromStdString(m.FirstName)};
            }
        }
    }
    auto memberPart = [members](bool last) {
        return [members, last](const Record& r) {
            auto it = members->find(r.number(r.field("MemberId")));
            return it == members->end() ? QString() : last ? it->second.first : it->second.second;
        };
    };
    BrowseSpec design;
    design.procedure = "brwSeasonTrophy";
    design.title = "Season Trophies & Awards";
    design.source.file = "SeasonTrophy";
    design.source.key = "bySeasonId";
    design.columns = {lookedUp("Division", nameTable(ctx, "Division", "byDivisionId", "DivisionId", "DivisionName"),
                               "DivisionId", 20),
                      {"Season", "SeasonId", 8},
                      lookedUp("Trophy", nameTable(ctx, "Trophy", "byTrophyId", "TrophyId", "TrophyName"), "TrophyId", 26),
                      {"Last Name", "", 16, memberPart(true)},
                      {"First Name", "", 14, memberPart(false)},
                      {"Season Trophy Id", "SeasonTrophyId", 8}};
    design.openForm = [](AppContext& c, Request r, Record rec, QWidget* parent) {
        return openSeasonTrophyForm(c, r, std::move(rec), parent);
    };
    return design;
}

}  // namespace

FormSpec seasonTrophyForm() {
    FormSpec design;
    design.procedure = "frmSeasonTrophy";
    design.title = "Add / Edit Season Trophy";
    design.file = "SeasonTrophy";
    design.modes.insert = "Record will be Added";
    design.modes.change = "Record will be Changed";
    design.modes.view = "View Record";
    FormField season{"SeasonId", "&Season:", FieldWidget::Choice};
    season.choices = [](AppContext& ctx) { return seasonChoices(ctx, false); };
    FormField division{"DivisionId", "&Division:", FieldWidget::Choice};
    division.choices = choicesOf("Division", "byDivisionName", "DivisionId", "DivisionName");
    FormField member{"MemberId", "&Member:", FieldWidget::Choice};
    member.choices = choicesOf("Members", "byFullName", "MemberId", "FullName");
    FormField trophy{"TrophyId", "&Trophy:", FieldWidget::Choice};
    trophy.choices = choicesOf("Trophy", "byTrophyName", "TrophyId", "TrophyName");
    FormField positional{"PositionalTrophy", "", FieldWidget::Check};
    positional.checkText = " &Positional Trophy";
    FormField position{"Position", "Pos&ition:"};
    position.note = "Placement for Club Champion";
    design.fields = {season, division, member, trophy, positional, position};

    design.onOpen = [](StandardForm& form) {
        AppContext& ctx = form.context();
        if (isScorer(ctx)) {
            // A scorer records the season the list works in.
            form.setFieldValue("SeasonId", QString::fromStdString(ctx.globals.SeasonId.str()));
            form.fieldWidget("SeasonId")->setEnabled(false);
        }
        keepOrOffer(form, "DivisionId",
                    recordChoices(ctx, "Division", "byDivisionName", "DivisionId", "DivisionName", notInactive));
        keepOrOffer(form, "MemberId", recordChoices(ctx, "Members", "byFullName", "MemberId", "FullName", notInactive));
        keepOrOffer(form, "TrophyId", recordChoices(ctx, "Trophy", "byTrophyName", "TrophyId", "TrophyName", notInactive));
        form.fieldWidget("PositionalTrophy")->setToolTip("Y/N Selection");
        for (const char* field : {"DivisionId", "MemberId", "TrophyId"})
            qobject_cast<QComboBox*>(form.fieldWidget(field))->setMinimumContentsLength(28);
        showPosition(form);
    };
    design.onChange = [](StandardForm& form, const std::string& field) {
        if (field == "PositionalTrophy") showPosition(form);
    };
    design.check = [](StandardForm& form) {
        AppContext& ctx = form.context();
        if (isScorer(ctx)) form.setRecordValue("SeasonId", QString::fromStdString(ctx.globals.SeasonId.str()));
        if (form.fieldValue("PositionalTrophy") != "Y") form.setRecordValue("Position", QString());
        return true;
    };
    return design;
}

bool openSeasonTrophyForm(AppContext& ctx, Request request, Record seasonTrophy, QWidget* parent) {
    StandardForm form(ctx, seasonTrophyForm(), request, std::move(seasonTrophy), parent);
    return form.exec() == QDialog::Accepted;
}

SeasonTrophyList::SeasonTrophyList(AppContext& ctx, QWidget* parent)
    : BrowseList(ctx, seasonTrophySpec(ctx), parent), ctx_(ctx) {
    session::Globals& g = ctx_.globals;
    season_ = new QComboBox(this);
    season_->setObjectName("seasonChoice");
    for (const auto& [value, text] : seasonChoices(ctx_, true)) season_->addItem(text, value);
    const std::string latest = latestSeason(ctx_);
    g.SeasonId = latest;
    g.DivisionId = 0;
    season_->setCurrentIndex(season_->count() - 1);

    auto* top = new QHBoxLayout;
    auto* seasonLabel = new QLabel("S&eason:", this);
    top->addWidget(seasonLabel);
    top->addWidget(season_);
    scorerSeason_ = new QLabel(QString::fromStdString(latest), this);
    scorerSeason_->setObjectName("scorerSeason");
    QFont bold = scorerSeason_->font();
    bold.setBold(true);
    scorerSeason_->setFont(bold);
    top->addWidget(scorerSeason_);
    top->addSpacing(24);
    division_ = addDivisionChoice(ctx_, top, this);
    top->addStretch(1);

    // A scorer works on the latest season, whatever the settings say.
    const bool scorer = isScorer(ctx_);
    if (scorer)
        seasonLabel->setText("Season:");
    else
        seasonLabel->setBuddy(season_);
    season_->setVisible(!scorer);
    scorerSeason_->setVisible(scorer);
    static_cast<QVBoxLayout*>(layout())->insertLayout(0, top);

    connect(season_, &QComboBox::activated, this, &SeasonTrophyList::chooseSeason);
    connect(division_, &QComboBox::activated, this, &SeasonTrophyList::chooseDivision);
    listChosen();
    view()->setFocus();
}

void SeasonTrophyList::chooseSeason(int index) {
    ctx_.globals.SeasonId = season_->itemData(index).toString().toStdString();
    listChosen();
}

void SeasonTrophyList::chooseDivision(int index) {
    ctx_.globals.DivisionId = division_->itemData(index).toInt();
    ctx_.globals.SeasonId = isScorer(ctx_) ? latestSeason(ctx_) : season_->currentData().toString().toStdString();
    listChosen();
}

void SeasonTrophyList::listChosen() {
    const int32_t division = ctx_.globals.DivisionId;
    ListSource source;
    source.file = "SeasonTrophy";
    source.key = "bySeasonId";
    source.range = {FieldValue{0, ctx_.globals.SeasonId.str()}};
    source.filter = [division](const Record& r) { return r.number(r.field("DivisionId")) == division; };
    model()->setSource(source);
    model()->sort(2, Qt::AscendingOrder);  // by trophy name, which the locator follows
    if (auto* locator = findChild<QLineEdit*>("locator")) locator->setPlaceholderText("Type the start of Trophy");
    if (model()->rowCount() > 0) view()->selectRow(0);
}

}  // namespace qv::members
