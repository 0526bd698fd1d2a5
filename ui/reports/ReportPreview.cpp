#include "ui/reports/ReportPreview.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPaintEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include "engine/ReportEngine.h"
#include "ui/framework/AppContext.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/WindowPlacement.h"

namespace qv::ui {

namespace {

constexpr int kGap = 16;  // between pages, on screen
const char* const kDefaultTitle = "Quillavon - Report Preview";

}  // namespace

// The pages one below the other; only those in view are drawn.
class PageView : public QWidget {
public:
    explicit PageView(const engine::PagedReport* report, QWidget* parent) : QWidget(parent), report_(report) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        relayout();
    }
    void setZoom(double z) {
        zoom_ = std::clamp(z, 0.25, 4.0);
        relayout();
        update();
    }
    double zoom() const { return zoom_; }
    QSizeF pageSize() const {
        const QRectF full = report_->pageLayout().fullRectPixels(96);
        return full.size() * zoom_;
    }
    int pageTop(int index) const { return kGap + index * (qRound(pageSize().height()) + kGap); }
    int pageAt(int y) const {
        const int step = qRound(pageSize().height()) + kGap;
        return std::clamp(y / std::max(1, step), 0, report_->pageCount() - 1);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        p.fillRect(e->rect(), QColor(0x8a, 0x93, 0x9e));
        const QSizeF page = pageSize();
        const int left = std::max(kGap, (width() - qRound(page.width())) / 2);
        for (int i = 0; i < report_->pageCount(); ++i) {
            const QRect r(left, pageTop(i), qRound(page.width()), qRound(page.height()));
            if (!r.intersects(e->rect())) continue;
            p.fillRect(r.translated(3, 3), QColor(0, 0, 0, 60));
            p.save();
            p.setClipRect(r);
            p.translate(r.topLeft());
            p.scale(zoom_, zoom_);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            report_->paintPage(p, i);
            p.restore();
        }
    }

private:
    void relayout() {
        const QSizeF page = pageSize();
        setMinimumSize(qRound(page.width()) + 2 * kGap, pageTop(report_->pageCount()));
        resize(minimumSize());
    }
    const engine::PagedReport* report_;
    double zoom_ = 1.0;
};

ReportPreview::ReportPreview(std::unique_ptr<engine::ReportEngine> engine, const std::string& title,
                             const QString& iniPath, QWidget* parent)
    : QDialog(parent, Qt::Window), engine_(std::move(engine)) {
    setObjectName("winReportPreview");
    const QString heading = title.empty() ? QString(kDefaultTitle) : QString::fromStdString(title);
    setWindowTitle(heading);
    auto* layout = new QVBoxLayout(this);

    auto* bar = new QHBoxLayout;
    auto* headingLabel = new QLabel(heading, this);
    QFont f = headingLabel->font();
    f.setPointSizeF(f.pointSizeF() * 1.3);
    f.setBold(true);
    headingLabel->setFont(f);
    bar->addWidget(headingLabel);
    bar->addStretch(1);
    auto* previous = new QPushButton("&Previous", this);
    pageLabel_ = new QLabel(this);
    auto* next = new QPushButton("&Next", this);
    auto* zoomOut = new QPushButton("Zoom &Out", this);
    auto* zoomIn = new QPushButton("Zoom &In", this);
    auto* fit = new QPushButton("&Fit Width", this);
    auto* print = new QPushButton("P&rint...", this);
    auto* pdf = new QPushButton("Save as P&DF...", this);
    auto* close = new QPushButton("&Close", this);
    for (QWidget* w : std::initializer_list<QWidget*>{previous, pageLabel_, next, zoomOut, zoomIn, fit, print, pdf, close})
        bar->addWidget(w);
    for (QPushButton* b : {previous, next, zoomOut, zoomIn, fit, print, pdf}) b->setAutoDefault(false);
    close->setDefault(true);
    layout->addLayout(bar);

    view_ = new PageView(engine_->report(), this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(view_);
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(scroll_, 1);

    connect(previous, &QPushButton::clicked, this, [this] { showPage(currentPage() - 1); });
    connect(next, &QPushButton::clicked, this, [this] { showPage(currentPage() + 1); });
    connect(zoomIn, &QPushButton::clicked, this, [this] { setZoom(zoom() * 1.25); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { setZoom(zoom() / 1.25); });
    connect(fit, &QPushButton::clicked, this, &ReportPreview::fitWidth);
    connect(print, &QPushButton::clicked, this, &ReportPreview::print);
    connect(pdf, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, "Save as PDF", windowTitle() + ".pdf", "PDF files (*.pdf)");
        if (!path.isEmpty()) saveAsPdf(path);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(scroll_->verticalScrollBar(), &QScrollBar::valueChanged, this, &ReportPreview::updatePageLabel);
    new QShortcut(QKeySequence::ZoomIn, this, [this] { setZoom(zoom() * 1.25); });
    new QShortcut(QKeySequence::ZoomOut, this, [this] { setZoom(zoom() / 1.25); });
    new QShortcut(QKeySequence(Qt::Key_PageDown | Qt::ControlModifier), this, [this] { showPage(currentPage() + 1); });
    new QShortcut(QKeySequence(Qt::Key_PageUp | Qt::ControlModifier), this, [this] { showPage(currentPage() - 1); });

    resize(1000, 760);
    keepPlacement(this, "winReportPreview", iniPath);
    updatePageLabel();
    scroll_->setFocus();
    // The pages open as wide as the window.
    QTimer::singleShot(0, this, &ReportPreview::fitWidth);
}

void ReportPreview::fitWidth() {
    const double page = engine_->report()->pageLayout().fullRectPixels(96).width();
    setZoom((scroll_->viewport()->width() - 2 * kGap) / page);
}

ReportPreview::~ReportPreview() = default;

int ReportPreview::currentPage() const { return view_->pageAt(scroll_->verticalScrollBar()->value() + kGap); }
double ReportPreview::zoom() const { return view_->zoom(); }

void ReportPreview::setZoom(double z) {
    const int page = currentPage();
    view_->setZoom(z);
    showPage(page);
}

void ReportPreview::showPage(int index) {
    index = std::clamp(index, 0, engine_->report()->pageCount() - 1);
    scroll_->verticalScrollBar()->setValue(view_->pageTop(index) - kGap);
    updatePageLabel();
}

void ReportPreview::updatePageLabel() {
    pageLabel_->setText(QString("Page %1 of %2").arg(currentPage() + 1).arg(engine_->report()->pageCount()));
}

bool ReportPreview::saveAsPdf(const QString& path) {
    if (engine_->exportToDiskFile(engine::kExportPdf, path.toStdString())) return true;
    inform(this, *engine_->lastError());
    return false;
}

void ReportPreview::print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle("Print " + windowTitle());
    if (dialog.exec() != QDialog::Accepted) return;
    if (!engine_->report()->printTo(printer))
        inform(this, "The report could not be sent to the printer " + printer.printerName().toStdString() + ".");
}

}  // namespace qv::ui
