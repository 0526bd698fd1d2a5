#pragma once
// The standard record form: every window that edits one record runs on it.
// A form declares its fields; this class gives the insert, change, delete
// and view requests, the saved copy, OK with write and retry, and the guard
// against losing changes.

#include <QDialog>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/data/Record.h"
#include "core/data/Typed.h"
#include "ui/framework/AppContext.h"

class QLabel;
class QRadioButton;
class QPushButton;
class QFormLayout;
class QVBoxLayout;

namespace qv::ui {

enum class Request { Insert, Change, Delete, View };

enum class FieldWidget {
    Line,      // text or number typed in a line
    Password,  // typed, never shown; blank leaves the stored one
    Check,     // "Y" / "N"
    Choice,    // a drop list of values
    Date,      // dd/mm/yyyy
    Memo,      // several lines of text
    Options,   // a row of radio buttons, one per choice
};

using Choices = std::vector<std::pair<QString, QString>>;

// The records of `file` along `key` as drop-list choices: (value of
// `valueField`, text of `textField`), those for which `keep` holds.
Choices recordChoices(AppContext& ctx, const std::string& file, const std::string& key,
                      const std::string& valueField, const std::string& textField,
                      const std::function<bool(const data::Record&)>& keep = {});

// The same, as a drop list's choices asked each time its form opens.
std::function<Choices(AppContext&)> choicesOf(std::string file, std::string key, std::string valueField,
                                              std::string textField);

struct FormField {
    std::string field;  // record field name
    QString prompt;     // "User Id:"
    FieldWidget widget = FieldWidget::Line;
    // For Choice: (value, text shown) pairs, asked each time the form opens.
    std::function<std::vector<std::pair<QString, QString>>(AppContext&)> choices = {};
    // For Check: the text beside the box (the prompt stays empty then).
    QString checkText = {};
    // Where the field sits: a tab page and a framed group within it.
    QString tab = {};
    QString group = {};
    // For Check: the values stored when ticked and not ("1"/"0" for switches).
    QString on = {};
    QString off = {};
    // For decimals: the places shown (fewer than stored), or -1 for all.
    int places = -1;
    // For Line: the typed text is shown as dots.
    bool masked = false;
    // A button beside the field, and a note under it.
    QString buttonText = {};
    std::function<void(class StandardForm&)> onButton = {};
    QString note = {};
};

// What closing a form with unsaved changes does.
enum class CloseGuard {
    AskSave,   // "Save Record" with Yes / No / Cancel
    WarnLost,  // "Changes will be lost!" with Yes / No
    None,      // closes without asking
};

struct ModeTexts {
    QString insert = "Record Will Be Added";
    QString change = "Record Will Be Changed";
    QString view = "View Record";
    QString remove = "Record Will Be Deleted";
};

struct FormSpec {
    QString procedure;  // "frmUser"
    QString title;      // "Add / Edit System Users"
    std::string file;   // "Users"
    std::vector<FormField> fields;
    ModeTexts modes = {};
    CloseGuard guard = CloseGuard::AskSave;
    bool askAddAnother = false;  // "Record Added" after an insert
    bool confirmDelete = true;   // "Confirm Delete" before a delete
    // A failed write closes the form after its message instead of offering
    // to try again.
    bool failureCloses = false;
    // Checks of the form's own before the record is written; false keeps the
    // form open (the check shows its own message).
    std::function<bool(class StandardForm&)> check = {};
    // The form's own rules: when it opens, when the user changes a field, and
    // when the user leaves a field (false: back to the field).
    std::function<void(class StandardForm&)> onOpen = {};
    std::function<void(class StandardForm&, const std::string& field)> onChange = {};
    std::function<bool(class StandardForm&, const std::string& field)> onLeave = {};
    // Runs after a successful write, before the form closes.
    std::function<void(class StandardForm&)> afterWrite = {};
    // Writes the record together with what else the form keeps, as one
    // transaction (the default writes the record alone). A form with its own
    // write goes through it on every OK, also when the record is unchanged.
    std::function<data::Status(class StandardForm&, data::Record& record)> write = {};
};

class StandardForm : public QDialog {
    Q_OBJECT
public:
    StandardForm(AppContext& ctx, FormSpec design, Request request, data::Record record,
                 QWidget* parent = nullptr);

    Request request() const { return request_; }
    AppContext& context() { return ctx_; }
    // The record as the fields now show it.
    const data::Record& buffer();
    const data::Record& savedCopy() const { return saved_; }
    bool changed();
    QWidget* fieldWidget(const std::string& field) const;
    // The prompt of a field, or nullptr.
    QLabel* label(const std::string& field) const;
    // The radio button of one choice of an Options field, or nullptr.
    QRadioButton* option(const std::string& field, const QString& value) const;
    // Shows or hides a field with its prompt.
    void setFieldVisible(const std::string& field, bool visible);
    // What the field now shows, in the stored form ("Y", "W", "12.50").
    QString fieldValue(const std::string& field) const;
    // Shows a value in a field as if the user had entered it.
    void setFieldValue(const std::string& field, const QString& value);
    // Puts a value the form keeps without a field of its own (a derived
    // name, a link chosen by the form's own controls) in the record to write.
    void setRecordValue(const std::string& field, const QString& value);
    QPushButton* okButton() const { return ok_; }
    QPushButton* closeButton() const { return close_; }
    // The extra area below the fields, for a form's own controls.
    QVBoxLayout* extraArea() const { return extra_; }

    void accept() override;  // OK
    void reject() override;  // Close, the close box, Escape

protected:
    // Fills the fields from the buffer.
    void showRecord();
    bool focusNextPrevChild(bool next) override;

private:
    enum class WriteOutcome { Written, KeptOpen, GaveUp };
    WriteOutcome write();
    bool readFields(bool showErrors);
    void startFreshRecord();
    void focusFirstField();
    void buildFields();
    QString shownValue(const FormField& ff) const;
    const FormField* fieldDesign(const std::string& field) const;

    AppContext& ctx_;
    FormSpec design_;
    std::unique_ptr<data::FileUse> use_;  // the form's file, open while it runs
    Request request_;
    data::Record buffer_;
    data::Record saved_;
    std::map<std::string, QWidget*> widgets_;
    std::map<std::string, QLabel*> labels_;
    std::map<std::string, QString> shown_;  // what each field showed when loaded
    QLabel* mode_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* close_ = nullptr;
    QVBoxLayout* extra_ = nullptr;
};

}  // namespace qv::ui
