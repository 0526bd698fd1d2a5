#pragma once
// The help window: the program's help pages, with back, forward and contents.

#include <QDialog>

class QTextBrowser;

namespace qv::ui {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    HelpWindow(const QString& iniPath, const QString& page = "division.htm", QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }
    QString page() const;

private:
    QTextBrowser* browser_;
};

void registerHelpWindow();

}  // namespace qv::ui
