#pragma once
// A small window for long runs: one line of text and, where the work knows
// how far it is, a progress bar. It blocks the window that started it.

#include <QDialog>

#include <cstdint>
#include <functional>

class QLabel;
class QProgressBar;

namespace qv::ui {

class StatusWindow : public QDialog {
    Q_OBJECT
public:
    StatusWindow(QWidget* parent, const QString& title, const QString& text);
    void setText(const QString& text);
    // done of total; total 0 shows a busy bar.
    void progress(int64_t done, int64_t total);
    // A callback for the core's long runs.
    std::function<void(int64_t, int64_t)> reporter();

private:
    QLabel* text_;
    QProgressBar* bar_;
};

}  // namespace qv::ui
