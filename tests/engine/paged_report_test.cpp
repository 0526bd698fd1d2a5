// A report's HTML laid out on pages: the page heads, the definition's own
// style sheet and its body's background survive the way the engine fills
// its document.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "engine/PagedReport.h"
#include "tests/PdfText.h"

namespace {

namespace fs = std::filesystem;
using qv::engine::PagedReport;
using qvtest::pdfText;

const qv::engine::PageHeading kHeading{"Test Club", "List", "07/12/2026"};

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

std::string pdfOf(const PagedReport& report) {
    const fs::path pdf = fs::temp_directory_path() / ("quillavon-paged-" + std::to_string(std::random_device{}()) + ".pdf");
    EXPECT_TRUE(report.writePdf(pdf.string()));
    std::string text = pdfText(pdf);
    fs::remove(pdf);
    return text;
}

std::string rows(int n, const std::string& cellStyle = "") {
    std::string out;
    for (int i = 1; i <= n; ++i)
        out += "<tr><td" + cellStyle + ">Angler " + std::to_string(i) + "</td><td>" + std::to_string(i) + ".00</td></tr>";
    return out;
}

// Drawn by the document, or by the engine as a grid: the same pages.
TEST(PagedReport, ALongTableRepeatsItsHeadingOnEveryPage) {
    int documentPages = 0;
    for (const std::string table : {"<table width='100%' cellspacing='0'>", "<table width='100%' cellspacing='0' class='grid'>"}) {
        SCOPED_TRACE(table);
        const PagedReport report("<html><body><h1>Anglers</h1>" + table + "<thead><tr><th>Name of angler</th>"
                                 "<th>Points</th></tr></thead>" + rows(400) + "</table><p>End of list</p></body></html>",
                                 kHeading);
        const int pages = report.pageCount();
        ASSERT_GT(pages, 5);
        if (documentPages == 0) documentPages = pages;
        EXPECT_NEAR(pages, documentPages, 1);
        const std::string text = pdfOf(report);
        // pdftotext ends each page with a form feed.
        int pagesRead = 0, pagesWithRows = 0;
        for (size_t from = 0, end; (end = text.find('\f', from)) != std::string::npos; from = end + 1) {
            const std::string page = text.substr(from, end - from);
            ++pagesRead;
            EXPECT_NE(page.find("Test Club"), std::string::npos) << "page " << pagesRead;
            if (page.find("Angler ") == std::string::npos) continue;
            ++pagesWithRows;
            EXPECT_NE(page.find("Name of angler"), std::string::npos) << "page " << pagesRead;
        }
        EXPECT_EQ(pagesRead, pages);
        EXPECT_GE(pagesWithRows, pages - 1);
        EXPECT_NE(text.find("Page " + std::to_string(pages) + " of " + std::to_string(pages)), std::string::npos);
        for (const char* row : {"Angler 1 ", "Angler 200 ", "Angler 400 ", "End of list"})
            EXPECT_NE(text.find(row), std::string::npos) << row;
        EXPECT_EQ(count(text, "Angler 173 "), 1) << "no row is printed twice or lost at a page break";
        EXPECT_EQ(count(text, "Name of angler"), pagesWithRows);
    }
}

TEST(PagedReport, TheDefinitionsStyleSheetIsApplied) {
    const std::string body = "<body><table>" + rows(200, " class='big'") + "</table></body></html>";
    const PagedReport plain("<html>" + body, kHeading);
    const PagedReport styled("<html><head><style>td.big { font-size: 30pt; }</style></head>" + body, kHeading);
    EXPECT_GE(styled.pageCount(), 2 * plain.pageCount());
}

TEST(PagedReport, TheBodysBackgroundFillsThePageBody) {
    for (const std::string& html :
         {std::string("<html><body bgcolor='#ffe0c0'><p>Hello</p></body></html>"),
          std::string("<html><head><style>p { color: red; } body { background: #ffe0c0; }</style></head>"
                      "<BODY class='x'><p>Hello</p></BODY></html>")}) {
        const QImage page = PagedReport(html, kHeading).pageImage(0, 48);
        EXPECT_EQ(page.pixelColor(page.width() / 2, page.height() / 2), QColor("#ffe0c0")) << html;
        EXPECT_EQ(page.pixelColor(page.width() / 2, 2), QColor(Qt::white)) << "the paper's edge stays white";
    }
    const QImage plain = PagedReport("<html><body><p>Hello</p></body></html>", kHeading).pageImage(0, 48);
    EXPECT_EQ(plain.pixelColor(plain.width() / 2, plain.height() / 2), QColor(Qt::white));
}

}  // namespace
