#include "ui/framework/StatusWindow.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace qv::ui {

StatusWindow::StatusWindow(QWidget* parent, const QString& title, const QString& text)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(title);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(text, this);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 0);
    bar_->setTextVisible(false);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    setMinimumWidth(360);
    show();
    QApplication::processEvents();
}

void StatusWindow::setText(const QString& text) {
    text_->setText(text);
    QApplication::processEvents();
}

void StatusWindow::progress(int64_t done, int64_t total) {
    if (total <= 0) {
        bar_->setRange(0, 0);
    } else {
        bar_->setRange(0, 1000);
        bar_->setValue(static_cast<int>(done * 1000 / total));
    }
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

std::function<void(int64_t, int64_t)> StatusWindow::reporter() {
    return [this](int64_t done, int64_t total) { progress(done, total); };
}

}  // namespace qv::ui
