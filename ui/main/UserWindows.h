#pragma once

#include <QDialog>

#include "ui/framework/AppContext.h"

class QLineEdit;

namespace qv::ui {

// winChangePassword: "New Password:" typed twice, with OK and Cancel.
class ChangePasswordWindow : public QDialog {
    Q_OBJECT
public:
    ChangePasswordWindow(ui::AppContext& ctx, QWidget* parent = nullptr);
    QLineEdit* entry() const { return entry_; }
    QLineEdit* confirmation() const { return confirm_; }
    void accept() override;

private:
    ui::AppContext& ctx_;
    QLineEdit* entry_;
    QLineEdit* confirm_;
};

// What a change of password with a mistyped confirmation shows.
extern const char* const kPasswordsDiffer;

void registerUserWindows();

}  // namespace qv::ui
