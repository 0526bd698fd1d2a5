// brwUsers, frmUser and winChangePassword: keeping the users and passwords.

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/data/Typed.h"
#include "core/session/Login.h"
#include "ui/framework/BrowseList.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/StandardForm.h"
#include "ui/framework/WindowPlacement.h"
#include "ui/framework/WindowRegistry.h"
#include "ui/main/UserWindows.h"

namespace qv::ui {

using namespace qv::data;
using namespace qv::ui;

namespace {

Choices accessLevels(AppContext& ctx) {
    return recordChoices(ctx, "AccessLevels", "bySecurityLevel", "SecurityLevel", "SecurityLevel");
}

FormSpec userForm() {
    FormSpec design;
    design.procedure = "frmUser";
    design.title = "Add / Edit System Users";
    design.file = "Users";
    design.fields = {
        {"UserId", "User &Id:"},
        {"Name", "&Name:"},
        {"SecurityLevel", "&Access:", FieldWidget::Choice, accessLevels},
        {"UserPassword", "&Password:", FieldWidget::Password},
    };
    design.modes.insert = "Record will be Added";
    design.modes.change = "Record will be Changed";
    design.check = [](StandardForm& form) {
        const Record& r = form.buffer();
        if (r.text(r.field("SecurityLevel")).empty()) {
            inform(&form, "Please choose the user's access level.");
            form.fieldWidget("SecurityLevel")->setFocus();
            return false;
        }
        if (form.request() == Request::Insert && r.text(r.field("UserPassword")).empty()) {
            inform(&form, "Please enter a password for the new user.");
            form.fieldWidget("UserPassword")->setFocus();
            return false;
        }
        return true;
    };
    return design;
}

bool openUserForm(AppContext& ctx, Request request, Record rec, QWidget* parent) {
    StandardForm form(ctx, userForm(), request, std::move(rec), parent);
    if (auto* pw = qobject_cast<QLineEdit*>(form.fieldWidget("UserPassword")))
        pw->setPlaceholderText(request == Request::Insert ? "" : "unchanged");
    return form.exec() == QDialog::Accepted;
}

BrowseSpec usersList() {
    BrowseSpec design;
    design.procedure = "brwUsers";
    design.title = "System Users";
    design.source.file = "Users";
    design.source.key = "byName";
    design.columns = {{"User's Name", "Name", 50}, {"Access Level", "SecurityLevel", 20}};
    design.openForm = openUserForm;
    return design;
}

}  // namespace

ChangePasswordWindow::ChangePasswordWindow(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("winChangePassword");
    setWindowTitle("Change User Password");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    entry_ = new QLineEdit(this);
    entry_->setObjectName("newPassword");
    entry_->setMaxLength(20);
    entry_->setEchoMode(QLineEdit::Password);
    confirm_ = new QLineEdit(this);
    confirm_->setObjectName("confirmPassword");
    confirm_->setMaxLength(20);
    confirm_->setEchoMode(QLineEdit::Password);
    form->addRow("&New Password:", entry_);
    form->addRow("Con&firm New Password:", confirm_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
    buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &ChangePasswordWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(340);
    keepPlacement(this, "winChangePassword", ctx_.iniPath());
}

const char* const kPasswordsDiffer =
    "The new password and its confirmation are not the same. The password was not changed; "
    "please type the new password twice again.";

void ChangePasswordWindow::accept() {
    // One slip of the finger must not lock the user out.
    if (entry_->text() != confirm_->text()) {
        inform(this, kPasswordsDiffer);
        confirm_->clear();
        entry_->selectAll();
        entry_->setFocus();
        return;
    }
    ctx_.globals.NewPassword = entry_->text().toStdString();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Status s = session::changePassword(ctx_.store, ctx_.globals);
    QApplication::restoreOverrideCursor();
    if (!s) {
        showFailure(this, s.message());
        entry_->setFocus();
        return;
    }
    QDialog::accept();
}

void registerUserWindows() {
    registerWindow("brwUsers", [](AppContext& ctx, QWidget* parent) -> QWidget* {
        auto* list = new BrowseList(ctx, usersList(), parent);
        list->setMinimumWidth(560);
        return list;
    });
    registerWindow("frmUser", [](AppContext& ctx, QWidget* parent) -> QWidget* {
        Record rec = ctx.store.newRecord("Users");
        FileUse use(ctx.store, "Users");
        ctx.store.primeForInsert(rec);
        return new StandardForm(ctx, userForm(), Request::Insert, rec, parent);
    });
    registerWindow("winChangePassword", [](AppContext& ctx, QWidget* parent) -> QWidget* {
        return new ChangePasswordWindow(ctx, parent);
    });
}

}  // namespace qv::ui
