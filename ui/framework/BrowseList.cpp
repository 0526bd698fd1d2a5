#include "ui/framework/BrowseList.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/framework/MessageService.h"
#include "ui/framework/TabOrder.h"
#include "ui/framework/WindowPlacement.h"

namespace qv::ui {

using namespace qv::data;

namespace {

// Home and End go to the first and the last record, not along the row;
// letters typed in the list go to the locator.
class BrowseView : public QTableView {
public:
    BrowseView(QWidget* parent, std::function<void(const QString&)> typed)
        : QTableView(parent), typed_(std::move(typed)) {}
    void keyboardSearch(const QString& text) override { typed_(text); }

private:
    std::function<void(const QString&)> typed_;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        auto* records = static_cast<RecordTableModel*>(model());
        const int col = std::max(0, currentIndex().column());
        if (action == MoveHome) return records->index(0, col);
        if (action == MoveEnd) {
            records->fetchAll();
            return records->index(records->rowCount() - 1, col);
        }
        return QTableView::moveCursor(action, modifiers);
    }
};

}  // namespace

BrowseList::BrowseList(AppContext& ctx, BrowseSpec design, QWidget* parent)
    : QDialog(parent), ctx_(ctx), design_(std::move(design)) {
    use_ = std::make_unique<FileUse>(ctx_.store, design_.source.file);
    if (!*use_) showFailure(this, use_->status().message());
    setWindowTitle(design_.title);
    setObjectName(design_.procedure);
    auto* layout = new QVBoxLayout(this);

    auto* locateRow = new QHBoxLayout;
    auto* locateLabel = new QLabel("L&ocate:", this);
    locator_ = new QLineEdit(this);
    locator_->setObjectName("locator");
    locateLabel->setBuddy(locator_);
    locateRow->addWidget(locateLabel);
    locateRow->addWidget(locator_, 1);
    layout->addLayout(locateRow);

    model_ = new RecordTableModel(ctx_.store, design_.source, design_.columns, this);
    view_ = new BrowseView(this, [this](const QString& text) {
        locator_->setFocus(Qt::OtherFocusReason);
        locator_->insert(text);
        locate(locator_->text());
    });
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setAlternatingRowColors(true);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the list for the buttons; the arrows move within it.
    view_->setTabKeyNavigation(false);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 8);
    view_->horizontalHeader()->setHighlightSections(false);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->setWordWrap(false);
    const int em = view_->fontMetrics().horizontalAdvance('n');
    int total = 0;
    for (size_t i = 0; i < design_.columns.size(); ++i) {
        int w = std::clamp(design_.columns[i].widthChars, 6, 40) * em + 16;
        w = std::max(w, view_->fontMetrics().horizontalAdvance(design_.columns[i].header) + 40);
        view_->setColumnWidth(static_cast<int>(i), w);
        total += w;
    }
    if (design_.sortable) {
        // The view shows the indicator and reverses on a second click.
        view_->horizontalHeader()->setSortIndicator(model_->sortColumn(), model_->sortOrder());
        view_->setSortingEnabled(true);
        connect(view_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, &BrowseList::orderChanged);
    }
    layout->addWidget(view_, 1);
    extra_ = new QVBoxLayout;
    layout->addLayout(extra_);

    auto* buttons = new QHBoxLayout;
    insert_ = new QPushButton("&Insert", this);
    change_ = new QPushButton("&Change", this);
    delete_ = new QPushButton("&Delete", this);
    auto* close = new QPushButton("C&lose", this);
    buttons->addWidget(insert_);
    buttons->addWidget(change_);
    buttons->addWidget(delete_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    insert_->setVisible(design_.canInsert);
    change_->setVisible(design_.canChange);
    delete_->setVisible(design_.canDelete);
    insert_->setAutoDefault(false);
    change_->setAutoDefault(false);
    delete_->setAutoDefault(false);
    close->setAutoDefault(false);

    connect(insert_, &QPushButton::clicked, this, &BrowseList::insertRecord);
    connect(change_, &QPushButton::clicked, this, &BrowseList::changeRecord);
    connect(delete_, &QPushButton::clicked, this, &BrowseList::deleteRecord);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(view_, &QTableView::doubleClicked, this, &BrowseList::changeRecord);
    connect(new QShortcut(QKeySequence(Qt::Key_Insert), this), &QShortcut::activated, this,
            &BrowseList::insertRecord);
    // Delete in the list deletes a record; in the locator it deletes a letter.
    auto* del = new QShortcut(QKeySequence(Qt::Key_Delete), view_);
    del->setContext(Qt::WidgetShortcut);
    connect(del, &QShortcut::activated, this, &BrowseList::deleteRecord);
    connect(locator_, &QLineEdit::textEdited, this, &BrowseList::locate);
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updateButtons(); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { updateButtons(); });

    showLocatorHint();
    if (model_->failure()) showFailure(this, *model_->failure());
    if (model_->rowCount() > 0) view_->selectRow(0);
    updateButtons();
    resize(std::max(total + 40, 520), 440);
    keepPlacement(this, design_.procedure, ctx_.iniPath());
    view_->setFocus();
}

