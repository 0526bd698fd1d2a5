#pragma once
// A report laid out on pages: the HTML a definition made, in a QTextDocument
// cut into pages of A4 (landscape when the definition asks for it with
// <meta name="orientation" content="landscape">), each with our header
// (organisation, report title) and footer (page n of m, date printed),
// unless it asks for none with <meta name="furniture" content="none">.
// Drawn the same way on screen, into images, on a printer and into a PDF.

#include <QImage>
#include <QPageLayout>
#include <QTextDocument>

#include <memory>
#include <string>

class QPainter;
class QPagedPaintDevice;

namespace qv::engine {

struct PageHeading {
    std::string organisation;
    std::string title;
    std::string printed;  // the date printed, dd/mm/yyyy
};

class PagedReport {
public:
    PagedReport(const std::string& html, PageHeading heading);

    int pageCount() const;
    const QPageLayout& pageLayout() const { return layout_; }
    const std::string& html() const { return html_; }

    // Page `index` (from 0) drawn onto `painter`, whose coordinates are the
    // whole page at 96 dots an inch.
    void paintPage(QPainter& painter, int index) const;
    // Page `index` as an image at `dpi`.
    QImage pageImage(int index, double dpi) const;
    // Every page onto a printer or PDF writer set up by the caller; false
    // when painting could not start.
    bool printTo(QPagedPaintDevice& device) const;
    bool writePdf(const std::string& path) const;

private:
    QRectF bodyRect() const;  // in 96-dpi pixels of the page
    void paintFurniture(QPainter& painter, int index) const;  // header and footer
    // The one place a report's document is made: our font, no margin, the
    // body's page size.
    std::unique_ptr<QTextDocument> newDocument() const;
    std::string html_;
    PageHeading heading_;
    QPageLayout layout_;
    bool plain_ = false;  // no header or footer
    std::unique_ptr<QTextDocument> doc_;
};

}  // namespace qv::engine
