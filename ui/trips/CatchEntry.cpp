// The catches of the trip scoring form: entered one by one in place, each
// checked when the user stops editing it, with the second OK standing in for
// OK until the summary has been rebuilt from them.

#include <QHeaderView>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "core/data/FixedText.h"
#include "ui/framework/MessageService.h"
#include "ui/trips/CatchModel.h"
#include "ui/trips/TripScoringForm.h"

namespace qv::trips {

using namespace qv::data;
using namespace qv::ui;

namespace {

const char* const kIncomplete = "You have not entered a catch record completely.";
const char* const kCompleteIt = "Please complete the catch record completely.";
const char* const kSummaryFirst = "Please click on the Summary Tab to update summary details before saving.";

}  // namespace

void TripScoring::buildCatchTab() {
    auto* page = new QWidget(tabs);
    auto* layout = new QVBoxLayout(page);
    catches = new CatchModel(ctx_.store, tm_.TripMemberId, [this] {
        std::vector<Species> byName = species_;
        std::stable_sort(byName.begin(), byName.end(), [](const Species& a, const Species& b) {
            return compareText(a.SpeciesName, b.SpeciesName, false) < 0;
        });
        return byName;
    }(), page);
    catches->setEditable(editable_);
    catchView = new CatchView(page);
    catchView->setObjectName("catchList");
    catchView->setModel(catches);
    auto* delegate = new CatchDelegate(catchView);
    catchView->setItemDelegate(delegate);
    catchView->setSelectionBehavior(QAbstractItemView::SelectRows);
    catchView->setSelectionMode(QAbstractItemView::SingleSelection);
    catchView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    catchView->verticalHeader()->hide();
    catchView->horizontalHeader()->setStretchLastSection(true);
    const std::pair<int, int> widths[] = {{CatchModel::SpeciesName, 150}, {CatchModel::LineClass, 76},
                                          {CatchModel::Weight, 76},       {CatchModel::Length, 76},
                                          {CatchModel::Catch, 90},        {CatchModel::Witness, 140}};
    for (const auto& [column, width] : widths) catchView->setColumnWidth(column, width);
    catchView->verticalHeader()->setDefaultSectionSize(catchView->fontMetrics().height() + 10);
    layout->addWidget(catchView, 1);
    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, void (TripScoring::*)()> actions[] = {
        {"&Insert", &TripScoring::insertCatch}, {"Chan&ge", &TripScoring::changeCatch}, {"De&lete", &TripScoring::deleteCatch}};
    for (const auto& [text, action] : actions) {
        auto* b = new QPushButton(text, page);
        b->setObjectName(QString("catch") + QString(text).remove('&'));
        b->setAutoDefault(false);
        b->setEnabled(editable_);
        connect(b, &QPushButton::clicked, this, action);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    catchTab = tabs->addTab(page, "Individual Catch Details");
    ctx_.globals.TripCatchTotal = catches->rowCount();
    // The check runs when the user stops editing a catch.
    connect(delegate, &QAbstractItemDelegate::closeEditor, this, [this] {
        lastCatchRow_ = catchView->currentIndex().row();
        QTimer::singleShot(0, this, [this] {
            if (!catchView->editing()) checkCatch();
        });
    });
    if (auto f = catches->takeFailure()) showFailure(&form_, *f);
}

void TripScoring::showSecondOk(bool on) {
    secondOk->setVisible(on);
    secondOk->setDefault(on);
    form_.okButton()->setVisible(!on);
    form_.okButton()->setDefault(!on);
}

void TripScoring::setCatchComplete(bool complete) {
    catchComplete_.assign(1, complete ? 'Y' : 'N');  // not = "Y": a false -Wrestrict of g++ 12
    tabs->setTabEnabled(summaryTab, complete);
    form_.closeButton()->setEnabled(complete);
}

void TripScoring::catchesEdited(bool deleted) {
    catchesEdited_ = true;
    catchDeleted_ = deleted;
    showSecondOk(true);
    ctx_.globals.TripCatchTotal = catches->rowCount();
    if (deleted) setCatchComplete(true);
    if (auto f = catches->takeFailure()) showFailure(&form_, *f);
}

void TripScoring::insertCatch() {
    const int row = catches->addCatch(rules().settings().DefaultLineClass);
    catchesEdited(false);
    if (row < 0) return;
    lastCatchRow_ = row;
    const QModelIndex at = catches->index(row, CatchModel::SpeciesName);
    catchView->setCurrentIndex(at);
    catchView->setFocus();
    catchView->edit(at);
}

void TripScoring::changeCatch() {
    QModelIndex at = catchView->currentIndex();
    if (!at.isValid()) return;
    catchesEdited(false);
    lastCatchRow_ = at.row();
    at = catches->index(at.row(), CatchModel::SpeciesName);
    catchView->setCurrentIndex(at);
    catchView->setFocus();
    catchView->edit(at);
}

void TripScoring::deleteCatch() {
    const QModelIndex at = catchView->currentIndex();
    if (!at.isValid() || raiseMessage(&form_, 11) != 0) return;
    if (!catches->removeCatch(at.row())) {
        if (auto f = catches->takeFailure()) showFailure(&form_, *f);
        return;
    }
    catchesEdited(true);
}

void TripScoring::checkCatch() {
    if (!catches || catchDeleted_) return;
    const int row = lastCatchRow_;
    if (row < 0 || row >= catches->rowCount()) return;
    if (auto f = catches->takeFailure()) showFailure(&form_, *f);
    const bool complete = CatchModel::complete(catches->at(row));
    setCatchComplete(complete);
    if (!complete) {
        inform(&form_, kIncomplete);
        checkShown_ = true;
    }
}

void TripScoring::pressSecondOk() {
    if (catchComplete_ == "N" && !checkShown_) inform(&form_, kCompleteIt);
    if (catchComplete_ != "N") inform(&form_, kSummaryFirst);
    checkShown_ = false;
    if (ctx_.globals.TripCatchTotal == 0) tabs->setTabEnabled(summaryTab, true);
}

}  // namespace qv::trips
