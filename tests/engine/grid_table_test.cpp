// Grid tables: taken out of a report's HTML only when plain, drawn with the
// look the document would give their cells, and cut into pieces that keep
// every row once, in order, under the header.

#include <gtest/gtest.h>

#include <QImage>

#include <string>

#include "engine/GridLayout.h"
#include "engine/GridTable.h"
#include "engine/PagedReport.h"

namespace {

using namespace qv::engine;

std::string page(const std::string& style, const std::string& body) {
    return "<html><head><style>" + style + "</style></head><body>" + body + "</body></html>";
}

std::string bodyRows(int n) {
    std::string out;
    for (int i = 1; i <= n; ++i) out += "<tr><td>Angler " + std::to_string(i) + "</td><td>" + std::to_string(i) + "</td></tr>";
    return out;
}

QFont base() {
    QFont f("DejaVu Sans");
    f.setPointSizeF(9);
    return f;
}

TEST(GridTable, OnlyPlainGridsAreTakenOut) {
    const std::string plain = page("", "<p>Before</p><table class='list grid'><thead><tr><th>Name</th><th>Total</th></tr></thead>"
                                       "<tr><td> Ann\n  &amp;  Bo </td><td>1&#160;0</td></tr>"
                                       "<tr><td colspan='2'>Grade 2</td></tr></table><p>After</p>");
    const ExtractedGrids grids = extractGridTables(plain);
    ASSERT_EQ(grids.tables.size(), 1u);
    const GridTable& t = grids.tables[0];
    EXPECT_EQ(t.headerRows, 1);
    ASSERT_EQ(t.rows.size(), 3u);
    EXPECT_EQ(t.rows[1].cells[0].text, QString("Ann & Bo")) << "white space collapses as HTML shows it";
    EXPECT_EQ(t.rows[1].cells[1].text, QString("1") + QChar(0xa0) + "0") << "a no-break space stays";
    EXPECT_EQ(t.rows[2].cells[0].span, 2);
    EXPECT_EQ(t.columnCount(), 2);
    EXPECT_NE(grids.html.find(gridMarker(0).toStdString()), std::string::npos);
    EXPECT_EQ(grids.html.find("Ann"), std::string::npos);
    EXPECT_NE(grids.html.find("Before"), std::string::npos);
    EXPECT_NE(grids.html.find("After"), std::string::npos);

    // Anything but text in a cell, a row span, a border or a table within
    // leaves the table to the document.
    for (const std::string& table :
         {std::string("<table class='grid'><tr><td><b>Ann</b></td></tr></table>"),
          std::string("<table class='grid'><tr><td rowspan='2'>Ann</td></tr><tr><td>Bo</td></tr></table>"),
          std::string("<table class='grid' border='1'><tr><td>Ann</td></tr></table>"),
          std::string("<table><tr><td><table class='grid'><tr><td>Ann</td></tr></table></td></tr></table>"),
          std::string("<table class='gridlines'><tr><td>Ann</td></tr></table>"),
          std::string("<table class='grid'><tr><td>Ann &unknownname; Bo</td></tr></table>"),
          std::string("<table class='grid'><caption>List</caption><tr><td>Ann</td></tr></table>")}) {
        const ExtractedGrids kept = extractGridTables(page("", table));
        EXPECT_TRUE(kept.tables.empty()) << table;
        EXPECT_NE(kept.html.find("Ann"), std::string::npos) << table;
    }
    const std::string none = page("", "<p>No grid here</p>");
    EXPECT_EQ(extractGridTables(none).html, none);
}

TEST(GridTable, CellsTakeTheStyleSheetsLook) {
    const ExtractedGrids grids = extractGridTables(page(
        "body { font-size: 10pt; } td { padding: 2px 5px; } td.n { text-align: right; color: #ff0000; }"
        "tr.grade td { background: #e8eef5; font-weight: bold; } th { background: #1f3a5f; color: white; }",
        "<table class='grid' width='100%' cellspacing='0'><thead><tr><th>Name</th><th>Points</th></tr></thead>"
        "<tr class='grade'><td colspan='2'>Grade 1</td></tr><tr bgcolor='#f2f5f9'><td>Ann</td><td class='n'>12.50</td></tr>"
        "</table>"));
    ASSERT_EQ(grids.tables.size(), 1u);
    const GridTable& t = grids.tables[0];
    const GridLayout grid(t, base(), 600);
    const CellLook& head = grid.look(t.rows[0].cells[0].look);
    EXPECT_EQ(head.background.color(), QColor("#1f3a5f"));
    EXPECT_EQ(head.colour, QColor(Qt::white));
    EXPECT_TRUE(head.font.bold()) << "a heading cell is bold";
    const CellLook& grade = grid.look(t.rows[1].cells[0].look);
    EXPECT_EQ(grade.background.color(), QColor("#e8eef5"));
    EXPECT_TRUE(grade.font.bold());
    const CellLook& name = grid.look(t.rows[2].cells[0].look);
    EXPECT_EQ(name.background.color(), QColor("#f2f5f9")) << "a row's colour fills its cells";
    EXPECT_DOUBLE_EQ(name.padLeft, 5);
    EXPECT_DOUBLE_EQ(name.padTop, 2);
    EXPECT_NEAR(name.font.pointSizeF(), 10, 0.01) << "the body's size is inherited";
    const CellLook& points = grid.look(t.rows[2].cells[1].look);
    EXPECT_EQ(points.colour, QColor("#ff0000"));
    EXPECT_TRUE(points.align & Qt::AlignRight);
    EXPECT_NEAR(grid.columnLeft(2), 600, 0.5) << "width 100% fills the width";

    // What the table stands in passes on to its cells.
    const ExtractedGrids inside = extractGridTables(
        page(".small { font-size: 7pt; color: #00aa00; }",
             "<div class='small'><!-- <table class='grid'> --><table class='grid'><tr><td>Ann</td></tr></table></div>"));
    ASSERT_EQ(inside.tables.size(), 1u);
    const GridLayout small(inside.tables[0], base(), 600);
    EXPECT_NEAR(small.look(0).font.pointSizeF(), 7, 0.01);
    EXPECT_EQ(small.look(0).colour, QColor("#00aa00"));
    EXPECT_NE(inside.html.find("</div>"), std::string::npos);
}

TEST(GridTable, PiecesKeepEveryRowOnceAndFitTheirPages) {
    const ExtractedGrids grids = extractGridTables(
        page("", "<table class='grid'><thead><tr><th>Name</th><th>Points</th></tr></thead>" + bodyRows(500) + "</table>"));
    ASSERT_EQ(grids.tables.size(), 1u);
    const GridLayout grid(grids.tables[0], base(), 600);
    for (double firstRoom : {700.0, 35.0, 2.0}) {
        SCOPED_TRACE(firstRoom);
        const std::vector<GridPiece> pieces = grid.paginate(firstRoom, 700);
        ASSERT_GT(pieces.size(), 5u);
        EXPECT_EQ(pieces[0].newPage, firstRoom < grid.rowHeight(0) + grid.rowHeight(1));
        int next = 0;
        for (size_t k = 0; k < pieces.size(); ++k) {
            EXPECT_EQ(pieces[k].from, next);
            EXPECT_GT(pieces[k].to, pieces[k].from);
            EXPECT_LE(grid.pieceSize(pieces[k]).height(), k == 0 && !pieces[0].newPage ? firstRoom : 700);
            if (k > 0) {
                EXPECT_TRUE(pieces[k].newPage);
            }
            next = pieces[k].to;
        }
        EXPECT_EQ(next, grid.bodyRows());
    }
    // A header alone still gives one piece.
    const ExtractedGrids empty = extractGridTables(page("", "<table class='grid'><thead><tr><th>Name</th></tr></thead></table>"));
    ASSERT_EQ(empty.tables.size(), 1u);
    EXPECT_EQ(GridLayout(empty.tables[0], base(), 600).paginate(700, 700).size(), 1u);
}

TEST(GridTable, ATooWideGridIsDrawnSmallerNeverCut) {
    std::string cells;
    for (int i = 0; i < 60; ++i) cells += "<td>Column " + std::to_string(i) + "</td>";
    const ExtractedGrids grids = extractGridTables(page("", "<table class='grid'><tr>" + cells + "</tr></table>"));
    ASSERT_EQ(grids.tables.size(), 1u);
    const GridLayout grid(grids.tables[0], base(), 500);
    EXPECT_NEAR(grid.columnLeft(60), 500, 0.5);
    EXPECT_NEAR(grid.pieceSize(grid.paginate(700, 700)[0]).width(), 500, 0.5);
}

TEST(GridTable, AGridIsDrawnWhereTheTableStood) {
    // A coloured band of grid rows between two paragraphs: the colour shows
    // below the first paragraph and above the second.
    const std::string html = page("td { background: #00ff00; padding: 4px; }",
                                  "<p>Above the grid</p><table class='grid' width='100%'>" + bodyRows(20) +
                                      "</table><p>Below the grid</p>");
    const PagedReport report(html, {"Club", "Title", "07/12/2026"});
    const QImage image = report.pageImage(0, 48);
    int green = 0;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixelColor(image.width() / 3, y) == QColor("#00ff00")) ++green;
    EXPECT_GT(green, 20 * 5) << "twenty rows of green cells";
    EXPECT_EQ(report.pageCount(), 1);
}

}  // namespace
