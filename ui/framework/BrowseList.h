#pragma once
// The standard browse list: the records of a file in a key order, with
// Insert, Change, Delete and Close, a locator, and lazy loading.

#include <QDialog>

#include <functional>

#include "core/data/Typed.h"
#include "ui/framework/AppContext.h"
#include "ui/framework/RecordTableModel.h"
#include "ui/framework/StandardForm.h"

class QLineEdit;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace qv::ui {

struct BrowseSpec {
    QString procedure;  // "brwUsers"
    QString title;      // "System Users"
    ListSource source;
    std::vector<BrowseColumn> columns;
    // Opens the record form for a request; returns true when it wrote.
    std::function<bool(AppContext&, Request, data::Record, QWidget* parent)> openForm = {};
    bool canInsert = true;
    bool canChange = true;
    bool canDelete = true;
    // Clicking a heading sorts by that column (see BrowseColumn::sortKey);
    // clicking it again reverses the order.
    bool sortable = false;
    // Runs when the list closes.
    std::function<void(AppContext&, QWidget* list)> onClose = {};
};

class BrowseList : public QDialog {
    Q_OBJECT
public:
    BrowseList(AppContext& ctx, BrowseSpec design, QWidget* parent = nullptr);

    RecordTableModel* model() const { return model_; }
    QTableView* view() const { return view_; }
    QPushButton* insertButton() const { return insert_; }
    QPushButton* changeButton() const { return change_; }
    QPushButton* deleteButton() const { return delete_; }
    // The extra area above the buttons, for a list's own controls.
    QVBoxLayout* extraArea() const { return extra_; }
    // The selected record, or nullptr.
    const data::Record* selected() const;
    void selectRecno(int64_t recno);

    void done(int result) override;
    // Enter on the list or the locator: the list's default action on the
    // highlighted record (Change, or View where the list cannot change).
    void chooseRecord() { changeRecord(); }

public slots:
    void insertRecord();
    void changeRecord();
    void deleteRecord();
    void refresh();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool focusNextPrevChild(bool next) override;

private:
    void updateButtons();
    void orderChanged();
    void showLocatorHint();
    void locate(const QString& text);
    AppContext& ctx_;
    BrowseSpec design_;
    std::unique_ptr<data::FileUse> use_;  // the list's file, open while it runs
    RecordTableModel* model_;
    QTableView* view_;
    QLineEdit* locator_;
    QPushButton* insert_;
    QPushButton* change_;
    QPushButton* delete_;
    QVBoxLayout* extra_;
};

}  // namespace qv::ui
