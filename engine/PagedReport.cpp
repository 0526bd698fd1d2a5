#include "engine/PagedReport.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextLayout>

#include "engine/ChartObjects.h"
#include "engine/GridObjects.h"

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

// The background a report's <body> gives its pages (as bgcolor or in its
// style sheet), read from the head and the body's own tag alone. Inserted
// HTML does not carry it, so the document is given it apart.
QBrush bodyBackground(const QString& html) {
    static const QRegularExpression body(R"(<body[\s>])", QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = body.match(html);
    const qsizetype end = m.hasMatch() ? html.indexOf('>', m.capturedStart()) : -1;
    if (end < 0) return {};
    QTextDocument head;
    head.setHtml(html.left(end + 1) + "</body></html>");
    return head.rootFrame()->frameFormat().background();
}

}  // namespace

PagedReport::PagedReport(const std::string& html, PageHeading heading)
    : html_(html), heading_(std::move(heading)),
      layout_(QPageSize(QPageSize::A4), orientationOf(html), QMarginsF(14, 12, 14, 12), QPageLayout::Millimeter),
      plain_(withoutFurniture(html)), doc_(newDocument()) {
    // A document given all of its text at once is laid out lazily, in steps,
    // and each step lays out again the stretch before it, so a report that
    // is mostly one long table was laid out twice. Text inserted into a
    // document whose layout is finished (an empty one) is laid out in one go.
    doc_->pageCount();
    // Grid tables are laid out and drawn by the engine, in pieces a page
    // high, put in once the rest is in place.
    ExtractedGrids grids = extractGridTables(html);
    const QString text = QString::fromStdString(grids.html);
    QTextCursor cursor(doc_.get());
    cursor.beginEditBlock();
    cursor.insertHtml(text);
    new ChartObjects(*doc_);  // the document's child
    if (const QBrush background = bodyBackground(text); background.style() != Qt::NoBrush) {
        QTextFrameFormat page = doc_->rootFrame()->frameFormat();
        page.setBackground(background);
        doc_->rootFrame()->setFrameFormat(page);
    }
    // Each block keeps the glyphs of its last layout, so that drawing a page
    // does not shape its text again.
    for (QTextBlock b = doc_->begin(); b.isValid(); b = b.next()) b.layout()->setCacheEnabled(true);
    cursor.endEditBlock();  // laid out here
    if (!grids.tables.empty()) new GridObjects(*doc_, std::move(grids.tables));  // the document's child
}

std::unique_ptr<QTextDocument> PagedReport::newDocument() const {
    auto doc = std::make_unique<QTextDocument>();
    doc->setUndoRedoEnabled(false);
    QFont base("DejaVu Sans");
    base.setPointSizeF(9);
    doc->setDefaultFont(base);
    doc->setDocumentMargin(0);
    doc->setPageSize(bodyRect().size());
    return doc;
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
