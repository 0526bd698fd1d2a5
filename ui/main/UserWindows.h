#pragma once

#include <QDialog>

#include "ui/framework/AppContext.h"

class QLineEdit;

namespace qv::ui {

// winChangePassword: "New Password:" with OK and Cancel.
class ChangePasswordWindow : public QDialog {
    Q_OBJECT
public:
    ChangePasswordWindow(ui::AppContext& ctx, QWidget* parent = nullptr);
    QLineEdit* entry() const { return entry_; }
    void accept() override;

private:
    ui::AppContext& ctx_;
    QLineEdit* entry_;
};

void registerUserWindows();

}  // namespace qv::ui
