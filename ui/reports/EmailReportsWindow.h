#pragma once
// winEmailReports: one of the season's reports, as a PDF file, e-mailed to
// every member who fished a trip of the current season in the division.

#include <QDialog>

#include <map>
#include <vector>

#include "ui/framework/AppContext.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace qv::mail {
struct EmailReport;
}

namespace qv::ui {

class EmailReportsWindow : public QDialog {
    Q_OBJECT
public:
    // The reports offered are those of mail::emailReports() unless told otherwise.
    explicit EmailReportsWindow(AppContext& ctx, QWidget* parent = nullptr,
                                const std::vector<mail::EmailReport>* reports = nullptr);

    // What the tests and the keyboard press.
    QPushButton* reportButton(const QString& text) const;
    QComboBox* division() const { return division_; }
    QPushButton* emailButton() const { return email_; }

    // Asks, builds the chosen report, mails it and says how it went.
    void emailReport();

private:
    void choose(const mail::EmailReport* report);
    void updateEmail();
    AppContext& ctx_;
    std::map<QString, QPushButton*> buttons_;
    QLabel* divisionLabel_;
    QComboBox* division_;
    QPushButton* email_;
    const mail::EmailReport* chosen_ = nullptr;
};

void registerEmailReportsWindow();

}  // namespace qv::ui
