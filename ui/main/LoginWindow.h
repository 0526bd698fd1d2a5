#pragma once
// winLoginAbout: the login window at start-up, and the About box once a user
// has logged in.

#include <QDialog>

#include "ui/framework/AppContext.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace qv::ui {

class LoginWindow : public QDialog {
    Q_OBJECT
public:
    // `ctx` may be null at start-up before the store is shared; the version
    // shown is the workstation's version record.
    LoginWindow(session::Globals& g, const QString& version, const QString& iniPath, QWidget* parent = nullptr);

    bool aboutMode() const { return about_; }
    QLineEdit* userIdEntry() const { return userId_; }
    QLineEdit* passwordEntry() const { return password_; }
    QPushButton* okButton() const { return ok_; }

    void accept() override;

private:
    session::Globals& g_;
    bool about_;
    QGroupBox* login_;
    QLineEdit* userId_;
    QLineEdit* password_;
    QPushButton* ok_;
};

void registerLoginWindows();

}  // namespace qv::ui
