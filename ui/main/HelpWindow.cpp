#include "ui/main/HelpWindow.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/framework/AppContext.h"
#include "ui/framework/WindowPlacement.h"
#include "ui/framework/WindowRegistry.h"

namespace qv::ui {

HelpWindow::HelpWindow(const QString& iniPath, const QString& page, QWidget* parent)
    : QDialog(parent, Qt::Window) {
    setObjectName("winHelp");
    setWindowTitle("Quillavon Help");
    auto* layout = new QVBoxLayout(this);
    auto* nav = new QHBoxLayout;
    auto* back = new QPushButton("&Back", this);
    auto* forward = new QPushButton("&Forward", this);
    auto* home = new QPushButton("&Contents", this);
    auto* close = new QPushButton("C&lose", this);
    for (QPushButton* b : {back, forward, home, close}) b->setAutoDefault(false);
    nav->addWidget(back);
    nav->addWidget(forward);
    nav->addWidget(home);
    nav->addStretch(1);
    nav->addWidget(close);
    layout->addLayout(nav);

    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({":/help"});
    layout->addWidget(browser_, 1);
    browser_->setSource(QUrl("qrc:/help/" + page));

    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QPushButton::clicked, browser_, [this] { browser_->setSource(QUrl("qrc:/help/division.htm")); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
    resize(760, 620);
    ui::keepPlacement(this, "winHelp", iniPath);
}

QString HelpWindow::page() const { return browser_->source().fileName(); }

void registerHelpWindow() {
    ui::registerWindow("winHelp", [](ui::AppContext& ctx, QWidget* parent) -> QWidget* {
        return new HelpWindow(ctx.iniPath(), "division.htm", parent);
    });
}

}  // namespace qv::ui
