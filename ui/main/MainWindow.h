#pragma once
// winMain: the frame a user sees after logging in. Its menu and toolbar open
// every other window; what is enabled depends on the user's level.

#include <QMainWindow>

#include <map>

#include "core/session/Access.h"
#include "ui/framework/AppContext.h"

class QAction;
class QLabel;

namespace qv::ui {

// Who may use a menu item or toolbar button: the levels of the one gate.
using Allowed = session::Access;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(ui::AppContext& ctx, QWidget* parent = nullptr);

    // The action of a menu item or toolbar button by its text ("User &Access"),
    // or nullptr.
    QAction* action(const QString& text) const;
    QAction* toolButton(const QString& text) const;
    QString currentSeason() const;
    QString transferStatus() const;
    QString welcome() const;
    // Re-reads the current season and the transfer note.
    void refreshStatus();
    // Opens the help window at its contents page.
    void showHelp();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenu();
    void buildToolbar();
    void buildStatusArea();
    void applyLevel();
    void run(const QString& procedure);
    QAction* addItem(QMenu* menu, const QString& text, const QString& tip, Allowed who,
                     std::function<void()> act);

    ui::AppContext& ctx_;
    std::map<QString, QAction*> items_;
    std::map<QString, QAction*> tools_;
    std::map<QAction*, Allowed> allowed_;
    QLabel* welcome_;
    QLabel* transfer_;
    QLabel* season_;
};

void registerMainWindow();

}  // namespace qv::ui