void BrowseList::locate(const QString& text) {
    const int row = model_->locate(text);
    if (row >= 0) {
        view_->selectRow(row);
        view_->scrollTo(model_->index(row, 0));
    }
}

void BrowseList::showLocatorHint() {
    const int col = model_->sortColumn();
    locator_->setPlaceholderText(col < static_cast<int>(design_.columns.size())
                                     ? "Type the start of " + design_.columns[col].header
                                     : QString());
}

void BrowseList::orderChanged() {
    locator_->clear();
    showLocatorHint();
    if (model_->rowCount() > 0) view_->selectRow(0);
}

void BrowseList::keyPressEvent(QKeyEvent* e) {
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // A button with the focus does its own work; anywhere else Enter
        // chooses the highlighted record.
        if (auto* b = qobject_cast<QPushButton*>(focusWidget()))
            b->click();
        else
            chooseRecord();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool BrowseList::focusNextPrevChild(bool next) {
    return focusNextInReadingOrder(this, next) || QDialog::focusNextPrevChild(next);
}

void BrowseList::done(int result) {
    if (design_.onClose) design_.onClose(ctx_, this);
    QDialog::done(result);
}

const Record* BrowseList::selected() const {
    auto rows = view_->selectionModel()->selectedRows();
    if (rows.isEmpty()) return nullptr;
    return &model_->record(rows.first().row());
}

void BrowseList::updateButtons() {
    const bool any = selected() != nullptr;
    change_->setEnabled(any && design_.openForm);
    delete_->setEnabled(any);
    insert_->setEnabled(static_cast<bool>(design_.openForm));
}

void BrowseList::selectRecno(int64_t recno) {
    int row = model_->rowOfRecno(recno);
    if (row >= 0) {
        view_->selectRow(row);
        view_->scrollTo(model_->index(row, 0));
    }
}

void BrowseList::refresh() {
    const Record* sel = selected();
    int64_t recno = sel ? sel->stamp.recno : 0;
    model_->reload();
    if (recno) selectRecno(recno);
    if (!selected() && model_->rowCount() > 0) view_->selectRow(0);
}

void BrowseList::insertRecord() {
    if (!design_.canInsert || !design_.openForm) return;
    Record fresh = ctx_.store.newRecord(design_.source.file);
    if (Status s = ctx_.store.primeForInsert(fresh); !s) {
        showFailure(this, s.message());
        return;
    }
    if (design_.openForm(ctx_, Request::Insert, fresh, this)) {
        model_->reload();
        // The new record is the one with the highest record number written last;
        // select it when it is in the list.
        Record last = ctx_.store.newRecord(design_.source.file);
        std::unique_ptr<Cursor> c;
        if (ctx_.store.walk(design_.source.file, "", {}, true, c) && c->next(last)) selectRecno(last.stamp.recno);
    }
}

void BrowseList::changeRecord() {
    const Record* sel = selected();
    if (!sel || !design_.openForm) return;
    Record rec = *sel;
    // Read it again so that the form starts from what is stored now.
    if (Status s = ctx_.store.fetchByRecno(rec, rec.stamp.recno); !s) {
        MessageContext mc;
        mc.file = design_.source.file;
        mc.errorText = s.errorText();
        showFailure(this, s.isFailed() ? s.message() : standardMessage(9, mc));
        refresh();
        return;
    }
    const int64_t recno = rec.stamp.recno;
    const Request request = design_.canChange ? Request::Change : Request::View;
    if (design_.openForm(ctx_, request, rec, this)) {
        model_->reload();
        selectRecno(recno);
    }
}

void BrowseList::deleteRecord() {
    const Record* sel = selected();
    if (!sel || !design_.canDelete) return;
    if (raiseMessage(this, 11) != 0) return;
    Record rec = *sel;
    int row = view_->selectionModel()->selectedRows().first().row();
    if (Status s = ctx_.store.remove(rec); !s) {
        showFailure(this, s.message());
        return;
    }
    model_->reload();
    if (model_->rowCount() > 0) view_->selectRow(std::min(row, model_->rowCount() - 1));
}

}  // namespace qv::ui
