#pragma once
// winReports: choose a report and its criteria, build its data and show it.

#include <QDialog>

#include <map>
#include <vector>

#include "ui/framework/AppContext.h"

class QComboBox;
class QPushButton;
class QTabWidget;

namespace qv::ui {

class ReportsWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReportsWindow(AppContext& ctx, QWidget* parent = nullptr);

    // What the tests and the keyboard press.
    QPushButton* reportButton(const QString& text) const;
    QPushButton* createButton() const { return create_; }
    QComboBox* criterion(const QString& label) const;
    QTabWidget* tabs() const { return tabs_; }
    // The chosen report's button text, or "" before one is chosen.
    QString chosen() const { return chosen_; }

    // Builds the chosen report and shows it (or says why not).
    void createReport();

private:
    void choose(int index);
    void criterionChanged();
    void fillTrips();
    void updateCreate();
    AppContext& ctx_;
    QTabWidget* tabs_;
    QPushButton* create_;
    std::map<QString, QPushButton*> buttons_;
    std::map<QString, QComboBox*> criteria_;
    int chosenIndex_ = -1;
    QString chosen_;
};

void registerReportWindows();

}  // namespace qv::ui
