// frmTrophyHistory, "Add / Edit Trip Trophy": a trophy won on a trip by a
// member or, on a trip that allows them, a non-member of the trip.

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/data/FixedText.h"
#include "ui/framework/MessageService.h"
#include "ui/members/MemberWindows.h"

namespace qv::members {

using namespace qv::data;
using namespace qv::ui;

namespace {

const char* const kNoWinner = "Please choose the member or non-member who won the trophy.";

// Who won it: the member/non-member option and the two pick lists.
class Winner : public QObject {
public:
    Winner(StandardForm& form, bool allowNonMembers) : QObject(&form), form_(form) {
        setObjectName("winnerState");
        AppContext& ctx = form.context();
        const Record& rec = form.savedCopy();
        const auto memberId = rec.number(rec.field("MemberId"));
        const auto nonMemberId = rec.number(rec.field("NonMemberId"));
        const bool isNew = form.request() == Request::Insert;
        const bool editable = isNew || form.request() == Request::Change;
        const int32_t tripId = ctx.globals.TripId;

        auto* box = new QGroupBox("Awarded To", &form);
        auto* layout = new QFormLayout(box);
        layout->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
        layout->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
        options_ = new QWidget(box);
        auto* row = new QHBoxLayout(options_);
        row->setContentsMargins(0, 0, 0, 0);
        member_ = new QRadioButton(" &Member", options_);
        member_->setObjectName("anglerMember");
        nonMember_ = new QRadioButton(" &Non-Member", options_);
        nonMember_->setObjectName("anglerNonMember");
        row->addWidget(member_);
        row->addWidget(nonMember_);
        row->addStretch(1);
        layout->addRow(options_);

        members_ = pickList("memberChoice",
                            recordChoices(ctx, "Members", "byFullName", "MemberId", "FullName", notInactive));
        nonMembers_ = pickList("nonMemberChoice",
                               recordChoices(ctx, "NonMembers", "byFullName", "NonMemberId", "FullName",
                                             [tripId](const Record& r) { return r.number(r.field("TripId")) == tripId; }));
        memberLabel_ = new QLabel("M&ember:", box);
        memberLabel_->setBuddy(members_);
        nonMemberLabel_ = new QLabel("Non-M&ember:", box);
        nonMemberLabel_->setBuddy(nonMembers_);
        nonMembers_->setToolTip("Clipping of First and Last Names");
        layout->addRow(memberLabel_, members_);
        layout->addRow(nonMemberLabel_, nonMembers_);
        form.extraArea()->addWidget(box);

        if (isNew) {
            show(false);
        } else {
            // An existing award shows its winner, read-only.
            show(memberId == 0 && nonMemberId != 0);
            choose(members_, memberId, "Members", "byMemberId", "MemberId");
            choose(nonMembers_, nonMemberId, "NonMembers", "byNonMemberId", "NonMemberId");
        }
        options_->setVisible(allowNonMembers);
        options_->setEnabled(isNew);
        members_->setEnabled(editable && isNew);
        nonMembers_->setEnabled(editable && isNew);

        connect(member_, &QRadioButton::clicked, this, [this] { pickSide(false); });
        connect(nonMember_, &QRadioButton::clicked, this, [this] { pickSide(true); });
        connect(members_, &QComboBox::activated, this, [this] {
            form_.setRecordValue("MemberId", members_->currentData().toString());
        });
        connect(nonMembers_, &QComboBox::activated, this, [this] {
            form_.setRecordValue("NonMemberId", nonMembers_->currentData().toString());
        });
    }

