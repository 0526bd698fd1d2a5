#include "engine/PagedReport.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include "engine/Chart.h"

namespace qv::engine {

namespace {

constexpr double kDpi = 96.0;
constexpr double kHeader = 44.0;  // 96-dpi pixels above the body
constexpr double kFooter = 32.0;  // and below it

QPageLayout::Orientation orientationOf(const std::string& html) {
    static const QRegularExpression landscape(
        R"(<meta\s+name\s*=\s*["']orientation["']\s+content\s*=\s*["']landscape["'])",
        QRegularExpression::CaseInsensitiveOption);
    return landscape.match(QString::fromStdString(html)).hasMatch() ? QPageLayout::Landscape
                                                                  : QPageLayout::Portrait;
}

// A page that is all body, for a certificate to frame:
// <meta name="furniture" content="none"> leaves out our header and footer.
bool withoutFurniture(const std::string& html) {
    static const QRegularExpression none(R"(<meta\s+name\s*=\s*["']furniture["']\s+content\s*=\s*["']none["'])",
                                         QRegularExpression::CaseInsensitiveOption);
    return none.match(QString::fromStdString(html)).hasMatch();
}

}  // namespace

PagedReport::PagedReport(const std::string& html, PageHeading heading)
    : html_(html), heading_(std::move(heading)),
      layout_(QPageSize(QPageSize::A4), orientationOf(html), QMarginsF(14, 12, 14, 12), QPageLayout::Millimeter),
      plain_(withoutFurniture(html)), doc_(std::make_unique<QTextDocument>()) {
    QFont base("DejaVu Sans");
    base.setPointSizeF(9);
    doc_->setDefaultFont(base);
    doc_->setDocumentMargin(0);
    // The page size first, so that the document is laid out once.
    doc_->setPageSize(bodyRect().size());
    addChartResources(*doc_, html);
    doc_->setHtml(QString::fromStdString(html));
}

QRectF PagedReport::bodyRect() const {
    const QRectF paint = layout_.paintRectPixels(static_cast<int>(kDpi));
    return plain_ ? paint : paint.adjusted(0, kHeader, 0, -kFooter);
}

int PagedReport::pageCount() const { return std::max(1, doc_->pageCount()); }

void PagedReport::paintPage(QPainter& p, int index) const {
    const QRectF body = bodyRect();
    p.save();
    p.fillRect(layout_.fullRectPixels(static_cast<int>(kDpi)), Qt::white);
    if (!plain_) paintFurniture(p, index);

    // The body: this page's slice of the document.
    p.translate(body.left(), body.top() - index * body.height());
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = QRectF(0, index * body.height(), body.width(), body.height());
    p.setClipRect(ctx.clip);
    ctx.palette.setColor(QPalette::Text, Qt::black);
    doc_->documentLayout()->draw(&p, ctx);
    p.restore();
}

void PagedReport::paintFurniture(QPainter& p, int index) const {
    const QRectF paint = layout_.paintRectPixels(static_cast<int>(kDpi));
    const QRectF body = bodyRect();

    // Header: the organisation on the left, the report's title on the right, a rule below.
    QFont head("DejaVu Sans");
    head.setPixelSize(15);
    head.setBold(true);
    p.setFont(head);
    p.setPen(QColor(0x1f, 0x3a, 0x5f));
    const QRectF headRect(paint.left(), paint.top(), paint.width(), kHeader - 12);
    p.drawText(headRect, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(heading_.organisation));
    head.setPixelSize(13);
    head.setBold(false);
    p.setFont(head);
    p.drawText(headRect, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(heading_.title));
    p.setPen(QPen(QColor(0x1f, 0x3a, 0x5f), 1.5));
    p.drawLine(QPointF(paint.left(), paint.top() + kHeader - 8), QPointF(paint.right(), paint.top() + kHeader - 8));

    // Footer: page n of m in the middle, the date printed on the right.
    QFont foot("DejaVu Sans");
    foot.setPixelSize(10);
    p.setFont(foot);
    p.setPen(QColor(0x55, 0x55, 0x55));
    const QRectF footRect(paint.left(), body.bottom() + 8, paint.width(), kFooter - 8);
    p.drawLine(QPointF(paint.left(), body.bottom() + 6), QPointF(paint.right(), body.bottom() + 6));
    p.drawText(footRect, Qt::AlignHCenter | Qt::AlignVCenter,
               QString("Page %1 of %2").arg(index + 1).arg(pageCount()));
    p.drawText(footRect, Qt::AlignRight | Qt::AlignVCenter,
               QString::fromStdString("Printed " + heading_.printed));
    p.drawText(footRect, Qt::AlignLeft | Qt::AlignVCenter, "Quillavon");
}

QImage PagedReport::pageImage(int index, double dpi) const {
    const QRectF full = layout_.fullRectPixels(static_cast<int>(kDpi));
    const double scale = dpi / kDpi;
    QImage image(QSize(qRound(full.width() * scale), qRound(full.height() * scale)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    paintPage(p, index);
    return image;
}

bool PagedReport::printTo(QPagedPaintDevice& device) const {
    device.setPageLayout(layout_);
    QPainter p;
    if (!p.begin(&device)) return false;
    // The device's page, in its own dots, from our 96-dpi page.
    const double scale = device.logicalDpiX() / kDpi;
    const QRectF paint = layout_.paintRectPixels(device.logicalDpiX());
    for (int i = 0; i < pageCount(); ++i) {
        if (i > 0) device.newPage();
        p.save();
        // Painting starts at the printable area's corner; our page starts at the paper's.
        p.translate(-paint.left(), -paint.top());
        p.scale(scale, scale);
        paintPage(p, i);
        p.restore();
    }
    return p.end();
}

bool PagedReport::writePdf(const std::string& path) const {
    QPdfWriter writer(QString::fromStdString(path));
    writer.setResolution(300);
    writer.setCreator("Quillavon");
    writer.setTitle(QString::fromStdString(heading_.title));
    return printTo(writer);
}

}  // namespace qv::engine
