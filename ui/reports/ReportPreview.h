#pragma once
// winReportPreview: the open report's pages, filling the window, with zoom,
// page by page movement, printing and saving as PDF.

#include <QDialog>

#include <memory>
#include <string>

class QLabel;
class QScrollArea;

namespace qv::engine {
class ReportEngine;
}

namespace qv::ui {

class PageView;

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    // Shows the report open in `engine`, which it keeps until it closes.
    // `title` is the report's (GLO:WindowTitle); blank gives the default.
    ReportPreview(std::unique_ptr<engine::ReportEngine> engine, const std::string& title,
                  const QString& iniPath, QWidget* parent = nullptr);
    ~ReportPreview() override;

    int currentPage() const;
    double zoom() const;
    void setZoom(double zoom);
    void showPage(int index);
    void fitWidth();
    // Writes the report as PDF to `path`; false (after saying why) when it fails.
    bool saveAsPdf(const QString& path);

private:
    void updatePageLabel();
    void print();
    std::unique_ptr<engine::ReportEngine> engine_;
    PageView* view_;
    QScrollArea* scroll_;
    QLabel* pageLabel_;
};

void registerReportPreview();

}  // namespace qv::ui