    bool chosen() const { return members_->currentIndex() >= 0 || nonMembers_->currentIndex() >= 0; }

private:
    QComboBox* pickList(const char* name, const Choices& choices) {
        auto* c = new QComboBox(&form_);
        c->setObjectName(name);
        c->setMinimumContentsLength(28);
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        for (const auto& [value, text] : choices) c->addItem(text, value);
        c->setCurrentIndex(-1);
        return c;
    }
    // Shows the stored winner, read from its file when the list leaves it out.
    void choose(QComboBox* c, int64_t id, const char* file, const char* key, const char* idField) {
        if (id == 0) return;
        int i = c->findData(QString::number(id));
        if (i < 0) {
            AppContext& ctx = form_.context();
            FileUse use(ctx.store, file);
            Record r = ctx.store.newRecord(file);
            r.setNumber(r.field(idField), id);
            const bool found = use && ctx.store.fetch(r, key).isOk();
            c->addItem(found ? QString::fromStdString(r.text(r.field("FullName"))) : QString::number(id),
                       QString::number(id));
            i = c->count() - 1;
        }
        c->setCurrentIndex(i);
    }
    void show(bool nonMember) {
        member_->setChecked(!nonMember);
        nonMember_->setChecked(nonMember);
        members_->setVisible(!nonMember);
        memberLabel_->setVisible(!nonMember);
        nonMembers_->setVisible(nonMember);
        nonMemberLabel_->setVisible(nonMember);
    }
    // Choosing a side clears the other side's winner.
    void pickSide(bool nonMember) {
        show(nonMember);
        QComboBox* other = nonMember ? members_ : nonMembers_;
        other->setCurrentIndex(-1);
        form_.setRecordValue(nonMember ? "MemberId" : "NonMemberId", "0");
    }

    StandardForm& form_;
    QWidget* options_ = nullptr;
    QRadioButton* member_ = nullptr;
    QRadioButton* nonMember_ = nullptr;
    QComboBox* members_ = nullptr;
    QComboBox* nonMembers_ = nullptr;
    QLabel* memberLabel_ = nullptr;
    QLabel* nonMemberLabel_ = nullptr;
};

FormSpec tripTrophyForm(const std::string& allowNonMembers) {
    FormSpec design;
    design.procedure = "frmTrophyHistory";
    design.title = "Add / Edit Trip Trophy";
    design.file = "TripTrophy";
    FormField trophy{"TrophyId", "&Trophy:", FieldWidget::Choice};
    trophy.choices = choicesOf("Trophy", "byTrophyName", "TrophyId", "TrophyName");
    design.fields = {{"SeasonId", "Season:"}, trophy};
    design.onOpen = [allowNonMembers](StandardForm& form) {
        AppContext& ctx = form.context();
        form.fieldWidget("SeasonId")->setEnabled(false);
        auto* trophy = qobject_cast<QComboBox*>(form.fieldWidget("TrophyId"));
        trophy->setMinimumContentsLength(28);
        if (form.request() == Request::Insert) {
            // A new award chooses among the trophies still given.
            trophy->clear();
            for (const auto& [id, name] :
                 recordChoices(ctx, "Trophy", "byTrophyName", "TrophyId", "TrophyName", markedActive))
                trophy->addItem(name, id);
            trophy->setCurrentIndex(-1);
            form.okButton()->setEnabled(false);
        } else {
            trophy->setEnabled(false);
        }
        new Winner(form, allowNonMembers == "Y");
    };
    design.onChange = [](StandardForm& form, const std::string& field) {
        if (field == "TrophyId") form.okButton()->setEnabled(true);
    };
    design.check = [](StandardForm& form) {
        const Record& rec = form.buffer();
        if (clip(rec.text(rec.field("SeasonId"))).empty()) {
            inform(&form, "You must enter in a Season!");
            return false;
        }
        if (rec.number(rec.field("TrophyId")) == 0) {
            inform(&form, "You must enter in a Trophy!");
            return false;
        }
        auto* winner = static_cast<Winner*>(form.findChild<QObject*>("winnerState"));
        if (form.request() == Request::Insert && winner && !winner->chosen()) {
            inform(&form, kNoWinner);
            return false;
        }
        return true;
    };
    return design;
}

// A blank season is the season in context.
Record inSeason(AppContext& ctx, Record rec) {
    const int season = rec.field("SeasonId");
    if (clip(rec.text(season)).empty()) rec.setText(season, ctx.globals.SeasonId.str());
    return rec;
}

}  // namespace

bool openTripTrophyForm(AppContext& ctx, Request request, Record tripTrophy, const std::string& allowNonMembers,
                        QWidget* parent) {
    StandardForm form(ctx, tripTrophyForm(allowNonMembers), request, inSeason(ctx, std::move(tripTrophy)), parent);
    return form.exec() == QDialog::Accepted;
}

StandardForm* newTripTrophyForm(AppContext& ctx, Record tripTrophy, const std::string& allowNonMembers,
                                QWidget* parent) {
    return new StandardForm(ctx, tripTrophyForm(allowNonMembers), Request::Insert, inSeason(ctx, std::move(tripTrophy)),
                            parent);
}

}  // namespace qv::members
