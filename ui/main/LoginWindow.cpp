#include "ui/main/LoginWindow.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/data/Typed.h"
#include "core/data/WorkstationRecords.h"
#include "ui/framework/WindowPlacement.h"
#include "ui/framework/WindowRegistry.h"

namespace qv::ui {

LoginWindow::LoginWindow(session::Globals& g, const QString& version, const QString& iniPath, QWidget* parent)
    : QDialog(parent), g_(g), about_(g.LoggedIn) {
    setObjectName("winLoginAbout");
    setWindowTitle(about_ ? "About Quillavon" : "Quillavon Login");
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);

    auto* product = new QLabel("Quillavon", this);
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    product->setFont(big);
    product->setAlignment(Qt::AlignCenter);
    layout->addWidget(product);
    auto* tagline = new QLabel("Competition scoring and records for angling clubs", this);
    tagline->setAlignment(Qt::AlignCenter);
    layout->addWidget(tagline);

    auto* versionRow = new QFormLayout;
    auto* versionValue = new QLabel(version, this);
    versionValue->setObjectName("version");
    versionRow->addRow("Version", versionValue);
    versionRow->setFormAlignment(Qt::AlignHCenter);
    layout->addLayout(versionRow);

    login_ = new QGroupBox("Login", this);
    auto* form = new QFormLayout(login_);
    userId_ = new QLineEdit(login_);
    userId_->setObjectName("userId");
    userId_->setMaxLength(20);
    password_ = new QLineEdit(login_);
    password_->setObjectName("password");
    password_->setMaxLength(20);
    password_->setEchoMode(QLineEdit::Password);
    form->addRow("&User Id:", userId_);
    form->addRow("&Password:", password_);
    layout->addWidget(login_);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
    auto* cancel = buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &LoginWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    if (about_) {
        login_->hide();
        ok_->hide();
        cancel->setText("&Close");
        cancel->setDefault(true);
    } else {
        ok_->setDefault(true);
        userId_->setFocus();
    }
    setMinimumWidth(380);
    ui::keepPlacement(this, "winLoginAbout", iniPath);
}

void LoginWindow::accept() {
    if (!about_) {
        g_.UserId = userId_->text().toStdString();
        g_.UserPassword = password_->text().toStdString();
        g_.LoggedIn = true;
    }
    QDialog::accept();
}

void registerLoginWindows() {
    ui::registerWindow("winLoginAbout", [](ui::AppContext& ctx, QWidget* parent) -> QWidget* {
        data::DataVersion dav;
        data::FileUse use(ctx.store, "DataVersion");
        if (use) data::fetchRecordNumber(ctx.store, dav, 2);
        return new LoginWindow(ctx.globals, QString::fromStdString(dav.VersionNumberClient), ctx.iniPath(),
                               parent);
    });
}

}  // namespace qv::ui
